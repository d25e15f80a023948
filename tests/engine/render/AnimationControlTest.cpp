#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace OrvaneEngine
{

// Reaches the values that keep their construction values in the game.
class AnimationControlProbe
{
public:
    static void SetInterpolate(AnimationControl& control, bool on) { control.interpolate = on; }
    static void SetRepeatLimit(AnimationControl& control, std::uint32_t limit) { control.repeatLimit = limit; }
    static void SetDelays(AnimationControl& control, float minimum, float maximum)
    {
        control.delayMinimum = minimum;
        control.delayMaximum = maximum;
    }
    static float DelayRemaining(const AnimationControl& control) { return control.delayRemaining; }
};

namespace
{

class AnimationControlTest : public ::testing::Test
{
protected:
    AnimationControlTest() { SeedRandom(1234); }

    void Run(AnimationControl& control, int updates, float dt)
    {
        timers.frameTime = dt;
        for (int update = 0; update < updates; ++update)
            control.Update();
    }

    void Still(AnimationControl& control)
    {
        timers.frameTime = 0.0f;
        control.Update();
    }

    static void ExpectFrames(const AnimationControl& control, std::uint32_t first, std::uint32_t second, float blend)
    {
        EXPECT_EQ(control.GetFirstFrame(), first);
        EXPECT_EQ(control.GetSecondFrame(), second);
        EXPECT_NEAR(control.GetBlend(), blend, 1e-4f);
    }

    TimerManager timers;
};

TEST_F(AnimationControlTest, ConstructionSelectsTheWholeRange)
{
    AnimationControl control(nullptr, &timers, 10);
    EXPECT_EQ(control.GetCurrentRangeId(), -1);
    EXPECT_FALSE(control.IsPlaying());
    EXPECT_FALSE(control.repeat);
    EXPECT_EQ(control.speed, 0.0f);
    control.time = 8.5f;
    Still(control);
    ExpectFrames(control, 8, 9, 0.5f);
}

TEST_F(AnimationControlTest, PlayOnceStopsOnTheLastFrame)
{
    AnimationControl control(nullptr, &timers, 10);
    control.speed = 5.0f;
    control.Play();
    Run(control, 17, 0.1f);
    EXPECT_TRUE(control.IsPlaying());
    Run(control, 1, 0.1f);
    ExpectFrames(control, 9, 0, 0.0f);
    EXPECT_FALSE(control.IsPlaying());
    EXPECT_FLOAT_EQ(control.time, 9.0f);
}

TEST_F(AnimationControlTest, RepeatWrapsAndNeverShowsTheLastFrameFirst)
{
    AnimationControl control(nullptr, &timers, 10);
    control.repeat = true;
    control.time = 9.5f;
    Still(control);
    EXPECT_FLOAT_EQ(control.time, 0.5f);
    ExpectFrames(control, 0, 1, 0.5f);
    EXPECT_EQ(control.GetRepeatsDone(), 1u);

    control.speed = 7.0f;
    control.Play();
    timers.frameTime = 0.05f;
    for (int step = 0; step < 200; ++step)
    {
        control.Update();
        ASSERT_LT(control.GetFirstFrame(), 9u);
        ASSERT_TRUE(control.IsPlaying());
    }
}

TEST_F(AnimationControlTest, BackwardsRangeCountsDownFromItsFirstFrame)
{
    AnimationControl control(nullptr, &timers, 10);
    control.AddRange(1, 9, 0);
    control.SetAnimation(1);
    control.time = 2.25f;
    Still(control);
    ExpectFrames(control, 6, 7, 0.75f);

    control.AddRange(2, 7, 4);
    control.SetAnimation(2);
    control.Play();
    control.speed = 10.0f;
    Run(control, 10, 0.1f);
    // It rests on its last frame, the lower one: frame 7 blended all the way to 4.
    EXPECT_FALSE(control.IsPlaying());
    ExpectFrames(control, 7, 4, 1.0f);
}

TEST_F(AnimationControlTest, OneFrameRangeAndInterpolateOff)
{
    AnimationControl control(nullptr, &timers, 10);
    control.AddRange(3, 4, 4);
    control.SetAnimation(3);
    control.Play();
    control.speed = 3.0f;
    Run(control, 5, 0.1f);
    ExpectFrames(control, 4, 4, 0.0f);

    AnimationControl flat(nullptr, &timers, 10);
    AnimationControlProbe::SetInterpolate(flat, false);
    flat.speed = 2.5f;
    flat.Play();
    Run(flat, 4, 0.25f);
    EXPECT_EQ(flat.GetFirstFrame(), 2u);
    EXPECT_EQ(flat.GetSecondFrame(), 3u);
    EXPECT_EQ(flat.GetBlend(), 0.0f);
}

TEST_F(AnimationControlTest, UnknownRangeIsStoredAsFrameZero)
{
    AnimationControl control(nullptr, &timers, 10);
    control.SetAnimation(42);
    control.time = 5.0f;
    Still(control);
    ExpectFrames(control, 0, 0, 0.0f);
    // Stored as (0, 0): adding it now changes nothing.
    control.AddRange(42, 2, 8);
    control.time = 3.0f;
    Still(control);
    ExpectFrames(control, 0, 0, 0.0f);
}

TEST_F(AnimationControlTest, SetLastFrameShowsTheLastPose)
{
    AnimationControl control(nullptr, &timers, 10);
    control.AddRange(5, 2, 6);
    control.SetAnimation(5);
    control.SetLastFrame();
    Still(control);
    ExpectFrames(control, 5, 6, 0.9999f);
}

TEST_F(AnimationControlTest, CopiesAndRanges)
{
    AnimationControl source(nullptr, &timers, 10);
    source.AddRange(1, 2, 5);
    source.SetAnimation(1);
    source.speed = 4.0f;
    source.repeat = true;
    source.time = 1.5f;
    source.Play();
    Still(source);

    AnimationControl other(nullptr, &timers, 12);
    other.CopyFrom(source);
    EXPECT_EQ(other.GetCurrentRangeId(), -1);
    EXPECT_FALSE(other.IsPlaying());
    EXPECT_EQ(other.speed, 0.0f);

    AnimationControl same(nullptr, &timers, 10);
    same.CopyFrom(source);
    AnimationControl copied(source);
    for (AnimationControl* control : {&same, &copied})
    {
        EXPECT_EQ(control->GetCurrentRangeId(), 1);
        EXPECT_TRUE(control->IsPlaying());
        EXPECT_TRUE(control->repeat);
        EXPECT_EQ(control->speed, 4.0f);
        ExpectFrames(*control, 3, 4, 0.5f);
        Still(*control);
        ExpectFrames(*control, 3, 4, 0.5f);
    }

    source.AddRange(1, 0, 9);
    Still(source);
    ExpectFrames(source, 3, 4, 0.5f);
}

TEST_F(AnimationControlTest, StartAfterRandomDelayPicksAPositionInTheRange)
{
    AnimationControl control(nullptr, &timers, 10);
    control.AddRange(1, 0, 4);
    control.SetAnimation(1);
    for (int attempt = 0; attempt < 50; ++attempt)
    {
        control.StartAfterRandomDelay();
        EXPECT_GE(control.time, 0.0f);
        EXPECT_LT(control.time, 4.0f);
    }
    EXPECT_FALSE(control.IsPlaying());
}

TEST_F(AnimationControlTest, RepeatLimitAndDelayWaitOnTheFirstFrame)
{
    AnimationControl limited(nullptr, &timers, 5);
    limited.repeat = true;
    AnimationControlProbe::SetRepeatLimit(limited, 2);
    limited.speed = 10.0f;
    limited.Play();
    Run(limited, 4, 0.1f);
    EXPECT_EQ(limited.GetRepeatsDone(), 1u);
    Run(limited, 3, 0.1f);
    EXPECT_TRUE(limited.IsPlaying());
    Run(limited, 1, 0.1f);
    // The limit is used up and no delay is set: stop on the first frame.
    ExpectFrames(limited, 0, 1, 0.0f);
    EXPECT_FALSE(limited.IsPlaying());
    // Playing again starts a fresh count: the whole limit plays once more.
    limited.Play();
    EXPECT_EQ(limited.GetRepeatsDone(), 0u);
    Run(limited, 4, 0.1f);
    EXPECT_EQ(limited.GetRepeatsDone(), 1u);
    EXPECT_TRUE(limited.IsPlaying());
    Run(limited, 4, 0.1f);
    EXPECT_FALSE(limited.IsPlaying());

    AnimationControl delayed(nullptr, &timers, 5);
    delayed.repeat = true;
    AnimationControlProbe::SetDelays(delayed, 0.95f, 0.95f);
    delayed.speed = 10.0f;
    delayed.Play();
    // The delay has to run out before time moves.
    Run(delayed, 5, 0.1f);
    EXPECT_EQ(delayed.time, 0.0f);
    EXPECT_TRUE(delayed.IsPlaying());
    Run(delayed, 7, 0.1f);
    EXPECT_FLOAT_EQ(delayed.time, 3.0f);
    // The end draws a new delay and waits on the first frame.
    Run(delayed, 1, 0.1f);
    ExpectFrames(delayed, 0, 1, 0.0f);
    EXPECT_TRUE(delayed.IsPlaying());
    EXPECT_NEAR(AnimationControlProbe::DelayRemaining(delayed), 0.95f, 1e-4f);
}

// Damaged or extreme input: no hang, no division by zero, frames inside the range.
TEST_F(AnimationControlTest, ExtremeInputStaysInRange)
{
    struct Case
    {
        std::string name;
        std::uint32_t frameCount;
        bool repeat;
        float speed;
        float time;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {"frame count 0", 0, true, 10.0f, 0.5f},
        {"frame count 0 once", 0, false, 10.0f, 0.0f},
        {"negative time", 10, false, 0.0f, -3.0f},
        {"negative time repeating", 10, true, 0.0f, -3.0f},
        {"negative speed", 10, true, -5.0f, 2.0f},
        {"huge time repeating", 10, true, 0.0f, 1e30f},
        {"huge speed repeating", 10, true, 1e30f, 0.0f},
        {"infinite time repeating", 10, true, 0.0f, inf},
        {"NaN time repeating", 10, true, 0.0f, std::numeric_limits<float>::quiet_NaN()},
        {"NaN time once", 10, false, 0.0f, std::numeric_limits<float>::quiet_NaN()},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        AnimationControl control(nullptr, &timers, c.frameCount);
        control.repeat = c.repeat;
        control.speed = c.speed;
        control.time = c.time;
        control.Play();
        timers.frameTime = 0.1f;
        for (int step = 0; step < 5; ++step)
        {
            control.Update();
            const std::uint32_t last = std::max<std::uint32_t>(c.frameCount, 1) - 1;
            EXPECT_LE(control.GetFirstFrame(), last);
            EXPECT_LE(control.GetSecondFrame(), last);
            EXPECT_TRUE(std::isfinite(control.GetBlend()));
            EXPECT_GE(control.GetBlend(), 0.0f);
            EXPECT_LT(control.GetBlend(), 1.0f);
        }
    }
}

TEST_F(AnimationControlTest, FarPastTheRangeCountsEveryRepeat)
{
    AnimationControl control(nullptr, &timers, 10);
    control.repeat = true;
    control.time = 9.0f * 100000.0f + 4.5f;
    Still(control);
    ExpectFrames(control, 4, 5, 0.5f);
    EXPECT_EQ(control.GetRepeatsDone(), 100000u);
}

TEST_F(AnimationControlTest, WholeFrameRangeOfTheLargestCount)
{
    AnimationControl control(nullptr, &timers, 0xFFFFFFFFu);
    control.time = 12.0f;
    Still(control);
    ExpectFrames(control, 12, 13, 0.0f);
}

} // namespace
} // namespace OrvaneEngine
