#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;
using win32::testing::FileCall;

class AtomicFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(WriteFileBytes(target, "old contents")); }
    void TearDown() override { win32::testing::ResetFileHooks(); }

    bool Save(const std::string& bytes)
    {
        win32::AtomicFile file(target);
        if (!file.IsOpen())
            return false;
        if (win32::fwrite(bytes.data(), 1, bytes.size(), file.GetStream()) != bytes.size())
            return false;
        return file.Commit();
    }

    TempFolder folder;
    std::string target = folder.Join("save.ini");
};

TEST_F(AtomicFileTest, EveryFailingStepLeavesTheOldTargetAndNoTemporaryFile)
{
    for (const FileCall call : {FileCall::Write, FileCall::Flush, FileCall::Sync, FileCall::Close, FileCall::Rename})
    {
        const std::uint32_t streams = win32::testing::GetOpenStreamCount();
        win32::testing::FailFileCall(call, 1, "save.ini");
        EXPECT_FALSE(Save("new contents")) << static_cast<int>(call);
        EXPECT_EQ(ReadFileText(target), "old contents") << static_cast<int>(call);
        EXPECT_FALSE(ReadFileText(target + ".tmp").has_value()) << static_cast<int>(call);
        EXPECT_EQ(win32::testing::GetOpenStreamCount(), streams) << static_cast<int>(call);
        win32::testing::ResetFileHooks();
    }
    // A short write is caught by its caller the same way.
    win32::testing::ShortenFileCall(FileCall::Write, 1, 3, "save.ini");
    EXPECT_FALSE(Save("new contents"));
    EXPECT_EQ(ReadFileText(target), "old contents");
}

TEST_F(AtomicFileTest, CommitReplacesAndDiscardKeeps)
{
    ASSERT_TRUE(WriteFileBytes(target + ".tmp", "left by a crash, longer than what follows"));
    EXPECT_TRUE(Save("new"));
    EXPECT_EQ(ReadFileText(target), "new");
    EXPECT_FALSE(ReadFileText(target + ".tmp").has_value());

    {
        win32::AtomicFile file(target);
        ASSERT_TRUE(file.IsOpen());
        win32::fwrite("dropped", 1, 7, file.GetStream());
        EXPECT_EQ(ReadFileText(target), "new");
    }
    EXPECT_EQ(ReadFileText(target), "new");
    EXPECT_FALSE(ReadFileText(target + ".tmp").has_value());
}

TEST_F(AtomicFileTest, HooksCountOnlyTheCallsOnTheNamedPath)
{
    const std::string other = folder.Join("other.bin");
    win32::testing::FailFileCall(FileCall::Write, 2, "save.ini");
    const std::uint32_t opens = win32::testing::GetFileOpenCount();
    std::FILE* unrelated = win32::fopen(other, "wb");
    ASSERT_NE(unrelated, nullptr);
    EXPECT_EQ(win32::fwrite("x", 1, 1, unrelated), 1u);
    win32::fclose(unrelated);

    win32::AtomicFile file(target);
    EXPECT_EQ(win32::fwrite("a", 1, 1, file.GetStream()), 1u);
    EXPECT_EQ(win32::fwrite("b", 1, 1, file.GetStream()), 0u);
    EXPECT_EQ(win32::fwrite("c", 1, 1, file.GetStream()), 1u);
    EXPECT_EQ(win32::testing::GetFileOpenCount(), opens + 2);
}

} // namespace
