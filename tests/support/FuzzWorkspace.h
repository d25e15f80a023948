#pragma once

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "tests/support/TempFolder.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvellan::test
{

// The root a fuzz target reads its inputs from, with the services over it: a
// log that writes no file, a file manager with pack folder "Data" and a
// config. A target makes one for the whole process (a function-local static)
// so that it is removed when libFuzzer exits.
class FuzzWorkspace
{
public:
    FuzzWorkspace();
    FuzzWorkspace(const FuzzWorkspace&) = delete;
    FuzzWorkspace& operator=(const FuzzWorkspace&) = delete;

    const std::string& Root() const { return root.Path(); }
    // Writes the input as <root>/<relative>, making the folders on the way;
    // aborts when it cannot, since a run on a file that is not there proves nothing.
    void Put(const std::string& relative, const std::uint8_t* data, std::size_t size) const;

    TempFolder root{"corvellan-fuzz"};
    OrvaneEngine::MessageManager log{"Fuzz", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, root.Path(), "Data"};
    OrvaneEngine::Config config{&log, &files, root.Path(), "Fuzz", false, "800x600x32", false, false};
    OrvaneEngine::TimerManager timers;
};

} // namespace corvellan::test
