#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

std::unique_ptr<FileTextual> Reader(const std::string& bytes)
{
    auto file = std::make_unique<FileBinary>("text", false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                             bytes.data());
    return std::make_unique<FileTextual>(std::move(file), false, FileTextual::EncodingAnsi);
}

// Every ReadString result until the reader says it is done.
std::vector<std::string> ReadAll(FileTextual& text, bool stripComments, bool word)
{
    std::vector<std::string> out;
    std::string piece = "untouched";
    while (text.ReadString(piece, stripComments, word))
    {
        out.push_back(piece);
        if (out.size() > 10000)
            break;
    }
    EXPECT_EQ(piece, out.empty() ? "untouched" : out.back()) << "a failed read must leave out alone";
    return out;
}

std::vector<std::string> Words(FileTextual& text)
{
    std::vector<std::string> out;
    std::string word;
    while (text.GetString(word, false) && out.size() < 10000)
        out.push_back(word);
    return out;
}

using Strings = std::vector<std::string>;

TEST(FileTextualTest, ByteOrderMarkSelectsTheEncoding)
{
    const struct
    {
        std::string bytes;
        std::uint32_t encoding;
        std::string firstWord;
    } cases[] = {
        {std::string("\xFF\xFE" "a\0b\0 \0", 8), FileTextual::EncodingUtf16LittleEndian, "ab"},
        {std::string("\xFE\xFF\0a\0b\0 ", 8), FileTextual::EncodingUtf16BigEndian, "ab"},
        {"\xEF\xBB\xBF" "ab ", FileTextual::EncodingUtf8, "ab"},
        // Not quite a mark: the bytes read for the test are text again.
        {"\xEF\xBB" "A b", FileTextual::EncodingAnsi, "\xEF\xBB" "A"},
        {"\xEF\xBB", FileTextual::EncodingAnsi, "\xEF\xBB"},
        {"\xFF", FileTextual::EncodingAnsi, "\xFF"},
        {"x", FileTextual::EncodingAnsi, "x"},
        {"\xFE", FileTextual::EncodingAnsi, "\xFE"},
    };
    for (const auto& c : cases)
    {
        auto text = Reader(c.bytes);
        EXPECT_EQ(text->GetEncoding(), c.encoding) << c.firstWord;
        std::string word;
        ASSERT_TRUE(text->ReadString(word, false, true)) << c.firstWord;
        EXPECT_EQ(word, c.firstWord);
    }
}

TEST(FileTextualTest, WordsAndComments)
{
    const struct
    {
        std::string bytes;
        Strings readStringWords; // ReadString in word mode, comments stripped
        Strings getStringWords;
    } cases[] = {
        {"count 5 // five", {"count", "5", ""}, {"count", "5"}},
        {"5//x y", {"5", "y"}, {"5", "y"}},
        {"a  b\r\nc", {"a", "", "b", "", "c"}, {"a", "b", "c"}},
        {"// all of it\nnext", {"", "next"}, {"next"}},
        {"a\t\tb", {"a", "", "b"}, {"a", "b"}},
        {"", {""}, {}},
        {"x\r\n", {"x", "", ""}, {"x"}},
    };
    for (const auto& c : cases)
    {
        auto text = Reader(c.bytes);
        EXPECT_EQ(ReadAll(*text, true, true), c.readStringWords) << c.bytes;
        text->Rewind();
        EXPECT_EQ(Words(*text), c.getStringWords) << c.bytes;
    }
}

TEST(FileTextualTest, CommentsStayWhenNotStripped)
{
    auto text = Reader("a //b c\nd");
    EXPECT_EQ(ReadAll(*text, false, true), (Strings{"a", "//b", "c", "d"}));
    text->Rewind();
    EXPECT_EQ(ReadAll(*text, false, false), (Strings{"a //b c", "d"}));
    text->Rewind();
    EXPECT_EQ(ReadAll(*text, true, false), (Strings{"a ", "d"}));
}

