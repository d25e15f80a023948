#pragma once

#include "framework/LevelResult.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace OrvaneEngine
{
class Config;
class Controls;
class Engine;
struct EngineSettings;
class FileManager;
class GUIFontManager;
class GUIManager;
class GUISoundManager;
class GUITextManager;
class LightManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ScreenCapture;
class ShaderManager;
class SoundManager;
class SpriteGroupManager;
class TextureManager;
class TimerManager;
class Window;
} // namespace OrvaneEngine

namespace GameFramework
{

class DataKeeper;
class GameLogicBase;
class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIGameCompleteWindowBase;
class GUIGameCursorBase;
class GUIGameLogicGameExitWindowBase;
class GUIGameLogicMenuExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicRestartWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHelpWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUIWelcomeWindowBase;
class HighScoresTable;
class LanguageManager;
class LevelManagerBase;
class LevelRecord;
class ProfileManagerBase;
class SoundController;
class StageRecord;

// The application object every game derives from: it finds the program's
// data and the player's folder, builds the engine and the framework's
// services, runs one frame at a time and tears everything down in a fixed
// order. The game's constructor calls Initialize as its last step, so that
// the factories below reach the game's overrides.
class GameBase
{
public:
    // A fonts list names at most this many fonts; a larger count is a damaged list.
    static constexpr std::uint32_t MostFonts = 256;

    GameBase(const std::string& company, const std::string& title, std::uint32_t version);
    virtual ~GameBase();
    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    virtual void FrameStep();
    virtual void Initialize();
    virtual void FillEngineSettings(OrvaneEngine::EngineSettings& settings);
    virtual void RegisterConsoleVariables();
    virtual void LoadFonts();
    virtual void LoadTexts();
    virtual void LoadSounds();
    virtual void CreateWindows();

    virtual std::unique_ptr<LevelManagerBase> CreateLevelManager() = 0;
    virtual std::unique_ptr<ProfileManagerBase> CreateProfileManager() = 0;
    virtual std::unique_ptr<DataKeeper> CreateGameData() = 0;
    virtual std::unique_ptr<GUIGameCursorBase> CreateGameCursor() = 0;
    virtual std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateLoadingWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow() = 0;
    virtual std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow() = 0;
    virtual std::unique_ptr<GUIExitWindowBase> CreateExitWindow() = 0;
    virtual std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow() = 0;
    virtual std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow() = 0;
    virtual std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow() = 0;
    virtual std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow() = 0;
    virtual std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() = 0;
    virtual std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() = 0;
    virtual std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow() = 0;
    virtual std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow() = 0;
    virtual std::unique_ptr<GUIHelpWindowBase> CreateHelpWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() = 0;
    virtual std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow() = 0;
    virtual std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow() = 0;
    virtual std::unique_ptr<DataKeeper> CreateGameLogicData(StageRecord* stageRecord, LevelRecord* levelRecord) = 0;
    virtual std::unique_ptr<GameLogicBase> CreateGameLogic(StageRecord* stageRecord, LevelRecord* levelRecord,
                                                           std::uint32_t gameCounter) = 0;
    virtual std::unique_ptr<LevelResult> CreateLevelResult();
    virtual void FillLevelResult(LevelResult* result);

    virtual void HandleConsoleCommands();
    virtual float GetDefaultMusicVolume();
    virtual float GetDefaultSoundVolume();
    virtual void ResetDevice();
    virtual void DispatchWindowResults();
    virtual void ClearWindowResults();
    virtual void UpdateWindows();

    virtual void OnLogosWindow();
    virtual void OnLoadingWindow();
    virtual void OnWelcomeWindow();
    virtual void OnExitWindow();
    virtual void OnMainMenuWindow();
    virtual void OnProfilesWindow();
    virtual void OnGameLogicLoadingWindow();
    virtual void OnNewProfileWindow();
    virtual void OnRenameProfileWindow();
    virtual void OnDeleteProfileWindow();
    virtual void OnProfileNameConflictWindow();
    virtual void OnStartGameLogicWindow();
    virtual void OnContinueGameLogicWindow();
    virtual void OnHighScoresWindow();
    virtual void OnOptionsWindow();
    virtual void OnHelpWindow();
    virtual void OnGameLogicWindow();
    virtual void OnGameLogicPauseWindow();
    virtual void OnGameLogicMenuWindow();
    virtual void OnGameLogicMenuExitWindow();
    virtual void OnGameLogicRestartWindow();
    virtual void OnGameLogicGameExitWindow();
    virtual void OnLevelWon();
    virtual void OnLevelLost();
    virtual void OnLevelCompleteWindow();
    virtual void OnStageCompleteWindow();
    virtual void OnGameCompleteWindow();
    virtual void OnGameOverWindow();

