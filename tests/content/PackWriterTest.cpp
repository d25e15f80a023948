#include "content/FuzzSeeds.h"
#include "content/PackWriter.h"
#include "engine/core/Error.h"
#include "engine/core/PackFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

using corvellan::content::PackWriter;
using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

TEST(PackWriterTest, NamesTakeTheFormTheReaderLooksUp)
{
    const struct
    {
        const char* given;
        const char* normalized;
    } cases[] = {
        {"Data/UI/Fonts/EN.ini", "data\\ui\\fonts\\en.ini"},
        {"data\\\\ui//x.ini", "data\\ui\\x.ini"},
        {"/data/x", "data\\x"},
        {"x", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PackWriter::NormalizeName(c.given), c.normalized) << c.given;
    PackWriter pack;
    EXPECT_THROW(pack.Add(std::string(256, 'n'), "x"), std::invalid_argument);
    pack.Add(std::string(255, 'n'), "x");
}

TEST(PackWriterTest, AFolderPacksUnderItsRelativeNamesAndReadsBack)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.Join("root/Data/UI/X.ini"), "x=1"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("root/data/a.bin"), std::string("\0\1\2", 3)));
    ASSERT_TRUE(WriteFileBytes(folder.Join("root/data/empty.txt"), ""));
    ASSERT_TRUE(WriteFileBytes(folder.Join("root/data/pack0.pak"), "an older pack"));
    const std::string output = folder.Join("root/data/pack0.pak");

    PackWriter pack;
    pack.AddFolder(folder.Join("root"), output);
    EXPECT_EQ(pack.GetCount(), 3u);
    ASSERT_TRUE(pack.WriteTo(output));
    EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));

    OrvaneEngine::PackFile reader(nullptr, output);
    std::vector<std::string> names;
    reader.FindFiles("data", "*", names);
    EXPECT_EQ(names, (std::vector<std::string>{"data\\a.bin", "data\\empty.txt", "data\\ui\\x.ini"}));
    std::uint32_t size = 0;
    ASSERT_TRUE(reader.GetFileSize("data\\ui\\x.ini", size));
    std::string bytes(size, '\0');
    ASSERT_TRUE(reader.ReadFile("data\\ui\\x.ini", bytes.data()));
    EXPECT_EQ(bytes, "x=1");
}

TEST(PackWriterTest, EveryPackSeedOpens)
{
    TempFolder folder;
    ASSERT_TRUE(corvellan::content::WritePackFileSeeds(folder.Path()));
    std::size_t seeds = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder.Join("pack_file")))
    {
        EXPECT_NO_THROW(OrvaneEngine::PackFile(nullptr, item.path().string())) << item.path();
        ++seeds;
    }
    EXPECT_EQ(seeds, 4u);
}

} // namespace
