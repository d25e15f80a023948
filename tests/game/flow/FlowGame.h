#pragma once
// The real game with every screen over the small data set of GameDataSet, in
// a program folder of its own and a fresh per-user folder, driven one frame
// step at a time on the fake millisecond clock. FlowGame opens the game's
// members to the tests.

#include "framework/GUIGameCursorBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundController.h"
#include "game/Game.h"
#include "game/Profile.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIGameLogicGameExitWindow.h"
#include "game/menus/GUIGameLogicMenuExitWindow.h"
#include "game/menus/GUIGameLogicMenuWindow.h"
#include "game/menus/GUIGameLogicPauseWindow.h"
#include "game/menus/GUIGameLogicRestartWindow.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIStageCompleteWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "tests/support/ExposedGame.h"
#include "tests/support/TestGameFolders.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace corvellan::test
{

// The exposed game, with what only the flow's tests read opened too.
class FlowGame : public ExposedGame
{
public:
    FlowGame();

    // Counts the show-place screen's 3 as the game serves it.
    void OnUpgradeWindow() override;
    // Runs `duringPass` inside every dispatch pass, among the framework's handlers.
    void OnHelpWindow() override;

    // Notes whether the game's own objects exist when the first framework screen is made.
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override;

    std::function<void()> duringPass;
    std::uint32_t upgradeServed = 0;
    bool ownObjectsBeforeScreens = false;

    Mirabel::Profile& Ann() const { return *CurrentProfile(); }
    using Game::Cursor;
    using Game::CurrentProfile;
    using Game::menuWindowManager;
    using Game::musicToggle;
    using Game::unicorn;
    using Game::upgradeWindow;

    using GameBase::deleteProfileWindow;
    using GameBase::gameData;
    using GameBase::gameLogicGameExitWindow;
    using GameBase::helpWindow;
    using GameBase::levelData;
    using GameBase::loadingWindow;
    using GameBase::logosWindow;
    using GameBase::newProfileWindow;
    using GameBase::previousLevelData;
    using GameBase::profileNameConflictWindow;
    using GameBase::profilesWindow;
    using GameBase::renameProfileWindow;
};

class FlowRun
{
public:
    static constexpr std::uint32_t FrameMilliseconds = 100;

    // Writes the data set into a fresh program folder; with `levels`, both
    // stages' one level is the puzzle and track of LevelData, so it loads.
    explicit FlowRun(bool levels = false);
    ~FlowRun();
    FlowRun(const FlowRun&) = delete;
    FlowRun& operator=(const FlowRun&) = delete;

    FlowGame& Start();
    // One frame step of the program, the clock moved on by a frame first.
    void Frame();
    // Frames until the condition holds, at most `frames`; its result.
    bool FramesUntil(const std::function<bool()>& condition, std::uint32_t frames);
    // From the start to the first menu the loading leads to, open; with a
    // profile "Ann" made before the load, that is the main menu.
    bool RunToMenus(bool profile = true);
    // One dispatch pass and the clear after it, as a frame runs three.
    void Pass();
    // From the main menu's start to the map, open.
    bool OpenMap();
    // From the main menu's start through the map to a level being played.
    bool StartLevel();
    // Ends the game (the engine last).
    void Stop();

    TestGameFolders folders{false};
    std::unique_ptr<FlowGame> game;
};

} // namespace corvellan::test
