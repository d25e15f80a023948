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
#include "platform/win32/Messages.h"
#include "tests/support/Journaled.h"
#include "tests/support/TestGameScreen.h"
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

// A keeper of no lists that lets a test break into its load.
class TestGameKeeper : public Journaled<DataKeeper>
{
public:
    TestGameKeeper(TestGameJournal& journalIn, const std::string& nameIn, OrvaneEngine::Engine* engineIn,
                   std::function<void()> onLoadIn)
        : Journaled<DataKeeper>(journalIn, nameIn, engineIn, "en", false), onLoad(std::move(onLoadIn))
    {
        journal.Name(this, nameIn);
    }

    void LoadAll() override
    {
        if (onLoad)
            onLoad();
        DataKeeper::LoadAll();
    }

private:
    std::function<void()> onLoad;
};

// A loading screen that, when asked to, loads what it shows as the game's do.
class TestGameLoadingScreen : public TestGameScreen<GUILoadingWindowBase, DataKeeper*>
{
public:
    TestGameLoadingScreen(TestGameJournal& journalIn, const std::string& nameIn, OrvaneEngine::Engine* engineIn,
                          bool loadsIn)
        : TestGameScreen<GUILoadingWindowBase, DataKeeper*>(journalIn, nameIn, engineIn), loads(loadsIn)
    {
    }

    void Update() override
    {
        TestGameScreen<GUILoadingWindowBase, DataKeeper*>::Update();
        if (!loads || GetDataKeeper() == nullptr || IsDone())
            return;
        RunLoading();
        result = 1;
    }

private:
    bool loads;
};

// The level logic, journaling its Update in the order of the screens'.
class TestGameLevel : public Journaled<GameLogicBase>
{
public:
    using Journaled<GameLogicBase>::Journaled;

    void Update() override
    {
        GameLogicBase::Update();
        if (journal.recordUpdates)
            journal.Add("update " + name);
    }
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
    return std::make_unique<TestGameKeeper>(journal, "game data", engine.get(), options.onGameDataLoad);
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
    return std::make_unique<TestGameKeeper>(journal, name, engine.get(), nullptr);
}

std::unique_ptr<GameLogicBase> TestGame::CreateGameLogic(StageRecord* stageRecord, LevelRecord* levelRecord,
                                                         std::uint32_t gameCounter)
{
    BeforeMake("level logic");
    auto logic = std::make_unique<TestGameLevel>(journal, "level logic", engine.get(), soundController.get(),
                                                 stageRecord, levelRecord, gameCounter);
    journal.Name(logic.get(), "level logic");
    return logic;
}

void TestGame::Frame()
{
    win32::MSG message{};
    while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE))
    {
        win32::TranslateMessage(&message);
        win32::DispatchMessageA(&message);
    }
    FrameStep();
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
    // A level is played for the current profile, which keeps how it ends.
    if (profileManager->currentProfile == nullptr)
        profileManager->SetCurrentProfile(profileManager->CreateProfile(u"Player"), true);
    previousLevelData = std::move(levelData);
    levelData = CreateGameLogicData(&stageRecord, &levelRecord);
    gameLogic = CreateGameLogic(&stageRecord, &levelRecord, 0);
    gameLogic->PauseTimer(false);
    gameLogicWindow->Show(gameLogic.get());
}

std::unique_ptr<GUILogosWindowBase> TestGame::CreateLogosWindow()
{
    BeforeMake("Logos");
    return MakeScreen<TestGameScreen<GUILogosWindowBase>>("Logos", engine.get());
}

std::unique_ptr<GUILoadingWindowBase> TestGame::CreateLoadingWindow()
{
    BeforeMake("Loading");
    return MakeScreen<TestGameLoadingScreen>("Loading", engine.get(), options.loadingScreensLoad);
}

std::unique_ptr<GUILoadingWindowBase> TestGame::CreateGameLogicLoadingWindow()
{
    BeforeMake("GameLogicLoading");
    return MakeScreen<TestGameLoadingScreen>("GameLogicLoading", engine.get(), options.loadingScreensLoad);
}

std::unique_ptr<GUIWelcomeWindowBase> TestGame::CreateWelcomeWindow()
{
    BeforeMake("Welcome");
    return MakeScreen<TestGameScreen<GUIWelcomeWindowBase>>("Welcome", profileManager.get());
}

std::unique_ptr<GUIExitWindowBase> TestGame::CreateExitWindow()
{
    BeforeMake("Exit");
    return MakeScreen<TestGameScreen<GUIExitWindowBase, std::uint32_t>>("Exit", engine.get());
}

std::unique_ptr<GUIMainMenuWindowBase> TestGame::CreateMainMenuWindow()
{
    BeforeMake("MainMenu");
    return MakeScreen<TestGameScreen<GUIMainMenuWindowBase>>("MainMenu");
}

std::unique_ptr<GUIProfilesWindowBase> TestGame::CreateProfilesWindow()
{
    BeforeMake("Profiles");
    return MakeScreen<TestGameScreen<GUIProfilesWindowBase>>("Profiles", profileManager.get());
}

std::unique_ptr<GUINewProfileWindowBase> TestGame::CreateNewProfileWindow()
{
    BeforeMake("NewProfile");
    return MakeScreen<TestGameScreen<GUINewProfileWindowBase, std::uint32_t>>("NewProfile", profileManager.get());
}

