#include "engine/render/D3DResultTexts.h"
#include "platform/d3d7/Results.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

using namespace OrvaneEngine;

namespace
{

TEST(D3DResultTextTest, EveryRowIsAFailureOfItsOwnWithASentence)
{
    std::set<std::int32_t> codes;
    for (const D3DResultText& row : GetD3DResultTexts())
    {
        EXPECT_TRUE(codes.insert(row.result).second) << "a second row hides " << row.result;
        EXPECT_LT(row.result, 0);
        const std::string text = row.text;
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '.') << text;
    }
}

// The engine branches on these results (a lost surface, a surface still
// being drawn, a mode change, an exclusive mode taken away): each has its
// own code value, its own row, and a log text that tells them apart.
TEST(D3DResultTextTest, ResultsTheEngineBranchesOnHaveTextsOfTheirOwn)
{
    const struct
    {
        std::int32_t result;
        std::uint32_t value;
    } rows[] = {
        {d3d7::DDERR_SURFACELOST, 0x887601C2u},
        {d3d7::DDERR_WASSTILLDRAWING, 0x8876021Cu},
        {d3d7::DDERR_WRONGMODE, 0x8876024Bu},
        {d3d7::DDERR_NOEXCLUSIVEMODE, 0x887600E1u},
        {d3d7::DDERR_GENERIC, 0x80004005u},
    };
    std::set<std::string> texts;
    for (const auto& row : rows)
    {
        EXPECT_EQ(static_cast<std::uint32_t>(row.result), row.value);
        const char* own = FindD3DResultText(row.result);
        ASSERT_NE(own, nullptr) << row.value;
        const std::string described = DescribeD3DResult(row.result);
        EXPECT_EQ(described, own);
        EXPECT_EQ(described.find("Unknown error"), std::string::npos) << described;
        texts.insert(described);
    }
    EXPECT_EQ(texts.size(), std::size(rows));
}

TEST(D3DResultTextTest, CodesWithoutARowAreShownByNumber)
{
    struct Row
    {
        std::int32_t result;
        const char* text;
    };
    const Row rows[] = {
        {d3d7::MAKE_DDHRESULT(603), "Unknown error (Code: -2005532069)"},
        {d3d7::MAKE_DDHRESULT(694), "Unknown error (Code: -2005531978)"},
        {d3d7::MAKE_DDHRESULT(700), "Unknown error (Code: -2005531972)"},
        {static_cast<std::int32_t>(0x80000000u), "Unknown error (Code: -2147483648)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DescribeD3DResult(row.result), row.text);
    // The shared object-model failure has DirectDraw's own text.
    EXPECT_EQ(d3d7::E_FAIL, d3d7::DDERR_GENERIC);
    EXPECT_EQ(d3d7::DDERR_SURFACELOST, static_cast<std::int32_t>(0x887601C2u));
}

} // namespace
