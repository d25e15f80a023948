#pragma once

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::test
{

// A root folder with a log, a file manager and timers, as the sound code
// gets them from the engine.
class SoundFiles : public ::testing::Test
{
protected:
    SoundFiles();
    ~SoundFiles() override;

    // Writes root/data/<name>, the name in the program's '\' form.
    void WriteData(const std::string& name, const std::string& bytes);
    // Every logged text of the test so far, as written.
    std::vector<std::string> LogTexts() const;
    // Whether an error entry with exactly this text (without the log's
    // frame) was written.
    bool HasError(const std::string& text) const;
    std::uint32_t ErrorCount() const;
    void ClearLog() { log.ClearMessages(); }

    TempFolder root;
    OrvaneEngine::MessageManager log{"Sound test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, root.Path(), ""};
    OrvaneEngine::TimerManager timers;
};

} // namespace corvellan::test
