#pragma once

#include "engine/core/Vector2.h"
#include "game/GameLevelRecord.h"
#include "game/GameStageRecord.h"
#include "platform/win32/Types.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LevelData.h"
#include "tests/support/LevelScripts.h"

#include <cstdint>
#include <memory>

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{
class GameData;
class GameLogic;
class GameLogicData;
class GUIGameCursor;
class ProfileManager;
} // namespace Mirabel

namespace corvellan::test
{

// A level played on the shared headless engine: the level's data written by
// the content writers and loaded as the game loads it, a profile in arcade or
// relax mode, the game's sound table, and Mirabel::GameLogic built as the
// game's factory builds it. Frames run as the program's frame step runs them,
// on the fake millisecond clock; input is real mouse events on the window.
class LevelHarness
{
public:
    struct Options
    {
        bool relax = false;
        LevelDataOptions data;
        std::uint32_t seed = 1;
    };

    LevelHarness();
    explicit LevelHarness(const Options& options);
    ~LevelHarness();
    LevelHarness(const LevelHarness&) = delete;
    LevelHarness& operator=(const LevelHarness&) = delete;

    // The clock moved on, then Engine::Update, the sounds, GameLogic::Update
    // and Engine::Frame, as the program steps a frame.
    void Frame(std::uint32_t milliseconds = 17);
    // The cursor to a point of the 800 x 600 GUI screen (y up).
    void MoveTo(const OrvaneEngine::Vector2& point);
    // 0 left ("MOUSE1"), 1 right ("MOUSE2").
    void Button(std::uint32_t button, bool down);
    win32::HWND Handle() const;

    // Scripts over this level, frames run by Frame.
    LevelScripts Scripts(float limitSeconds);

    // Builds the level again (the previous one is deleted first).
    void MakeLogic();
    // Deletes the level as the program does when it is left.
    void DeleteLogic();

    OrvaneEngine::Engine& Engine() const { return *fixture.engine; }
    Mirabel::GameLogic& Logic() const { return *logic; }
    bool HasLogic() const { return logic != nullptr; }
    GameFramework::SoundController& Sounds() const { return *soundController; }
    Mirabel::GUIGameCursor& Cursor() const { return *cursor; }
    Mirabel::GameData& Data() const { return *gameData; }
    Mirabel::GameLogicData& Puzzle() const { return *levelData; }
    std::uint32_t Clock() const { return clock; }

    EngineFixture fixture;

private:
    Options options;
    std::uint32_t clock = 100000;
    std::unique_ptr<LevelMouse> mouse;
    Mirabel::GameStageRecord stageRecord;
    Mirabel::GameLevelRecord levelRecord;
    std::unique_ptr<GameFramework::SoundController> soundController;
    std::unique_ptr<Mirabel::ProfileManager> profileManager;
    std::unique_ptr<Mirabel::GUIGameCursor> cursor;
    std::unique_ptr<Mirabel::GameData> gameData;
    std::unique_ptr<Mirabel::GameLogicData> levelData;
    std::unique_ptr<Mirabel::GameLogic> logic;
};

} // namespace corvellan::test
