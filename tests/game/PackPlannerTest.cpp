#include "game/GameLogicData.h"
#include "game/PackPlanner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Mirabel
{
namespace
{

struct Rect
{
    std::int32_t width;
    std::int32_t height;
};

struct Placed
{
    std::uint32_t page;
    std::int32_t x;
    std::int32_t y;
};

class Items
{
public:
    explicit Items(const std::vector<Rect>& rects) : storage(rects.size())
    {
        for (std::size_t i = 0; i < rects.size(); ++i)
        {
            storage[i].width = rects[i].width;
            storage[i].height = rects[i].height;
            pointers.push_back(&storage[i]);
        }
    }
    std::vector<PackItem> storage;
    std::vector<PackItem*> pointers;
};

std::vector<Rect> Copies(std::size_t count, Rect rect)
{
    return std::vector<Rect>(count, rect);
}

TEST(PackPlannerTest, PagesGrowThroughTheCandidateSizesAndAFullPageStartsTheNext)
{
    const struct
    {
        const char* name;
        std::vector<Rect> images;
        std::vector<PackPlanner::Page> pages;
        // Cell corners in sorted order.
        std::vector<Placed> placed;
    } cases[] = {
        {"one 60 x 28", {{60, 28}}, {{64, 32}}, {{0, 0, 0}}},
        {"two 28 x 28", Copies(2, {28, 28}), {{64, 32}}, {{0, 0, 0}, {0, 32, 0}}},
        {"three 28 x 28", Copies(3, {28, 28}), {{64, 64}}, {{0, 0, 0}, {0, 32, 0}, {0, 0, 32}}},
        {"four 28 x 28", Copies(4, {28, 28}), {{64, 64}}, {{0, 0, 0}, {0, 32, 0}, {0, 0, 32}, {0, 32, 32}}},
        {"five 28 x 28", Copies(5, {28, 28}), {{128, 64}}, {}},
        {"five 508 x 508",
         Copies(5, {508, 508}),
         {{1024, 1024}, {512, 512}},
         {{0, 0, 0}, {0, 512, 0}, {0, 0, 512}, {0, 512, 512}, {1, 0, 0}}},
        {"a tall one sorts before a wide one", {{200, 10}, {10, 300}}, {{512, 512}}, {{0, 0, 0}, {0, 14, 0}}},
    };
    for (const auto& c : cases)
    {
        Items items(c.images);
        std::vector<PackPlanner::Page> pages;
        ASSERT_EQ(PackPlanner::Plan(items.pointers, "p", pages), "") << c.name;
        ASSERT_EQ(pages.size(), c.pages.size()) << c.name;
        for (std::size_t i = 0; i < pages.size(); ++i)
        {
            EXPECT_EQ(pages[i].width, c.pages[i].width) << c.name << " page " << i;
            EXPECT_EQ(pages[i].height, c.pages[i].height) << c.name << " page " << i;
        }
        for (std::size_t i = 0; i < c.placed.size(); ++i)
        {
            const PackItem& item = *items.pointers[i];
            EXPECT_EQ(item.pageIndex, c.placed[i].page) << c.name << " item " << i;
            EXPECT_EQ(item.x, c.placed[i].x) << c.name << " item " << i;
            EXPECT_EQ(item.y, c.placed[i].y) << c.name << " item " << i;
            EXPECT_EQ(item.rightEdge, item.x + item.width + 4) << c.name << " item " << i;
            EXPECT_EQ(item.lowerEdge, item.y + item.height + 4) << c.name << " item " << i;
        }
    }
}

TEST(PackPlannerTest, TextureCoordinatesFrameTheImageInsideItsMargins)
{
    Items items({{60, 28}});
    std::vector<PackPlanner::Page> pages;
    ASSERT_EQ(PackPlanner::Plan(items.pointers, "p", pages), "");
    const PackItem& item = *items.pointers[0];
    EXPECT_EQ(item.uMin, 2.0f / 64.0f);
    EXPECT_EQ(item.vMin, 2.0f / 32.0f);
    EXPECT_EQ(item.uMax, 62.0f / 64.0f);
    EXPECT_EQ(item.vMax, 30.0f / 32.0f);
}

TEST(PackPlannerTest, TheLargestAreaSortsFirstAndNamesFollowTheSortedPositions)
{
    std::vector<PackRecord> records{{"a", nullptr}, {"b", nullptr}, {"c", nullptr}};
    Items items({{10, 10}, {30, 30}, {20, 20}});
    for (std::size_t i = 0; i < records.size(); ++i)
        items.storage[i].source = &records[i];
    std::vector<PackPlanner::Page> pages;
    ASSERT_EQ(PackPlanner::Plan(items.pointers, "p", pages), "");
    EXPECT_EQ(records[0].name, "2");
    EXPECT_EQ(records[1].name, "0");
    EXPECT_EQ(records[2].name, "1");
    EXPECT_EQ(items.pointers[0]->width, 30);
    EXPECT_EQ(items.pointers[2]->name, "2");

    // Strict: an item never sorts before an equal one, nor before itself.
    PackItem a;
    a.width = 4;
    a.height = 5;
    PackItem b = a;
    b.width = 5;
    b.height = 4;
    EXPECT_FALSE(ComparePackItemArea(&a, &b));
    EXPECT_FALSE(ComparePackItemArea(&b, &a));
    EXPECT_FALSE(ComparePackItemArea(&a, &a));
    b.width = 6;
    EXPECT_TRUE(ComparePackItemArea(&b, &a));
}

// Four cells of 32 x 32 on a 64-wide page: the fourth has the third's right
// side and the second's lower side, both at (32, 32) and both at level 1. The
// tie goes to the lower side, which the anchors' side flags show.
TEST(PackPlannerTest, EqualRowLevelsChooseTheLowerSide)
{
    Items items(Copies(4, {28, 28}));
    ASSERT_TRUE(GameLogicData::TryPackPage(64, 96, items.pointers));
    const PackItem& second = *items.pointers[1];
    const PackItem& third = *items.pointers[2];
    const PackItem& fourth = *items.pointers[3];
    EXPECT_EQ(third.x, 0);
    EXPECT_EQ(third.y, 32);
    EXPECT_EQ(fourth.x, 32);
    EXPECT_EQ(fourth.y, 32);
    EXPECT_EQ(fourth.rowLevel, 1u);
    EXPECT_EQ(second.lowerSideFree, 0);
    EXPECT_EQ(third.rightSideFree, 1);
    EXPECT_EQ(fourth.rightSideFree, 1);
    EXPECT_EQ(fourth.lowerSideFree, 1);
}

TEST(PackPlannerTest, ImagesThatFitNoPageEndThePackingWithATextInsteadOfLoopingForEver)
{
    for (const Rect rect : {Rect{1021, 10}, Rect{10, 1021}, Rect{2000, 2000}})
    {
        Items items({{10, 10}, rect});
        std::vector<PackPlanner::Page> pages;
        const std::string fault = PackPlanner::Plan(items.pointers, "puzzle_elements_0_1", pages);
        EXPECT_EQ(fault, "Texture pack \"puzzle_elements_0_1\": an image of " + std::to_string(rect.width) + " x " +
                             std::to_string(rect.height) + " pixels fits on no page of 1024 x 1024");
        EXPECT_TRUE(pages.empty());
        EXPECT_FALSE(GameLogicData::TryPackPage(1024, 1024, {items.pointers[0]}));
    }
    // 1020 is the widest image a page takes.
    Items widest({{1020, 1020}});
    std::vector<PackPlanner::Page> pages;
    EXPECT_EQ(PackPlanner::Plan(widest.pointers, "p", pages), "");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width, 1024);
    EXPECT_TRUE(GameLogicData::TryPackPage(1024, 1024, {}));
}

TEST(PackPlannerTest, CandidateSizesDoubleTheNarrowerSideUpTo1024Square)
{
    const std::vector<PackPlanner::Page> sizes = PackPlanner::CandidateSizes();
    const std::int32_t expected[][2] = {{32, 32},   {64, 32},   {64, 64},   {128, 64},  {128, 128},  {256, 128},
                                        {256, 256}, {512, 256}, {512, 512}, {1024, 512}, {1024, 1024}};
    ASSERT_EQ(sizes.size(), std::size(expected));
    for (std::size_t i = 0; i < sizes.size(); ++i)
    {
        EXPECT_EQ(sizes[i].width, expected[i][0]) << i;
        EXPECT_EQ(sizes[i].height, expected[i][1]) << i;
    }
}

} // namespace
} // namespace Mirabel
