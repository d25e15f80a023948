#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "platform/win32/Com.h"
#include "platform/win32/testing/ComHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/SleepHooks.h"
#include "platform/win32/testing/TickCountHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace OrvaneEngine;

namespace
{

class EngineTest : public corvellan::test::EngineTestFixture
{
protected:
    void TearDown() override
    {
        win32::testing::ResetSleep();
        win32::testing::ResetMultimediaTimer();
    }
};

TEST_F(EngineTest, FullNameShowsVersionAsHundreds)
{
    const struct
    {
        std::int32_t version;
        const char* expected;
    } cases[] = {{103, "Test 1.03"}, {67, "Test 0.67"}, {5, "Test 0.05"}, {100, "Test 1.00"}, {1200, "Test 12.00"}};
    for (const auto& c : cases)
    {
        settings.version = c.version;
        Engine engine(settings);
        EXPECT_EQ(engine.GetFullName(), c.expected) << c.version;
    }
}

TEST_F(EngineTest, EmptyTitleFallsBackToEngineNameAndLogName)
{
    settings.title.clear();
    settings.version = 999;
    {
        Engine engine(settings);
        EXPECT_EQ(engine.GetFullName(), "Orvane Engine 0.67");
    }
    auto page = corvellan::test::ReadFileText(folder.Join("Orvane Engine.html"));
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("<TITLE>Orvane Engine Log</TITLE>"), std::string::npos);
}

TEST_F(EngineTest, SettingsAreCopied)
{
    Engine engine(settings);
    settings.title = "Changed";
    EXPECT_EQ(engine.settings->title, "Test");
    EXPECT_NE(engine.settings.get(), &settings);
}

TEST_F(EngineTest, RequestExitIsImmediateAndLoggedAtTheNextFrame)
{
    Engine engine(settings);
    EXPECT_FALSE(engine.IsExiting());
    engine.Frame(0);
    const int before = engine.messageManager->GetMessageCount();

    engine.RequestExit(1);
    EXPECT_TRUE(engine.IsExiting());
    engine.Frame(0);
    ASSERT_EQ(engine.messageManager->GetMessageCount(), before + 1);
    const LogMessage last = engine.messageManager->GetMessage(static_cast<std::uint32_t>(before));
    EXPECT_EQ(last.level, 0u);
    EXPECT_EQ(last.text, "\nExiting...\n\n");
}

TEST_F(EngineTest, FrameSleepsOnlyWhenAsked)
{
    Engine engine(settings);
    win32::testing::SetSleepRecording(true);
    engine.Frame(0);
    EXPECT_TRUE(win32::testing::GetSleepCalls().empty());
    engine.Frame(7);
    EXPECT_EQ(win32::testing::GetSleepCalls(), std::vector<std::uint32_t>{7});
}

TEST_F(EngineTest, UpdateAdvancesTheFrameClockAndEmptiesTheList)
{
    win32::testing::SetFakeMilliseconds(1000);
    Engine engine(settings);
    engine.Update();
    win32::testing::AdvanceFakeMilliseconds(40);
    engine.messageManager->Message("during the frame");
    engine.Update();
    EXPECT_NEAR(engine.timerManager->frameTime, 0.04f, 1e-6f);
    EXPECT_EQ(engine.messageManager->GetMessageCount(), 0);
}

TEST_F(EngineTest, FooterIsTheLastThingWritten)
{
    {
        Engine engine(settings);
        engine.Update();
        engine.Frame(0);
    }
    auto page = corvellan::test::ReadFileText(folder.Join("Test.html"));
    ASSERT_TRUE(page.has_value());
    const std::string tail = "</FONT></FONT></BODY></HTML>";
    ASSERT_GE(page->size(), tail.size());
    EXPECT_EQ(page->substr(page->size() - tail.size()), tail);
    EXPECT_NE(page->find("Test Log end: "), std::string::npos);
}

TEST_F(EngineTest, OnlyTheFirstStartOnAThreadOwnsThePlatform)
{
    {
        Engine engine(settings);
        EXPECT_TRUE(engine.comInitialized);
        EXPECT_TRUE(win32::testing::IsPlatformStarted());
    }
    EXPECT_FALSE(win32::testing::IsPlatformStarted());

    // Someone else on this thread started the platform first: the engine
    // does not own it and leaves it running.
    ASSERT_EQ(win32::CoInitialize(nullptr), 0);
    {
        Engine engine(settings);
        EXPECT_FALSE(engine.comInitialized);
    }
    EXPECT_TRUE(win32::testing::IsPlatformStarted());
    win32::CoUninitialize();
    EXPECT_FALSE(win32::testing::IsPlatformStarted());
}

TEST_F(EngineTest, TimerPeriodLastsAsLongAsTheEngine)
{
    win32::testing::ResetMultimediaTimer();
    {
        Engine engine(settings);
        EXPECT_EQ(win32::testing::GetTimerPeriodBegins().size(), 1u);
        EXPECT_TRUE(win32::testing::GetTimerPeriodEnds().empty());
    }
    EXPECT_EQ(win32::testing::GetTimerPeriodEnds().size(), 1u);
}

TEST_F(EngineTest, SeedsTheRandomGeneratorWithTheTickCount)
{
    win32::testing::SetFixedTickCount(1234);
    SeedRandom(1234);
    const int expected = Random();
    SeedRandom(0);
    {
        Engine engine(settings);
        EXPECT_EQ(Random(), expected);
    }
    win32::testing::ResetTickCount();
}

} // namespace
