#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileErrorText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::FileErrorText;
using corvellan::test::WriteFileBytes;
using win32::testing::FileCall;


class FileBinaryTest : public ::testing::Test
{
protected:
    void TearDown() override { win32::testing::ResetFileHooks(); }

    // A file of the given bytes, opened for reading.
    std::unique_ptr<FileBinary> Open(const std::string& bytes, const std::string& name = "in.bin")
    {
        EXPECT_TRUE(WriteFileBytes(folder.Join(name), bytes));
        return std::make_unique<FileBinary>(folder.Join(name), false);
    }

    TempFolder folder;
};

TEST_F(FileBinaryTest, SmallFilesLiveInMemoryLargeOnesKeepTheirStream)
{
    const struct
    {
        std::uint32_t size;
        bool forceMemory;
        bool inMemory;
    } cases[] = {
        {FileBinary::MemoryThreshold, false, true},
        {FileBinary::MemoryThreshold + 1, false, false},
        {FileBinary::MemoryThreshold + 1, true, true},
    };
    for (const auto& c : cases)
    {
        const std::string path = folder.Join("sized.bin");
        ASSERT_TRUE(WriteFileBytes(path, std::string(c.size, 'a')));
        FileBinary file(path, false, c.forceMemory);
        EXPECT_EQ(file.IsInMemory(), c.inMemory) << c.size;
        EXPECT_EQ(file.GetSize(), c.size);
        // Overwritten on disk after the open: only the stream sees the change.
        ASSERT_TRUE(WriteFileBytes(path, std::string(c.size, 'b')));
        ASSERT_TRUE(file.Seek(0, static_cast<std::int32_t>(c.size - 2)));
        char bytes[2] = {};
        file.Read(bytes, 2);
        EXPECT_EQ(std::string(bytes, 2), c.inMemory ? "aa" : "bb") << c.size;
        EXPECT_EQ(file.GetPosition(), c.size);
    }
}

TEST_F(FileBinaryTest, ReadsPastTheEndCopyWhatThereIsAndThrowWithoutAnOutCount)
{
    auto file = Open("0123456789ABCDEF");
    const std::string name = folder.Join("in.bin");
    char buffer[16] = {};
    std::uint32_t copied = 99;

    ASSERT_TRUE(file->Seek(0, 12));
    file->Read(buffer, 10, &copied);
    EXPECT_EQ(copied, 4u);
    EXPECT_EQ(std::string(buffer, 4), "CDEF");
    EXPECT_EQ(file->GetPosition(), 16u);

    ASSERT_TRUE(file->Seek(0, 12));
    EXPECT_EQ(FileErrorText([&] { file->Read(buffer, 10); }), "Failed to read 10 bytes from \"" + name + "\" file");
    EXPECT_EQ(file->GetPosition(), 16u);

    // A count from a corrupt header must not wrap the end test round.
    ASSERT_TRUE(file->Seek(0, 8));
    EXPECT_EQ(FileErrorText([&] { file->Read(buffer, 0xFFFFFFFFu); }),
              "Failed to read 4294967295 bytes from \"" + name + "\" file");
    EXPECT_EQ(std::string(buffer, 8), "89ABCDEF");

    file->Read(buffer, 0, &copied);
    EXPECT_EQ(copied, 0u);
    file->Read(buffer, 0);
}

TEST_F(FileBinaryTest, SeekClampsToTheLastByte)
{
    auto file = Open(std::string(100, 'x'));
    const struct
    {
        std::uint32_t origin;
        std::int32_t offset;
        std::uint32_t position;
        bool inside;
    } cases[] = {
        {1, 1, 99, true},   {1, 0, 99, false},  {1, 200, 0, false}, {0, 150, 99, false},
        {0, 99, 99, true},  {0, -1, 99, false}, {2, -10, 89, true}, {2, 20, 99, false},
        {7, 5, 99, true},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(file->Seek(c.origin, c.offset), c.inside) << c.origin << " " << c.offset;
        EXPECT_EQ(file->GetPosition(), c.position) << c.origin << " " << c.offset;
    }

    auto empty = Open("", "empty.bin");
    EXPECT_TRUE(empty->Seek(0, 150));
    EXPECT_EQ(empty->GetPosition(), 150u);
    std::uint32_t copied = 9;
    char byte = 0;
    empty->Read(&byte, 1, &copied);
    EXPECT_EQ(copied, 0u);
    EXPECT_THROW(empty->Read(&byte, 1), FileError);
}

