#include "content/PackWriter.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::content::PackDamage;
using corvellan::content::PackWriter;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

std::vector<std::string> Messages(const MessageManager& log)
{
    std::vector<std::string> texts;
    for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
        texts.push_back(log.GetMessage(static_cast<std::uint32_t>(index)).text);
    return texts;
}

class PackFileTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& bytes, const std::string& name = "test.pak")
    {
        const std::string path = folder.Path() + "\\" + name;
        EXPECT_TRUE(WriteFileBytes(folder.Join(name), bytes));
        return path;
    }

    static PackWriter Sample()
    {
        PackWriter pack;
        pack.Add("data\\ui\\x.ini", "x=1");
        pack.Add("data\\profiles\\a.prf", "A");
        return pack;
    }

    TempFolder folder;
    MessageManager log{"Test", false, false, "", ""};
};

TEST_F(PackFileTest, DamagedPacksAreLoggedAndRefused)
{
    PackWriter sample = Sample();
    const std::uint32_t size = static_cast<std::uint32_t>(sample.Build().size());
    PackDamage shortSize;
    shortSize.sizeField = size - 1;
    PackDamage longSize;
    longSize.sizeField = size + 1;
    PackDamage magic;
    magic.magic = "OVPAC";
    PackDamage version;
    version.version = 101;
    PackDamage hugeCount;
    hugeCount.count = 0xFFFFFFFFu;
    PackDamage countPastNames;
    countPastNames.count = 3;
    // Seven entries of nine bytes at least could fit into the 71 bytes of
    // the pack, eight could not.
    PackDamage sevenInSeventyOne;
    sevenInSeventyOne.count = 7;
    PackDamage eightInSeventyOne;
    eightInSeventyOne.count = 8;
    ASSERT_EQ(size, 71u);

    // The sample cut short after its header: the directory runs out where
    // the bytes do, with the size field telling the truth.
    auto cut = [&](std::size_t length) {
        std::string bytes = sample.Build();
        bytes.resize(length);
        bytes[0] = static_cast<char>(length);
        return bytes;
    };

    // Room for the count's worth of entries, but the bytes end inside a name
    // or inside the records.
    PackWriter longName;
    longName.Add("data\\0123456789abcde", "x");
    std::string cutName = longName.Build();
    cutName.resize(30);
    cutName[0] = 30;
    PackWriter shortName;
    shortName.Add("a", "x");
    std::string cutRecords = shortName.Build();
    cutRecords.resize(26);
    cutRecords[0] = 26;
    std::string hugeInForty = PackWriter().Build(hugeCount);
    hugeInForty.resize(40, '\x01');
    hugeInForty[0] = 40;

    const struct
    {
        std::string bytes;
        std::string error;
    } cases[] = {
        {sample.Build(shortSize), "Incorrect pack file format"},
        {sample.Build(longSize), "Incorrect pack file format"},
        {sample.Build(magic), "Incorrect pack file format"},
        {sample.Build(version), "Incorrect pack file version, current is 100"},
        {hugeInForty, "Incorrect pack file format"},
        // The third name's length is the first byte of the records: 67.
        {sample.Build(countPastNames), "Failed to read 67 bytes from \"<path>\" file"},
        {cutName, "Failed to read 20 bytes from \"<path>\" file"},
        {cutRecords, "Failed to read 8 bytes from \"<path>\" file"},
        {sample.Build(sevenInSeventyOne), "Failed to read 67 bytes from \"<path>\" file"},
        {sample.Build(eightInSeventyOne), "Incorrect pack file format"},
        // Inside the first name (13 bytes), right after it, inside the records.
        {cut(27), "Failed to read 13 bytes from \"<path>\" file"},
        {cut(31), "Failed to read 1 bytes from \"<path>\" file"},
        {cut(60), "Failed to read 16 bytes from \"<path>\" file"},
        {"", "Failed to open \"<path>\" file"},
        {"OVPAK", "Failed to read 13 bytes from \"<path>\" file"},
        {std::string("\x10\0\0\0OVPAKd\0\0\0\0\0\0", 16), "Failed to read 4 bytes from \"<path>\" file"},
    };
    for (const auto& c : cases)
    {
        // No bytes at all: no file, so the pack cannot be opened.
        const std::string path = c.bytes.empty() ? folder.Path() + "\\missing.pak" : Write(c.bytes);
        std::string error = c.error;
        if (const auto at = error.find("<path>"); at != std::string::npos)
            error.replace(at, 6, path);
        log.ClearMessages();
        try
        {
            PackFile pack(&log, path);
            ADD_FAILURE() << "opened: " << c.error;
        }
        catch (const FileError&)
        {
            ADD_FAILURE() << "a FileError escaped: " << c.error;
        }
        catch (const Error& thrown)
        {
            EXPECT_EQ(thrown.GetText(), "");
        }
        const auto texts = Messages(log);
        ASSERT_GE(texts.size(), 3u) << c.error;
        EXPECT_EQ(texts.front(), "...Pack file " + path + " found...\n");
        EXPECT_EQ(texts[texts.size() - 2], "......");
        EXPECT_EQ(texts.back(), "Error: " + error + "!\n");
        EXPECT_EQ(log.GetMessage(static_cast<std::uint32_t>(texts.size() - 1)).level, 2u);
    }
    // The framing is back on for everyone else.
    log.ClearMessages();
    log.Error("later");
    EXPECT_EQ(Messages(log), std::vector<std::string>{"\nError: later!\n\n"});
}

