#include "engine/core/StringFunctions.h"
#include "platform/win32/Locale.h"

#include "platform/win32/testing/LocaleHooks.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace
{

class LocaleCategoriesTest : public ::testing::Test
{
protected:
    void SetUp() override { win32::testing::ResetLocale(); }
    void TearDown() override { win32::testing::ResetLocale(); }
};

char16_t UnitOf(unsigned char byte)
{
    const char bytes[1] = {static_cast<char>(byte)};
    char16_t unit = 0;
    win32::mbtowc(&unit, bytes, 1);
    return unit;
}

// The language set-up's sequence, one language after the other: numbers keep
// the "english" conventions, and the characters follow the language.
TEST_F(LocaleCategoriesTest, TheLanguageSequenceSelectsTheLanguagesCodePage)
{
    const struct
    {
        const char* name;
        std::u16string text;
        std::string bytes;
        // Byte 0xC0 tells the three code pages apart.
        char16_t unitOfC0;
    } cases[] = {
        {"russian", u"Анна", "\xC0\xED\xED\xE0", u'\u0410'},
        {"czech", u"Řeka", "\xD8" "eka", u'\u0154'},
        {"english", u"Øre", "\xD8re", u'\u00C0'},
        {"german", u"Über", "\xDC" "ber", u'\u00C0'},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(win32::setlocale(LC_ALL, "english"), "english") << c.name;
        EXPECT_STREQ(win32::setlocale(LC_CTYPE, c.name), c.name);
        EXPECT_STREQ(win32::setlocale(LC_COLLATE, c.name), c.name);
        EXPECT_EQ(win32::_setmbcp(win32::MB_CP_LOCALE), 0) << c.name;

        EXPECT_EQ(UnitOf(0xC0), c.unitOfC0) << c.name;
        const std::string narrow = OrvaneEngine::WideToNarrow(c.text);
        EXPECT_EQ(narrow, c.bytes) << c.name;
        EXPECT_EQ(OrvaneEngine::NarrowToWide(narrow), c.text) << c.name;
        EXPECT_FLOAT_EQ(OrvaneEngine::StringToFloatW(u"2.5"), 2.5f) << c.name;
        EXPECT_EQ(OrvaneEngine::FloatToString(2.5f, 1), "2.5") << c.name;
    }
    // The C library's own locale was never touched.
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
}

TEST_F(LocaleCategoriesTest, CollationIsOnlyRecordedAndOtherCategoriesAreRefused)
{
    ASSERT_STREQ(win32::setlocale(LC_CTYPE, "russian"), "russian");
    EXPECT_STREQ(win32::setlocale(LC_COLLATE, "Czech"), "czech");
    EXPECT_STREQ(win32::setlocale(LC_COLLATE, nullptr), "czech");
    EXPECT_STREQ(win32::setlocale(LC_CTYPE, nullptr), "russian");
    EXPECT_STREQ(win32::setlocale(LC_ALL, nullptr), "russian");
    EXPECT_EQ(UnitOf(0xC0), u'\u0410');

    // Refused: an unknown name in any category, and the categories that do
    // not exist here. Nothing changes.
    EXPECT_EQ(win32::setlocale(LC_ALL, "klingon"), nullptr);
    EXPECT_EQ(win32::setlocale(LC_COLLATE, "klingon"), nullptr);
    EXPECT_EQ(win32::setlocale(LC_NUMERIC, "czech"), nullptr);
    EXPECT_EQ(win32::setlocale(LC_TIME, nullptr), nullptr);
    // Only the locale's own code page is taken.
    EXPECT_EQ(win32::_setmbcp(1250), -1);
    EXPECT_STREQ(win32::setlocale(LC_COLLATE, nullptr), "czech");
    EXPECT_STREQ(win32::setlocale(LC_CTYPE, nullptr), "russian");
    EXPECT_EQ(UnitOf(0xC0), u'\u0410');

    // LC_ALL sets both.
    EXPECT_STREQ(win32::setlocale(LC_ALL, "english"), "english");
    EXPECT_STREQ(win32::setlocale(LC_COLLATE, nullptr), "english");
    EXPECT_EQ(UnitOf(0xC0), u'\u00C0');

    win32::setlocale(LC_COLLATE, "czech");
    win32::testing::ResetLocale();
    EXPECT_STREQ(win32::setlocale(LC_COLLATE, nullptr), "C");
    EXPECT_STREQ(win32::setlocale(LC_CTYPE, nullptr), "C");
}

} // namespace
