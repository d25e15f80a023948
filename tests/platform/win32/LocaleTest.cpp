#include "platform/win32/Locale.h"

#include "platform/win32/testing/LocaleHooks.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

namespace
{

class LocaleTest : public ::testing::Test
{
protected:
    void SetUp() override { win32::testing::ResetLocale(); }
    void TearDown() override { win32::testing::ResetLocale(); }
};

char16_t UnitOf(unsigned char byte)
{
    const char bytes[1] = {static_cast<char>(byte)};
    char16_t unit = 0xFFFF;
    EXPECT_EQ(win32::mbtowc(&unit, bytes, 1), byte == 0 ? 0 : 1);
    return unit;
}

TEST_F(LocaleTest, NamesSelectTheirCodePage)
{
    EXPECT_STREQ(win32::setlocale_ctype(nullptr), "C");
    EXPECT_EQ(UnitOf(0xC0), u'\u00C0'); // start-up: 1252

    // An unknown name answers null and leaves the locale as it was.
    const struct
    {
        const char* name;
        const char* answer;
        const char* current;
        char16_t unitOfC0;
    } cases[] = {
        {"russian", "russian", "russian", u'\u0410'}, {"english", "english", "english", u'\u00C0'},
        {"czech", "czech", "czech", u'\u0154'},       {"German", "german", "german", u'\u00C0'},
        {"klingon", nullptr, "german", u'\u00C0'},     {"", nullptr, "german", u'\u00C0'},
        {"FRENCH", "french", "french", u'\u00C0'},    {"italian", "italian", "italian", u'\u00C0'},
        {"russia", nullptr, "italian", u'\u00C0'},     {"spanish", "spanish", "spanish", u'\u00C0'},
        {"C", "C", "C", u'\u00C0'},
    };
    for (const auto& c : cases)
    {
        const char* answer = win32::setlocale_ctype(c.name);
        if (c.answer == nullptr)
            EXPECT_EQ(answer, nullptr) << c.name;
        else
            EXPECT_STREQ(answer, c.answer) << c.name;
        EXPECT_STREQ(win32::setlocale_ctype(nullptr), c.current) << c.name;
        EXPECT_EQ(UnitOf(0xC0), c.unitOfC0) << c.name;
    }
    // The start-up state again: ASCII case mapping.
    EXPECT_EQ(win32::tolower(0xC0), 0xC0);
}

TEST_F(LocaleTest, EveryByteHasItsOwnUnitAndBack)
{
    for (const int codePage : {1252, 1251, 1250})
    {
        ASSERT_TRUE(win32::testing::SelectCodePage(codePage));
        std::set<char16_t> seen;
        for (int b = 1; b < 256; ++b)
        {
            const char16_t unit = UnitOf(static_cast<unsigned char>(b));
            EXPECT_TRUE(seen.insert(unit).second) << codePage << " byte " << b;
            if (b < 0x80)
            {
                EXPECT_EQ(unit, b) << codePage;
            }
            char back = 0;
            int count = 0;
            EXPECT_EQ(win32::wctomb_s(&count, &back, 1, unit), 0);
            EXPECT_EQ(count, 1);
            EXPECT_EQ(static_cast<unsigned char>(back), b) << codePage;
        }
    }
}

TEST_F(LocaleTest, KnownUnitsOfEachCodePage)
{
    const struct
    {
        int codePage;
        unsigned char byte;
        char16_t unit;
    } cases[] = {
        {1252, 0x80, u'\u20AC'}, {1252, 0x8A, u'\u0160'}, {1252, 0x9F, u'\u0178'}, {1252, 0x81, u'\u0081'},
        {1252, 0x9D, u'\u009D'}, {1251, 0xC0, u'\u0410'}, {1251, 0xFF, u'\u044F'}, {1251, 0xA8, u'\u0401'},
        {1251, 0x88, u'\u20AC'}, {1251, 0xB9, u'\u2116'}, {1251, 0x98, u'\u0098'}, {1250, 0xA3, u'\u0141'},
        {1250, 0x8A, u'\u0160'}, {1250, 0xFF, u'\u02D9'}, {1250, 0x83, u'\u0083'},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(win32::testing::SelectCodePage(c.codePage));
        EXPECT_EQ(UnitOf(c.byte), c.unit) << c.codePage << " byte " << int{c.byte};
    }
}

TEST_F(LocaleTest, UnitsWithoutAByteAndBadBuffersFail)
{
    char byte = 'x';
    int count = 7;
    EXPECT_EQ(win32::wctomb_s(&count, &byte, 1, u'\u0410'), EILSEQ); // Cyrillic in 1252
    EXPECT_EQ(count, -1);
    EXPECT_EQ(win32::wctomb_s(&count, &byte, 0, u'a'), ERANGE);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(win32::wctomb_s(&count, nullptr, 1, u'a'), EINVAL);
    EXPECT_EQ(win32::wctomb_s(&count, nullptr, 0, u'a'), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(win32::wctomb_s(nullptr, &byte, 1, u'\u20AC'), 0);
    EXPECT_EQ(byte, '\x80');
    ASSERT_TRUE(win32::testing::SelectCodePage(1251));
    EXPECT_EQ(win32::wctomb_s(&count, &byte, 1, u'\u00C0'), EILSEQ);

    EXPECT_EQ(win32::mbtowc(nullptr, nullptr, 1), 0);
    EXPECT_EQ(win32::mbtowc(nullptr, "a", 0), -1);
    char16_t unit = 1;
    EXPECT_EQ(win32::mbtowc(&unit, "", 1), 0);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(win32::mb_cur_max(), 1);
    EXPECT_FALSE(win32::testing::SelectCodePage(437));
}

TEST_F(LocaleTest, LetterPairsAreSymmetricAndOnlyOnceALocaleIsSet)
{
    for (int c = 0; c < 256; ++c)
    {
        const bool asciiUpper = c >= 'A' && c <= 'Z';
        const bool asciiLower = c >= 'a' && c <= 'z';
        EXPECT_EQ(win32::tolower(c), asciiUpper ? c + 32 : c);
        EXPECT_EQ(win32::toupper(c), asciiLower ? c - 32 : c);
    }
    for (const int codePage : {1252, 1251, 1250})
    {
        ASSERT_TRUE(win32::testing::SelectCodePage(codePage));
        int pairs = 0;
        for (int c = 0; c < 256; ++c)
        {
            const int lower = win32::tolower(c);
            if (lower != c)
            {
                ++pairs;
                EXPECT_EQ(win32::toupper(lower), c) << codePage << " byte " << c;
                EXPECT_EQ(win32::tolower(lower), lower);
            }
        }
        EXPECT_GE(pairs, 26 + 30) << codePage;
    }
    for (const int outside : {-1, 256, 0x10041})
    {
        EXPECT_EQ(win32::tolower(outside), outside);
        EXPECT_EQ(win32::toupper(outside), outside);
    }
}

TEST_F(LocaleTest, WideLowerCaseFollowsLatin1OnceALocaleIsSet)
{
    EXPECT_EQ(win32::tolower_wide(u'Q'), u'q');
    EXPECT_EQ(win32::tolower_wide(u'\u00C0'), u'\u00C0');
    ASSERT_TRUE(win32::testing::SelectCodePage(1251));
    const struct
    {
        char16_t unit;
        char16_t lower;
    } cases[] = {
        {u'Q', u'q'},           {u'\u00C0', u'\u00E0'}, {u'\u00DE', u'\u00FE'}, {u'\u00D7', u'\u00D7'},
        {u'\u00DF', u'\u00DF'}, {u'\u00A8', u'\u00A8'}, {u'\u0410', u'\u0410'}, {u'\u0178', u'\u0178'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win32::tolower_wide(c.unit), c.lower) << int{c.unit};
}

TEST_F(LocaleTest, WhiteSpaceClasses)
{
    for (int c = -1; c < 300; ++c)
        EXPECT_EQ(win32::isspace(c) != 0, c == ' ' || (c >= 9 && c <= 13)) << c;

    const char16_t white[] = {0x09, 0x0D, 0x20, 0x85, 0xA0, 0x1680, 0x2000, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    const char16_t other[] = {0x00, 0x08, 0x0E, 0x1F, 0x21, 0x84, 0xA1, 0x180E, 0x200B, 0x2060, 0xFEFF, 0xFFFF};
    for (const char16_t unit : white)
        EXPECT_NE(win32::iswspace(unit), 0) << int{unit};
    for (const char16_t unit : other)
        EXPECT_EQ(win32::iswspace(unit), 0) << int{unit};
}

} // namespace