TEST_F(PackFileTest, TheDirectoryIsLowerCasedAndTheFirstOfTwoNamesWins)
{
    PackWriter writer;
    writer.AddVerbatim("DATA\\UI\\Big.INI", "upper");
    writer.Add("data\\dup.txt", "first");
    writer.Add("Data\\Dup.txt", "second");
    writer.Add("data\\zero.txt", "");
    const std::string path = Write(writer.Build());
    PackFile pack(&log, path);
    EXPECT_EQ(Messages(log).back(), "......It contains 4 files...\n");

    const struct
    {
        std::string name;
        std::string bytes;
    } cases[] = {
        {"data\\ui\\big.ini", "upper"},
        {"DATA\\UI\\BIG.INI", "upper"},
        {"data\\dup.txt", "first"},
        {"data\\zero.txt", ""},
    };
    for (const auto& c : cases)
    {
        EXPECT_TRUE(pack.Contains(c.name)) << c.name;
        std::uint32_t size = 99;
        ASSERT_TRUE(pack.GetFileSize(c.name, size)) << c.name;
        ASSERT_EQ(size, c.bytes.size()) << c.name;
        std::string bytes(size, '\0');
        EXPECT_TRUE(pack.ReadFile(c.name, bytes.data()));
        EXPECT_EQ(bytes, c.bytes);
    }
    std::uint32_t size = 42;
    EXPECT_FALSE(pack.Contains("data/ui/big.ini"));
    EXPECT_FALSE(pack.GetFileSize("missing", size));
    EXPECT_EQ(size, 42u);
    EXPECT_FALSE(pack.ReadFile("missing", nullptr));

    pack.Close();
    EXPECT_FALSE(pack.Contains("data\\dup.txt"));
}

TEST_F(PackFileTest, AnEmptyPackHoldsNothing)
{
    PackFile pack(&log, Write(PackWriter().Build()));
    EXPECT_EQ(Messages(log).back(), "......It contains 0 files...\n");
    std::vector<std::string> found;
    pack.FindFiles("data", "*", found);
    EXPECT_TRUE(found.empty());
}

