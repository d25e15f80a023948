#include "platform/win32/CFile.h"
#include "platform/win32/Folders.h"
#include "platform/win32/PathResolution.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace
{

using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

TEST(PathResolutionTest, ComponentsMatchExactlyFirstThenWithoutCase)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.Join("data/ui/x.ini"), "x"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("both/A.txt"), "upper"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("both/a.txt"), "lower"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("pick/aB.txt"), "aB"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("pick/Ab.txt"), "Ab"));

    const struct
    {
        std::string given;
        std::string resolved;
    } cases[] = {
        {"\\DATA\\UI\\X.INI", "/data/ui/x.ini"},
        {"\\data\\\\ui\\\\x.ini", "/data/ui/x.ini"},
        {"/Data/Ui/x.ini", "/data/ui/x.ini"},
        {"\\both\\A.txt", "/both/A.txt"},
        {"\\both\\a.txt", "/both/a.txt"},
        // Of two that differ only in case, the smallest in byte order wins.
        {"\\pick\\AB.TXT", "/pick/Ab.txt"},
        // Missing levels keep the names given; existing ones above them resolve.
        {"\\DATA\\Profiles\\New.prf", "/data/Profiles/New.prf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win32::ResolvePath(folder.Path() + c.given), folder.Path() + c.resolved) << c.given;
}

TEST(PathResolutionTest, WritingUsesTheExistingFolderAndCreatesMissingOnesAsNamed)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Join("data/profiles"));
    const std::string file = folder.Path() + "\\Data\\Profiles\\Sub\\x.prf";
    ASSERT_TRUE(win32::CreateParentFolders(file));
    std::FILE* stream = win32::fopen(file, "wb");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(win32::fwrite("abc", 1, 3, stream), 3u);
    EXPECT_EQ(win32::fclose(stream), 0);
    EXPECT_EQ(ReadFileText(folder.Join("data/profiles/Sub/x.prf")), "abc");
    EXPECT_FALSE(std::filesystem::exists(folder.Join("Data")));

    EXPECT_NE(win32::CreateDirectoryA(folder.Path() + "\\DATA\\PROFILES\\Other", nullptr), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Join("data/profiles/Other")));
    // A folder that exists is a failure the callers ignore.
    EXPECT_EQ(win32::CreateDirectoryA(folder.Path() + "\\data", nullptr), 0);
}

TEST(PathResolutionTest, ReadingRefusesWhatIsNotARegularFile)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Join("sub"));
    ASSERT_EQ(::mkfifo(folder.Join("pipe").c_str(), 0600), 0);
    ASSERT_TRUE(WriteFileBytes(folder.Join("file"), "bytes"));
    std::filesystem::create_symlink(folder.Join("file"), folder.Join("link"));

    for (const char* mode : {"rb", "r", "rt"})
    {
        EXPECT_EQ(win32::fopen(folder.Path() + "\\sub", mode), nullptr) << mode;
        EXPECT_EQ(win32::fopen(folder.Path() + "\\pipe", mode), nullptr) << mode;
        EXPECT_EQ(win32::fopen("/dev/zero", mode), nullptr) << mode;
        EXPECT_EQ(win32::fopen(folder.Path() + "\\missing", mode), nullptr) << mode;
    }
    // A link to a regular file is read like the file.
    std::FILE* stream = win32::fopen(folder.Path() + "\\LINK", "rb");
    ASSERT_NE(stream, nullptr);
    char bytes[5] = {};
    EXPECT_EQ(win32::fread(bytes, 1, 5, stream), 5u);
    EXPECT_EQ(std::string(bytes, 5), "bytes");
    win32::fclose(stream);
}

TEST(PathResolutionTest, StreamsSeekAndTellPastFourGibibytes)
{
    TempFolder folder;
    const std::string path = folder.Join("big");
    ASSERT_TRUE(WriteFileBytes(path, ""));
    const std::int64_t size = 0x100000000ll + 10;
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size)); // sparse: takes no room
    std::FILE* stream = win32::fopen(path, "rb");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(win32::fseek(stream, 0, SEEK_END), 0);
    EXPECT_EQ(win32::ftell(stream), size);
    EXPECT_EQ(win32::fseek(stream, -4, SEEK_CUR), 0);
    EXPECT_EQ(win32::ftell(stream), size - 4);
    win32::fclose(stream);
}

} // namespace
