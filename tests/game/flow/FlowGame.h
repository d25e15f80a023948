#pragma once
// The real game with every screen over the small data set of GameDataSet, in
// a program folder of its own and a fresh per-user folder, driven one frame
// step at a time on the fake millisecond clock. FlowGame opens the game's
// members to the tests.

#include "game/Game.h"
#include "tests/support/TestGameFolders.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace corvellan::test
{

class FlowGame : public Mirabel::Game
{
public:
    FlowGame();

    using Game::Cursor;
    using Game::CurrentProfile;
    using Game::gameCompleteEffect;
    using Game::introductionWindow;
    using Game::menuBackground;
    using Game::menuWindowManager;
    using Game::musicToggle;
    using Game::relaxWindow;
    using Game::tutorialWindow;
    using Game::unicorn;
    using Game::upgradeWindow;

    using GameBase::continueGameLogicWindow;
    using GameBase::deleteProfileWindow;
    using GameBase::exitWindow;
    using GameBase::gameCompleteWindow;
    using GameBase::gameCursor;
    using GameBase::gameData;
    using GameBase::gameLogic;
    using GameBase::gameLogicGameExitWindow;
    using GameBase::gameLogicLoadingWindow;
    using GameBase::gameLogicMenuExitWindow;
    using GameBase::gameLogicMenuWindow;
    using GameBase::gameLogicPauseWindow;
    using GameBase::gameLogicRestartWindow;
    using GameBase::gameLogicWindow;
    using GameBase::gameOverWindow;
    using GameBase::helpWindow;
    using GameBase::highScoresTable;
    using GameBase::highScoresWindow;
    using GameBase::levelCompleteWindow;
    using GameBase::levelData;
    using GameBase::levelManager;
    using GameBase::loadingWindow;
    using GameBase::logosWindow;
    using GameBase::mainMenuWindow;
    using GameBase::newProfileWindow;
    using GameBase::optionsWindow;
    using GameBase::profileManager;
    using GameBase::profileNameConflictWindow;
    using GameBase::profilesWindow;
    using GameBase::renameProfileWindow;
    using GameBase::soundController;
    using GameBase::stageCompleteWindow;
    using GameBase::startGameLogicWindow;
    using GameBase::welcomeWindow;
};

class FlowRun
{
public:
    static constexpr std::uint32_t FrameMilliseconds = 100;

    // Writes the data set (with the level's puzzle under each stage's folder
    // when `levels` is set) into a fresh program folder.
    explicit FlowRun(bool levels = false);
    ~FlowRun();
    FlowRun(const FlowRun&) = delete;
    FlowRun& operator=(const FlowRun&) = delete;

    FlowGame& Start();
    // One frame step of the program, the clock moved on by a frame first.
    void Frame();
    // Frames until the condition holds, at most `frames`; its result.
    bool FramesUntil(const std::function<bool()>& condition, std::uint32_t frames);
    // From the start to the first menu the loading leads to, open.
    bool RunToMenus();
    // Ends the game (the engine last).
    void Stop();

    TestGameFolders folders{false};
    std::unique_ptr<FlowGame> game;
};

} // namespace corvellan::test