TEST(FileTextualTest, LineEnds)
{
    const struct
    {
        std::string bytes;
        Strings lines;
    } cases[] = {
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n", {"a", ""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a", {"a"}},
        {"", {""}},
        {"\n", {"", ""}},
    };
    for (const auto& c : cases)
    {
        auto text = Reader(c.bytes);
        EXPECT_EQ(ReadAll(*text, false, false), c.lines) << c.bytes;
    }
}

TEST(FileTextualTest, LineAfterWordKeepsTheSeparator)
{
    auto text = Reader("key\tvalue text\nnext line");
    std::string out;
    ASSERT_TRUE(text->ReadString(out, false, true));
    EXPECT_EQ(out, "key");
    ASSERT_TRUE(text->ReadString(out, false, false));
    EXPECT_EQ(out, "\tvalue text");
    ASSERT_TRUE(text->ReadString(out, false, false));
    EXPECT_EQ(out, "next line");
}

TEST(FileTextualTest, Utf8Decoding)
{
    // 2- and 3-byte characters, a 4-byte one (four replacement characters),
    // a stray continuation byte, then a 2-byte lead whose follower is not a
    // continuation byte: only its low six bits count.
    const std::string bytes = "\xEF\xBB\xBF"
                              "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80\xC3\x41 z";
    auto text = Reader(bytes);
    std::u16string wide;
    ASSERT_TRUE(text->ReadWideString(wide, false, true));
    EXPECT_EQ(wide, u"\u00E9\u20AC\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u00C1");

    text = Reader(bytes);
    std::string narrow;
    ASSERT_TRUE(text->ReadString(narrow, false, true));
    // In code page 1252: e-acute, the euro sign, "?" for every character
    // without a byte, A-acute.
    EXPECT_EQ(narrow, "\xE9\x80?????\xC1");
    ASSERT_TRUE(text->ReadString(narrow, false, true));
    EXPECT_EQ(narrow, "z");
}

TEST(FileTextualTest, Utf16BothByteOrders)
{
    auto little = Reader(std::string("\xFF\xFE\x10\x04\x20\x00\x3D\xD8\x00\xDE\r\0\n\0x\0", 16));
    auto big = Reader(std::string("\xFE\xFF\x04\x10\x00\x20\xD8\x3D\xDE\x00\0\r\0\n\0x", 16));
    for (auto* text : {little.get(), big.get()})
    {
        std::u16string wide;
        ASSERT_TRUE(text->ReadWideString(wide, false, true));
        EXPECT_EQ(wide, u"\u0410");
        // Surrogates stay two units.
        ASSERT_TRUE(text->ReadWideString(wide, false, true));
        EXPECT_EQ(wide, u"\U0001F600");
        text->Rewind();
        // A unit with no byte in the code page reads narrow as "?"; after the
        // rewind that includes the mark.
        std::string narrow;
        ASSERT_TRUE(text->ReadString(narrow, false, false));
        EXPECT_EQ(narrow, "?? ??");
        EXPECT_EQ(text->GetLength(), 8u);
    }
    // The odd last byte of a little-endian file is no character.
    little = Reader(std::string("\xFF\xFE" "a\0b", 5));
    std::u16string wide;
    ASSERT_TRUE(little->ReadWideString(wide, false, false));
    EXPECT_EQ(wide, u"a");
}

TEST(FileTextualTest, RewindReadsTheMarkAgainAsText)
{
    auto text = Reader(std::string("\xFF\xFE" "a\0", 4));
    std::u16string wide;
    ASSERT_TRUE(text->ReadWideString(wide, false, true));
    EXPECT_EQ(wide, u"a");
    text->Rewind();
    ASSERT_TRUE(text->ReadWideString(wide, false, true));
    EXPECT_EQ(wide, u"\uFEFFa");
}

TEST(FileTextualTest, AnsiReadWideGoesThroughTheCodePage)
{
    auto text = Reader("\x80\xE9 b");
    std::u16string wide;
    ASSERT_TRUE(text->ReadWideString(wide, false, true));
    EXPECT_EQ(wide, u"\u20AC\u00E9");
}

