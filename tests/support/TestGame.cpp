#include "tests/support/TestGame.h"

#include "engine/core/Engine.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIExitWindowBase.h"
#include "framework/GUIGameCompleteWindowBase.h"
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
#include "tests/support/Journaled.h"
#include "tests/support/ShowCounting.h"
#include "tests/support/TestLevelManager.h"
#include "tests/support/TestProfileManager.h"

namespace corvellan::test
{

using namespace GameFramework;

namespace
{

// The real cursor with a way for a test to break into its Update.
class TestGameCursor : public Journaled<GUIGameCursorBase>
{
public:
    TestGameCursor(TestGameJournal& journalIn, OrvaneEngine::Engine* engine, std::function<void()> onUpdateIn)
        : Journaled<GUIGameCursorBase>(journalIn, "cursor", engine), onUpdate(std::move(onUpdateIn))
    {
    }

    bool Update() override
    {
        if (onUpdate)
            onUpdate();
        return GUIGameCursorBase::Update();
    }

private:
    std::function<void()> onUpdate;
};

} // namespace

TestGame::TestGame(TestGameJournal& journalIn, Options optionsIn)
    : GameBase(Company, Title, Version), journal(journalIn), options(std::move(optionsIn))
{
    Initialize();
}

TestGame::~TestGame() = default;

void TestGame::BeforeMake(const std::string& name)
{
    journal.Add("factory " + name);
    if (options.beforeMake)
        options.beforeMake(*this, name);
}

std::unique_ptr<LevelManagerBase> TestGame::CreateLevelManager()
{
    BeforeMake("level manager");
    return std::make_unique<Journaled<TestLevelManager>>(journal, "level manager", engine.get(),
                                                        options.loadLevelLists);
}

std::unique_ptr<ProfileManagerBase> TestGame::CreateProfileManager()
{
    BeforeMake("profile manager");
    return std::make_unique<Journaled<TestProfileManager>>(journal, "profile manager", engine.get(),
                                                           soundController.get(), userFolder);
}

std::unique_ptr<DataKeeper> TestGame::CreateGameData()
{
    BeforeMake("game data");
    return std::make_unique<Journaled<DataKeeper>>(journal, "game data", engine.get(), "en", false);
}

std::unique_ptr<GUIGameCursorBase> TestGame::CreateGameCursor()
{
    BeforeMake("cursor");
    return std::make_unique<TestGameCursor>(journal, engine.get(), options.onCursorUpdate);
}

std::unique_ptr<DataKeeper> TestGame::CreateGameLogicData(StageRecord* /*stageRecord*/, LevelRecord* /*levelRecord*/)
{
    const std::string name = "level data " + std::to_string(++levelDataMade);
    BeforeMake(name);
    return std::make_unique<Journaled<DataKeeper>>(journal, name, engine.get(), "en", false);
}

std::unique_ptr<GameLogicBase> TestGame::CreateGameLogic(StageRecord* stageRecord, LevelRecord* levelRecord,
                                                         std::uint32_t gameCounter)
{
    BeforeMake("level logic");
    return std::make_unique<Journaled<GameLogicBase>>(journal, "level logic", engine.get(), soundController.get(),
                                                      stageRecord, levelRecord, gameCounter);
}

void TestGame::ResetDevice()
{
    journal.Add("reset device");
    GameBase::ResetDevice();
}

void TestGame::StartLevel()
{
    if (!gameLogicWindow)
        CreateWindows();
    previousLevelData = std::move(levelData);
    levelData = CreateGameLogicData(&stageRecord, &levelRecord);
    gameLogic = CreateGameLogic(&stageRecord, &levelRecord, 0);
    gameLogic->PauseTimer(false);
    gameLogicWindow->Show(gameLogic.get());
}

std::unique_ptr<GUILogosWindowBase> TestGame::CreateLogosWindow()
{
    BeforeMake("Logos");
    return std::make_unique<ShowCounting<GUILogosWindowBase>>(journal, "Logos");
}

std::unique_ptr<GUILoadingWindowBase> TestGame::CreateLoadingWindow()
{
    BeforeMake("Loading");
    return std::make_unique<Journaled<GUILoadingWindowBase>>(journal, "Loading");
}

std::unique_ptr<GUILoadingWindowBase> TestGame::CreateGameLogicLoadingWindow()
{
    BeforeMake("GameLogicLoading");
    return std::make_unique<Journaled<GUILoadingWindowBase>>(journal, "GameLogicLoading");
}

std::unique_ptr<GUIWelcomeWindowBase> TestGame::CreateWelcomeWindow()
{
    BeforeMake("Welcome");
    return std::make_unique<ShowCounting<GUIWelcomeWindowBase>>(journal, "Welcome");
}

std::unique_ptr<GUIExitWindowBase> TestGame::CreateExitWindow()
{
    BeforeMake("Exit");
    return std::make_unique<Journaled<GUIExitWindowBase>>(journal, "Exit");
}

std::unique_ptr<GUIMainMenuWindowBase> TestGame::CreateMainMenuWindow()
{
    BeforeMake("MainMenu");
    return std::make_unique<ShowCounting<GUIMainMenuWindowBase>>(journal, "MainMenu");
}

std::unique_ptr<GUIProfilesWindowBase> TestGame::CreateProfilesWindow()
{
    BeforeMake("Profiles");
    return std::make_unique<ShowCounting<GUIProfilesWindowBase>>(journal, "Profiles");
}

std::unique_ptr<GUINewProfileWindowBase> TestGame::CreateNewProfileWindow()
{
    BeforeMake("NewProfile");
    return std::make_unique<Journaled<GUINewProfileWindowBase>>(journal, "NewProfile");
}

std::unique_ptr<GUIRenameProfileWindowBase> TestGame::CreateRenameProfileWindow()
{
    BeforeMake("RenameProfile");
    return std::make_unique<Journaled<GUIRenameProfileWindowBase>>(journal, "RenameProfile");
}

std::unique_ptr<GUIDeleteProfileWindowBase> TestGame::CreateDeleteProfileWindow()
{
    BeforeMake("DeleteProfile");
    return std::make_unique<Journaled<GUIDeleteProfileWindowBase>>(journal, "DeleteProfile");
}

std::unique_ptr<GUIProfileNameConflictWindowBase> TestGame::CreateProfileNameConflictWindow()
{
    BeforeMake("ProfileNameConflict");
    return std::make_unique<Journaled<GUIProfileNameConflictWindowBase>>(journal, "ProfileNameConflict");
}

std::unique_ptr<GUIStartGameLogicWindowBase> TestGame::CreateStartGameLogicWindow()
{
    BeforeMake("StartGameLogic");
    return std::make_unique<Journaled<GUIStartGameLogicWindowBase>>(journal, "StartGameLogic");
}

std::unique_ptr<GUIContinueGameLogicWindowBase> TestGame::CreateContinueGameLogicWindow()
{
    BeforeMake("ContinueGameLogic");
    return std::make_unique<ShowCounting<GUIContinueGameLogicWindowBase>>(journal, "ContinueGameLogic");
}

std::unique_ptr<GUIHighScoresWindowBase> TestGame::CreateHighScoresWindow()
{
    BeforeMake("HighScores");
    return std::make_unique<Journaled<GUIHighScoresWindowBase>>(journal, "HighScores");
}

std::unique_ptr<GUIOptionsWindowBase> TestGame::CreateOptionsWindow()
{
    BeforeMake("Options");
    return std::make_unique<ShowCounting<GUIOptionsWindowBase>>(journal, "Options");
}

std::unique_ptr<GUIHelpWindowBase> TestGame::CreateHelpWindow()
{
    BeforeMake("Help");
    return std::make_unique<ShowCounting<GUIHelpWindowBase>>(journal, "Help");
}

std::unique_ptr<GUIGameLogicWindowBase> TestGame::CreateGameLogicWindow()
{
    BeforeMake("GameLogic");
    return std::make_unique<Journaled<GUIGameLogicWindowBase>>(journal, "GameLogic");
}

std::unique_ptr<GUIGameLogicPauseWindowBase> TestGame::CreateGameLogicPauseWindow()
{
    BeforeMake("GameLogicPause");
    return std::make_unique<ShowCounting<GUIGameLogicPauseWindowBase>>(journal, "GameLogicPause");
}

std::unique_ptr<GUIGameLogicMenuWindowBase> TestGame::CreateGameLogicMenuWindow()
{
    BeforeMake("GameLogicMenu");
    return std::make_unique<ShowCounting<GUIGameLogicMenuWindowBase>>(journal, "GameLogicMenu");
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> TestGame::CreateGameLogicMenuExitWindow()
{
    BeforeMake("GameLogicMenuExit");
    return std::make_unique<ShowCounting<GUIGameLogicMenuExitWindowBase>>(journal, "GameLogicMenuExit");
}

std::unique_ptr<GUIGameLogicRestartWindowBase> TestGame::CreateGameLogicRestartWindow()
{
    BeforeMake("GameLogicRestart");
    return std::make_unique<ShowCounting<GUIGameLogicRestartWindowBase>>(journal, "GameLogicRestart");
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> TestGame::CreateGameLogicGameExitWindow()
{
    BeforeMake("GameLogicGameExit");
    return std::make_unique<ShowCounting<GUIGameLogicGameExitWindowBase>>(journal, "GameLogicGameExit");
}

std::unique_ptr<GUILevelCompleteWindowBase> TestGame::CreateLevelCompleteWindow()
{
    BeforeMake("LevelComplete");
    return std::make_unique<Journaled<GUILevelCompleteWindowBase>>(journal, "LevelComplete");
}

std::unique_ptr<GUIStageCompleteWindowBase> TestGame::CreateStageCompleteWindow()
{
    BeforeMake("StageComplete");
    return std::make_unique<Journaled<GUIStageCompleteWindowBase>>(journal, "StageComplete");
}

std::unique_ptr<GUIGameCompleteWindowBase> TestGame::CreateGameCompleteWindow()
{
    BeforeMake("GameComplete");
    return std::make_unique<ShowCounting<GUIGameCompleteWindowBase>>(journal, "GameComplete");
}

std::unique_ptr<GUIGameOverWindowBase> TestGame::CreateGameOverWindow()
{
    BeforeMake("GameOver");
    return std::make_unique<ShowCounting<GUIGameOverWindowBase>>(journal, "GameOver");
}

} // namespace corvellan::test
