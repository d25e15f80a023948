#pragma once

#include "framework/GameBase.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{
class GUIWindow;
}

namespace Mirabel
{

class GameData;
class GUIBackgroundWindow;
class GUIGameCompleteEffect;
class GUIGameCursor;
class GUIIntroductionWindow;
class GUIMenuWindowManager;
class GUIRelaxWindow;
class GUITutorialWindow;
class GUIUnicorn;
class GUIUpgradeWindow;
class LevelManager;
class Profile;

// The game's application object: the framework's start-up, loop and
// shutdown with the game's settings, console variables, volumes, texts,
// sounds, services and screens, the screens of its own (the menu
// background and what rides on it, the introduction, the relax offer and
// the tutorial) and the music and cursor that follow the screen flow.
class Game : public GameFramework::GameBase
{
public:
    Game(const std::string& company, const std::string& title, std::uint32_t version);
    ~Game() override;

    void FillEngineSettings(OrvaneEngine::EngineSettings& settings) override;
    void RegisterConsoleVariables() override;
    // Stops with the game's own text when the language's fonts list is
    // missing: that is the first file the start-up needs, so its absence
    // means the game's data was not found at all.
    void LoadFonts() override;
    void LoadTexts() override;
    void LoadSounds() override;
    float GetDefaultMusicVolume() override;
    float GetDefaultSoundVolume() override;

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

    // The game's own objects first, then the framework's screens.
    void CreateWindows() override;
    // The framework's screens first, then the game's own; each own code is
    // served in the pass that found it, once, and cleared with the others.
    void DispatchWindowResults() override;
    std::vector<std::uint32_t*> ScreenResults() const override;
    void UpdateWindows() override;

    void OnLogosWindow() override;
    void OnMainMenuWindow() override;
    void OnProfilesWindow() override;
    void OnGameLogicLoadingWindow() override;
    void OnStartGameLogicWindow() override;
    void OnHighScoresWindow() override;
    void OnGameLogicWindow() override;
    void OnGameLogicMenuExitWindow() override;
    void OnGameLogicRestartWindow() override;
    void OnLevelWon() override;
    void OnLevelCompleteWindow() override;
    void OnStageCompleteWindow() override;
    void OnGameCompleteWindow() override;
    void OnGameOverWindow() override;

    virtual void OnUpgradeWindow();
    virtual void OnGameCompleteEffect();
    virtual void OnIntroductionWindow();
    virtual void OnRelaxWindow();
    virtual void OnTutorialWindow();

    std::uint32_t GetCameraType() const { return cameraType; }
    float GetCameraValue() const { return cameraValue; }

    static constexpr std::uint32_t MenuChannel = 0;
    static constexpr std::uint32_t LevelChannel = 1;
    static constexpr std::uint32_t MenuTrack = 0;
    static constexpr float MenuFadeInRate = 0.5f;
    static constexpr float LevelFadeInRate = 0.1f;
    static constexpr float MusicFadeOutRate = 1.0f;

protected:
    // The game's services under their own classes.
    GUIGameCursor* Cursor() const;
    GameData* Data() const;
    LevelManager* Levels() const;
    Profile* CurrentProfile() const;
    // The parent of every menu frame.
    OrvaneEngine::GUIWindow* MenuParent() const;
    void RestartMenuMusic();

    std::unique_ptr<GUIBackgroundWindow> menuBackground;
    std::unique_ptr<GUIMenuWindowManager> menuWindowManager;
    std::unique_ptr<GUIGameCompleteEffect> gameCompleteEffect;
    std::unique_ptr<GUIUnicorn> unicorn;
    std::unique_ptr<GUIUpgradeWindow> upgradeWindow;
    std::unique_ptr<GUIIntroductionWindow> introductionWindow;
    std::unique_ptr<GUIRelaxWindow> relaxWindow;
    std::unique_ptr<GUITutorialWindow> tutorialWindow;
    // Which of the two level tracks plays next.
    std::uint32_t musicToggle = 0;
    // Only travel through the configuration file.
    std::uint32_t cameraType = 0;
    float cameraValue = 0.0f;
};

} // namespace Mirabel