TEST(FileTextualTest, TypedGetters)
{
    auto text = Reader("-1 yes 12abc 2.5 x // 7\nBig_Red_Ball");
    EXPECT_TRUE(text->GetBool());
    EXPECT_FALSE(text->GetBool());
    EXPECT_EQ(text->GetInt(), 12);
    EXPECT_FLOAT_EQ(text->GetFloat(), 2.5f);
    EXPECT_EQ(text->GetInt(), 0);
    std::string word;
    ASSERT_TRUE(text->GetString(word, true));
    EXPECT_EQ(word, "Big Red Ball");
    EXPECT_FALSE(text->GetString(word, true));
    EXPECT_TRUE(word.empty());
    EXPECT_EQ(text->GetInt(), 0);
    EXPECT_EQ(text->GetFloat(), 0.0f);
    EXPECT_FALSE(text->GetBool());
}

TEST(FileTextualTest, ReadAllTextJoinsLines)
{
    std::u16string all;
    auto text = Reader("a\r\nb//c\nd");
    text->ReadAllText(all, true);
    EXPECT_EQ(all, u"a\r\nb\r\nd");
    text = Reader("a\nb\r\n");
    text->ReadAllText(all, false);
    EXPECT_EQ(all, u"a\r\nb\r\n");
    // The rest of the file only.
    text = Reader("first\nsecond");
    std::string line;
    ASSERT_TRUE(text->ReadString(line, false, false));
    text->ReadAllText(all, false);
    EXPECT_EQ(all, u"second");
}

TEST(FileTextualTest, BufferBoundaries)
{
    // A word across offset 1024.
    auto text = Reader(std::string(1020, ' ') + "abcdefghij end");
    EXPECT_EQ(Words(*text), (Strings{"abcdefghij", "end"}));

    // A three-byte character whose bytes straddle offset 1024.
    std::string utf8 = "\xEF\xBB\xBF" + std::string(1020, ' ') + "\xE2\x82\xAC!";
    ASSERT_EQ(utf8.substr(1023, 1), "\xE2");
    text = Reader(utf8);
    std::u16string wide;
    std::string word;
    ASSERT_TRUE(text->GetString(word, false));
    EXPECT_EQ(word, "\x80!");

    // UTF-16 units on both sides of the boundary, and text far past it.
    std::string utf16 = "\xFF\xFE";
    for (int i = 0; i < 1500; ++i)
        utf16 += std::string(1, static_cast<char>('a' + i % 26)) + '\0';
    text = Reader(utf16);
    ASSERT_TRUE(text->ReadWideString(wide, false, false));
    ASSERT_EQ(wide.size(), 1500u);
    EXPECT_EQ(wide[510], u'a' + 510 % 26);
    EXPECT_EQ(wide[511], u'a' + 511 % 26);
    EXPECT_EQ(wide[1499], u'a' + 1499 % 26);
    EXPECT_EQ(text->GetLength(), 1501u);
}

