#pragma once

#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIExitWindowBase.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicGameExitWindowBase.h"
#include "framework/GUIGameLogicMenuExitWindowBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicPauseWindowBase.h"
#include "framework/GUIGameLogicRestartWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GUIHelpWindowBase.h"
#include "framework/GUIHighScoresWindowBase.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIProfileNameConflictWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "game/Game.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIMenuWindow.h"

#include <functional>
#include <memory>
#include <string>

namespace corvellan::test
{

// The real game, made by the game loader's own arguments, with the
// framework's screens, managers and level open to a test that watches a
// whole run. Nothing is changed: it only widens what may be read.
class ExposedGame : public Mirabel::Game
{
public:
    ExposedGame();

    // The game's own window updates, then the observer: the one moment of a
    // frame when the texts the screens queued can be read.
    void UpdateWindows() override;
    std::function<void()> afterWindowUpdates;
    // Counts the levels made, so a run tells a level made again from the
    // one before it.
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(GameFramework::StageRecord* stageRecord,
                                                                  GameFramework::LevelRecord* levelRecord,
                                                                  std::uint32_t gameCounter) override;
    std::uint32_t levelsMade = 0;

    using Game::gameCompleteEffect;
    using Game::introductionWindow;
    using Game::menuBackground;
    using Game::relaxWindow;
    using Game::tutorialWindow;

    using GameBase::continueGameLogicWindow;
    using GameBase::exitWindow;
    using GameBase::gameCompleteWindow;
    using GameBase::gameCursor;
    using GameBase::gameLogic;
    using GameBase::gameLogicLoadingWindow;
    using GameBase::gameLogicMenuExitWindow;
    using GameBase::gameLogicMenuWindow;
    using GameBase::gameLogicPauseWindow;
    using GameBase::gameLogicRestartWindow;
    using GameBase::gameLogicWindow;
    using GameBase::gameOverWindow;
    using GameBase::highScoresTable;
    using GameBase::highScoresWindow;
    using GameBase::levelCompleteWindow;
    using GameBase::levelManager;
    using GameBase::mainMenuWindow;
    using GameBase::optionsWindow;
    using GameBase::profileManager;
    using GameBase::soundController;
    using GameBase::stageCompleteWindow;
    using GameBase::startGameLogicWindow;
    using GameBase::welcomeWindow;

    // A menu screen of the game, found from its framework half; null when
    // the screen is not made (yet) or is no menu window.
    template <class Base> static Mirabel::GUIMenuWindow* Menu(const std::unique_ptr<Base>& screen)
    {
        return dynamic_cast<Mirabel::GUIMenuWindow*>(screen.get());
    }
    // The menu screens open right now, by name: what a stalled run shows.
    std::string OpenScreens() const;

    // A screen of the game as its own class.
    template <class Screen, class Base> static Screen& As(const std::unique_ptr<Base>& screen)
    {
        return dynamic_cast<Screen&>(*screen);
    }
    // Open, faded in and every control settled: a player may use it.
    static bool IsSettled(const Mirabel::GUIMenuWindow* menu);
    template <class Base> static bool IsSettled(const std::unique_ptr<Base>& screen) { return IsSettled(Menu(screen)); }
};

} // namespace corvellan::test
