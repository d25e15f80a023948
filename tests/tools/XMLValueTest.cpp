#include "tools/XMLValue.h"

#include <gtest/gtest.h>

#include <string>

namespace GameTools
{
namespace
{

TEST(XMLValueTest, GettersReadTheSameNumbersFromWideAndNarrowText)
{
    const struct
    {
        const char16_t* text;
        std::int32_t integer;
        float decimal;
        bool flag;
        std::pair<std::uint32_t, std::uint32_t> pair;
    } cases[] = {
        {u"1", 1, 1.0f, true, {1, 0}},
        {u"true", 0, 0.0f, false, {0, 0}},
        {u"-1", -1, -1.0f, true, {0xFFFFFFFFu, 0}},
        {u"3.5, 7", 3, 3.5f, true, {3, 7}},
        {u"4x4", 4, 4.0f, true, {4, 0}},
        {u" 12 34 56", 12, 12.0f, true, {12, 34}},
        {u"", 0, 0.0f, false, {0, 0}},
    };
    for (const auto& c : cases)
    {
        XMLValue value;
        value.SetText(c.text);
        for (int pass = 0; pass < 2; ++pass)
        {
            const std::uint32_t state = pass == 0 ? XMLValue::StateWide : XMLValue::StateNarrow;
            EXPECT_EQ(value.GetState(), state);
            EXPECT_EQ(value.GetInt(), c.integer) << pass;
            EXPECT_FLOAT_EQ(value.GetFloat(), c.decimal) << pass;
            EXPECT_EQ(value.GetBool(), c.flag) << pass;
            EXPECT_EQ(value.GetIntPair(), c.pair) << pass;
            EXPECT_EQ(value.GetState(), state) << "a number getter converted the text";
            value.GetText();
        }
    }
}

TEST(XMLValueTest, TextIsConvertedOnceOnTheFirstRequest)
{
    XMLValue value;
    EXPECT_EQ(value.GetState(), XMLValue::StateNarrow);
    EXPECT_EQ(value.GetText(), "");

    value.SetText(u"caf\u00E9 \u20AC");
    EXPECT_EQ(value.GetState(), XMLValue::StateWide);
    const std::string& text = value.GetText();
    EXPECT_EQ(text, "caf\xE9 \x80");
    EXPECT_EQ(value.GetState(), XMLValue::StateNarrow);
    EXPECT_EQ(&value.GetText(), &text);

    value.SetText(u"again");
    EXPECT_EQ(value.GetState(), XMLValue::StateWide);
    EXPECT_EQ(value.GetText(), "again");
}

} // namespace
} // namespace GameTools