// The reader takes whole runs of a word out of its buffer at once; words,
// comments and characters that cross the buffer's end must come out as they
// do anywhere else, in every encoding. The text is ASCII apart from e acute
// and the euro sign, which take two and three bytes in UTF-8.
TEST(FileTextualTest, WordsAcrossTheBufferInEveryEncoding)
{
    // Words of growing length, so that some word crosses every offset
    // around each multiple of 1024 bytes, whatever the encoding's width.
    std::u16string text;
    std::vector<std::string> words;
    std::vector<std::string> lines{""};
    for (int index = 0; text.size() < 2600; ++index)
    {
        std::u16string word;
        std::string narrow;
        for (int letter = 0; letter < 1 + index % 11; ++letter)
        {
            const char16_t unit = letter % 5 == 3 ? u'\u00E9' : (letter % 7 == 4 ? u'\u20AC' : u'a' + letter);
            word += unit;
            narrow += unit == u'\u00E9' ? '\xE9' : (unit == u'\u20AC' ? '\x80' : static_cast<char>(unit));
        }
        if (index % 9 == 8)
        {
            // A comment runs to the end of the line and is never a word.
            text += u"//" + word + u" x\r\n";
            lines.push_back("");
            continue;
        }
        words.push_back(narrow);
        text += word;
        lines.back() += narrow;
        if (index % 6 == 5)
        {
            text += u"\r\n";
            lines.push_back("");
        }
        else
        {
            text += index % 2 ? u"\t" : u" ";
            lines.back() += index % 2 ? "\t" : " ";
        }
    }

    const auto encode = [&text](std::uint32_t encoding) {
        std::string bytes;
        if (encoding == FileTextual::EncodingUtf16LittleEndian)
            bytes = "\xFF\xFE";
        else if (encoding == FileTextual::EncodingUtf16BigEndian)
            bytes = "\xFE\xFF";
        else if (encoding == FileTextual::EncodingUtf8)
            bytes = "\xEF\xBB\xBF";
        for (const char16_t unit : text)
        {
            const auto low = static_cast<char>(unit & 0xFF);
            const auto high = static_cast<char>(unit >> 8);
            if (encoding == FileTextual::EncodingUtf16LittleEndian)
                bytes += std::string{low, high};
            else if (encoding == FileTextual::EncodingUtf16BigEndian)
                bytes += std::string{high, low};
            else if (encoding == FileTextual::EncodingAnsi)
                bytes += unit == u'\u00E9' ? '\xE9' : (unit == u'\u20AC' ? '\x80' : static_cast<char>(unit));
            else if (unit < 0x80)
                bytes += static_cast<char>(unit);
            else if (unit < 0x800)
                bytes += std::string{static_cast<char>(0xC0 | (unit >> 6)), static_cast<char>(0x80 | (unit & 0x3F))};
            else
                bytes += std::string{static_cast<char>(0xE0 | (unit >> 12)),
                                     static_cast<char>(0x80 | ((unit >> 6) & 0x3F)),
                                     static_cast<char>(0x80 | (unit & 0x3F))};
        }
        return bytes;
    };

    // Shifting the text by up to 3 bytes moves every word across the
    // boundaries in each position a character can take.
    for (const std::uint32_t encoding :
         {FileTextual::EncodingAnsi, FileTextual::EncodingUtf16BigEndian, FileTextual::EncodingUtf16LittleEndian,
          FileTextual::EncodingUtf8})
    {
        const std::string body = encode(encoding);
        const std::size_t markSize = encoding == FileTextual::EncodingAnsi ? 0 : (encoding == 3 ? 3 : 2);
        const std::size_t unitSize = encoding == 1 || encoding == 2 ? 2 : 1;
        for (std::size_t shift = 0; shift < 4; ++shift)
        {
            std::string bytes = body.substr(0, markSize);
            for (std::size_t blank = 0; blank < shift; ++blank)
                bytes += unitSize == 2 ? (encoding == 1 ? std::string("\0 ", 2) : std::string(" \0", 2)) : " ";
            bytes += body.substr(markSize);
            const std::string where = "encoding " + std::to_string(encoding) + " shift " + std::to_string(shift);

            auto reader = Reader(bytes);
            ASSERT_EQ(reader->GetEncoding(), encoding) << where;
            EXPECT_EQ(Words(*reader), words) << where;

            reader = Reader(bytes);
            std::vector<std::string> expectedLines = lines;
            expectedLines.front() = std::string(shift, ' ') + expectedLines.front();
            for (std::string& line : expectedLines)
            {
                if (const auto comment = line.find("//"); comment != std::string::npos)
                    line.resize(comment);
            }
            EXPECT_EQ(ReadAll(*reader, true, false), expectedLines) << where;
        }
    }
}