TEST_F(FileBinaryTest, StringsInBothEncodings)
{
    const struct
    {
        std::string bytes;
        std::string text;
    } narrow[] = {
        {std::string("\x04" "ab\0z", 5), "ab"},
        {"\x02" "ab", "ab"},
        {std::string("\0", 1), ""},
    };
    for (const auto& c : narrow)
    {
        std::string text = "untouched";
        Open(c.bytes)->ReadString(text);
        EXPECT_EQ(text, c.text);
    }
    std::string cut;
    EXPECT_THROW(Open("\x05" "ab")->ReadString(cut), FileError);

    const std::string path = folder.Join("wide.bin");
    {
        FileBinary file(path, true);
        file.WriteWideString(u"ab");
        file.WriteWideString(u"");
    }
    EXPECT_EQ(ReadFileText(path), std::string("\x03" "a\0b\0\0\0" "\x01\0\0", 10));
    FileBinary file(path, false);
    std::u16string text;
    file.ReadWideString(text);
    EXPECT_EQ(text, u"ab");
    file.ReadWideString(text);
    EXPECT_EQ(text, u"");
    std::u16string none = u"x";
    Open(std::string("\0", 1), "zero.bin")->ReadWideString(none);
    EXPECT_EQ(none, u"");
}

TEST_F(FileBinaryTest, LongWideTextsAreCutSoTheNextFieldStillReads)
{
    const std::string path = folder.Join("long.bin");
    std::u16string pair(252, u'a');
    pair += u"\xD83D\xDE00"; // one character in units 253 and 254
    pair += u"tail";
    const struct
    {
        std::u16string text;
        std::u16string stored;
    } cases[] = {
        {std::u16string(300, u'w'), std::u16string(254, u'w')},
        {std::u16string(254, u'v'), std::u16string(254, u'v')},
        {std::u16string(253, u'b') + u"\xD83D\xDE00", std::u16string(253, u'b')},
        {pair, pair.substr(0, 254)},
    };
    for (const auto& c : cases)
    {
        {
            FileBinary file(path, true);
            file.WriteWideString(c.text);
            file.WriteByte(0x5A);
        }
        const auto bytes = ReadFileText(path).value_or("");
        ASSERT_EQ(bytes.size(), 1 + 2 * (c.stored.size() + 1) + 1);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), c.stored.size() + 1);
        FileBinary file(path, false);
        std::u16string text;
        file.ReadWideString(text);
        EXPECT_EQ(text, c.stored);
        std::uint8_t next = 0;
        file.Read(&next, 1);
        EXPECT_EQ(next, 0x5A);
    }
}

TEST_F(FileBinaryTest, IntegersAreLittleEndian)
{
    auto file = Open("\x01\x02\x03\x04\xFF\xFF\xFF\xFF");
    std::uint32_t value = 0;
    file->ReadUInt32(value);
    EXPECT_EQ(value, 0x04030201u);
    std::int32_t negative = 0;
    file->ReadInt32(negative);
    EXPECT_EQ(negative, -1);
}

TEST_F(FileBinaryTest, OpenFailures)
{
    std::filesystem::create_directories(folder.Join("folder"));
    const std::string big = folder.Join("huge.bin");
    ASSERT_TRUE(WriteFileBytes(big, ""));
    std::filesystem::resize_file(big, 0x100000000ull); // sparse
    for (const std::string& name : {folder.Join("missing.bin"), folder.Join("folder"), std::string("/dev/zero"), big})
        EXPECT_EQ(FileErrorText([&] { FileBinary file(name, false); }), "Failed to open \"" + name + "\" file");

    // A file that comes up short while it is read into memory.
    ASSERT_TRUE(WriteFileBytes(folder.Join("short.bin"), std::string(100, 's')));
    win32::testing::ShortenFileCall(FileCall::Read, 1, 60, "short.bin");
    EXPECT_EQ(FileErrorText([&] { FileBinary file(folder.Join("short.bin"), false); }),
              "Failed to read 100 bytes from \"" + folder.Join("short.bin") + "\" file");

    const std::string blocked = folder.Join("folder") + "\\sub\\x.bin";
    EXPECT_EQ(FileErrorText([&] { FileBinary file(blocked, true); }), "Failed to open \"" + blocked + "\" file");
}

TEST_F(FileBinaryTest, StreamReadsAdvanceByWhatWasRead)
{
    auto file = Open(std::string(FileBinary::MemoryThreshold + 10, 'q'), "large.bin");
    ASSERT_FALSE(file->IsInMemory());
    std::vector<char> buffer(100);
    win32::testing::ShortenFileCall(FileCall::Read, 1, 30, "large.bin");
    std::uint32_t copied = 0;
    file->Read(buffer.data(), 100, &copied);
    EXPECT_EQ(copied, 30u);
    EXPECT_EQ(file->GetPosition(), 30u);
    win32::testing::ShortenFileCall(FileCall::Read, 1, 30, "large.bin");
    EXPECT_THROW(file->Read(buffer.data(), 100), FileError);
    EXPECT_EQ(file->GetPosition(), 60u);
}

