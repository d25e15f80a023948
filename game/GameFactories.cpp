// The game's factories: every service and screen of the framework made as
// one of the game's classes, and the game's own objects made before the
// framework's screens.
#include "game/Game.h"

#include "engine/core/Engine.h"
#include "framework/LanguageManager.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundController.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIGameLoadingWindow.h"
#include "game/menus/GUIGameLogicGameExitWindow.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIGameLogicMenuExitWindow.h"
#include "game/menus/GUIGameLogicMenuWindow.h"
#include "game/menus/GUIGameLogicPauseWindow.h"
#include "game/menus/GUIGameLogicRestartWindow.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUILogosWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "game/menus/GUIStageCompleteWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"
#include "game/menus/GUIWelcomeWindow.h"

namespace Mirabel
{

using namespace OrvaneEngine;
using namespace GameFramework;

GUIGameCursor* Game::Cursor() const
{
    return static_cast<GUIGameCursor*>(gameCursor.get());
}

GameData* Game::Data() const
{
    return static_cast<GameData*>(gameData.get());
}

LevelManager* Game::Levels() const
{
    return static_cast<LevelManager*>(levelManager.get());
}

Profile* Game::CurrentProfile() const
{
    return static_cast<Profile*>(profileManager->currentProfile);
}

GUIWindow* Game::MenuParent() const
{
    return menuBackground->GetTopWindow();
}

std::unique_ptr<LevelManagerBase> Game::CreateLevelManager()
{
    return std::make_unique<LevelManager>(engine.get());
}

std::unique_ptr<ProfileManagerBase> Game::CreateProfileManager()
{
    return std::make_unique<ProfileManager>(engine.get(), soundController.get(), userFolder);
}

std::unique_ptr<DataKeeper> Game::CreateGameData()
{
    return std::make_unique<GameData>(engine.get(), languageManager->GetLanguage()->code);
}

std::unique_ptr<GUIGameCursorBase> Game::CreateGameCursor()
{
    return std::make_unique<GUIGameCursor>(engine.get());
}

std::unique_ptr<GUILogosWindowBase> Game::CreateLogosWindow()
{
    return std::make_unique<GUILogosWindow>(engine.get());
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateLoadingWindow()
{
    // The background runs behind the whole start-up, so it comes first and
    // stays for the life of the game.
    menuBackground = std::make_unique<GUIBackgroundWindow>(engine.get(), soundController.get(), levelManager.get(),
                                                           profileManager.get(),
                                                           languageManager->GetLanguage()->code);
    return std::make_unique<GUIGameLoadingWindow>(engine.get(), Cursor(), menuBackground.get());
}

void Game::CreateWindows()
{
    Engine* e = engine.get();
    SoundController* sounds = soundController.get();
    menuWindowManager = std::make_unique<GUIMenuWindowManager>(menuBackground.get());
    unicorn = std::make_unique<GUIUnicorn>(e, sounds, menuBackground.get());
    gameCompleteEffect = std::make_unique<GUIGameCompleteEffect>(e, Data(), menuBackground.get(), unicorn.get());
    upgradeWindow = std::make_unique<GUIUpgradeWindow>(e, menuWindowManager.get(), MenuParent());
    introductionWindow =
        std::make_unique<GUIIntroductionWindow>(e, sounds, Data(), menuWindowManager.get(), MenuParent());
    relaxWindow = std::make_unique<GUIRelaxWindow>(e, sounds, Data(), profileManager.get(), menuWindowManager.get(),
                                                   MenuParent());
    tutorialWindow = std::make_unique<GUITutorialWindow>(e, sounds, profileManager.get(), Data(),
                                                         menuWindowManager.get(), MenuParent());
    GameBase::CreateWindows();
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUIGameLogicLoadingWindow>(engine.get(), Levels(), menuWindowManager.get(), unicorn.get());
}

std::unique_ptr<GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return std::make_unique<GUIWelcomeWindow>(engine.get(), soundController.get(), Data(), profileManager.get(),
                                              menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIExitWindowBase> Game::CreateExitWindow()
{
    return std::make_unique<GUIExitWindow>(engine.get(), soundController.get(), Data(), menuWindowManager.get(),
                                           MenuParent());
}

std::unique_ptr<GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return std::make_unique<GUIMainMenuWindow>(engine.get(), soundController.get(), Data(), profileManager.get(),
                                               menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return std::make_unique<GUIProfilesWindow>(engine.get(), soundController.get(), Data(), profileManager.get(),
                                               menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return std::make_unique<GUINewProfileWindow>(engine.get(), soundController.get(), Data(), profileManager.get(),
                                                 menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return std::make_unique<GUIRenameProfileWindow>(engine.get(), soundController.get(), Data(),
                                                    profileManager.get(), menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return std::make_unique<GUIDeleteProfileWindow>(engine.get(), soundController.get(), Data(),
                                                    profileManager.get(), menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return std::make_unique<GUIProfileNameConflictWindow>(engine.get(), soundController.get(), Data(),
                                                          menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return std::make_unique<GUIStartGameLogicWindow>(engine.get(), soundController.get(), Data(),
                                                     menuWindowManager.get(), Levels(), profileManager.get(),
                                                     gameCompleteEffect.get(), MenuParent());
}

std::unique_ptr<GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return std::make_unique<GUIContinueGameLogicWindow>(engine.get(), soundController.get(), Data(),
                                                        profileManager.get(), menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return std::make_unique<GUIHighScoresWindow>(engine.get(), profileManager.get(), soundController.get(),
                                                 highScoresTable.get(), Data(), menuWindowManager.get(),
                                                 MenuParent());
}

std::unique_ptr<GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return std::make_unique<GUIOptionsWindow>(engine.get(), soundController.get(), profileManager.get(), Data(),
                                              menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIHelpWindowBase> Game::CreateHelpWindow()
{
    return std::make_unique<GUIHelpWindow>(engine.get(), soundController.get(), Data(), menuWindowManager.get(),
                                           MenuParent());
}

std::unique_ptr<GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    return std::make_unique<GUIGameLogicWindow>(engine.get(), profileManager.get(), Data(), menuWindowManager.get());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return std::make_unique<GUIGameLogicPauseWindow>(engine.get(), soundController.get(), Data(),
                                                     menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return std::make_unique<GUIGameLogicMenuWindow>(engine.get(), soundController.get(), Data(),
                                                    menuWindowManager.get(), profileManager.get(), MenuParent());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> Game::CreateGameLogicMenuExitWindow()
{
    return std::make_unique<GUIGameLogicMenuExitWindow>(engine.get(), soundController.get(), Data(),
                                                        menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIGameLogicRestartWindowBase> Game::CreateGameLogicRestartWindow()
{
    return std::make_unique<GUIGameLogicRestartWindow>(engine.get(), soundController.get(), Data(),
                                                       menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> Game::CreateGameLogicGameExitWindow()
{
    return std::make_unique<GUIGameLogicGameExitWindow>(engine.get(), soundController.get(), Data(),
                                                        menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    return std::make_unique<GUILevelCompleteWindow>(engine.get(), Data(), soundController.get(), levelManager.get(),
                                                    profileManager.get(), menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindow>(engine.get(), levelManager.get(), menuBackground.get());
}

std::unique_ptr<GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return std::make_unique<GUIGameCompleteWindow>(engine.get(), soundController.get(), Data(),
                                                   menuWindowManager.get(), MenuParent());
}

std::unique_ptr<GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return std::make_unique<GUIGameOverWindow>(engine.get(), soundController.get(), Data(), menuWindowManager.get(),
                                               MenuParent());
}

std::unique_ptr<DataKeeper> Game::CreateGameLogicData(StageRecord* stageRecord, LevelRecord* levelRecord)
{
    return std::make_unique<GameLogicData>(engine.get(), languageManager->GetLanguage()->code, stageRecord,
                                           static_cast<GameLevelRecord*>(levelRecord));
}

std::unique_ptr<GameLogicBase> Game::CreateGameLogic(StageRecord* stageRecord, LevelRecord* levelRecord,
                                                     std::uint32_t gameCounter)
{
    return std::make_unique<GameLogic>(engine.get(), Cursor(), profileManager.get(), soundController.get(), Data(),
                                       static_cast<GameLogicData*>(levelData.get()), stageRecord, levelRecord,
                                       gameCounter);
}

} // namespace Mirabel
