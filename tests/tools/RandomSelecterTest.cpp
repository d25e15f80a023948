#include "engine/core/Random.h"
#include "tools/RandomSelecter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

using GameTools::RandomSelecter;

namespace
{

class RandomSelecterTest : public ::testing::Test
{
protected:
    void SetUp() override { OrvaneEngine::SeedRandom(12345); }

    // How often each id came out of `picks` draws, failing on a repeat.
    static std::map<std::uint32_t, int> Draw(RandomSelecter& selecter, int picks)
    {
        std::map<std::uint32_t, int> seen;
        std::uint32_t last = 0xFFFFFFFFu;
        for (int i = 0; i < picks; ++i)
        {
            const std::uint32_t id = selecter.Select();
            EXPECT_NE(id, last) << "pick " << i;
            last = id;
            ++seen[id];
        }
        return seen;
    }
};

TEST_F(RandomSelecterTest, WeightedPicksNeverRepeat)
{
    constexpr std::uint32_t tip = 3;
    constexpr std::uint32_t magnet = 4;
    RandomSelecter selecter;
    selecter.Add(tip, 20);
    selecter.Add(magnet, 16);
    const auto seen = Draw(selecter, 10000);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.count(tip) + seen.count(magnet), 2u);
}

TEST_F(RandomSelecterTest, ZeroWeightsComeOutOnlyWithoutAnyWeight)
{
    RandomSelecter mixed;
    mixed.Add(1, 0);
    mixed.Add(2, 5);
    mixed.Add(3, 0);
    mixed.Add(4, 5);
    const auto weighted = Draw(mixed, 2000);
    EXPECT_EQ(weighted.count(1), 0u);
    EXPECT_EQ(weighted.count(3), 0u);

    // Every weight 0: a uniform pick of the entries, still no repeat.
    RandomSelecter flat;
    for (std::uint32_t id = 10; id < 14; ++id)
        flat.Add(id, 0);
    const auto seen = Draw(flat, 8000);
    ASSERT_EQ(seen.size(), 4u);
    for (const auto& [id, count] : seen)
    {
        EXPECT_GT(count, 1700) << id;
        EXPECT_LT(count, 2300) << id;
    }
}

TEST_F(RandomSelecterTest, SingleEntryAndEmptySelecter)
{
    RandomSelecter empty;
    EXPECT_EQ(empty.Select(), 0u);

    RandomSelecter single;
    single.Add(7, 3);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(single.Select(), 7u) << "after the tries run out the only id comes again";

    RandomSelecter weightless;
    weightless.Add(9, 0);
    EXPECT_EQ(weightless.Select(), 9u);
    EXPECT_EQ(weightless.Select(), 9u);
}

} // namespace