TEST_F(FileBinaryTest, WritingAFileOpenedForReading)
{
    auto file = Open("data");
    const std::string name = folder.Join("in.bin");
    std::uint32_t written = 7;
    file->Write("abcd", 4, &written);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(FileErrorText([&] { file->Write("abcd", 4); }), "Failed to write 4 bytes from \"" + name + "\" file");
    EXPECT_EQ(ReadFileText(name), "data");
}

TEST_F(FileBinaryTest, WrittenFilesTrackSizeAndPosition)
{
    const std::string path = folder.Join("out.bin");
    {
        FileBinary file(path, true);
        file.Write("0000body", 8);
        EXPECT_EQ(file.GetSize(), 8u);
        EXPECT_EQ(file.GetPosition(), 8u);
        // Headers are rewritten once the body is known.
        ASSERT_TRUE(file.Seek(0, 0));
        file.Write("head", 4);
        EXPECT_EQ(file.GetSize(), 8u);
        EXPECT_EQ(file.GetPosition(), 4u);
        file.Close();
        file.Close();
    }
    EXPECT_EQ(ReadFileText(path), "headbody");
}

class FileBinarySaveTest : public FileBinaryTest
{
protected:
    void SetUp() override { ASSERT_TRUE(WriteFileBytes(target, "old contents")); }

    void ExpectOldTargetOnly(const std::string& context)
    {
        EXPECT_EQ(ReadFileText(target), "old contents") << context;
        EXPECT_FALSE(ReadFileText(target + ".tmp").has_value()) << context;
    }

    std::string target = folder.Join("save.dat");
};

TEST_F(FileBinarySaveTest, AFailureAtAnyStepThrowsAndKeepsTheOldFile)
{
    for (const FileCall call : {FileCall::Flush, FileCall::Sync, FileCall::Close, FileCall::Rename})
    {
        win32::testing::FailFileCall(call, 1, "save.dat");
        {
            FileBinary file(target, true);
            file.Write("new contents!", 13);
            EXPECT_EQ(FileErrorText([&] { file.Close(); }), "Failed to write 13 bytes from \"" + target + "\" file");
        }
        ExpectOldTargetOnly(std::to_string(static_cast<int>(call)));
        win32::testing::ResetFileHooks();
    }

    // A write the disk refuses throws at once; the file is then never committed.
    win32::testing::ShortenFileCall(FileCall::Write, 2, 2, "save.dat");
    {
        FileBinary file(target, true);
        file.Write("new ", 4);
        EXPECT_EQ(FileErrorText([&] { file.Write("contents", 8); }), "Failed to write 8 bytes from \"" + target + "\" file");
        EXPECT_EQ(FileErrorText([&] { file.Close(); }), "Failed to write 6 bytes from \"" + target + "\" file");
    }
    ExpectOldTargetOnly("short write");

    win32::testing::ShortenFileCall(FileCall::Write, 1, 0, "save.dat");
    {
        FileBinary file(target, true);
        std::uint32_t written = 9;
        file.Write("new", 3, &written);
        EXPECT_EQ(written, 0u);
    }
    ExpectOldTargetOnly("refused write, destroyed");
}

TEST_F(FileBinarySaveTest, DestructionCommitsUnlessAnExceptionIsUnderWay)
{
    try
    {
        FileBinary file(target, true);
        file.Write("half", 4);
        throw std::runtime_error("between two writes");
    }
    catch (const std::runtime_error&)
    {
    }
    ExpectOldTargetOnly("exception");

    // A destructor never throws, even when its commit fails.
    win32::testing::FailFileCall(FileCall::Rename, 1, "save.dat");
    {
        FileBinary file(target, true);
        file.Write("new", 3);
    }
    ExpectOldTargetOnly("failed commit in the destructor");

    {
        FileBinary file(target, true);
        file.Write("new contents", 12);
        EXPECT_EQ(ReadFileText(target), "old contents");
    }
    EXPECT_EQ(ReadFileText(target), "new contents");
    EXPECT_FALSE(ReadFileText(target + ".tmp").has_value());
}

TEST_F(FileBinaryTest, MemoryFilesCopyTheirBytes)
{
    std::string bytes = "abc";
    FileBinary file("data\\from\\pack.bin", false, false, true, 3, bytes.data());
    bytes = "xyz";
    char read[3] = {};
    file.Read(read, 3);
    EXPECT_EQ(std::string(read, 3), "abc");
    EXPECT_EQ(file.GetName(), "data\\from\\pack.bin");
    file.Close();
    EXPECT_THROW(file.Read(read, 1), FileError);
}

} // namespace
} // namespace OrvaneEngine