    bool IsExiting() const;
    // "audio\<group>\<name>.wav" when the data holds that file, else the ".ogg" name.
    std::string FindSoundFile(const std::string& group, const std::string& name) const;
    // One language text file of the current language into the GUI text manager.
    void LoadTextFile(const std::string& name);

    // Reads the fonts list "data\ui\fonts\<languageCode>.ini" and creates its
    // fonts, font i under id i. The whole list is read before any font is
    // made, so a damaged list (a count above MostFonts, a record cut short)
    // throws FileError and leaves the font manager as it was.
    static void LoadFontsList(OrvaneEngine::FileManager& files, OrvaneEngine::GUIFontManager& fonts,
                              const std::string& languageCode, std::uint32_t& fontCount, std::uint32_t& consoleFontId);

    const std::string& GetCompanyName() const { return companyName; }
    const std::string& GetTitle() const { return title; }
    std::uint32_t GetVersion() const { return version; }
    const std::string& GetRegistryKey() const { return registryKey; }
    const std::string& GetRootFolder() const { return rootFolder; }
    const std::string& GetUserFolder() const { return userFolder; }
    OrvaneEngine::Engine* GetEngine() const { return engine.get(); }
    std::uint32_t GetFontCount() const { return fontCount; }
    std::uint32_t GetConsoleFontId() const { return consoleFontId; }
    bool IsShowingStatistics() const { return showStatistics; }

protected:
    std::string companyName;
    std::string title;
    std::uint32_t version;
    std::string registryKey;
    std::string rootFolder;
    std::string userFolder;

    std::unique_ptr<OrvaneEngine::Engine> engine;

    OrvaneEngine::MessageManager* messageManager = nullptr;
    OrvaneEngine::FileManager* fileManager = nullptr;
    OrvaneEngine::TimerManager* timerManager = nullptr;
    OrvaneEngine::Config* config = nullptr;
    OrvaneEngine::Window* window = nullptr;
    OrvaneEngine::RenderSystem* renderSystem = nullptr;
    OrvaneEngine::LightManager* lightManager = nullptr;
    OrvaneEngine::ShaderManager* shaderManager = nullptr;
    OrvaneEngine::TextureManager* textureManager = nullptr;
    OrvaneEngine::ModelManager* modelManager = nullptr;
    OrvaneEngine::SpriteGroupManager* spriteGroupManager = nullptr;
    OrvaneEngine::ParticleSystemManager* particleSystemManager = nullptr;
    OrvaneEngine::Controls* controls = nullptr;
    OrvaneEngine::SoundManager* soundManager = nullptr;
    OrvaneEngine::GUIManager* guiManager = nullptr;
    OrvaneEngine::GUIFontManager* guiFontManager = nullptr;
    OrvaneEngine::GUITextManager* guiTextManager = nullptr;
    OrvaneEngine::GUISoundManager* guiSoundManager = nullptr;
    OrvaneEngine::ScreenCapture* screenCapture = nullptr;

    bool showStatistics = false;

    std::unique_ptr<LanguageManager> languageManager;
    std::unique_ptr<SoundController> soundController;

    std::unique_ptr<DataKeeper> gameData;
    std::unique_ptr<DataKeeper> levelData;
    std::unique_ptr<DataKeeper> previousLevelData;

    std::unique_ptr<LevelManagerBase> levelManager;
    std::unique_ptr<ProfileManagerBase> profileManager;
    std::unique_ptr<HighScoresTable> highScoresTable;
    std::unique_ptr<GUIGameCursorBase> gameCursor;

