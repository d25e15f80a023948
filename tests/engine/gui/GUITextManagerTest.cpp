#include "content/LanguageTextWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/gui/GUITextManager.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "tests/support/FileErrorText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::content::LanguageTextWriter;
using corvellan::content::TextEncoding;
using corvellan::test::FileErrorText;
using corvellan::test::TempFolder;
using Form = TextEncoding::Form;

std::vector<std::string> Errors(const MessageManager& log)
{
    std::vector<std::string> errors;
    for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
    {
        const LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(index));
        if (entry.level == 2)
            errors.push_back(entry.text);
    }
    return errors;
}

struct EncodingCase
{
    const char* name;
    TextEncoding encoding;
    // A text only this encoding can carry, so a wrong decoder shows.
    std::u16string national;
};

void PrintTo(const EncodingCase& encoding, std::ostream* out) { *out << encoding.name; }

std::vector<EncodingCase> Encodings()
{
    return {
        {"Utf16LittleEndian", {Form::Utf16LittleEndian, 0}, u"Žluťoučký kůň, Ёжик"},
        {"Utf16BigEndian", {Form::Utf16BigEndian, 0}, u"Žluťoučký kůň, Ёжик"},
        {"Utf8", {Form::Utf8, 0}, u"Žluťoučký kůň, Ёжик"},
        {"Ansi1250", {Form::Ansi, 1250}, u"Žluťoučký kůň úpěl ďábelské ódy"},
    };
}

class GUITextManagerTest : public ::testing::TestWithParam<EncodingCase>
{
protected:
    void SetUp() override
    {
        const TextEncoding& encoding = GetParam().encoding;
        // The narrow bytes of an ANSI file mean what the active code page says.
        if (encoding.form == Form::Ansi)
        {
            ASSERT_TRUE(win32::testing::SelectCodePage(encoding.codePage));
        }
    }

    void TearDown() override { win32::testing::ResetLocale(); }

    void Write(const std::string& name, const std::vector<std::u16string>& lines)
    {
        ASSERT_TRUE(LanguageTextWriter::WriteTo(folder.Join("data/" + name), lines, GetParam().encoding));
    }

    TempFolder folder;
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, folder.Path(), ""};
    GUITextManager texts{&log, &files};
};

TEST_P(GUITextManagerTest, ReadsTheLineGrammar)
{
    const std::u16string national = GetParam().national;
    Write("first.ini", {
                           u"// a comment before the first key",
                           u"[Game_Title]",
                           national,
                           u"[AFTER_BLANKS]",
                           u"",
                           u"// nothing but a comment",
                           u"",
                           u"the text after blanks",
                           u"[FIRST]",
                           u"[SECOND]",
                           u"a line examined as a key line and dropped",
                           u"   [ Spaced Key ]  ",
                           u"  blanks  kept  ",
                           u"[CUT]",
                           u"Exit now // not part of the text",
                           u"[EXIT_TEXT_]",
                           u"the bare key",
                           u"[EXIT_TEXT_0]",
                           u"number zero",
                           u"[exit_text_12]",
                           u"number twelve",
                           u"[OK]",
                           u"first file",
                           u"[ONLY_FIRST]",
                           u"kept",
                       });
    Write("second.ini", {u"[ok]", u"second file"});
    texts.LoadTexts("first.ini");
    texts.LoadTexts("second.ini");

    const struct
    {
        const char* key;
        std::int32_t number;
        std::u16string text;
    } cases[] = {
        {"GAME_TITLE", -1, national},
        {"game_title", -1, national},
        {"Game_Title", -1, national},
        {"AFTER_BLANKS", -1, u"the text after blanks"},
        {"FIRST", -1, u"[SECOND]"},
        {"SECOND", -1, u"UNKNOWN"},
        {" spaced key ", -1, u"  blanks  kept  "},
        {"SPACED KEY", -1, u"UNKNOWN"},
        {"CUT", -1, u"Exit now "},
        {"EXIT_TEXT_", 0, u"number zero"},
        {"EXIT_TEXT_", -1, u"the bare key"},
        {"Exit_Text_", 12, u"number twelve"},
        {"EXIT_TEXT_", 1, u"UNKNOWN"},
        {"OK", -1, u"second file"},
        {"ONLY_FIRST", -1, u"kept"},
        {"NEVER_WRITTEN", -1, u"UNKNOWN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(texts.GetText(c.key, c.number), c.text) << c.key << " " << c.number;
    EXPECT_EQ(Errors(log), std::vector<std::string>{});
}

TEST_P(GUITextManagerTest, IgnoresAKeyThatEndsTheFileWithoutItsText)
{
    Write("end.ini", {u"[HAS_TEXT]", u"here", u"[AT_THE_END]", u"", u"// only a comment"});
    texts.LoadTexts("end.ini");
    EXPECT_EQ(texts.GetText("HAS_TEXT"), u"here");
    EXPECT_EQ(texts.GetText("AT_THE_END"), u"UNKNOWN");
    EXPECT_EQ(texts.GetTexts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Encodings, GUITextManagerTest, ::testing::ValuesIn(Encodings()),
                         [](const ::testing::TestParamInfo<EncodingCase>& param) { return param.param.name; });

TEST(GUITextManagerFiles, AMissingFileIsLoggedAndTheTextsStay)
{
    TempFolder folder;
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, folder.Path(), ""};
    GUITextManager texts{&log, &files};
    texts.SetText("Before", u"still here");

    const std::string expected = FileErrorText([&] { files.OpenTextual(MakeDataPath("no_such.ini"), false, 0); });
    ASSERT_NE(expected, "<none>");
    EXPECT_NO_THROW(texts.LoadTexts("no_such.ini"));

    const std::vector<std::string> errors = Errors(log);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(expected), std::string::npos) << errors[0];
    EXPECT_EQ(texts.GetText("BEFORE"), u"still here");
}

TEST(GUITextManagerFiles, SetTextReplacesByUpperCasedKey)
{
    GUITextManager texts{nullptr, nullptr};
    texts.SetText("Mixed_Key", u"one");
    texts.SetText("MIXED_KEY", u"two");
    EXPECT_EQ(texts.GetText("mixed_key"), u"two");
    ASSERT_EQ(texts.GetTexts().size(), 1u);
    EXPECT_EQ(texts.GetTexts().begin()->first, "MIXED_KEY");
}

} // namespace
} // namespace OrvaneEngine
