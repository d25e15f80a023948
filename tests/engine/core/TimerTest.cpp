#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/PerformanceCounterHooks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

// Reads what the manager keeps to itself.
class TimerManagerProbe
{
public:
    static std::uint32_t SlotOf(const TimerManager& manager, const Timer* timer)
    {
        for (std::size_t index = 0; index < manager.slots.size(); ++index)
        {
            if (manager.slots[index].get() == timer)
                return static_cast<std::uint32_t>(index);
        }
        ADD_FAILURE() << "timer not held";
        return ~0u;
    }
    static std::size_t SlotCount(const TimerManager& manager) { return manager.slots.size(); }
    static std::size_t ActiveCount(const TimerManager& manager) { return manager.activeSlots.size(); }
    static float FpsTime(const TimerManager& manager) { return manager.fpsTime; }
};

namespace
{

// Both clocks stand still until a test moves them, always together.
class TimerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        win32::testing::ResetMultimediaTimer();
        win32::testing::ResetPerformanceCounter();
        win32::testing::SetFakeMilliseconds(100000);
        win32::testing::SetFakeCounter(100000 * nanosecondsPerMillisecond);
    }
    void TearDown() override
    {
        win32::testing::ResetMultimediaTimer();
        win32::testing::ResetPerformanceCounter();
    }

    static void AdvanceMilliseconds(std::uint32_t milliseconds)
    {
        win32::testing::AdvanceFakeMilliseconds(milliseconds);
        win32::testing::AdvanceFakeCounter(std::int64_t{milliseconds} * nanosecondsPerMillisecond);
    }

    static constexpr std::int64_t nanosecondsPerMillisecond = 1000000;
};

class TimerClockTest : public TimerTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(TimerClockTest, PausingTwiceOrResumingARunningTimerChangesNothing)
{
    TimerManager manager;
    Timer* timer = manager.CreateTimer(0.0f, GetParam());

    AdvanceMilliseconds(1000);
    timer->SetPaused(false);
    EXPECT_NEAR(timer->GetTime(), 1.0f, 1e-5f);

    EXPECT_FALSE(timer->IsPaused());

    timer->SetPaused(true);
    AdvanceMilliseconds(500);
    timer->SetPaused(true);
    EXPECT_TRUE(timer->IsPaused());
    AdvanceMilliseconds(500);
    EXPECT_NEAR(timer->GetTime(), 1.0f, 1e-5f);

    timer->SetPaused(false);
    AdvanceMilliseconds(200);
    timer->SetPaused(false);
    EXPECT_FALSE(timer->IsPaused());
    AdvanceMilliseconds(100);
    EXPECT_NEAR(timer->GetTime(), 1.3f, 1e-5f);
}

TEST_P(TimerClockTest, APauseIsExcludedFromLaterReadings)
{
    TimerManager manager;
    Timer* timer = manager.CreateTimer(0.0f, GetParam());

    AdvanceMilliseconds(2000);
    timer->SetPaused(true);
    AdvanceMilliseconds(5000);
    timer->SetPaused(false);
    AdvanceMilliseconds(1000);
    EXPECT_NEAR(timer->GetTime(), 3.0f, 1e-5f);
}

TEST_P(TimerClockTest, ResetSetsTheReadingAndRunsAPausedTimer)
{
    TimerManager manager;
    Timer* timer = manager.CreateTimer(7.0f, GetParam());
    EXPECT_NEAR(timer->GetTime(), 7.0f, 1e-5f);

    timer->SetPaused(true);
    AdvanceMilliseconds(3000);
    timer->Reset(2.5f);
    EXPECT_FALSE(timer->IsPaused());
    EXPECT_NEAR(timer->GetTime(), 2.5f, 1e-5f);
    AdvanceMilliseconds(1000);
    EXPECT_NEAR(timer->GetTime(), 3.5f, 1e-5f);
}