    std::unique_ptr<GUILogosWindowBase> logosWindow;
    std::unique_ptr<GUILoadingWindowBase> loadingWindow;
    std::unique_ptr<GUILoadingWindowBase> gameLogicLoadingWindow;
    std::unique_ptr<GUIWelcomeWindowBase> welcomeWindow;
    std::unique_ptr<GUIExitWindowBase> exitWindow;
    std::unique_ptr<GUIMainMenuWindowBase> mainMenuWindow;
    std::unique_ptr<GUIProfilesWindowBase> profilesWindow;
    std::unique_ptr<GUINewProfileWindowBase> newProfileWindow;
    std::unique_ptr<GUIRenameProfileWindowBase> renameProfileWindow;
    std::unique_ptr<GUIDeleteProfileWindowBase> deleteProfileWindow;
    std::unique_ptr<GUIProfileNameConflictWindowBase> profileNameConflictWindow;
    std::unique_ptr<GUIStartGameLogicWindowBase> startGameLogicWindow;
    std::unique_ptr<GUIContinueGameLogicWindowBase> continueGameLogicWindow;
    std::unique_ptr<GUIHighScoresWindowBase> highScoresWindow;
    std::unique_ptr<GUIOptionsWindowBase> optionsWindow;
    std::unique_ptr<GUIHelpWindowBase> helpWindow;
    std::unique_ptr<GUIGameLogicWindowBase> gameLogicWindow;
    std::unique_ptr<GUIGameLogicPauseWindowBase> gameLogicPauseWindow;
    std::unique_ptr<GUIGameLogicMenuWindowBase> gameLogicMenuWindow;
    std::unique_ptr<GUIGameLogicMenuExitWindowBase> gameLogicMenuExitWindow;
    std::unique_ptr<GUIGameLogicRestartWindowBase> gameLogicRestartWindow;
    std::unique_ptr<GUIGameLogicGameExitWindowBase> gameLogicGameExitWindow;
    std::unique_ptr<GUILevelCompleteWindowBase> levelCompleteWindow;
    std::unique_ptr<GUIStageCompleteWindowBase> stageCompleteWindow;
    std::unique_ptr<GUIGameCompleteWindowBase> gameCompleteWindow;
    std::unique_ptr<GUIGameOverWindowBase> gameOverWindow;

    std::unique_ptr<GameLogicBase> gameLogic;

    bool musicPaused = false;
    bool timerWasPaused = false;
    std::uint32_t videoModeChangeCounter = 0;

    std::uint32_t fontCount = 0;
    std::uint32_t consoleFontId = 0;

    // The existing screens' result codes, in Dispatch order. A game with
    // screens of its own adds theirs, so that one pass rule serves and
    // clears every code.
    virtual std::vector<std::uint32_t*> ScreenResults() const;
    // Calls the handler with the code as it stood when the running pass
    // began (0 for a screen made since); a code set since then waits for the
    // next pass.
    void ServeResult(std::uint32_t& result, void (GameBase::*handler)());

private:
    // The code a screen had when the running dispatch pass began (0 when
    // it did not exist then).
    std::uint32_t ServedResult(const std::uint32_t* result) const;
    template <class Screen>
    void Serve(const std::unique_ptr<Screen>& screen, void (GameBase::*handler)());
    // Hides one screen and shows the next with the arguments it takes.
    template <class From, class To, class... Args>
    void Replace(const std::unique_ptr<From>& from, const std::unique_ptr<To>& to, Args&&... args);
    // The level position of the current profile, moved to the first level
    // when the lists do not hold it.
    void CheckProfilePosition();
    StageRecord* CurrentStageRecord() const;
    LevelRecord* CurrentLevelRecord() const;
    void PrepareLevelData();
    // Hides the panel and deletes the level.
    void DropLevel();
    // Shows HighScores with the row the score earned, or MainMenu for no score.
    void ShowScore(std::uint32_t callerCode, std::uint32_t score);
    // While the level is over, the panel's dialogs would act on a finished level.
    bool IsLevelOver() const;

    // The codes as each dispatch pass found them, until the clear after it.
    std::vector<std::pair<std::uint32_t*, std::uint32_t>> passResults;
    bool passOpen = false;
    GameLogicBase* passLogic = nullptr;
    bool passLogicChanged = false;
};

} // namespace GameFramework
