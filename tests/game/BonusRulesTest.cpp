#include "game/BonusRules.h"

#include <gtest/gtest.h>

namespace
{

TEST(BonusRulesTest, IntervalShrinksWithAFullerArcadeTrack)
{
    const struct
    {
        std::uint32_t pieces;
        bool relax;
        float interval;
    } cases[] = {{0, false, 11.5f}, {10, false, 11.5f}, {11, false, 10.85f}, {22, false, 3.7f},
                 {23, false, 3.5f}, {200, false, 3.5f}, {0, true, 13}, {40, true, 13}};
    for (const auto& c : cases)
        EXPECT_NEAR(Mirabel::BonusInterval(c.pieces, c.relax), c.interval, 1e-4f) << c.pieces;
}

TEST(BonusRulesTest, TrainStoppingBonusesComeAsTheTrackFills)
{
    const struct
    {
        float ratio;
        std::uint32_t pause;
        std::uint32_t rollBack;
    } cases[] = {{0.85f, 0, 0},  {0.8f, 12, 0}, {0.75f, 12, 0},  {0.7f, 12, 5},
                 {0.5f, 12, 5}, {0.2f, 12, 5}, {0.1f, 12, 22}};
    for (const auto& c : cases)
    {
        const Mirabel::BonusWeights w = Mirabel::BonusTypeWeights(c.ratio);
        EXPECT_EQ(w.tip, 20u);
        EXPECT_EQ(w.magnet, 16u);
        EXPECT_EQ(w.pause, c.pause) << c.ratio;
        EXPECT_EQ(w.rollBack, c.rollBack) << c.ratio;
    }
}

TEST(BonusRulesTest, SymbolFadesInStaysFadesOutOrVanishesGrowing)
{
    const struct
    {
        float time;
        bool vanishing;
        float alpha;
        float scale;
        bool alive;
    } cases[] = {
        {0.25f, false, 0.25f, 1, true}, {1.0f, false, 1, 1, true},   {12, false, 1, 1, true},
        {23.5f, false, 0.5f, 1, true},  {24.0f, false, 0, 1, true},  {24.01f, false, 0, 1, false},
        {0.0f, true, 1, 1, true},       {0.5f, true, 0.5f, 1.25f, true}, {0.99995f, true, 0.00005f, 1.499975f, false},
    };
    for (const auto& c : cases)
    {
        const Mirabel::BonusLook look = Mirabel::BonusSymbolLook(c.time, c.vanishing);
        EXPECT_NEAR(look.alpha, c.alpha, 1e-4f) << c.time << " " << c.vanishing;
        EXPECT_NEAR(look.scale, c.scale, 1e-4f) << c.time << " " << c.vanishing;
        EXPECT_EQ(look.alive, c.alive) << c.time << " " << c.vanishing;
    }
}

} // namespace
