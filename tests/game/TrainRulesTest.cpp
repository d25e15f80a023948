#include "game/SpeedLaw.h"
#include "game/TrainRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace
{

using Mirabel::CarriagePlace;
using Mirabel::TrainSlot;

TEST(TrainRulesTest, BackwardMotionPushesThePiecesBehindAndKeepsTheirSpacing)
{
    std::vector<float> train{100, 200, 300};
    CarriagePlace carriage{true, 40};
    Mirabel::MoveTrainBackward(train, -150, carriage);
    Mirabel::SpaceTrain(train, carriage);
    EXPECT_EQ(train, (std::vector<float>{30, 90, 150}));
    EXPECT_FLOAT_EQ(carriage.distance, -30.0f);
    EXPECT_FALSE(carriage.shown);

    // The back piece pushed below the start is the one to leave the train.
    std::vector<float> short_{30, 100};
    CarriagePlace none;
    Mirabel::MoveTrainBackward(short_, -50, none);
    EXPECT_FLOAT_EQ(short_[0], -10.0f);
    EXPECT_FLOAT_EQ(short_[1], 50.0f);

    std::vector<float> empty;
    CarriagePlace alone{true, 200};
    Mirabel::MoveTrainBackward(empty, -20, alone);
    EXPECT_FLOAT_EQ(alone.distance, 180.0f);
}

TEST(TrainRulesTest, ForwardMotionMovesOnlyTheBackAndLeavesGapsUntilClosed)
{
    std::vector<float> train{0, 60, 300};
    const CarriagePlace none;
    Mirabel::MoveTrainForward(train, 10, none);
    EXPECT_EQ(train, (std::vector<float>{10, 70, 300}));
    for (int i = 0; i < 20; ++i)
        Mirabel::MoveTrainForward(train, 10, none);
    EXPECT_EQ(train, (std::vector<float>{210, 270, 330}));

    std::vector<float> pushed{100, 200};
    Mirabel::MoveTrainForward(pushed, 5, CarriagePlace{true, 50});
    EXPECT_EQ(pushed, (std::vector<float>{110, 200}));
}

TEST(TrainRulesTest, FeedingWaitsUntilTheBackPieceIsOneSpacingIn)
{
    EXPECT_TRUE(Mirabel::CanFeed({}));
    EXPECT_EQ(Mirabel::FeedDistance({}), 0.0f);
    EXPECT_FALSE(Mirabel::CanFeed({59.9f, 200}));
    EXPECT_TRUE(Mirabel::CanFeed({60, 200}));
    EXPECT_FLOAT_EQ(Mirabel::FeedDistance({75, 200}), 15.0f);
}

TEST(TrainRulesTest, DropAndReturnFindTheFirstWideGap)
{
    const float L = 1000.0f;
    const CarriagePlace hidden;
    const struct
    {
        const char* name;
        std::vector<float> train;
        CarriagePlace carriage;
        bool drop;
        float s;
        std::optional<TrainSlot> expected;
    } cases[] = {
        {"gap narrower than 120", {100, 219.9f}, hidden, true, 160, std::nullopt},
        {"gap of 120", {100, 220}, hidden, true, 160, TrainSlot{1, 160}},
        {"near the front edge", {100, 400}, hidden, true, 350, TrainSlot{1, 340}},
        {"near the back edge", {100, 400}, hidden, true, 130, TrainSlot{1, 160}},
        {"in the open", {100, 400}, hidden, true, 250, TrainSlot{1, 250}},
        {"before the back piece", {200, 400}, hidden, true, 50, TrainSlot{0, 50}},
        {"behind a shown carriage", {200, 400}, CarriagePlace{true, 150}, true, 160, std::nullopt},
        {"beyond the front", {100, 400}, hidden, true, 1040, TrainSlot{2, 1000}},
        {"outside every gap", {100, 400}, hidden, true, 1100, std::nullopt},
        {"empty, carriage hidden", {}, hidden, true, 990, TrainSlot{0, 990}},
        {"empty, behind the carriage", {}, CarriagePlace{true, 300}, true, 200, std::nullopt},
        {"empty, ahead of the carriage", {}, CarriagePlace{true, 300}, true, 310, TrainSlot{0, 310}},
        {"return with a gap", {30, 90, 150, 400}, hidden, false, 0, TrainSlot{3, 210}},
        {"return before the back piece", {200, 400}, hidden, false, 0, TrainSlot{0, 0}},
        {"return, no gap", {60, 120, 180, 240, 300, 360, 420, 480, 540, 600, 660, 720, 780, 840, 900, 960},
         CarriagePlace{true, 0}, false, 0, std::nullopt},
        {"return, empty, carriage hidden", {}, hidden, false, 0, TrainSlot{0, 0}},
        {"return, empty, carriage shown", {}, CarriagePlace{true, 500}, false, 0, TrainSlot{0, 560}},
        {"return, empty, carriage at the end", {}, CarriagePlace{true, 950}, false, 0, std::nullopt},
    };
    for (const auto& c : cases)
    {
        const std::optional<TrainSlot> slot = c.drop ? Mirabel::FindDropSlot(c.train, c.carriage, L, c.s)
                                                     : Mirabel::FindReturnSlot(c.train, c.carriage, L);
        ASSERT_EQ(slot.has_value(), c.expected.has_value()) << c.name;
        if (slot)
        {
            EXPECT_EQ(slot->index, c.expected->index) << c.name;
            EXPECT_NEAR(slot->distance, c.expected->distance, 1e-3f) << c.name;
        }
    }
}

// Runs a final charge frame by frame as the track does and counts the
// checkpoint payments.
std::uint32_t ChargePayments(float start, float L, float dt, int frames, float fade = 1.0f)
{
    std::uint32_t next = Mirabel::FirstCheckpoint(start, L);
    std::uint32_t paid = 0;
    float time = 0.0f;
    for (int i = 0; i < frames; ++i)
    {
        time += dt * fade;
        const float distance = std::min(Mirabel::ChargeDistance(time, start), L);
        paid += Mirabel::PassCheckpoints(next, distance, L);
    }
    return paid;
}

TEST(TrainRulesTest, EveryCheckpointPaysOnceFromTheChargeStartOn)
{
    const float L = 1100.0f;
    // The carriage stands still for the first 0.05 s.
    EXPECT_EQ(ChargePayments(0, L, 0.001f, 100), 1u);
    EXPECT_EQ(ChargePayments(0, L, 0.017f, 1000), 45u);
    EXPECT_EQ(ChargePayments(L / 2, L, 0.017f, 1000), 23u);
    EXPECT_EQ(ChargePayments(L, L, 0.017f, 100), 1u);
    EXPECT_EQ(Mirabel::FirstCheckpoint(L / 2, L), 22u);

    // A pause mid-charge pays nothing more.
    std::uint32_t next = Mirabel::FirstCheckpoint(0, L);
    float time = 0.0f;
    std::uint32_t paid = 0;
    for (int i = 0; i < 400; ++i)
    {
        const float fade = i >= 50 && i < 250 ? 0.0f : 1.0f;
        time += 0.017f * fade;
        paid += Mirabel::PassCheckpoints(next, std::min(Mirabel::ChargeDistance(time, 0), L), L);
    }
    EXPECT_EQ(paid, 45u);
}

} // namespace
