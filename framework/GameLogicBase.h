#pragma once

#include <cstdint>
#include <memory>

namespace OrvaneEngine
{
class Controls;
class Engine;
class MessageManager;
class ModelManager;
class Timer;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{

class LevelRecord;
class ScoreKeeper;
class SoundController;
class StageRecord;

// The framework half of the level being played: its timer, its score and its
// state, which the application object watches through the change flag.
class GameLogicBase
{
public:
    enum State : std::int32_t
    {
        Running = 0,
        Paused = 1,
        Won = 2,
        Lost = 3,
    };

    // The level's clock stands at 0 and is paused: the game's level logic
    // starts it when play begins.
    GameLogicBase(OrvaneEngine::Engine* engine, SoundController* soundController, StageRecord* stageRecord,
                  LevelRecord* levelRecord, std::uint32_t gameCounter);
    virtual ~GameLogicBase();
    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;

    virtual void Update();
    // A real change pauses the clock in every state but running and raises
    // the change flag; the state is stored in every case.
    virtual void SetState(std::int32_t newState);

    // A level that is won or lost stays so.
    void SetPaused(bool paused);
    std::uint32_t GetScore() const;
    void SetScore(std::uint32_t value);
    float GetElapsedTime() const;
    bool IsTimerPaused() const;
    // The clock alone; the state stays.
    void PauseTimer(bool paused);

    std::int32_t GetState() const { return state; }
    bool HasStateChanged() const { return stateChanged; }
    void ClearStateChanged() { stateChanged = false; }
    StageRecord* GetStageRecord() const { return stageRecord; }
    LevelRecord* GetLevelRecord() const { return levelRecord; }
    std::uint32_t GetGameCounter() const { return gameCounter; }
    ScoreKeeper* GetScoreKeeper() const { return scoreKeeper.get(); }

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::ModelManager* modelManager;
    OrvaneEngine::Controls* controls;
    SoundController* soundController;
    OrvaneEngine::Timer* timer = nullptr;
    std::unique_ptr<ScoreKeeper> scoreKeeper;
    StageRecord* stageRecord;
    LevelRecord* levelRecord;
    std::uint32_t gameCounter;
    std::int32_t state = Running;
    bool stateChanged = false;
};

} // namespace GameFramework
