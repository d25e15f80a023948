#include "game/SpeedLaw.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

TEST(SpeedLawTest, TargetSpeedRisesOnAnEmptierTrack)
{
    const struct
    {
        float ratio;
        bool relax;
        float rush;
        float fastForward;
        float expected;
    } cases[] = {
        {1.0f, false, 0, 0, 24.8f}, {1.0f, true, 0, 0, 56.8f}, {0.5f, false, 0, 0, 13.0f},
        {0.5f, true, 0, 0, 45.0f},  {0.0f, false, 0, 0, 8.0f}, {2.0f, false, 0, 0, 40.0f},
        {0.5f, false, 400, 300, 713.0f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Mirabel::TargetSpeed(c.ratio, c.relax, c.rush, c.fastForward), c.expected, 1e-4f)
            << c.ratio << " relax " << c.relax;
}

TEST(SpeedLawTest, BonusAndComboBrakeTimesFollowTheFreeRatio)
{
    const struct
    {
        float ratio;
        float pause;
    } cases[] = {{0.95f, 1.5f}, {0.9f, 3.5f}, {0.85f, 3.5f}, {0.7f, 5.5f}, {0.6f, 9.5f}, {0.0f, 9.5f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(Mirabel::PauseBonusTime(c.ratio), c.pause) << c.ratio;
    EXPECT_FLOAT_EQ(Mirabel::ComboBrakeTime(0.79f, 3), 1.35f);
    EXPECT_FLOAT_EQ(Mirabel::ComboBrakeTime(0.8f, 3), 0.0f);
    EXPECT_FLOAT_EQ(Mirabel::ComboBrakeTime(0.1f, 0), 0.0f);
}

TEST(SpeedLawTest, RollBackRampsToItsCapThenDecaysAndDrivesTheTrainBackwards)
{
    float speed = 0.0f;
    float time = 3.1f;
    float peak = 0.0f;
    float lowestVelocity = 1000.0f;
    int frames = 0;
    for (; time > 0.0f && frames < 1000; ++frames)
    {
        Mirabel::StepTimedSpeed(speed, time, 0.01f, Mirabel::kRollBackCap);
        peak = std::max(peak, speed);
        lowestVelocity = std::min(lowestVelocity, Mirabel::TrainVelocity(20.0f, speed, 0.0f));
    }
    EXPECT_FLOAT_EQ(peak, 160.0f);
    EXPECT_NEAR(frames * 0.01f, 3.1f, 0.011f);
    EXPECT_LT(lowestVelocity, -100.0f);
    const float before = speed;
    Mirabel::StepTimedSpeed(speed, time, 0.1f, Mirabel::kRollBackCap);
    EXPECT_NEAR(speed, before - (0.6f * before + 30.0f) * 0.1f, 1e-3f);
    for (int i = 0; i < 100; ++i)
        Mirabel::StepTimedSpeed(speed, time, 0.1f, Mirabel::kRollBackCap);
    EXPECT_EQ(speed, 0.0f);
    EXPECT_EQ(time, 0.0f);
}

TEST(SpeedLawTest, BrakeStopsTheTrainButNeverReversesIt)
{
    const float target = 13.0f;
    float speed = 0.0f;
    float time = 9.5f;
    bool stopped = false;
    for (int i = 0; i < 900; ++i)
    {
        Mirabel::StepTimedSpeed(speed, time, 0.01f, target);
        const float v = Mirabel::TrainVelocity(target, 0.0f, speed);
        EXPECT_GE(v, 0.0f);
        stopped = stopped || v == 0.0f;
    }
    EXPECT_TRUE(stopped);
    // Under a roll-back the brake adds nothing beyond it.
    EXPECT_FLOAT_EQ(Mirabel::TrainVelocity(target, 50.0f, 13.0f), target - 50.0f);
}

TEST(SpeedLawTest, IntroductionWarningAndEndZone)
{
    EXPECT_FLOAT_EQ(Mirabel::IntroductionHead(1.0f), 520.0f);
    EXPECT_FLOAT_EQ(Mirabel::IntroductionHead(10.0f), 11100.0f);

    float warning = 0.0f;
    EXPECT_FALSE(Mirabel::StepWarning(warning, 450.0f, 0.1f));
    EXPECT_TRUE(Mirabel::StepWarning(warning, 449.99f, 0.1f));
    EXPECT_NEAR(warning, 3.2f, 1e-4f);
    EXPECT_FALSE(Mirabel::StepWarning(warning, 449.99f, 3.1f));
    warning = 0.0f;
    EXPECT_TRUE(Mirabel::StepWarning(warning, 0.0f, 0.01f));
    EXPECT_FLOAT_EQ(warning, 0.7f);

    const float L = 1000.0f;
    const struct
    {
        float distance;
        float sink;
    } cases[] = {{0, 0}, {L - 35, 0}, {L - 17.5f, 0.5f}, {L, 1}, {L + 50, 1}};
    for (const auto& c : cases)
        EXPECT_NEAR(Mirabel::EndZoneSink(c.distance, L), c.sink, 1e-4f) << c.distance;
}

TEST(SpeedLawTest, FastForwardNeedsHalfASecondReachesThreeHundredAndDecaysOnRelease)
{
    float speed = 0.0f;
    float hold = 0.0f;
    for (int i = 0; i < 50; ++i)
    {
        hold += 0.01f;
        speed = Mirabel::StepFastForward(speed, true, hold, 0.0f, 0.01f);
    }
    EXPECT_EQ(speed, 0.0f);
    for (int i = 0; i < 300; ++i)
    {
        hold += 0.01f;
        speed = Mirabel::StepFastForward(speed, true, hold, 0.0f, 0.01f);
        EXPECT_LE(speed, 300.0f);
    }
    EXPECT_FLOAT_EQ(speed, 300.0f);
    EXPECT_FLOAT_EQ(Mirabel::StepFastForward(300.0f, false, hold, 0.0f, 0.1f), 262.0f);
    EXPECT_FLOAT_EQ(Mirabel::StepFastForward(300.0f, false, hold, 100.0f, 0.1f), 250.0f);
    EXPECT_EQ(Mirabel::StepFastForward(10.0f, false, hold, 0.0f, 0.1f), 0.0f);
}

TEST(SpeedLawTest, RushPauseFadeAndCharge)
{
    EXPECT_FLOAT_EQ(Mirabel::DecayRush(400.0f, 0.1f), 372.0f);
    EXPECT_FLOAT_EQ(Mirabel::DecayRush(10.0f, 0.1f), 8.0f);
    EXPECT_EQ(Mirabel::DecayRush(1.0f, 0.1f), 0.0f);
    EXPECT_FLOAT_EQ(Mirabel::GrowRushAfterFailure(0.0f, 0.1f), 30.0f);
    EXPECT_FLOAT_EQ(Mirabel::GrowRushAfterFailure(1200.0f, 0.1f), 1300.0f);
    EXPECT_FLOAT_EQ(Mirabel::StartSoundTempo(0.0f), 0.4f);
    EXPECT_FLOAT_EQ(Mirabel::StartSoundTempo(150.0f), 0.7f);
    EXPECT_FLOAT_EQ(Mirabel::StartSoundTempo(400.0f), 1.0f);

    float fade = 1.0f;
    int frames = 0;
    for (; fade > 0.0f; ++frames)
        fade = Mirabel::StepPauseFade(fade, true, 0.01f);
    EXPECT_NEAR(frames, 50, 1);
    for (frames = 0; fade < 1.0f; ++frames)
        fade = Mirabel::StepPauseFade(fade, false, 0.01f);
    EXPECT_NEAR(frames, 77, 1);

    EXPECT_FLOAT_EQ(Mirabel::ChargeDistance(0.05f, 300.0f), 300.0f);
    EXPECT_FLOAT_EQ(Mirabel::ChargeDistance(1.05f, 300.0f), 430.0f);
    EXPECT_FLOAT_EQ(Mirabel::ChargeDistance(10.05f, 0.0f), 6000.0f);
}

} // namespace
