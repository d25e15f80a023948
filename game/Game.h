#pragma once

#include "framework/GameBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Mirabel
{

// The game's application object: the framework's start-up, loop and
// shutdown with the game's settings, console variables, volumes, texts,
// sounds and services. The screens and the level come later: until then the
// flow stops at the loading screen and the screen factories make nothing.
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

    std::uint32_t GetCameraType() const { return cameraType; }
    float GetCameraValue() const { return cameraValue; }

protected:
    // Which of the two level tracks plays next.
    std::uint32_t musicToggle = 0;
    // Only travel through the configuration file.
    std::uint32_t cameraType = 0;
    float cameraValue = 0.0f;

private:
    // Until the screens exist: logs that the named factory made nothing.
    std::nullptr_t NotMadeYet(const char* factory);
};

} // namespace Mirabel
