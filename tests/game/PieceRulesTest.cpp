#include "engine/core/Random.h"
#include "game/PieceRules.h"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

namespace
{

using OrvaneEngine::Vector2;

TEST(PieceRulesTest, ShuffleSwapsEachPieceWithOneDrawnBeforeIt)
{
    OrvaneEngine::SeedRandom(1);
    EXPECT_EQ(Mirabel::ShuffleOrder(4), (std::vector<std::uint32_t>{1, 3, 0, 2}));
    OrvaneEngine::SeedRandom(1);
    EXPECT_EQ(Mirabel::ShuffleOrder(1), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(OrvaneEngine::Random(), 16838);
    EXPECT_TRUE(Mirabel::ShuffleOrder(0).empty());
}

TEST(PieceRulesTest, ShadowOffsetAndStrictHitTest)
{
    const struct
    {
        float scale;
        float offset;
    } cases[] = {{0.25f, 1.5f}, {0.5f, 3}, {1, 3}};
    for (const auto& c : cases)
    {
        const Vector2 o = Mirabel::ShadowOffset(c.scale);
        EXPECT_FLOAT_EQ(o.x, c.offset) << c.scale;
        EXPECT_FLOAT_EQ(o.y, -c.offset) << c.scale;
    }
    const Vector2 p(10, 20);
    const Vector2 s(30, 40);
    EXPECT_TRUE(Mirabel::IsInsideRect(p, s, Vector2(11, 21)));
    for (const Vector2& edge : {Vector2(10, 30), Vector2(40, 30), Vector2(20, 20), Vector2(20, 60)})
        EXPECT_FALSE(Mirabel::IsInsideRect(p, s, edge)) << edge.x << "," << edge.y;
}

TEST(PieceRulesTest, FlashBeatsThreeTimesWeakerThenEndsAfterPiSeconds)
{
    float time = 0.0f;
    bool done = false;
    float peaks[3] = {0, 0, 0};
    float elapsed = 0.0f;
    while (!done && elapsed < 10.0f)
    {
        const float alpha = Mirabel::StepFlash(time, 0.001f, done);
        elapsed += 0.001f;
        const float pi = std::numbers::pi_v<float>;
        const int beat = time < pi / 2 ? 0 : time < 3 * pi / 2 ? 1 : 2;
        if (!done)
            peaks[beat] = std::max(peaks[beat], alpha);
        else
            EXPECT_EQ(alpha, 0.0f);
    }
    EXPECT_NEAR(elapsed, std::numbers::pi_v<float>, 0.002f);
    EXPECT_NEAR(peaks[0], 0.9f, 1e-3f);
    EXPECT_NEAR(peaks[1], 0.6f, 1e-3f);
    EXPECT_NEAR(peaks[2], 0.3f, 1e-3f);
}

TEST(PieceRulesTest, HighlightPulsesThenFadesFromWhereItWas)
{
    Mirabel::Highlight h{true, false, 0.0f};
    const float alpha = Mirabel::StepHighlight(h, 0.0f, std::numbers::pi_v<float> / 2);
    EXPECT_FLOAT_EQ(alpha, 0.4f);
    h.ending = true;
    EXPECT_FLOAT_EQ(Mirabel::StepHighlight(h, alpha, 0.1f), 0.3f);
    EXPECT_TRUE(h.running);
    EXPECT_EQ(Mirabel::StepHighlight(h, 0.05f, 0.1f), 0.0f);
    EXPECT_FALSE(h.running);
    EXPECT_FALSE(h.ending);
}

} // namespace
