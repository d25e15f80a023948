#include "framework/GameLogicBase.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "framework/LevelRecord.h"
#include "framework/ScoreKeeper.h"

#include <string>

namespace GameFramework
{

GameLogicBase::GameLogicBase(OrvaneEngine::Engine* engine, SoundController* soundController,
                             StageRecord* stageRecord, LevelRecord* levelRecord, std::uint32_t gameCounter)
    : engine(engine),
      messageManager(engine->messageManager.get()),
      timerManager(engine->timerManager.get()),
      modelManager(engine->modelManager.get()),
      controls(engine->controls.get()),
      soundController(soundController),
      stageRecord(stageRecord),
      levelRecord(levelRecord),
      gameCounter(gameCounter)
{
    messageManager->Message("");
    messageManager->Message("Loading level " + std::to_string(levelRecord->stageIndex + 1) + "-" +
                            std::to_string(levelRecord->levelIndex + 1) + "...");
    timer = timerManager->CreateTimer(0.0f, false);
    scoreKeeper = std::make_unique<ScoreKeeper>(0);
    timer->Reset(0.0f);
    timer->SetPaused(true);
}

GameLogicBase::~GameLogicBase()
{
    scoreKeeper.reset();
    timerManager->ReleaseTimer(timer);
}

void GameLogicBase::Update()
{
}

void GameLogicBase::SetState(std::int32_t newState)
{
    if (newState != state)
    {
        timer->SetPaused(newState != Running);
        stateChanged = true;
    }
    state = newState;
}

void GameLogicBase::SetPaused(bool paused)
{
    if (state == Won || state == Lost)
        return;
    SetState(paused ? Paused : Running);
}

std::uint32_t GameLogicBase::GetScore() const
{
    return scoreKeeper->GetScore();
}

void GameLogicBase::SetScore(std::uint32_t value)
{
    scoreKeeper->SetScore(value);
}

float GameLogicBase::GetElapsedTime() const
{
    return timer->GetTime();
}

bool GameLogicBase::IsTimerPaused() const
{
    return timer->IsPaused();
}

void GameLogicBase::PauseTimer(bool paused)
{
    timer->SetPaused(paused);
}

} // namespace GameFramework