TEST_F(PackFileTest, RecordsPastTheEndFailBeforeAnythingIsAllocated)
{
    PackWriter writer;
    writer.Add("data\\a.bin", "0123456789");
    writer.Add("data\\b.bin", "abc");
    const std::uint32_t size = static_cast<std::uint32_t>(writer.Build().size());
    PackDamage damage;
    damage.recordSizes[0] = 0xFFFFFFF0u;
    damage.recordOffsets[1] = 0xFFFFFFF0u;
    const std::string path = Write(writer.Build(damage));
    PackFile pack(&log, path);
    std::uint32_t entrySize = 0;
    char buffer[16] = {};
    for (const auto& [name, text] : {std::pair{"data\\a.bin", "4294967280"}, std::pair{"data\\b.bin", "3"}})
    {
        const std::string error = std::string("Failed to read ") + text + " bytes from \"" + path + "\" file";
        try
        {
            pack.GetFileSize(name, entrySize);
            ADD_FAILURE() << name;
        }
        catch (const FileError& thrown)
        {
            EXPECT_EQ(thrown.GetText(), error);
        }
        try
        {
            pack.ReadFile(name, buffer);
            ADD_FAILURE() << name;
        }
        catch (const FileError& thrown)
        {
            EXPECT_EQ(thrown.GetText(), error);
        }
    }

    // Up to the last byte, and a size-0 entry right at the end, are fine.
    PackDamage edge;
    edge.recordOffsets[0] = size - 3;
    edge.recordSizes[0] = 3;
    edge.recordOffsets[1] = size;
    edge.recordSizes[1] = 0;
    PackFile edges(&log, Write(writer.Build(edge), "edge.pak"));
    ASSERT_TRUE(edges.ReadFile("data\\a.bin", buffer));
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_TRUE(edges.GetFileSize("data\\b.bin", entrySize));
    EXPECT_EQ(entrySize, 0u);
    EXPECT_TRUE(edges.ReadFile("data\\b.bin", buffer));
}

TEST_F(PackFileTest, FindFilesSelectsByContainment)
{
    PackWriter writer;
    for (const char* name : {"data\\profiles\\a.prf", "data\\profiles\\old\\b.prf", "data\\profiles\\c.prf.old",
                             "data\\profiles.prf", "data\\profiles\\d.txt", "other\\e.prf"})
        writer.Add(name, "x");
    PackFile pack(&log, Write(writer.Build()));
    const std::vector<std::string> expected = {"data\\profiles\\a.prf", "data\\profiles\\c.prf.old",
                                               "data\\profiles\\old\\b.prf"};
    for (const char* folderName : {"data\\profiles", "DATA\\Profiles\\"})
    {
        std::vector<std::string> found{"kept"};
        pack.FindFiles(folderName, "*.PRF", found);
        found.erase(found.begin());
        EXPECT_EQ(found, expected) << folderName;
    }
    std::vector<std::string> all;
    pack.FindFiles("data", "*", all);
    EXPECT_EQ(all.size(), 5u);
}

TEST_F(PackFileTest, LargePacksReadThroughTheirStreamAlike)
{
    std::string big(9 * 1024 * 1024, '\0');
    for (std::size_t index = 0; index < big.size(); ++index)
        big[index] = static_cast<char>(index * 7 + index / 251);
    PackWriter writer;
    writer.Add("data\\first.bin", "first");
    writer.Add("data\\music.ogg", big);
    writer.Add("data\\last.bin", "last");
    PackFile pack(&log, Write(writer.Build()));
    std::string bytes(big.size(), '\0');
    ASSERT_TRUE(pack.ReadFile("data\\music.ogg", bytes.data()));
    EXPECT_TRUE(bytes == big);
    char last[4] = {};
    ASSERT_TRUE(pack.ReadFile("data\\last.bin", last));
    EXPECT_EQ(std::string(last, 4), "last");

    // Reads from two threads each get their own entry's bytes.
    std::vector<std::thread> threads;
    std::vector<int> right(4, 0);
    for (std::size_t thread = 0; thread < right.size(); ++thread)
    {
        threads.emplace_back([&, thread] {
            bool all = true;
            for (int round = 0; round < 200; ++round)
            {
                char buffer[5] = {};
                const bool first = (round + thread) % 2 == 0;
                pack.ReadFile(first ? "data\\first.bin" : "data\\last.bin", buffer);
                all = all && std::string(buffer, first ? 5 : 4) == (first ? "first" : "last");
            }
            right[thread] = all ? 1 : 0;
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(right, std::vector<int>(4, 1));
}

} // namespace
} // namespace OrvaneEngine
