#pragma once

#include "engine/core/MessageManager.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace corvellan::test
{

// A running headless engine and an empty per-user folder inside its root,
// for the classes that keep the player's files.
class UserFolderTest : public EngineTestFixture
{
protected:
    void SetUp() override { Start(); }
    void TearDown() override { win32::testing::ResetFileHooks(); }

    // The per-user folder as the framework is given it.
    std::string User() const { return folder.Join("user"); }
    std::string ProfilesFolder() const { return User() + "/profiles"; }

    // Every file below the per-user folder with its bytes, to show that
    // nothing was created, removed or touched.
    std::map<std::string, std::string> Listing() const
    {
        std::map<std::string, std::string> files;
        std::error_code error;
        if (!std::filesystem::exists(User(), error))
            return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(User()))
        {
            if (entry.is_regular_file())
                files[entry.path().string()] = ReadFileText(entry.path().string()).value_or("<unreadable>");
        }
        return files;
    }

    // The log lines of that level (2: errors) since the engine started that
    // contain part.
    int LoggedLines(std::uint32_t level, const std::string& part) const
    {
        int found = 0;
        const OrvaneEngine::MessageManager& log = *engine->messageManager;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
        {
            const OrvaneEngine::LogMessage message = log.GetMessage(static_cast<std::uint32_t>(index));
            if (message.level == level && message.text.find(part) != std::string::npos)
                ++found;
        }
        return found;
    }
};

} // namespace corvellan::test
