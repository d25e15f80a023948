#include "content/LanguageTextWriter.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using corvellan::content::LanguageTextWriter;
using corvellan::content::TextEncoding;
using corvellan::test::TempFolder;
using Form = TextEncoding::Form;

class LanguageTextWriterTest : public ::testing::Test
{
protected:
    void TearDown() override { win32::testing::ResetLocale(); }
};

// The bytes of each form, down to the mark and the line ends.
TEST_F(LanguageTextWriterTest, EncodesEachForm)
{
    const std::vector<std::u16string> lines = {u"[K]", u"Ž€"};
    const struct
    {
        const char* name;
        TextEncoding encoding;
        std::string bytes;
    } cases[] = {
        {"UTF-16LE", {Form::Utf16LittleEndian, 0},
         std::string("\xFF\xFE[\0K\0]\0\r\0\n\0\x7D\x01\xAC\x20\r\0\n\0", 20)},
        {"UTF-16BE", {Form::Utf16BigEndian, 0},
         std::string("\xFE\xFF\0[\0K\0]\0\r\0\n\x01\x7D\x20\xAC\0\r\0\n", 20)},
        {"UTF-8", {Form::Utf8, 0}, "\xEF\xBB\xBF[K]\r\n\xC5\xBD\xE2\x82\xAC\r\n"},
        {"1250", {Form::Ansi, 1250}, "[K]\r\n\x8E\x80\r\n"},
        {"1252", {Form::Ansi, 1252}, "[K]\r\n\x8E\x80\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageTextWriter::Encode(lines, c.encoding), c.bytes) << c.name;

    EXPECT_THROW(LanguageTextWriter::Encode({u"Ё"}, {Form::Ansi, 1252}), std::invalid_argument);
    EXPECT_THROW(LanguageTextWriter::Encode({u"x"}, {Form::Ansi, 437}), std::invalid_argument);
    EXPECT_EQ(LanguageTextWriter::Lines({{u"Title", u"Žluťoučký"}, {u"OK", u""}}),
              (std::vector<std::u16string>{u"[Title]", u"Žluťoučký", u"[OK]", u""}));
}

// Whatever the form, the engine's text reader gives back the lines written.
TEST_F(LanguageTextWriterTest, ReadsBackThroughTheTextReader)
{
    const struct
    {
        const char* name;
        TextEncoding encoding;
        std::vector<std::u16string> lines;
        std::uint32_t detected;
    } cases[] = {
        {"UTF-16LE", {Form::Utf16LittleEndian, 0}, {u"Žluťoučký kůň", u"", u"Съешь же ещё"}, 2},
        {"UTF-16BE", {Form::Utf16BigEndian, 0}, {u"Žluťoučký kůň", u"", u"Съешь же ещё"}, 1},
        {"UTF-8", {Form::Utf8, 0}, {u"Žluťoučký kůň", u"", u"Съешь же ещё", u"€ “quoted” …"}, 3},
        {"1251", {Form::Ansi, 1251}, {u"Съешь же ещё", u"", u"№ 5"}, 0},
        {"1250", {Form::Ansi, 1250}, {u"Žluťoučký kůň", u"úpěl"}, 0},
    };
    for (const auto& c : cases)
    {
        if (c.encoding.form == Form::Ansi)
        {
            ASSERT_TRUE(win32::testing::SelectCodePage(c.encoding.codePage)) << c.name;
        }
        TempFolder folder;
        ASSERT_TRUE(LanguageTextWriter::WriteTo(folder.Join("t.ini"), c.lines, c.encoding)) << c.name;
        OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
        OrvaneEngine::FileManager files{&log, folder.Path(), ""};
        const auto text = files.OpenTextual("t.ini", false, 0);
        EXPECT_EQ(text->GetEncoding(), c.detected) << c.name;
        std::vector<std::u16string> read;
        std::u16string line;
        while (text->ReadWideString(line, false, false))
            read.push_back(line);
        // The last line end leaves one empty line behind it.
        if (!read.empty() && read.back().empty())
            read.pop_back();
        EXPECT_EQ(read, c.lines) << c.name;
        win32::testing::ResetLocale();
    }
}

} // namespace