// The reader looks at eight bytes at a time and takes those before the
// first that could end a word. A control character is such a byte but not
// white space; no-break space is wide white space but not narrow; e acute is
// neither, nor the double dagger, whose UTF-16 bytes are "!" and a blank.
// Each sits at every place in a word, so at every place in a chunk.
TEST(FileTextualTest, UnusualCharactersAtEveryPlaceInAWord)
{
    for (const std::uint32_t encoding :
         {FileTextual::EncodingAnsi, FileTextual::EncodingUtf16BigEndian, FileTextual::EncodingUtf16LittleEndian,
          FileTextual::EncodingUtf8})
    {
        const bool wide = encoding != FileTextual::EncodingAnsi;
        std::u16string text;
        Strings words{""};
        const auto narrow = [](char16_t unit) { return unit == u'\u2021' ? '\x87' : static_cast<char>(unit); };
        for (const char16_t unusual : {u'\u0001', u'\u001B', u'\u00A0', u'\u00E9', u'\u2021'})
        {
            for (std::size_t place = 0; place <= 12; ++place)
            {
                std::u16string word = u"abcdefghijkl";
                word.insert(place, 1, unusual);
                for (const char16_t unit : word)
                {
                    if (wide && unit == u'\u00A0')
                        words.emplace_back();
                    else
                        words.back() += narrow(unit);
                }
                words.emplace_back();
                text += word + (place % 2 ? u"\r\n" : u" ");
            }
        }
        std::erase(words, "");

        std::string bytes = encoding == FileTextual::EncodingUtf16BigEndian      ? "\xFE\xFF"
                            : encoding == FileTextual::EncodingUtf16LittleEndian ? "\xFF\xFE"
                            : encoding == FileTextual::EncodingUtf8              ? "\xEF\xBB\xBF"
                                                                                 : "";
        for (const char16_t unit : text)
        {
            const auto low = static_cast<char>(unit & 0xFF);
            const auto high = static_cast<char>(unit >> 8);
            if (encoding == FileTextual::EncodingUtf16BigEndian)
                bytes += std::string{high, low};
            else if (encoding == FileTextual::EncodingUtf16LittleEndian)
                bytes += std::string{low, high};
            else if (encoding == FileTextual::EncodingUtf8 && unit >= 0x800)
                bytes += std::string{static_cast<char>(0xE0 | (unit >> 12)),
                                     static_cast<char>(0x80 | ((unit >> 6) & 0x3F)),
                                     static_cast<char>(0x80 | (unit & 0x3F))};
            else if (encoding == FileTextual::EncodingUtf8 && unit >= 0x80)
                bytes += std::string{static_cast<char>(0xC0 | (unit >> 6)), static_cast<char>(0x80 | (unit & 0x3F))};
            else
                bytes += narrow(unit);
        }
        auto reader = Reader(bytes);
        ASSERT_EQ(reader->GetEncoding(), encoding);
        EXPECT_EQ(Words(*reader), words) << "encoding " << encoding;
    }
}

TEST(FileTextualTest, EndsOnceEvenWhenReadOn)
{
    auto text = Reader("a");
    std::string out;
    EXPECT_TRUE(text->ReadString(out, false, true));
    EXPECT_TRUE(text->IsEndReached());
    for (int i = 0; i < 3000; ++i)
        ASSERT_FALSE(text->ReadString(out, false, true));
    EXPECT_EQ(out, "a");
}

class FileTextualWriteTest : public ::testing::Test
{
protected:
    void TearDown() override { win32::testing::ResetFileHooks(); }

    std::unique_ptr<FileTextual> Writer(std::uint32_t encoding)
    {
        return std::make_unique<FileTextual>(std::make_unique<FileBinary>(path, true), true, encoding);
    }
    std::string Contents() const { return corvellan::test::ReadFileText(path).value_or("<missing>"); }

    corvellan::test::TempFolder folder;
    std::string path = folder.Join("out.txt");
};

