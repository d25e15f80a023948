#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelRecord.h"
#include "framework/ScoreKeeper.h"
#include "framework/StageRecord.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

// How many timers the manager holds.
class TimerManagerProbe
{
public:
    static std::size_t ActiveCount(const TimerManager& manager) { return manager.activeSlots.size(); }
};

} // namespace OrvaneEngine

namespace
{

using GameFramework::GameLogicBase;

class GameLogicBaseTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(5000);
        Start();
    }
    void TearDown() override
    {
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    std::unique_ptr<GameLogicBase> MakeLogic(std::uint32_t stageIndex = 0, std::uint32_t levelIndex = 0)
    {
        stage.stageIndex = stageIndex;
        level.stageIndex = stageIndex;
        level.levelIndex = levelIndex;
        return std::make_unique<GameLogicBase>(engine.get(), nullptr, &stage, &level, 4);
    }

    GameFramework::StageRecord stage;
    GameFramework::LevelRecord level;
};

TEST_F(GameLogicBaseTest, StateTransitionsFromAFreshLogic)
{
    using Step = std::function<void(GameLogicBase&)>;
    const struct
    {
        const char* calls;
        std::vector<Step> steps;
        std::int32_t state;
        bool changed;
        bool timerPaused;
    } cases[] = {
        {"(new)", {}, 0, false, true},
        {"SetState(0)", {[](GameLogicBase& l) { l.SetState(0); }}, 0, false, true},
        {"SetState(1)", {[](GameLogicBase& l) { l.SetState(1); }}, 1, true, true},
        {"SetState(1), clear, SetPaused(false)",
         {[](GameLogicBase& l) { l.SetState(1); }, [](GameLogicBase& l) { l.ClearStateChanged(); },
          [](GameLogicBase& l) { l.SetPaused(false); }},
         0,
         true,
         false},
        {"SetPaused(true) while running",
         {[](GameLogicBase& l) { l.SetState(0); }, [](GameLogicBase& l) { l.SetPaused(true); }},
         1,
         true,
         true},
        {"SetState(2), clear, SetPaused(true)",
         {[](GameLogicBase& l) { l.SetState(2); }, [](GameLogicBase& l) { l.ClearStateChanged(); },
          [](GameLogicBase& l) { l.SetPaused(true); }},
         2,
         false,
         true},
        {"SetState(3), clear, SetPaused(false)",
         {[](GameLogicBase& l) { l.SetState(3); }, [](GameLogicBase& l) { l.ClearStateChanged(); },
          [](GameLogicBase& l) { l.SetPaused(false); }},
         3,
         false,
         true},
        {"SetState(1), clear, PauseTimer(false)",
         {[](GameLogicBase& l) { l.SetState(1); }, [](GameLogicBase& l) { l.ClearStateChanged(); },
          [](GameLogicBase& l) { l.PauseTimer(false); }},
         1,
         false,
         false},
        {"SetState(1), PauseTimer(false)",
         {[](GameLogicBase& l) { l.SetState(1); }, [](GameLogicBase& l) { l.PauseTimer(false); }},
         1,
         true,
         false},
        {"running, PauseTimer(true)",
         {[](GameLogicBase& l) { l.PauseTimer(false); }, [](GameLogicBase& l) { l.PauseTimer(true); }},
         0,
         false,
         true},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.calls);
        std::unique_ptr<GameLogicBase> logic = MakeLogic();
        for (const Step& step : row.steps)
            step(*logic);
        EXPECT_EQ(logic->GetState(), row.state);
        EXPECT_EQ(logic->HasStateChanged(), row.changed);
        EXPECT_EQ(logic->IsTimerPaused(), row.timerPaused);
    }
}

TEST_F(GameLogicBaseTest, LevelClockStartsAtZeroAndRunsOnlyWhileRunning)
{
    std::unique_ptr<GameLogicBase> logic = MakeLogic();
    win32::testing::AdvanceFakeMilliseconds(2000);
    EXPECT_FLOAT_EQ(logic->GetElapsedTime(), 0.0f) << "paused until the game starts it";

    logic->PauseTimer(false);
    win32::testing::AdvanceFakeMilliseconds(1500);
    EXPECT_NEAR(logic->GetElapsedTime(), 1.5f, 1e-4f);

    logic->SetPaused(true);
    win32::testing::AdvanceFakeMilliseconds(3000);
    EXPECT_NEAR(logic->GetElapsedTime(), 1.5f, 1e-4f);

    logic->SetPaused(false);
    win32::testing::AdvanceFakeMilliseconds(500);
    EXPECT_NEAR(logic->GetElapsedTime(), 2.0f, 1e-4f);

    logic->SetState(2);
    win32::testing::AdvanceFakeMilliseconds(500);
    EXPECT_NEAR(logic->GetElapsedTime(), 2.0f, 1e-4f) << "a won level's time stands";
}

TEST_F(GameLogicBaseTest, LogsTheLevelNumbersCountedFromOne)
{
    const struct
    {
        std::uint32_t stageIndex;
        std::uint32_t levelIndex;
        const char* line;
    } cases[] = {{0, 0, "Loading level 1-1...\n"}, {2, 11, "Loading level 3-12...\n"}};
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.line);
        engine->messageManager->ClearMessages();
        std::unique_ptr<GameLogicBase> logic = MakeLogic(row.stageIndex, row.levelIndex);
        ASSERT_EQ(engine->messageManager->GetMessageCount(), 2);
        EXPECT_EQ(engine->messageManager->GetMessage(0).text, "\n");
        EXPECT_EQ(engine->messageManager->GetMessage(1).text, row.line);
        EXPECT_EQ(logic->GetLevelRecord(), &level);
        EXPECT_EQ(logic->GetStageRecord(), &stage);
        EXPECT_EQ(logic->GetGameCounter(), 4u);
    }
}

TEST_F(GameLogicBaseTest, ScoreGoesThroughTheKeeper)
{
    std::unique_ptr<GameLogicBase> logic = MakeLogic();
    EXPECT_EQ(logic->GetScore(), 0u);
    logic->GetScoreKeeper()->SetPoints(1, 25);
    logic->GetScoreKeeper()->AddPoints(1, 2);
    EXPECT_EQ(logic->GetScore(), 50u);
    logic->SetScore(7);
    EXPECT_EQ(logic->GetScoreKeeper()->GetScore(), 7u);
}

TEST_F(GameLogicBaseTest, DestructionHandsTheTimerBack)
{
    OrvaneEngine::TimerManager& timers = *engine->timerManager;
    const std::size_t before = OrvaneEngine::TimerManagerProbe::ActiveCount(timers);
    {
        std::unique_ptr<GameLogicBase> logic = MakeLogic();
        EXPECT_EQ(OrvaneEngine::TimerManagerProbe::ActiveCount(timers), before + 1);
    }
    EXPECT_EQ(OrvaneEngine::TimerManagerProbe::ActiveCount(timers), before);
}

} // namespace
