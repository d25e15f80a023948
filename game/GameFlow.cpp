// The game's part of the screen flow: the music, cursor and menu-background
// reactions to the framework's screens, and the handlers of the game's own
// screens, dispatched after the framework's.
#include "game/Game.h"

#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIHighScoresWindowBase.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIGameLogicMenuExitWindowBase.h"
#include "framework/GUIGameLogicRestartWindowBase.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundController.h"
#include "game/Profile.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"

namespace Mirabel
{

using namespace GameFramework;

namespace
{

// The code a screen reports now; 0 for a screen not made.
template <class Screen>
std::uint32_t CodeOf(const std::unique_ptr<Screen>& screen)
{
    return screen ? screen->result : 0;
}

} // namespace

void Game::RestartMenuMusic()
{
    soundController->StopAllMusic(true, MusicFadeOutRate);
    soundController->PlayMusic(MenuChannel, MenuTrack, true, MenuFadeInRate);
}

std::vector<std::uint32_t*> Game::ScreenResults() const
{
    std::vector<std::uint32_t*> results = GameBase::ScreenResults();
    const auto add = [&results](const auto& screen) {
        if (screen)
            results.push_back(&screen->result);
    };
    add(upgradeWindow);
    add(gameCompleteEffect);
    add(introductionWindow);
    add(relaxWindow);
    add(tutorialWindow);
    return results;
}

void Game::DispatchWindowResults()
{
    GameBase::DispatchWindowResults();
    using Handler = void (GameBase::*)();
    const auto serve = [this](const auto& screen, void (Game::*handler)()) {
        if (screen)
            ServeResult(screen->result, static_cast<Handler>(handler));
    };
    serve(upgradeWindow, &Game::OnUpgradeWindow);
    serve(gameCompleteEffect, &Game::OnGameCompleteEffect);
    serve(introductionWindow, &Game::OnIntroductionWindow);
    serve(relaxWindow, &Game::OnRelaxWindow);
    serve(tutorialWindow, &Game::OnTutorialWindow);
}

void Game::UpdateWindows()
{
    if (menuBackground)
        menuBackground->Update();
    if (menuWindowManager)
        menuWindowManager->Update();
    if (gameCompleteEffect)
        gameCompleteEffect->Update();
    if (unicorn)
        unicorn->Update();
    if (upgradeWindow)
        upgradeWindow->Update();
    if (introductionWindow)
        introductionWindow->Update();
    if (relaxWindow)
        relaxWindow->Update();
    if (tutorialWindow)
        tutorialWindow->Update();
    GameBase::UpdateWindows();
}

void Game::OnLogosWindow()
{
    const std::uint32_t code = CodeOf(logosWindow);
    GameBase::OnLogosWindow();
    if (code != 1)
        return;
    menuBackground->active = 1;
    soundController->PlayMusic(MenuChannel, MenuTrack, true, MenuFadeInRate);
}

void Game::OnMainMenuWindow()
{
    const std::uint32_t code = CodeOf(mainMenuWindow);
    GameBase::OnMainMenuWindow();
    if (code == 25 && introductionWindow)
    {
        mainMenuWindow->Hide();
        introductionWindow->Show();
    }
    else if (code == 24 && upgradeWindow)
    {
        mainMenuWindow->Hide();
        upgradeWindow->Show();
    }
}

void Game::OnProfilesWindow()
{
    const std::uint32_t code = CodeOf(profilesWindow);
    GameBase::OnProfilesWindow();
    if (code == 3)
        menuBackground->UpdateReachedStages();
}

void Game::OnGameLogicLoadingWindow()
{
    const std::uint32_t code = CodeOf(gameLogicLoadingWindow);
    GameBase::OnGameLogicLoadingWindow();
    if (code != 1)
        return;
    menuBackground->Reset();
    soundController->StopAllMusic(true, MusicFadeOutRate);
    soundController->PlayMusic(LevelChannel, musicToggle + 1, true, LevelFadeInRate);
    musicToggle = (musicToggle + 1) & 1;
}

void Game::OnStartGameLogicWindow()
{
    const std::uint32_t code = CodeOf(startGameLogicWindow);
    if (code == 23)
    {
        // Until the level starts.
        gameCursor->SetVisible(false);
    }
    else if (code == 27 && tutorialWindow)
    {
        startGameLogicWindow->Hide();
        tutorialWindow->showFlag = CurrentProfile()->tutorialFlag;
        tutorialWindow->Show();
    }
    GameBase::OnStartGameLogicWindow();
}

void Game::OnHighScoresWindow()
{
    if (CodeOf(highScoresWindow) == 26 && relaxWindow)
    {
        highScoresWindow->Hide();
        relaxWindow->Show();
    }
    GameBase::OnHighScoresWindow();
}

void Game::OnGameLogicWindow()
{
    const std::uint32_t code = CodeOf(gameLogicWindow);
    if (code == 16 || code == 15 || code == 4)
        gameCursor->SetCursorKind(0);
    GameBase::OnGameLogicWindow();
}

void Game::OnGameLogicMenuExitWindow()
{
    const std::uint32_t code = CodeOf(gameLogicMenuExitWindow);
    GameBase::OnGameLogicMenuExitWindow();
    if (code == 3)
        RestartMenuMusic();
}

void Game::OnGameLogicRestartWindow()
{
    const std::uint32_t code = CodeOf(gameLogicRestartWindow);
    GameBase::OnGameLogicRestartWindow();
    if (code == 13)
        RestartMenuMusic();
}

void Game::OnLevelWon()
{
    GameBase::OnLevelWon();
    gameCursor->SetCursorKind(0);
}

void Game::OnLevelCompleteWindow()
{
    if (CodeOf(levelCompleteWindow) == 13)
        RestartMenuMusic();
    GameBase::OnLevelCompleteWindow();
}

void Game::OnStageCompleteWindow()
{
    if (CodeOf(stageCompleteWindow) == 13)
        RestartMenuMusic();
    GameBase::OnStageCompleteWindow();
}

void Game::OnGameCompleteWindow()
{
    const std::uint32_t code = CodeOf(gameCompleteWindow);
    GameBase::OnGameCompleteWindow();
    if (code != 1)
        return;
    Profile* profile = CurrentProfile();
    if (profile->gameCompleteHintFlag != 0)
    {
        profile->gameCompleteHintFlag = 0;
        profile->Save();
    }
    menuBackground->SetUnicornEnabled(true);
    menuBackground->UpdateUnicornFromProfile();
    menuBackground->ShowLogos();
    if (unicorn)
        unicorn->Hide();
}

void Game::OnGameOverWindow()
{
    const std::uint32_t code = CodeOf(gameOverWindow);
    GameBase::OnGameOverWindow();
    if (code == 1)
        RestartMenuMusic();
}

void Game::OnUpgradeWindow()
{
    if (upgradeWindow->result != 3)
        return;
    upgradeWindow->Hide();
    mainMenuWindow->Show();
}

void Game::OnGameCompleteEffect()
{
    if (gameCompleteEffect->result != 21)
        return;
    gameCompleteEffect->Hide();
    // The closing text is shown the first time only; later completions
    // pass on to the high scores at once.
    static_cast<GUIGameCompleteWindow*>(gameCompleteWindow.get())
        ->SetEnabled(CurrentProfile()->gameCompleteHintFlag != 0);
    gameCompleteWindow->Show();
}

void Game::OnIntroductionWindow()
{
    if (introductionWindow->result != 23)
        return;
    Profile* profile = CurrentProfile();
    profile->introductionFlag = 0;
    profile->Save();
    introductionWindow->Hide();
    if (profile->gameInProgress)
    {
        continueGameLogicWindow->Show();
        return;
    }
    profile->ResetGame();
    startGameLogicWindow->Show(2);
}

void Game::OnRelaxWindow()
{
    if (relaxWindow->result != 3)
        return;
    relaxWindow->Hide();
    mainMenuWindow->Show();
}

void Game::OnTutorialWindow()
{
    const std::uint32_t code = tutorialWindow->result;
    if (code != 3 && code != 13)
        return;
    tutorialWindow->Hide();
    if (code == 3)
        mainMenuWindow->Show();
    else
        startGameLogicWindow->Show(13);
}

} // namespace Mirabel
