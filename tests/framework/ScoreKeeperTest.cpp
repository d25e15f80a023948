#include "framework/ScoreKeeper.h"

#include <gtest/gtest.h>

#include <cstdint>

using GameFramework::ScoreKeeper;

namespace
{

TEST(ScoreKeeperTest, PointsOfRegisteredEventsOnly)
{
    ScoreKeeper keeper(0);
    keeper.SetPoints(1, 50);
    keeper.SetPoints(2, 7);
    keeper.SetPoints(1, 999);
    EXPECT_EQ(keeper.GetPoints(1), 50u) << "the first registration stays";
    EXPECT_EQ(keeper.GetPoints(2), 7u);
    EXPECT_EQ(keeper.GetPoints(3), 0u);

    keeper.AddPoints(3, 10);
    EXPECT_EQ(keeper.GetScore(), 0u) << "an unknown event scores nothing";
    keeper.AddPoints(1, 3);
    keeper.AddPoints(2, 1);
    EXPECT_EQ(keeper.GetScore(), 157u);
    keeper.AddScore(43);
    EXPECT_EQ(keeper.GetScore(), 200u);
}

TEST(ScoreKeeperTest, ArithmeticWrapsInThirtyTwoBits)
{
    ScoreKeeper keeper(2);
    EXPECT_EQ(keeper.GetScore(), 2u);
    keeper.AddScore(0xFFFFFFFFu);
    EXPECT_EQ(keeper.GetScore(), 1u);

    keeper.SetScore(0);
    keeper.SetPoints(5, 0x80000000u);
    keeper.AddPoints(5, 3);
    EXPECT_EQ(keeper.GetScore(), 0x80000000u);
}

} // namespace