std::unique_ptr<GUIRenameProfileWindowBase> TestGame::CreateRenameProfileWindow()
{
    BeforeMake("RenameProfile");
    return MakeScreen<TestGameScreen<GUIRenameProfileWindowBase, bool, const std::u16string&>>("RenameProfile", profileManager.get());
}

std::unique_ptr<GUIDeleteProfileWindowBase> TestGame::CreateDeleteProfileWindow()
{
    BeforeMake("DeleteProfile");
    return MakeScreen<TestGameScreen<GUIDeleteProfileWindowBase, const std::u16string&>>("DeleteProfile", profileManager.get());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> TestGame::CreateProfileNameConflictWindow()
{
    BeforeMake("ProfileNameConflict");
    return MakeScreen<TestGameScreen<GUIProfileNameConflictWindowBase, std::uint32_t>>("ProfileNameConflict");
}

std::unique_ptr<GUIStartGameLogicWindowBase> TestGame::CreateStartGameLogicWindow()
{
    BeforeMake("StartGameLogic");
    return MakeScreen<TestGameScreen<GUIStartGameLogicWindowBase, std::uint32_t>>("StartGameLogic");
}

std::unique_ptr<GUIContinueGameLogicWindowBase> TestGame::CreateContinueGameLogicWindow()
{
    BeforeMake("ContinueGameLogic");
    return MakeScreen<TestGameScreen<GUIContinueGameLogicWindowBase>>("ContinueGameLogic", engine.get());
}

std::unique_ptr<GUIHighScoresWindowBase> TestGame::CreateHighScoresWindow()
{
    BeforeMake("HighScores");
    return MakeScreen<TestGameScreen<GUIHighScoresWindowBase, std::uint32_t, const HighScoresTable::Row*>>("HighScores", highScoresTable.get());
}

std::unique_ptr<GUIOptionsWindowBase> TestGame::CreateOptionsWindow()
{
    BeforeMake("Options");
    return MakeScreen<TestGameScreen<GUIOptionsWindowBase>>("Options", engine.get(), soundController.get(), profileManager.get());
}

std::unique_ptr<GUIHelpWindowBase> TestGame::CreateHelpWindow()
{
    BeforeMake("Help");
    return MakeScreen<TestGameScreen<GUIHelpWindowBase>>("Help");
}

std::unique_ptr<GUIGameLogicWindowBase> TestGame::CreateGameLogicWindow()
{
    BeforeMake("GameLogic");
    return MakeScreen<TestGameScreen<GUIGameLogicWindowBase, GameLogicBase*>>("GameLogic", engine.get(), profileManager.get());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> TestGame::CreateGameLogicPauseWindow()
{
    BeforeMake("GameLogicPause");
    return MakeScreen<TestGameScreen<GUIGameLogicPauseWindowBase>>("GameLogicPause", engine.get());
}

std::unique_ptr<GUIGameLogicMenuWindowBase> TestGame::CreateGameLogicMenuWindow()
{
    BeforeMake("GameLogicMenu");
    return MakeScreen<TestGameScreen<GUIGameLogicMenuWindowBase>>("GameLogicMenu", engine.get(), soundController.get(), profileManager.get());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> TestGame::CreateGameLogicMenuExitWindow()
{
    BeforeMake("GameLogicMenuExit");
    return MakeScreen<TestGameScreen<GUIGameLogicMenuExitWindowBase>>("GameLogicMenuExit", engine.get());
}

std::unique_ptr<GUIGameLogicRestartWindowBase> TestGame::CreateGameLogicRestartWindow()
{
    BeforeMake("GameLogicRestart");
    return MakeScreen<TestGameScreen<GUIGameLogicRestartWindowBase>>("GameLogicRestart", engine.get());
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> TestGame::CreateGameLogicGameExitWindow()
{
    BeforeMake("GameLogicGameExit");
    return MakeScreen<TestGameScreen<GUIGameLogicGameExitWindowBase>>("GameLogicGameExit", engine.get());
}

std::unique_ptr<GUILevelCompleteWindowBase> TestGame::CreateLevelCompleteWindow()
{
    BeforeMake("LevelComplete");
    return MakeScreen<TestGameScreen<GUILevelCompleteWindowBase, LevelRecord*, float>>("LevelComplete", engine.get(), levelManager.get());
}

std::unique_ptr<GUIStageCompleteWindowBase> TestGame::CreateStageCompleteWindow()
{
    BeforeMake("StageComplete");
    return MakeScreen<TestGameScreen<GUIStageCompleteWindowBase, LevelRecord*>>("StageComplete", engine.get(), levelManager.get());
}

std::unique_ptr<GUIGameCompleteWindowBase> TestGame::CreateGameCompleteWindow()
{
    BeforeMake("GameComplete");
    return MakeScreen<TestGameScreen<GUIGameCompleteWindowBase>>("GameComplete", engine.get());
}

std::unique_ptr<GUIGameOverWindowBase> TestGame::CreateGameOverWindow()
{
    BeforeMake("GameOver");
    return MakeScreen<TestGameScreen<GUIGameOverWindowBase>>("GameOver", engine.get());
}

} // namespace corvellan::test
