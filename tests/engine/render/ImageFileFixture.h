#pragma once

#include "engine/core/FileManager.h"
#include "tests/engine/render/ImageTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvellan::test
{

// A root folder of its own with a file manager over it and a log kept in memory.
class ImageFileFixture : public ::testing::Test
{
protected:
    ImageFileFixture()
        : log(MakeMemoryLog()), files(std::make_unique<OrvaneEngine::FileManager>(log.get(), folder.Path(), ""))
    {
        log->ClearMessages();
    }

    void Put(const std::string& name, const std::string& bytes) { ASSERT_TRUE(WriteFileBytes(folder.Join(name), bytes)); }

    std::string Get(const std::string& name) const
    {
        const auto bytes = ReadFileText(folder.Join(name));
        return bytes ? *bytes : std::string();
    }

    bool Exists(const std::string& name) const { return std::filesystem::exists(folder.Join(name)); }

    // The path text the file manager makes of a name under the root.
    std::string RootPath(const std::string& name) const { return folder.Path() + "\\" + name; }

    // The log entries of one level as written ("\nError: <text>!\n\n" for an error).
    std::vector<std::string> Entries(std::uint32_t level = 2) const { return ErrorTexts(*log, level); }

    static std::string ErrorEntry(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    TempFolder folder;
    std::unique_ptr<OrvaneEngine::MessageManager> log;
    std::unique_ptr<OrvaneEngine::FileManager> files;
};

} // namespace corvellan::test
