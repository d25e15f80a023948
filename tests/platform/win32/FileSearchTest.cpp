#include "platform/win32/FileSearch.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

struct Listed
{
    std::string name;
    std::uint32_t attrib;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> List(const std::string& filespec)
{
    std::vector<Listed> listed;
    win32::_finddata_t data;
    const std::intptr_t handle = win32::_findfirst(filespec, &data);
    if (handle == -1)
        return listed;
    do
        listed.push_back({data.name, data.attrib});
    while (win32::_findnext(handle, &data) == 0);
    EXPECT_EQ(win32::_findclose(handle), 0);
    EXPECT_EQ(win32::_findclose(handle), -1);
    return listed;
}

TEST(FileSearchTest, MasksMatchWithoutCaseAndTheListingIsSorted)
{
    TempFolder folder;
    for (const char* name : {"b.pak", "A.PAK", "a.pak", "c.pak.tmp", "x.prf", "Sub.pak/inner.pak", "plain/y.pak"})
        ASSERT_TRUE(WriteFileBytes(folder.Join(name), "x"));
    std::filesystem::create_directory_symlink(folder.Path(), folder.Join("loop.pak"));

    const std::vector<Listed> expected = {
        {"A.PAK", win32::_A_NORMAL},
        {"a.pak", win32::_A_NORMAL},
        {"b.pak", win32::_A_NORMAL},
        {"loop.pak", win32::_A_SUBDIR | win32::FILE_ATTRIBUTE_REPARSE_POINT},
        {"Sub.pak", win32::_A_SUBDIR},
    };
    EXPECT_EQ(List(folder.Path() + "\\*.PaK"), expected);
    EXPECT_EQ(List(folder.Path() + "\\?.prf"), (std::vector<Listed>{{"x.prf", win32::_A_NORMAL}}));
    EXPECT_EQ(List(folder.Path() + "\\*.txt"), std::vector<Listed>{});
    EXPECT_EQ(List(folder.Path() + "\\missing\\*"), std::vector<Listed>{});

    // "." and ".." are never listed; every other entry is.
    EXPECT_EQ(List(folder.Path() + "\\PLAIN\\*").size(), 1u);
    EXPECT_EQ(List(folder.Path() + "\\*").size(), 8u);
}

TEST(FileSearchTest, MaskMatching)
{
    const struct
    {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        {"a.pak", "*.pak", true},     {"A.PAK", "*.pak", true},  {"a.pak.tmp", "*.pak", false},
        {"a.prf.old", "*.prf", false}, {".pak", "*.pak", true},  {"ab", "a?", true},
        {"a", "a?", false},           {"abcabd", "*abd", true},  {"anything", "*", true},
        {"", "*", true},              {"x", "", false},          {"a.b.c", "*.*.*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win32::MatchesMask(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

TEST(FileSearchTest, AccessTellsFilesAndFoldersFromNothing)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.Join("data/x.ini"), "x"));
    EXPECT_EQ(win32::_access(folder.Path() + "\\DATA\\X.INI", 0), 0);
    EXPECT_EQ(win32::_access(folder.Path() + "\\Data", 0), 0);
    EXPECT_EQ(win32::_access(folder.Path() + "\\data\\y.ini", 0), -1);
    EXPECT_EQ(win32::_access("", 0), -1);
}

} // namespace
