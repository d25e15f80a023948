#include "engine/core/StringFunctions.h"

#include "platform/win32/Locale.h"
#include "platform/win32/testing/LocaleHooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

// Every test starts and ends in the start-up "C" state.
class StringFunctionsTest : public ::testing::Test
{
protected:
    void SetUp() override { win32::testing::ResetLocale(); }
    void TearDown() override { win32::testing::ResetLocale(); }
};

// What the C library's printf makes of the format.
std::string Printed(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    return std::string(text.data(), static_cast<std::size_t>(length));
}

std::string AllBytesButNul()
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST_F(StringFunctionsTest, NumberToTextGivesTheDocumentedTexts)
{
    const struct
    {
        std::string actual;
        std::string expected;
    } cases[] = {
        {UIntToString(5, 3), "005"},
        {UIntToString(5, 0), "5"},
        {UIntToString(0, 0), "0"},
        {UIntToString(4294967295u, 0), "4294967295"},
        {IntToString(-5, 3), "-005"},
        {IntToString(-5, 0), "-5"},
        {IntToString(std::numeric_limits<std::int32_t>::min(), 0), "-2147483648"},
        {IntToString(std::numeric_limits<std::int32_t>::min(), 12), "-002147483648"},
        {HexToString(255, 4), "00FF"},
        {HexToString(0xABCDEF, 0), "ABCDEF"},
        {HexToString(0xFFFFFFFFu, 2), "FFFFFFFF"},
        {FloatToString(1.0f, 6), "1.000000"},
        {FloatToString(1.0f, 0), "1"},
        {FloatToString(0.95f, 4), "0.9500"},
        {FloatToString(-2.5f, 1), "-2.5"},
        {FloatToString(12.75f, 0), "13"},
        {BoolToString(true), "1"},
        {BoolToString(false), "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);

    EXPECT_EQ(UIntToStringW(7, 2), u"07");
    EXPECT_EQ(IntToStringW(-12, 0), u"-12");
    EXPECT_EQ(IntToStringW(-12, 4), u"-0012");
}

// The runtime's printf with the same formats is the reference, at every digit
// count up to well past any fixed buffer.
TEST_F(StringFunctionsTest, NumberToTextMatchesPrintfAtAnyDigitCount)
{
    const std::uint32_t counts[] = {0, 1, 2, 3, 9, 10, 11, 63, 64, 100, 149, 150, 300};
    const std::uint32_t unsignedValues[] = {0, 1, 9, 10, 255, 65535, 2147483648u, 4294967295u};
    const std::int32_t signedValues[] = {0, -1, 42, -2147483647 - 1, 2147483647};
    const float floats[] = {0.0f,    -0.0f,  0.95f, 1.0f / 3.0f, -123.456f, 1e10f, 0.5f, 2.5f,
                            1e-30f, std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min()};
    for (const std::uint32_t count : counts)
    {
        const int precision = static_cast<int>(count);
        for (const std::uint32_t value : unsignedValues)
        {
            EXPECT_EQ(UIntToString(value, count), count ? Printed("%0.*u", precision, value) : Printed("%u", value));
            EXPECT_EQ(HexToString(value, count), count ? Printed("%0.*X", precision, value) : Printed("%X", value));
        }
        for (const std::int32_t value : signedValues)
            EXPECT_EQ(IntToString(value, count), count ? Printed("%0.*i", precision, value) : Printed("%i", value));
        for (const float value : floats)
            EXPECT_EQ(FloatToString(value, count), Printed("%0.*f", precision, static_cast<double>(value)))
                << value << " with " << count;
    }
}

TEST_F(StringFunctionsTest, LargeDigitCountGivesTheWholeText)
{
    const std::string text = UIntToString(1, 100);
    ASSERT_EQ(text.size(), 100u);
    EXPECT_EQ(text, std::string(99, '0') + "1");
    EXPECT_EQ(FloatToString(0.5f, 1000).size(), 1002u);
    EXPECT_EQ(IntToStringW(-3, 70).size(), 71u);
}

TEST_F(StringFunctionsTest, IntegerTextFollowsThe32BitRuntime)
{
    using namespace std::string_literals;
    const struct
    {
        std::string text;
        int base;
        std::int32_t expected;
    } cases[] = {
        {"0x1F", 16, 31},
        {"0x1F", 10, 0},
        {"  -42ab", 10, -42},
        {"99999999999", 10, 2147483647},
        {"-99999999999", 10, -2147483647 - 1},
        {"FFFFFFFF", 16, 2147483647},
        {"2147483647", 10, 2147483647},
        {"2147483648", 10, 2147483647},
        {"-2147483648", 10, -2147483647 - 1},
        {"-2147483649", 10, -2147483647 - 1},
        {"-80000000", 16, -2147483647 - 1},
        {"\t\n\v\f\r +7", 10, 7},
        {"0X1f", 0, 31},
        {"017", 0, 15},
        {"09", 0, 0},
        {"0x", 16, 0},
        {"z", 36, 35},
        {"10", 1, 0},
        {"10", 37, 0},
        {"10", -1, 0},
        {"101", 2, 5},
        {"12\0" "34"s, 10, 12},
        {"", 10, 0},
        {"-", 10, 0},
        {"+-1", 10, 0},
        {"\xA0" "5", 10, 0}, // a non-breaking space is not narrow white space
        {std::string(5000, '9'), 10, 2147483647},
        {"-" + std::string(5000, '0') + "12", 10, -12},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(StringToInt(c.text, c.base), c.expected) << '"' << c.text << "\" base " << c.base;
        std::u16string wide(c.text.begin(), c.text.end());
        if (c.text.find('\xA0') == std::string::npos) // U+00A0 is wide white space
        {
            EXPECT_EQ(StringToIntW(wide, c.base), c.expected) << '"' << c.text << "\" base " << c.base;
        }
    }
}

TEST_F(StringFunctionsTest, UnsignedTextSaturatesAndNegatesModulo32Bits)
{
    const struct
    {
        const char* text;
        int base;
        std::uint32_t expected;
    } cases[] = {
        {"-1", 10, 4294967295u},         {"4294967296", 10, 4294967295u}, {"4294967295", 10, 4294967295u},
        {"-4294967295", 10, 1u},         {"-4294967296", 10, 4294967295u}, {"FFFFFFFF", 16, 4294967295u},
        {"0x100000000", 16, 4294967295u}, {"  +12abc", 10, 12u},          {"x", 10, 0u},
        {"0777", 0, 511u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringToUInt(c.text, c.base), c.expected) << '"' << c.text << "\" base " << c.base;
}

TEST_F(StringFunctionsTest, WideIntegerTextReadsAsciiDigitsOnly)
{
    EXPECT_EQ(StringToIntW(u" 12", 10), 12);
    EXPECT_EQ(StringToIntW(u"\u3000\u00A0-12", 10), -12); // wide white space
    EXPECT_EQ(StringToIntW(u"1\uFF12", 10), 1);           // a full-width digit ends the number
    EXPECT_EQ(StringToIntW(u"\u0661", 10), 0);
    EXPECT_EQ(StringToIntW(u"7\u0000" u"8", 10), 7);
    EXPECT_EQ(StringToIntW(u"ff", 16), 255);
    EXPECT_EQ(StringToIntW(u"\u0130", 36), 0); // no letter but ASCII is a digit
}

TEST_F(StringFunctionsTest, FloatTextReadsWithAPointInEveryLocale)
{
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    constexpr float kLargest = std::numeric_limits<float>::max();
    const struct
    {
        const char* text;
        float expected;
    } cases[] = {
        {"0.25", 0.25f},        {" -1.5e2", -150.0f},         {"1,5", 1.0f},
        {"abc", 0.0f},          {".5", 0.5f},                 {"5.", 5.0f},
        {"+.5e1x", 5.0f},       {"1e", 1.0f},                 {"--1", 0.0f},
        {"1e39", kInfinity},    {"1e400", kInfinity},         {"-1e400", -kInfinity},
        {"1e-400", 0.0f},       {"0x1.8p1", 3.0f},            {"0x", 0.0f},
        {"0xg", 0.0f},          {"-0x.8", -0.5f},             {"inf", kInfinity},
        {"-Infinity", -kInfinity}, {"3.4028235e38", kLargest}, {"3.4028236e38", kInfinity},
        {"0.1", 0.1f},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(StringToFloat(c.text), c.expected) << '"' << c.text << '"';
        const std::string text = c.text;
        EXPECT_EQ(StringToFloatW(std::u16string(text.begin(), text.end())), c.expected) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isnan(StringToFloat("nan")));
    EXPECT_TRUE(std::signbit(StringToFloat("-0")));
    EXPECT_EQ(StringToFloatW(u"0.25"), 0.25f);
    EXPECT_EQ(StringToFloatW(u"\u3000" u"2.5\u00B2"), 2.5f);
    // A very long mantissa is still read exactly.
    EXPECT_EQ(StringToFloat("1" + std::string(400, '0') + "e-400"), 1.0f);
    EXPECT_EQ(StringToFloat("0." + std::string(400, '0') + "1e402"), 10.0f);
}

TEST_F(StringFunctionsTest, BoolTextIsTheDecimalIntegerNotZero)
{
    const struct
    {
        const char* text;
        bool expected;
    } cases[] = {{"2", true}, {"true", false}, {"-3", true}, {"0", false}, {"", false}, {" 1", true}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(StringToBool(c.text), c.expected) << c.text;
        const std::string text = c.text;
        EXPECT_EQ(StringToBoolW(std::u16string(text.begin(), text.end())), c.expected) << c.text;
    }
}

TEST_F(StringFunctionsTest, StartupCaseMappingChangesAsciiLettersOnly)
{
    // Every byte, including those a plain char holds as negative values.
    for (int b = 0; b < 256; ++b)
    {
        const std::string one(1, static_cast<char>(b));
        const int lower = b >= 'A' && b <= 'Z' ? b + 32 : b;
        const int upper = b >= 'a' && b <= 'z' ? b - 32 : b;
        EXPECT_EQ(ToLower(one), std::string(1, static_cast<char>(lower))) << b;
        EXPECT_EQ(ToUpper(one), std::string(1, static_cast<char>(upper))) << b;
    }
    EXPECT_EQ(ToLowerW(u"\u00C0BC\u0410"), u"\u00C0bc\u0410");
}

TEST_F(StringFunctionsTest, CaseMappingFollowsTheLocaleOnceSet)
{
    EXPECT_EQ(ToLower("\xC0" "B"), "\xC0" "b");
    ASSERT_NE(win32::setlocale_ctype("english"), nullptr);
    EXPECT_EQ(ToLower("\xC0" "B"), "\xE0" "b");
    EXPECT_EQ(ToUpper("\xFF\x9A\xDF\xD7"), "\x9F\x8A\xDF\xD7"); // sharp s and the sign stay
    std::string inPlace = "\xC9T\xC9";
    StringToLower(inPlace);
    EXPECT_EQ(inPlace, "\xE9t\xE9");
    StringToUpper(inPlace);
    EXPECT_EQ(inPlace, "\xC9T\xC9");

    ASSERT_NE(win32::setlocale_ctype("russian"), nullptr);
    EXPECT_EQ(ToLower("\xC0\xA8\xDF"), "\xE0\xB8\xFF");
    EXPECT_EQ(ToUpper("\xE0\xB8\xFF"), "\xC0\xA8\xDF");
    ASSERT_NE(win32::setlocale_ctype("czech"), nullptr);
    EXPECT_EQ(ToLower("\xA3\x8A"), "\xB3\x9A");

    // Wide text follows the Latin-1 pairs whatever the code page.
    std::u16string wide = u"\u00C0\u00D7\u00DE\u0410Z";
    StringToLowerW(wide);
    EXPECT_EQ(wide, u"\u00E0\u00D7\u00FE\u0410z");
}

TEST_F(StringFunctionsTest, TrimmingRemovesWhiteSpaceOnly)
{
    const struct
    {
        std::string text;
        std::string left;
        std::string right;
    } cases[] = {
        {"  a b \t", "a b \t", "  a b"},
        {"   ", "", ""},
        {"", "", ""},
        {"\v\f\r\na\n", "a\n", "\v\f\r\na"},
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
    };
    for (const auto& c : cases)
    {
        std::string left = c.text;
        TrimLeft(left);
        EXPECT_EQ(left, c.left);
        std::string right = c.text;
        TrimRight(right);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(TrimRightCopy(c.text), c.right);
        std::string both = c.text;
        Trim(both);
        std::string expected = c.left;
        TrimRight(expected);
        EXPECT_EQ(both, expected);
    }

    const std::u16string wide = u"\u3000 \u00A0a b\u2029\u0085";
    EXPECT_EQ(TrimW(wide), u"a b");
    EXPECT_EQ(TrimLeftWCopy(wide), u"a b\u2029\u0085");
    EXPECT_EQ(TrimRightWCopy(wide), u"\u3000 \u00A0a b");
    EXPECT_EQ(TrimW(u"\u200Bx\uFEFF"), u"\u200Bx\uFEFF"); // not white space
    std::u16string inPlace = u"  \t";
    TrimLeftW(inPlace);
    EXPECT_EQ(inPlace, u"");
    inPlace = u"\nz\n";
    TrimRightW(inPlace);
    EXPECT_EQ(inPlace, u"\nz");

    std::string path = "\\\\\\x";
    StripLeadingChar(path, '\\');
    EXPECT_EQ(path, "x");
    std::string all = "xxx";
    StripLeadingChar(all, 'x');
    EXPECT_EQ(all, "");
    std::string none = "ax";
    StripLeadingChar(none, 'x');
    EXPECT_EQ(none, "ax");
}

TEST_F(StringFunctionsTest, ReplaceAllNeverSearchesItsReplacement)
{
    std::string grow = "aaa";
    ReplaceAll(grow, "a", "aa");
    EXPECT_EQ(grow, "aaaaaa");
    std::string three = "a   b";
    EraseAll(three, "  ");
    EXPECT_EQ(three, "a b");
    std::string four = "a    b";
    EraseAll(four, "  ");
    EXPECT_EQ(four, "ab");

    std::u16string wide = u"abcabc";
    ReplaceAllW(wide, u"bc", u"X");
    EXPECT_EQ(wide, u"aXaX");
    const std::u16string original = u"x.y.z";
    EXPECT_EQ(ReplaceAllWCopy(original, u".", u".."), u"x..y..z");
    EXPECT_EQ(original, u"x.y.z");
    EXPECT_EQ(EraseAllW(original, u"."), u"xyz");
    EXPECT_EQ(EraseAllW(u"abc", u"abcd"), u"abc");
}

TEST_F(StringFunctionsTest, ReplaceAllNoCaseMatchesWithoutRegardToCase)
{
    std::u16string cats = u"Cat CAT";
    ReplaceAllNoCaseW(cats, u"cat", u"dog");
    EXPECT_EQ(cats, u"dog dog");
    std::u16string grow = u"xX";
    ReplaceAllNoCaseW(grow, u"x", u"XX");
    EXPECT_EQ(grow, u"XXXX");

    // Latin-1 capitals match only once a locale is set.
    std::u16string before = u"\u00C0B \u00E0b";
    ReplaceAllNoCaseW(before, u"\u00E0B", u"-");
    EXPECT_EQ(before, u"\u00C0B -");
    ASSERT_NE(win32::setlocale_ctype("english"), nullptr);
    std::u16string after = u"\u00C0B \u00E0b";
    ReplaceAllNoCaseW(after, u"\u00E0B", u"-");
    EXPECT_EQ(after, u"- -");
}

TEST_F(StringFunctionsTest, EmptySearchTextLeavesTheTextUnchanged)
{
    std::string narrow = "abc";
    ReplaceAll(narrow, "", "x");
    EraseAll(narrow, "");
    EXPECT_EQ(narrow, "abc");
    std::u16string wide = u"abc";
    ReplaceAllW(wide, u"", u"x");
    ReplaceAllNoCaseW(wide, u"", u"x");
    EXPECT_EQ(wide, u"abc");
    EXPECT_EQ(ReplaceAllWCopy(wide, u"", u"x"), u"abc");
    EXPECT_EQ(EraseAllW(wide, u""), u"abc");
}

TEST_F(StringFunctionsTest, ConversionStopsAtTheFirstNul)
{
    using namespace std::string_literals;
    EXPECT_EQ(NarrowToWide("ab\0cd"s), u"ab");
    EXPECT_EQ(WideToNarrow(u"ab\0cd"s), "ab");
    std::u16string wide = u"old";
    NarrowToWideInto("", wide);
    EXPECT_EQ(wide, u"");
    std::string narrow = "old";
    WideToNarrowInto(u"\0x"s, narrow);
    EXPECT_EQ(narrow, "");
}

TEST_F(StringFunctionsTest, ConversionUsesTheLocaleCodePage)
{
    EXPECT_EQ(NarrowToWide("\x80"), u"\u20AC");
    EXPECT_EQ(WideToNarrow(u"\u20AC"), "\x80");
    EXPECT_EQ(WideToNarrow(u"A\u0410B"), "AB"); // no byte in 1252: skipped
    EXPECT_EQ(WideToNarrow(u"\xD800" u"x"), "x");
    EXPECT_EQ(NarrowToWide("\x81"), u"\u0081"); // undefined: the C1 control
    ASSERT_NE(win32::setlocale_ctype("russian"), nullptr);
    EXPECT_EQ(NarrowToWide("\xC0"), u"\u0410");
    EXPECT_EQ(WideToNarrow(u"\u0410\u00C0"), "\xC0");
    ASSERT_NE(win32::setlocale_ctype("czech"), nullptr);
    EXPECT_EQ(NarrowToWide("\xA3"), u"\u0141");
}

TEST_F(StringFunctionsTest, EveryByteRoundTripsInEveryCodePage)
{
    const std::string bytes = AllBytesButNul();
    for (const int codePage : {0, 1252, 1251, 1250})
    {
        if (codePage != 0)
        {
            ASSERT_TRUE(win32::testing::SelectCodePage(codePage));
        }
        const std::u16string wide = NarrowToWide(bytes);
        ASSERT_EQ(wide.size(), bytes.size()) << codePage;
        EXPECT_EQ(WideToNarrow(wide), bytes) << codePage;
    }
}

// The conversions work from tables of the locale in force; switching back and
// forth between locales must switch the tables, and every unit must come out
// as the runtime's own one-character conversions give it.
TEST_F(StringFunctionsTest, ConversionsAgreeWithTheRuntimeForEveryUnitInEveryLocale)
{
    const std::string bytes = AllBytesButNul();
    std::u16string units;
    for (std::uint32_t unit = 1; unit < 0x10000; ++unit)
        units.push_back(static_cast<char16_t>(unit));
    for (const char* locale : {"C", "russian", "english", "czech", "C", "czech"})
    {
        ASSERT_NE(win32::setlocale_ctype(locale), nullptr);
        std::u16string wide;
        for (const char byte : bytes)
        {
            char16_t unit = 0;
            if (win32::mbtowc(&unit, &byte, 1) > 0)
                wide.push_back(unit);
        }
        EXPECT_EQ(NarrowToWide(bytes), wide) << locale;
        std::string narrow;
        for (const char16_t unit : units)
        {
            char out[8];
            int count = 0;
            if (win32::wctomb_s(&count, out, sizeof(out), unit) == 0)
                narrow.append(out, static_cast<std::size_t>(count));
        }
        EXPECT_EQ(WideToNarrow(units), narrow) << locale;
    }
}

struct Counted
{
    explicit Counted(std::vector<int>& log, int id) : log(log), id(id) {}
    virtual ~Counted() { log.push_back(id); }
    std::vector<int>& log;
    int id;
};

struct CountedDerived : Counted
{
    using Counted::Counted;
    ~CountedDerived() override { log.push_back(-id); }
};

struct PlainRecord
{
    int a;
    float b;
};

TEST_F(StringFunctionsTest, VectorHelpersDeleteAndCompactInOrder)
{
    std::vector<int> log;
    std::vector<Counted*> items{new CountedDerived(log, 1), nullptr, new Counted(log, 2), nullptr};
    DeleteAllAndClear(items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(log, (std::vector<int>{-1, 1, 2}));

    std::vector<PlainRecord*> records{new PlainRecord{1, 2.0f}, nullptr, new PlainRecord{3, 4.0f}};
    DeleteAllAndClearNonVirtual(records);
    EXPECT_TRUE(records.empty());

    int a = 0, b = 0, c = 0;
    std::vector<int*> pointers{nullptr, &a, nullptr, nullptr, &b, &c, nullptr};
    RemoveNullPointers(pointers);
    EXPECT_EQ(pointers, (std::vector<int*>{&a, &b, &c}));
}

TEST_F(StringFunctionsTest, ExecutableFolderHoldsTheRunningProgram)
{
    const std::string folder = GetExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/test_engine_core"));
}

} // namespace
