#pragma once

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <string>

namespace corvellan::test
{

// The places the test game reads and writes, each a fresh temporary folder
// for the object's life: the program's folder (moved there through the
// module hook, with the test game's data written into it), the per-user data
// home, the user's and the machine's registry roots. Sleep only records.
class TestGameFolders
{
public:
    explicit TestGameFolders(bool writeData = true);
    ~TestGameFolders();
    TestGameFolders(const TestGameFolders&) = delete;
    TestGameFolders& operator=(const TestGameFolders&) = delete;

    // "<name>=<value>" lines for the game's key in the user's or the machine's registry.
    bool WriteUserRegistry(const std::string& lines) const;
    bool WriteMachineRegistry(const std::string& lines) const;
    // The per-user folder the game builds: <data home>/Brackwell Games/Corvellan.
    std::string UserFolder() const;
    // The log page written so far.
    std::string LogText() const;

    TempFolder program{"corvellan-program"};
    TempFolder dataHome{"corvellan-data"};
    TempFolder configHome{"corvellan-config"};
    TempFolder machineRoot{"corvellan-machine"};

private:
    ScopedEnvironment dataHomeVariable;
    ScopedEnvironment configHomeVariable;
};

} // namespace corvellan::test