TEST_P(TimerClockTest, FourFramesOfAQuarterSecondCountFourFramesPerSecond)
{
    win32::testing::SetTimerCapsFail(GetParam());
    TimerManager manager;
    for (int frame = 1; frame <= 4; ++frame)
    {
        AdvanceMilliseconds(250);
        manager.Update();
        EXPECT_FLOAT_EQ(manager.frameTime, 0.1f) << "frame " << frame;
        EXPECT_EQ(manager.fps, frame < 4 ? 0u : 4u) << "frame " << frame;
    }
    EXPECT_NEAR(TimerManagerProbe::FpsTime(manager), 0.0f, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(BothClocks, TimerClockTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& clock)
                         { return clock.param ? "PerformanceCounter" : "Milliseconds"; });

TEST_F(TimerTest, MillisecondReadingsAreRightAcrossTheClocksWrapAround)
{
    win32::testing::SetFakeMilliseconds(0xFFFFFF00u);
    TimerManager manager;
    Timer* timer = manager.CreateTimer(0.0f, false);
    win32::testing::AdvanceFakeMilliseconds(512);
    EXPECT_FLOAT_EQ(timer->GetTime(), 0.512f);

    timer->SetPaused(true);
    win32::testing::AdvanceFakeMilliseconds(0x100);
    timer->SetPaused(false);
    EXPECT_FLOAT_EQ(timer->GetTime(), 0.512f);
}

TEST_F(TimerTest, FreedSlotsAreReusedLastFreedFirst)
{
    TimerManager manager;
    Timer* first = manager.CreateTimer(0.0f, false);
    Timer* second = manager.CreateTimer(0.0f, false);
    Timer* third = manager.CreateTimer(0.0f, false);
    const std::uint32_t firstSlot = TimerManagerProbe::SlotOf(manager, first);
    const std::uint32_t secondSlot = TimerManagerProbe::SlotOf(manager, second);
    const std::uint32_t thirdSlot = TimerManagerProbe::SlotOf(manager, third);
    EXPECT_EQ(secondSlot, firstSlot + 1);
    EXPECT_EQ(thirdSlot, secondSlot + 1);

    manager.ReleaseTimer(second);
    manager.ReleaseTimer(first);
    manager.ReleaseTimer(nullptr);

    Timer* fourth = manager.CreateTimer(0.0f, false);
    Timer* fifth = manager.CreateTimer(0.0f, false);
    Timer* sixth = manager.CreateTimer(0.0f, false);
    EXPECT_EQ(TimerManagerProbe::SlotOf(manager, fourth), firstSlot);
    EXPECT_EQ(TimerManagerProbe::SlotOf(manager, fifth), secondSlot);
    EXPECT_EQ(TimerManagerProbe::SlotOf(manager, sixth), thirdSlot + 1);
    EXPECT_EQ(TimerManagerProbe::SlotOf(manager, third), thirdSlot);
}

// Releasing a timer that belongs to another manager must neither delete it
// (its owner still uses and deletes it) nor disturb this manager's slots.
TEST_F(TimerTest, ReleasingATimerTheManagerDoesNotHoldDoesNothing)
{
    TimerManager owner;
    TimerManager other;
    Timer* foreign = owner.CreateTimer(0.0f, false);
    Timer* own = other.CreateTimer(0.0f, false);
    const std::size_t slots = TimerManagerProbe::SlotCount(other);
    const std::size_t active = TimerManagerProbe::ActiveCount(other);

    other.ReleaseTimer(foreign);

    EXPECT_EQ(TimerManagerProbe::SlotCount(other), slots);
    EXPECT_EQ(TimerManagerProbe::ActiveCount(other), active);
    EXPECT_EQ(TimerManagerProbe::SlotOf(other, own), slots - 1);
    Timer* next = other.CreateTimer(0.0f, false);
    EXPECT_EQ(TimerManagerProbe::SlotOf(other, next), slots);

    AdvanceMilliseconds(250);
    EXPECT_NEAR(foreign->GetTime(), 0.25f, 1e-5f);
    EXPECT_EQ(TimerManagerProbe::SlotOf(owner, foreign), 1u);
}

TEST_F(TimerTest, FrameTimeIsClampedWhileTheSecondCountsRealTime)
{
    // The performance counter resolves the sub-millisecond frame.
    win32::testing::SetTimerCapsFail(true);
    TimerManager manager;

    // The first frame measures the whole start-up.
    win32::testing::AdvanceFakeCounter(300000000);
    manager.Update();
    EXPECT_FLOAT_EQ(manager.frameTime, 0.1f);

    struct Step
    {
        std::int64_t nanoseconds;
        float frameTime;
        float fpsTime;
        std::uint32_t fps;
    };
    const std::vector<Step> steps = {
        {500000000, 0.1f, 0.8f, 0},
        {200000, 0.001f, 0.8002f, 0},
        {0, 0.001f, 0.8002f, 0},
        {50000000, 0.05f, 0.8502f, 0},
        {250000000, 0.1f, 0.1002f, 6},
    };
    for (const Step& step : steps)
    {
        win32::testing::AdvanceFakeCounter(step.nanoseconds);
        manager.Update();
        EXPECT_NEAR(manager.frameTime, step.frameTime, 1e-6f) << step.nanoseconds;
        EXPECT_NEAR(TimerManagerProbe::FpsTime(manager), step.fpsTime, 1e-5f) << step.nanoseconds;
        EXPECT_EQ(manager.fps, step.fps) << step.nanoseconds;
    }
}

TEST_F(TimerTest, WithoutTimerCapsTheFrameClockRunsOnTheCounterAndNoPeriodIsRaised)
{
    win32::testing::SetTimerCapsFail(true);
    {
        TimerManager manager;
        manager.Update();
        win32::testing::AdvanceFakeMilliseconds(50);
        manager.Update();
        EXPECT_FLOAT_EQ(manager.frameTime, 0.001f);
        win32::testing::AdvanceFakeCounter(50000000);
        manager.Update();
        EXPECT_FLOAT_EQ(manager.frameTime, 0.05f);
    }
    EXPECT_TRUE(win32::testing::GetTimerPeriodBegins().empty());
    EXPECT_TRUE(win32::testing::GetTimerPeriodEnds().empty());
}

TEST_F(TimerTest, WithTimerCapsThePeriodIsRaisedForTheManagersLife)
{
    {
        TimerManager manager;
        EXPECT_EQ(win32::testing::GetTimerPeriodBegins(), std::vector<std::uint32_t>{1});
        EXPECT_TRUE(win32::testing::GetTimerPeriodEnds().empty());

        // The frame clock is the millisecond clock.
        manager.Update();
        win32::testing::AdvanceFakeCounter(50000000);
        manager.Update();
        EXPECT_FLOAT_EQ(manager.frameTime, 0.001f);
        win32::testing::AdvanceFakeMilliseconds(50);
        manager.Update();
        EXPECT_NEAR(manager.frameTime, 0.05f, 1e-6f);
    }
    EXPECT_EQ(win32::testing::GetTimerPeriodBegins(), std::vector<std::uint32_t>{1});
    EXPECT_EQ(win32::testing::GetTimerPeriodEnds(), std::vector<std::uint32_t>{1});
}

TEST_F(TimerTest, ManyTimersKeepTheirSlotsAndReadingsAndAreDeletedWithTheManager)
{
    TimerManager manager;
    std::vector<Timer*> timers;
    for (int i = 0; i < 100; ++i)
        timers.push_back(manager.CreateTimer(static_cast<float>(i), i % 2 == 0));
    std::vector<std::uint32_t> slots;
    for (const Timer* timer : timers)
        slots.push_back(TimerManagerProbe::SlotOf(manager, timer));
    std::vector<std::uint32_t> freed;
    for (std::size_t i = 0; i < timers.size(); i += 3)
    {
        manager.ReleaseTimer(timers[i]);
        freed.push_back(slots[i]);
    }
    ASSERT_EQ(freed.size(), 34u);
    std::vector<Timer*> later;
    for (int i = 0; i < 10; ++i)
        later.push_back(manager.CreateTimer(100.0f + static_cast<float>(i), false));

    // The new timers fill the slots freed last, and nothing grows.
    EXPECT_EQ(TimerManagerProbe::SlotCount(manager), 101u);
    EXPECT_EQ(TimerManagerProbe::ActiveCount(manager), 101u - 34u + 10u);
    for (std::size_t i = 0; i < later.size(); ++i)
    {
        EXPECT_EQ(TimerManagerProbe::SlotOf(manager, later[i]), freed[freed.size() - 1 - i]) << i;
        EXPECT_FLOAT_EQ(later[i]->GetTime(), 100.0f + static_cast<float>(i));
    }
    // The kept timers are where they were and read what they were made with.
    for (std::size_t i = 0; i < timers.size(); ++i)
    {
        if (i % 3 == 0)
            continue;
        EXPECT_EQ(TimerManagerProbe::SlotOf(manager, timers[i]), slots[i]) << i;
        EXPECT_FLOAT_EQ(timers[i]->GetTime(), static_cast<float>(i)) << i;
    }
    // Whatever is still held at the end is deleted with the manager; the
    // sanitizer build sees any leak or double delete.
}

TEST_F(TimerTest, TheFrameClockReadsTheManagersFrameTimer)
{
    TimerManager manager;
    Timer* frameTimer = manager.GetFrameTimer();
    ASSERT_NE(frameTimer, nullptr);
    EXPECT_EQ(TimerManagerProbe::SlotOf(manager, frameTimer), 0u);
    EXPECT_FALSE(frameTimer->IsPaused());

    manager.Update();
    AdvanceMilliseconds(50);
    EXPECT_NEAR(frameTimer->GetTime(), 0.05f, 1e-5f);
    manager.Update();
    EXPECT_NEAR(manager.frameTime, 0.05f, 1e-5f);

    // Frozen frame timer, frozen frame clock: only the lower clamp is left.
    frameTimer->SetPaused(true);
    AdvanceMilliseconds(50);
    manager.Update();
    EXPECT_FLOAT_EQ(manager.frameTime, 0.001f);
    frameTimer->SetPaused(false);
    AdvanceMilliseconds(20);
    manager.Update();
    EXPECT_NEAR(manager.frameTime, 0.02f, 1e-5f);
}

} // namespace
} // namespace OrvaneEngine
