#pragma once

#include "framework/GameBase.h"
#include "framework/LevelRecord.h"
#include "framework/StageRecord.h"
#include "tests/support/TestGameJournal.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace corvellan::test
{

// The application object of the test game: every factory returns a double
// that journals its making and its end. Built from the program's folder and
// the per-user folder as the real game is; TestGameData writes data for it.
class TestGame : public GameFramework::GameBase
{
public:
    static constexpr const char* Company = "Brackwell Games";
    static constexpr const char* Title = "Corvellan";
    static constexpr std::uint32_t Version = 103;

    struct Options
    {
        // Called with a factory's product name before it is made; may throw.
        std::function<void(TestGame&, const std::string&)> beforeMake;
        // Called from the game cursor's Update; may throw.
        std::function<void()> onCursorUpdate;
        // The loading screens load their keeper in their first Update after
        // Show, through the loading worker, and then report 1, as the game's do.
        bool loadingScreensLoad = false;
        // Called by the game data keeper as it loads (on the worker); may throw.
        std::function<void()> onGameDataLoad;
        // Off for a data set that holds no level lists yet.
        bool loadLevelLists = true;
    };

    TestGame(TestGameJournal& journal, Options options);
    ~TestGame() override;

    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override;
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override;
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override;
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateLoadingWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override;
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override;
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override;
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override;
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override;
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override;
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override;
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override;
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override;
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override;
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override;
    std::unique_ptr<GameFramework::GUIHelpWindowBase> CreateHelpWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override;
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameLogicData(GameFramework::StageRecord* stageRecord,
                                                                   GameFramework::LevelRecord* levelRecord) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(GameFramework::StageRecord* stageRecord,
                                                                  GameFramework::LevelRecord* levelRecord,
                                                                  std::uint32_t gameCounter) override;

    // The loader's loop for one frame: every waiting message, then the step.
    void Frame();

    // Journals "reset device", then resets as the framework does.
    void ResetDevice() override;

    // Makes the screens when there are none yet and a current profile
    // "Player" when there is none, keeps the level data of the level before,
    // then starts a running level behind the in-game panel.
    void StartLevel();

    // The result code of the screen the factories made under that name.
    std::uint32_t& Result(const std::string& screen) { return *results.at(screen); }

    GameFramework::GameLogicBase* GetLevel() const { return gameLogic.get(); }
    GameFramework::DataKeeper* GetGameData() const { return gameData.get(); }
    GameFramework::DataKeeper* GetLevelData() const { return levelData.get(); }
    GameFramework::DataKeeper* GetPreviousLevelData() const { return previousLevelData.get(); }
    GameFramework::ProfileManagerBase* GetProfileManager() const { return profileManager.get(); }
    GameFramework::LevelManagerBase* GetLevelManager() const { return levelManager.get(); }
    GameFramework::HighScoresTable* GetHighScores() const { return highScoresTable.get(); }
    GameFramework::GUIGameCursorBase* GetCursor() const { return gameCursor.get(); }
    GameFramework::GUIProfilesWindowBase* GetProfilesWindow() const { return profilesWindow.get(); }
    GameFramework::GUILoadingWindowBase* GetLoadingWindow() const { return loadingWindow.get(); }
    GameFramework::GUIOptionsWindowBase* GetOptionsWindow() const { return optionsWindow.get(); }
    GameFramework::GUIGameLogicMenuWindowBase* GetGameLogicMenuWindow() const { return gameLogicMenuWindow.get(); }
    GameFramework::GUIGameCompleteWindowBase* GetGameCompleteWindow() const { return gameCompleteWindow.get(); }
    GameFramework::GUIGameLogicWindowBase* GetPanel() const { return gameLogicWindow.get(); }
    GameFramework::SoundController* GetSoundController() const { return soundController.get(); }
    bool IsMusicPaused() const { return musicPaused; }
    std::uint32_t GetVideoModeChangeCounter() const { return videoModeChangeCounter; }

private:
    void BeforeMake(const std::string& name);
    template <class Screen, class... Args>
    std::unique_ptr<Screen> MakeScreen(const std::string& name, Args&&... args)
    {
        auto screen = std::make_unique<Screen>(journal, name, std::forward<Args>(args)...);
        results[name] = &screen->result;
        return screen;
    }

    TestGameJournal& journal;
    Options options;
    std::uint32_t levelDataMade = 0;
    std::map<std::string, std::uint32_t*> results;
    // The one level every StartLevel plays.
    GameFramework::StageRecord stageRecord;
    GameFramework::LevelRecord levelRecord;
};

} // namespace corvellan::test
