#include "game/CarryRules.h"

#include <gtest/gtest.h>

namespace
{

using OrvaneEngine::Vector2;

TEST(CarryRulesTest, GrabOffsetIsLimitedToAFractionOfTheTrackBox)
{
    const Vector2 box(40, 40);
    const Vector2 far = Mirabel::LimitGrabOffset(Vector2(30, 40), box);
    EXPECT_NEAR(far.Length(), 0.18f * box.Length(), 1e-4f);
    EXPECT_NEAR(far.Length(), 10.18f, 0.01f);
    EXPECT_NEAR(far.x / far.y, 0.75f, 1e-4f);
    const Vector2 near = Mirabel::LimitGrabOffset(Vector2(3, 4), box);
    EXPECT_FLOAT_EQ(near.x, 3.0f);
    EXPECT_FLOAT_EQ(near.y, 4.0f);
    const Vector2 tiny = Mirabel::LimitGrabOffset(Vector2(0.3f, 0.4f), box);
    EXPECT_FLOAT_EQ(tiny.x, 0.3f);
}

TEST(CarryRulesTest, PieceGrowsOverTheBoardOnlyAwayFromTheTrack)
{
    EXPECT_FLOAT_EQ(Mirabel::FitScale(Vector2(80, 50), Vector2(40, 40)), 0.5f);
    const struct
    {
        float distance;
        float growth;
    } cases[] = {{0, 0}, {20, 0}, {32.5f, 0.5f}, {45, 1}, {200, 1}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(Mirabel::BoardGrowth(c.distance), c.growth) << c.distance;
    EXPECT_FLOAT_EQ(Mirabel::CarriedScale(0.5f, 0.4f, true), 0.7f);
    EXPECT_FLOAT_EQ(Mirabel::CarriedScale(1.0f, 0.4f, false), 0.4f);
}

TEST(CarryRulesTest, MagnetPullsFrom450AndGlidesWithin200)
{
    const Vector2 place(0, 0);
    const struct
    {
        float dist;
        float pull;
    } cases[] = {{450, 0}, {325, 50}, {250, 80}, {200.01f, 100}};
    for (const auto& c : cases)
    {
        bool glide = true;
        const Vector2 t = Mirabel::MagnetTarget(Vector2(c.dist, 0), place, Vector2(999, 999), 0.5f, glide);
        EXPECT_NEAR(c.dist - t.x, c.pull, 1e-2f) << c.dist;
        EXPECT_FLOAT_EQ(t.y, 0.0f);
        EXPECT_FALSE(glide);
    }
    bool glide = false;
    const Vector2 current(100, 0);
    const Vector2 still = Mirabel::MagnetTarget(Vector2(150, 0), place, current, 0.0f, glide);
    EXPECT_TRUE(glide);
    EXPECT_FLOAT_EQ(still.x, 100.0f);
    const Vector2 step = Mirabel::MagnetTarget(Vector2(150, 0), place, current, 0.035f, glide);
    EXPECT_NEAR(step.x, 90.0f, 1e-4f);
    const Vector2 there = Mirabel::MagnetTarget(Vector2(150, 0), place, current, 1.0f, glide);
    EXPECT_FLOAT_EQ(there.x, 0.0f);
    const Vector2 onTop = Mirabel::MagnetTarget(place, place, place, 0.1f, glide);
    EXPECT_FLOAT_EQ(onTop.x, 0.0f);
    EXPECT_FLOAT_EQ(onTop.y, 0.0f);
}

} // namespace