TEST_F(FileTextualWriteTest, EncodingsAreByteExact)
{
    const struct
    {
        std::uint32_t encoding;
        std::string bytes;
    } cases[] = {
        {FileTextual::EncodingAnsi, "a\x80\xE9\r\n"},
        {FileTextual::EncodingUtf16BigEndian, std::string("\xFE\xFF\0a\x20\xAC\0\xE9\0\r\0\n", 12)},
        {FileTextual::EncodingUtf16LittleEndian, std::string("\xFF\xFE" "a\0\xAC\x20\xE9\0\r\0\n\0", 12)},
        {FileTextual::EncodingUtf8, "\xEF\xBB\xBF" "a\xE2\x82\xAC\xC3\xA9\r\n"},
    };
    for (const auto& c : cases)
    {
        {
            auto text = Writer(c.encoding);
            text->WriteString(std::string("a\x80\xE9\0ignored", 11));
            text->WriteNewLine();
            text->Close();
        }
        EXPECT_EQ(Contents(), c.bytes) << c.encoding;
        // And back.
        auto reader = Reader(c.bytes);
        EXPECT_EQ(reader->GetEncoding(), c.encoding);
        std::string line;
        ASSERT_TRUE(reader->ReadString(line, false, false));
        EXPECT_EQ(line, "a\x80\xE9");
    }
}

TEST_F(FileTextualWriteTest, LongTextPassesTheBufferWhole)
{
    std::string expected;
    {
        auto text = Writer(FileTextual::EncodingAnsi);
        for (int i = 0; i < 700; ++i)
        {
            const std::string line = "line " + std::to_string(i);
            text->WriteString(line);
            text->WriteNewLine();
            expected += line + "\r\n";
        }
    }
    ASSERT_GT(expected.size(), 3000u);
    EXPECT_EQ(Contents(), expected);
}

TEST_F(FileTextualWriteTest, CloseCommitsBeforeDestruction)
{
    auto text = Writer(FileTextual::EncodingAnsi);
    text->WriteString("abc");
    EXPECT_FALSE(corvellan::test::ReadFileText(path).has_value());
    text->Close();
    EXPECT_EQ(Contents(), "abc");
    text.reset();
    EXPECT_EQ(Contents(), "abc");
}

TEST_F(FileTextualWriteTest, FailedCloseKeepsTheOldFile)
{
    ASSERT_TRUE(corvellan::test::WriteFileBytes(path, "old"));
    const win32::testing::FileCall calls[] = {win32::testing::FileCall::Write, win32::testing::FileCall::Flush,
                                              win32::testing::FileCall::Sync, win32::testing::FileCall::Close, win32::testing::FileCall::Rename};
    for (const auto call : calls)
    {
        win32::testing::FailFileCall(call, 1, "out.txt");
        auto text = Writer(FileTextual::EncodingAnsi);
        text->WriteString("new text");
        EXPECT_THROW(text->Close(), FileError) << static_cast<int>(call);
        text.reset();
        win32::testing::ResetFileHooks();
        EXPECT_EQ(Contents(), "old") << static_cast<int>(call);
        EXPECT_FALSE(corvellan::test::ReadFileText(path + ".tmp").has_value());
    }
}

TEST_F(FileTextualWriteTest, DestructionWithoutCloseCommitsButNotDuringAnException)
{
    ASSERT_TRUE(corvellan::test::WriteFileBytes(path, "old"));
    try
    {
        auto text = Writer(FileTextual::EncodingAnsi);
        text->WriteString("half");
        throw std::runtime_error("between two writes");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(Contents(), "old");

    {
        auto text = Writer(FileTextual::EncodingAnsi);
        text->WriteString("whole");
    }
    EXPECT_EQ(Contents(), "whole");

    // A buffer the disk refuses at destruction: nothing leaves the destructor,
    // and the half-written file is not committed.
    win32::testing::FailFileCall(win32::testing::FileCall::Write, 1, "out.txt");
    EXPECT_NO_THROW({
        auto text = Writer(FileTextual::EncodingAnsi);
        text->WriteString("refused");
    });
    win32::testing::ResetFileHooks();
    EXPECT_EQ(Contents(), "whole");
    EXPECT_FALSE(corvellan::test::ReadFileText(path + ".tmp").has_value());
}

} // namespace
