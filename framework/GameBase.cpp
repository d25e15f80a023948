#include "framework/GameBase.h"

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/Random.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
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
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/Registry.h"
#include "framework/SoundController.h"
#include "platform/win32/Sleep.h"
#include "platform/win32/TickCount.h"

#include <algorithm>
#include <vector>

namespace GameFramework
{

using namespace OrvaneEngine;

namespace
{

constexpr const char* CommandVideoMemory = "d_get_used_video_memory_size";
constexpr const char* CommandOccupation = "d_get_manages_occupation";
constexpr const char* CommandLoadedTextures = "d_get_loaded_textures";
constexpr const char* VariableShowStatistics = "d_show_statistics";
constexpr const char* CommandUpdateVideoMode = "g_update_video_mode";
constexpr const char* CommandWindowChangeMode = "v_window_change_mode";

// Music comes back over two seconds from silence after a pause it did not choose.
constexpr float MusicFadeInRate = 0.5f;
constexpr std::uint32_t UnfocusedNap = 100;
// The mode change waits this many frames so that screens can show the pending request.
constexpr std::uint32_t VideoModeChangeFrames = 2;

struct FontsListRecord
{
    std::string file;
    std::string diffuse;
    std::string opacity;
    float glyphHeight = 1.0f;
    float spaceRatio = 1.0f;
    float advanceFactor = 1.0f;
    bool addLowerCase = false;
    bool fixedPitch = false;
};

// One word of the list; running out of words is a damaged list.
std::string NextWord(FileTextual& file, const std::string& listName)
{
    std::string word;
    if (!file.GetString(word, false))
        throw FileError("Fonts list " + listName + " ends in the middle of a font");
    return word;
}

// A request is made by clearing a command's flag and served by setting it again.
bool TakeCommand(Config& config, const std::string& name)
{
    if (config.GetCommandFlag(name))
        return false;
    config.SetCommandFlag(name, true);
    return true;
}

} // namespace

GameBase::GameBase(const std::string& company, const std::string& titleIn, std::uint32_t versionIn)
    : companyName(company), title(titleIn), version(versionIn), registryKey("SOFTWARE\\" + company + "\\" + titleIn)
{
    std::string text;
    if (!RegistryReadMachineOrUserString(registryKey, "Version", text))
        text = UIntToString(version, 0);
    version = StringToUInt(text, 10);

    const std::string programFolder = GetExecutableFolder();
    if (FileManager::ExistsOnDisk(programFolder + "\\data\\pack0.pak"))
        rootFolder = programFolder;
    else if (!RegistryReadMachineOrUserString(registryKey, "InstallPath", rootFolder))
        rootFolder = programFolder;

    userFolder = GetAppDataFolder() + "\\" + company + "\\" + title;
}

GameBase::~GameBase()
{
    gameLogic.reset();
    levelCompleteWindow.reset();
    stageCompleteWindow.reset();
    gameCompleteWindow.reset();
    gameOverWindow.reset();
    gameLogicGameExitWindow.reset();
    gameLogicRestartWindow.reset();
    gameLogicMenuExitWindow.reset();
    gameLogicMenuWindow.reset();
    gameLogicPauseWindow.reset();
    gameLogicWindow.reset();
    helpWindow.reset();
    optionsWindow.reset();
    highScoresWindow.reset();
    continueGameLogicWindow.reset();
    startGameLogicWindow.reset();
    profileNameConflictWindow.reset();
    profilesWindow.reset();
    newProfileWindow.reset();
    renameProfileWindow.reset();
    deleteProfileWindow.reset();
    mainMenuWindow.reset();
    exitWindow.reset();
    welcomeWindow.reset();
    gameLogicLoadingWindow.reset();
    loadingWindow.reset();
    logosWindow.reset();
    gameCursor.reset();
    highScoresTable.reset();
    profileManager.reset();
    levelManager.reset();
    gameData.reset();
    levelData.reset();
    previousLevelData.reset();
    languageManager.reset();
    soundController.reset();
    engine.reset();
}

void GameBase::FillEngineSettings(EngineSettings& settings)
{
    settings.title = title;
    settings.version = static_cast<std::int32_t>(version);
    settings.rootFolder = rootFolder;
    settings.packFolder = "Data";
    settings.logEnabled = true;
    settings.logReopen = false;
    settings.logFolder = userFolder;
    settings.logName = title;
    settings.configFolder = userFolder;
    settings.configName = title;
    settings.saveConfigOnExit = true;
    settings.videoMode = "800x600x32";
    settings.fullscreen = true;
    settings.forceVideoMode = false;
    settings.forceFullscreen = false;
    settings.parentWindow = 0;
    settings.iconResource = 0;
    settings.minimizeWhenInactive = true;
    settings.centerWindow = true;
    settings.windowPosition = {0, 0};
    settings.sound3D = false;
    settings.allowLargeWindow = false;
    settings.stencilBuffer = false;
}

void GameBase::Initialize()
{
    EngineSettings settings;
    FillEngineSettings(settings);

    engine = std::make_unique<Engine>(settings);
    messageManager = engine->messageManager.get();
    fileManager = engine->fileManager.get();
    timerManager = engine->timerManager.get();
    config = engine->config.get();
    window = engine->window.get();
    renderSystem = engine->renderSystem.get();
    lightManager = engine->lightManager.get();
    shaderManager = engine->shaderManager.get();
    textureManager = shaderManager->GetTextureManager();
    modelManager = engine->modelManager.get();
    spriteGroupManager = engine->spriteGroupManager.get();
    particleSystemManager = engine->particleSystemManager.get();
    controls = engine->controls.get();
    soundManager = engine->soundManager.get();
    guiManager = engine->guiManager.get();
    guiFontManager = guiManager->GetFontManager();
    guiTextManager = guiManager->GetTextManager();
    guiSoundManager = guiManager->GetSoundManager();
    screenCapture = engine->screenCapture.get();

    SeedRandom(win32::GetTickCount());
    languageManager = std::make_unique<LanguageManager>(fileManager, registryKey);
    RegisterConsoleVariables();
    LoadFonts();
    LoadTexts();
    window->SetCaption(WideToNarrow(guiTextManager->GetText("GAME_TITLE")));
    guiManager->SetScreenSize(800.0f, 600.0f);
    soundController = std::make_unique<SoundController>(engine.get(), GetDefaultMusicVolume(), GetDefaultSoundVolume());
    levelManager = CreateLevelManager();
    profileManager = CreateProfileManager();
    highScoresTable = std::make_unique<HighScoresTable>(engine.get(), 10, userFolder);
    gameData = CreateGameData();
    gameCursor = CreateGameCursor();
    logosWindow = CreateLogosWindow();
    loadingWindow = CreateLoadingWindow();
    LoadSounds();
    logosWindow->Show();
}

void GameBase::RegisterConsoleVariables()
{
    config->RegisterVariable(CommandVideoMemory, ConfigVariable::TypeCommand, false, false, nullptr, "", false);
    config->RegisterVariable(CommandOccupation, ConfigVariable::TypeCommand, false, false, nullptr, "", false);
    config->RegisterVariable(CommandLoadedTextures, ConfigVariable::TypeCommand, false, false, nullptr, "", false);
    config->RegisterVariable(VariableShowStatistics, ConfigVariable::TypeBool, false, true, &showStatistics, "0",
                             false);
    config->RegisterVariable(CommandUpdateVideoMode, ConfigVariable::TypeCommand, false, false, nullptr, "", false);
}

void GameBase::LoadFonts()
{
    LoadFontsList(*fileManager, *guiFontManager, languageManager->GetLanguage()->code, fontCount, consoleFontId);
}

void GameBase::LoadFontsList(FileManager& files, GUIFontManager& fonts, const std::string& languageCode,
                             std::uint32_t& fontCountOut, std::uint32_t& consoleFontIdOut)
{
    const std::string listName = "data\\ui\\fonts\\" + languageCode + ".ini";
    const std::unique_ptr<FileTextual> file = files.OpenTextual(listName, false, FileTextual::EncodingAnsi);

    const std::uint32_t count = StringToUInt(NextWord(*file, listName), 10);
    if (count > MostFonts)
        throw FileError("Fonts list " + listName + " names " + UIntToString(count, 0) + " fonts, more than " +
                        UIntToString(MostFonts, 0));
    const std::uint32_t consoleFont = StringToUInt(NextWord(*file, listName), 10);

    std::vector<FontsListRecord> records(count);
    for (FontsListRecord& record : records)
    {
        record.file = NextWord(*file, listName);
        record.diffuse = NextWord(*file, listName);
        record.opacity = NextWord(*file, listName);
        record.glyphHeight = StringToFloat(NextWord(*file, listName));
        record.spaceRatio = StringToFloat(NextWord(*file, listName));
        record.advanceFactor = StringToFloat(NextWord(*file, listName));
        record.addLowerCase = StringToInt(NextWord(*file, listName), 10) > 0;
        record.fixedPitch = StringToInt(NextWord(*file, listName), 10) > 0;
    }

    fontCountOut = count;
    consoleFontIdOut = consoleFont;
    for (std::uint32_t id = 0; id < count; ++id)
    {
        const FontsListRecord& record = records[id];
        const ShaderDescriptor descriptor =
            MakeAnimatedShaderDescriptor(1, 1, record.diffuse, record.opacity, true);
        GUIFont* font = fonts.CreateFont(id, &descriptor, record.file);
        if (font == nullptr)
            continue;
        font->glyphHeight = record.glyphHeight;
        font->spaceRatio = record.spaceRatio;
        font->advanceFactor = record.advanceFactor;
        font->fixedPitch = record.fixedPitch;
        if (record.addLowerCase)
            font->AddLowerCaseGlyphs();
    }
}

void GameBase::LoadTexts()
{
    LoadTextFile("game_title");
    LoadTextFile("common");
}

void GameBase::LoadSounds()
{
}

void GameBase::CreateWindows()
{
    gameLogicLoadingWindow = CreateGameLogicLoadingWindow();
    welcomeWindow = CreateWelcomeWindow();
    exitWindow = CreateExitWindow();
    mainMenuWindow = CreateMainMenuWindow();
    profilesWindow = CreateProfilesWindow();
    newProfileWindow = CreateNewProfileWindow();
    renameProfileWindow = CreateRenameProfileWindow();
    deleteProfileWindow = CreateDeleteProfileWindow();
    profileNameConflictWindow = CreateProfileNameConflictWindow();
    startGameLogicWindow = CreateStartGameLogicWindow();
    continueGameLogicWindow = CreateContinueGameLogicWindow();
    highScoresWindow = CreateHighScoresWindow();
    optionsWindow = CreateOptionsWindow();
    helpWindow = CreateHelpWindow();
    gameLogicWindow = CreateGameLogicWindow();
    gameLogicPauseWindow = CreateGameLogicPauseWindow();
    gameLogicMenuWindow = CreateGameLogicMenuWindow();
    gameLogicMenuExitWindow = CreateGameLogicMenuExitWindow();
    gameLogicRestartWindow = CreateGameLogicRestartWindow();
    gameLogicGameExitWindow = CreateGameLogicGameExitWindow();
    levelCompleteWindow = CreateLevelCompleteWindow();
    stageCompleteWindow = CreateStageCompleteWindow();
    gameCompleteWindow = CreateGameCompleteWindow();
    gameOverWindow = CreateGameOverWindow();
}

std::unique_ptr<LevelResult> GameBase::CreateLevelResult()
{
    return std::make_unique<LevelResult>();
}

void GameBase::FillLevelResult(LevelResult* result)
{
    result->mode = profileManager->currentProfile->mode;
    result->stage = gameLogic->GetLevelRecord()->stageIndex;
    result->level = gameLogic->GetLevelRecord()->levelIndex;
    result->time = gameLogic->GetElapsedTime();
}

void GameBase::FrameStep()
{
    bool focusLostThisFrame = false;
    if (!window->IsActive() && engine->settings->minimizeWhenInactive)
    {
        if (gameLogic && !musicPaused)
        {
            if (gameLogic->GetState() == GameLogicBase::Running)
            {
                // The pause screen must appear at once, so this frame runs on as a normal one.
                gameLogic->SetPaused(true);
                if (gameLogicWindow)
                    gameLogicWindow->SetActive(false);
                if (gameLogicPauseWindow)
                    gameLogicPauseWindow->Show();
                timerWasPaused = true;
                soundController->PauseAllMusic(true, false, 0.0f);
                musicPaused = true;
                focusLostThisFrame = true;
            }
            else
            {
                timerWasPaused = gameLogic->IsTimerPaused();
                gameLogic->PauseTimer(true);
            }
        }
        if (!focusLostThisFrame)
        {
            window->Update();
            renderSystem->Refresh();
            timerManager->Update();
            if (soundManager != nullptr)
                soundManager->Update(true);
            if (!musicPaused)
            {
                soundController->PauseAllMusic(true, false, 0.0f);
                musicPaused = true;
            }
            win32::Sleep(UnfocusedNap);
            return;
        }
    }
    else if (musicPaused)
    {
        soundController->PauseAllMusic(false, true, MusicFadeInRate);
        if (gameLogic)
            gameLogic->PauseTimer(timerWasPaused);
        musicPaused = false;
    }

    if (TakeCommand(*config, CommandUpdateVideoMode))
        renderSystem->CheckVideoMode();

    if (renderSystem->resetNeeded)
    {
        soundController->PauseAllMusic(true, false, 0.0f);
        ResetDevice();
        soundController->PauseAllMusic(false, true, MusicFadeInRate);
        controls->BlockInput();
    }

    engine->Update();
    HandleConsoleCommands();
    soundController->Update();
    for (int pass = 0; pass < 3; ++pass)
    {
        DispatchWindowResults();
        ClearWindowResults();
    }
    UpdateWindows();
    if (gameCursor)
        gameCursor->Update();
    engine->Frame(0);

    if (!config->GetCommandFlag(CommandWindowChangeMode))
    {
        ++videoModeChangeCounter;
        if (videoModeChangeCounter == VideoModeChangeFrames)
        {
            videoModeChangeCounter = 0;
            config->SetCommandFlag(CommandWindowChangeMode, true);
            config->SetCommandFlag(CommandUpdateVideoMode, false);
        }
    }
}

void GameBase::HandleConsoleCommands()
{
    if (TakeCommand(*config, CommandVideoMemory))
    {
        const float megabytes = static_cast<float>(textureManager->GetUsedMemorySize()) / 1048576.0f;
        messageManager->Message("Video Memory Used: " + FloatToString(megabytes, 2) + " Mb");
    }
    if (TakeCommand(*config, CommandOccupation))
    {
        const std::uint32_t sounds = soundManager != nullptr ? soundManager->GetSoundCount() : 0;
        messageManager->Message("Shader users count: " + UIntToString(shaderManager->GetShaderUserCount(), 0));
        messageManager->Message("Shaders count: " + UIntToString(shaderManager->GetShaderCount(), 0));
        messageManager->Message("Textures count: " + UIntToString(textureManager->GetTextureCount(), 0));
        messageManager->Message("Models count: " + UIntToString(modelManager->GetModelCount(), 0));
        messageManager->Message("Sounds count: " + UIntToString(sounds, 0));
    }
    if (TakeCommand(*config, CommandLoadedTextures))
    {
        std::vector<Texture2D*> textures;
        textureManager->GetTextures(textures);
        for (std::uint32_t index = 0; index < textures.size(); ++index)
            messageManager->Message("Texture " + UIntToString(index, 0) + ": " + textures[index]->GetKey());
    }
}

float GameBase::GetDefaultMusicVolume()
{
    return 1.0f;
}

float GameBase::GetDefaultSoundVolume()
{
    return 1.0f;
}

void GameBase::ResetDevice()
{
    renderSystem->Reset(3);
}

std::vector<std::uint32_t*> GameBase::ScreenResults() const
{
    std::vector<std::uint32_t*> results;
    const auto add = [&results](const auto& screen) {
        if (screen)
            results.push_back(&screen->result);
    };
    add(logosWindow);
    add(loadingWindow);
    add(welcomeWindow);
    add(exitWindow);
    add(mainMenuWindow);
    add(profilesWindow);
    add(gameLogicLoadingWindow);
    add(newProfileWindow);
    add(renameProfileWindow);
    add(deleteProfileWindow);
    add(profileNameConflictWindow);
    add(startGameLogicWindow);
    add(continueGameLogicWindow);
    add(highScoresWindow);
    add(optionsWindow);
    add(helpWindow);
    add(gameLogicWindow);
    add(gameLogicPauseWindow);
    add(gameLogicMenuWindow);
    add(gameLogicMenuExitWindow);
    add(gameLogicRestartWindow);
    add(gameLogicGameExitWindow);
    add(levelCompleteWindow);
    add(stageCompleteWindow);
    add(gameCompleteWindow);
    add(gameOverWindow);
    return results;
}

std::uint32_t GameBase::ServedResult(const std::uint32_t* result) const
{
    for (const auto& [place, code] : passResults)
    {
        if (place == result)
            return code;
    }
    return 0;
}

template <class From, class To, class... Args>
void GameBase::Replace(const std::unique_ptr<From>& from, const std::unique_ptr<To>& to, Args&&... args)
{
    from->Hide();
    to->Show(std::forward<Args>(args)...);
}

template <class Screen>
void GameBase::Serve(const std::unique_ptr<Screen>& screen, void (GameBase::*handler)())
{
    if (screen)
        ServeResult(screen->result, handler);
}

void GameBase::ServeResult(std::uint32_t& result, void (GameBase::*handler)())
{
    const std::uint32_t served = ServedResult(&result);
    const std::uint32_t newer = result;
    result = served;
    (this->*handler)();
    if (result == served)
        result = newer;
}

void GameBase::DispatchWindowResults()
{
    passResults.clear();
    for (std::uint32_t* result : ScreenResults())
        passResults.emplace_back(result, *result);
    passOpen = true;
    passLogic = gameLogic.get();
    passLogicChanged = gameLogic && gameLogic->HasStateChanged();

    Serve(logosWindow, &GameBase::OnLogosWindow);
    Serve(loadingWindow, &GameBase::OnLoadingWindow);
    Serve(welcomeWindow, &GameBase::OnWelcomeWindow);
    Serve(exitWindow, &GameBase::OnExitWindow);
    Serve(mainMenuWindow, &GameBase::OnMainMenuWindow);
    Serve(profilesWindow, &GameBase::OnProfilesWindow);
    Serve(gameLogicLoadingWindow, &GameBase::OnGameLogicLoadingWindow);
    Serve(newProfileWindow, &GameBase::OnNewProfileWindow);
    Serve(renameProfileWindow, &GameBase::OnRenameProfileWindow);
    Serve(deleteProfileWindow, &GameBase::OnDeleteProfileWindow);
    Serve(profileNameConflictWindow, &GameBase::OnProfileNameConflictWindow);
    Serve(startGameLogicWindow, &GameBase::OnStartGameLogicWindow);
    Serve(continueGameLogicWindow, &GameBase::OnContinueGameLogicWindow);
    Serve(highScoresWindow, &GameBase::OnHighScoresWindow);
    Serve(optionsWindow, &GameBase::OnOptionsWindow);
    Serve(helpWindow, &GameBase::OnHelpWindow);
    Serve(gameLogicWindow, &GameBase::OnGameLogicWindow);
    Serve(gameLogicPauseWindow, &GameBase::OnGameLogicPauseWindow);
    Serve(gameLogicMenuWindow, &GameBase::OnGameLogicMenuWindow);
    Serve(gameLogicMenuExitWindow, &GameBase::OnGameLogicMenuExitWindow);
    Serve(gameLogicRestartWindow, &GameBase::OnGameLogicRestartWindow);
    Serve(gameLogicGameExitWindow, &GameBase::OnGameLogicGameExitWindow);
    // A level that ended during this pass is served in the next one.
    if (gameLogic && gameLogic.get() == passLogic && passLogicChanged)
    {
        if (gameLogic->GetState() == GameLogicBase::Won)
            OnLevelWon();
        else if (gameLogic->GetState() == GameLogicBase::Lost)
            OnLevelLost();
    }
    Serve(levelCompleteWindow, &GameBase::OnLevelCompleteWindow);
    Serve(stageCompleteWindow, &GameBase::OnStageCompleteWindow);
    Serve(gameCompleteWindow, &GameBase::OnGameCompleteWindow);
    Serve(gameOverWindow, &GameBase::OnGameOverWindow);
}

void GameBase::ClearWindowResults()
{
    if (!passOpen)
    {
        for (std::uint32_t* result : ScreenResults())
            *result = 0;
        if (gameLogic)
            gameLogic->ClearStateChanged();
        return;
    }
    // Only what the pass served: a code or a level end that came up during
    // the pass is served by the next one. Screens made during the pass (their
    // predecessors may be gone) had nothing served.
    for (std::uint32_t* result : ScreenResults())
    {
        const bool existed = std::any_of(passResults.begin(), passResults.end(),
                                         [result](const auto& entry) { return entry.first == result; });
        if (existed && *result == ServedResult(result))
            *result = 0;
    }
    if (gameLogic && gameLogic.get() == passLogic && passLogicChanged)
        gameLogic->ClearStateChanged();
    passResults.clear();
    passOpen = false;
}

void GameBase::UpdateWindows()
{
    const auto update = [](const auto& screen) {
        if (screen)
            screen->Update();
    };
    update(logosWindow);
    update(loadingWindow);
    update(welcomeWindow);
    update(exitWindow);
    update(mainMenuWindow);
    update(profilesWindow);
    update(newProfileWindow);
    update(renameProfileWindow);
    update(deleteProfileWindow);
    update(profileNameConflictWindow);
    update(gameLogicLoadingWindow);
    update(startGameLogicWindow);
    update(continueGameLogicWindow);
    update(highScoresWindow);
    update(optionsWindow);
    update(helpWindow);
    update(gameLogicWindow);
    update(gameLogicPauseWindow);
    update(gameLogicMenuWindow);
    update(gameLogicMenuExitWindow);
    update(gameLogicRestartWindow);
    update(gameLogicGameExitWindow);
    update(gameLogic);
    update(levelCompleteWindow);
    update(stageCompleteWindow);
    update(gameCompleteWindow);
    update(gameOverWindow);
}

void GameBase::CheckProfilePosition()
{
    ProfileBase* profile = profileManager->currentProfile;
    const auto holds = [this](std::uint32_t stage, std::uint32_t level) {
        return stage < levelManager->stages.size() && stage < levelManager->levels.size() &&
               level < levelManager->levels[stage].size();
    };
    if (holds(profile->nextStage, profile->nextLevel))
        return;
    // A stale or damaged profile file: play from the start rather than read
    // past the lists.
    if (!holds(0, 0))
        messageManager->Fatal("The level list holds no level");
    profile->nextStage = 0;
    profile->nextLevel = 0;
    profile->Save();
}

StageRecord* GameBase::CurrentStageRecord() const
{
    return levelManager->stages[profileManager->currentProfile->nextStage].get();
}

LevelRecord* GameBase::CurrentLevelRecord() const
{
    const ProfileBase* profile = profileManager->currentProfile;
    return levelManager->levels[profile->nextStage][profile->nextLevel].get();
}

void GameBase::PrepareLevelData()
{
    CheckProfilePosition();
    // The previous level's resources stay loaded while the next level's load.
    previousLevelData = std::move(levelData);
    levelData = CreateGameLogicData(CurrentStageRecord(), CurrentLevelRecord());
    const ProfileBase* profile = profileManager->currentProfile;
    std::vector<std::string> files;
    levelManager->GetLevelResourceFiles({profile->nextStage, profile->nextLevel}, files);
    for (const std::string& file : files)
        levelData->AddResourceFile(file);
}

void GameBase::DropLevel()
{
    gameLogicWindow->Hide();
    gameLogic.reset();
}

void GameBase::ShowScore(std::uint32_t callerCode, std::uint32_t score)
{
    ProfileBase* profile = profileManager->currentProfile;
    if (score != 0)
        highScoresWindow->Show(callerCode, highScoresTable->AddScore(profile->name, profile->mode, score));
    else
        mainMenuWindow->Show();
}

bool GameBase::IsLevelOver() const
{
    return gameLogic &&
           (gameLogic->GetState() == GameLogicBase::Won || gameLogic->GetState() == GameLogicBase::Lost);
}

void GameBase::OnLogosWindow()
{
    if (logosWindow->result != 1)
        return;
    Replace(logosWindow, loadingWindow, gameData.get());
}

void GameBase::OnLoadingWindow()
{
    if (loadingWindow->result != 1)
        return;
    loadingWindow->Hide();
    CreateWindows();
    if (profileManager->profiles.empty())
    {
        welcomeWindow->Show();
    }
    else
    {
        // Profiles without a current one (no list file, a damaged one, a
        // name it does not find): the first becomes current, as after a
        // deletion, since the menus need one.
        if (profileManager->currentProfile == nullptr)
            profileManager->SetCurrentProfile(profileManager->profiles.front().get(), true);
        mainMenuWindow->Show();
    }
    gameCursor->SetVisible(true);
}

void GameBase::OnWelcomeWindow()
{
    switch (welcomeWindow->result)
    {
    case 3:
        Replace(welcomeWindow, mainMenuWindow);
        break;
    case 4:
        Replace(welcomeWindow, exitWindow, 1);
        break;
    default:
        break;
    }
}

void GameBase::OnExitWindow()
{
    switch (exitWindow->result)
    {
    case 2:
        Replace(exitWindow, welcomeWindow);
        break;
    case 3:
        Replace(exitWindow, mainMenuWindow);
        break;
    case 6:
        Replace(exitWindow, newProfileWindow, 0);
        break;
    case 22:
        engine->RequestExit(0);
        break;
    default:
        break;
    }
}

void GameBase::OnMainMenuWindow()
{
    switch (mainMenuWindow->result)
    {
    case 5:
        Replace(mainMenuWindow, profilesWindow);
        break;
    case 23:
        mainMenuWindow->Hide();
        if (profileManager->currentProfile->gameInProgress)
        {
            continueGameLogicWindow->Show();
        }
        else
        {
            profileManager->currentProfile->ResetGame();
            startGameLogicWindow->Show(2);
        }
        break;
    case 10:
        Replace(mainMenuWindow, highScoresWindow, 2, nullptr);
        break;
    case 11:
        Replace(mainMenuWindow, optionsWindow);
        break;
    case 12:
        Replace(mainMenuWindow, helpWindow);
        break;
    case 4:
        Replace(mainMenuWindow, exitWindow, 2);
        break;
    default:
        break;
    }
}

void GameBase::OnProfilesWindow()
{
    switch (profilesWindow->result)
    {
    case 6:
        Replace(profilesWindow, newProfileWindow, 1);
        break;
    case 7:
        Replace(profilesWindow, renameProfileWindow, true, profilesWindow->selectedName);
        break;
    case 8:
        Replace(profilesWindow, deleteProfileWindow, profilesWindow->selectedName);
        break;
    case 3:
        Replace(profilesWindow, mainMenuWindow);
        break;
    default:
        break;
    }
}

void GameBase::OnGameLogicLoadingWindow()
{
    if (gameLogicLoadingWindow->result != 1)
        return;
    gameLogicLoadingWindow->Hide();
    gameCursor->SetVisible(true);
    CheckProfilePosition();
    gameLogic = CreateGameLogic(CurrentStageRecord(), CurrentLevelRecord(),
                                profileManager->currentProfile->gameCounter);
    gameLogicWindow->Show(gameLogic.get());
}

void GameBase::OnNewProfileWindow()
{
    switch (newProfileWindow->result)
    {
    case 9:
        Replace(newProfileWindow, profileNameConflictWindow, 3);
        break;
    case 5:
        Replace(newProfileWindow, profilesWindow);
        break;
    case 4:
        Replace(newProfileWindow, exitWindow, 3);
        break;
    default:
        break;
    }
}

void GameBase::OnRenameProfileWindow()
{
    switch (renameProfileWindow->result)
    {
    case 9:
        Replace(renameProfileWindow, profileNameConflictWindow, 4);
        break;
    case 5:
        Replace(renameProfileWindow, profilesWindow);
        break;
    default:
        break;
    }
}

void GameBase::OnDeleteProfileWindow()
{
    switch (deleteProfileWindow->result)
    {
    case 5:
        Replace(deleteProfileWindow, profilesWindow);
        break;
    case 6:
        Replace(deleteProfileWindow, newProfileWindow, 1);
        break;
    default:
        break;
    }
}

void GameBase::OnProfileNameConflictWindow()
{
    switch (profileNameConflictWindow->result)
    {
    case 6:
        Replace(profileNameConflictWindow, newProfileWindow, 0);
        break;
    case 7:
        Replace(profileNameConflictWindow, renameProfileWindow, false, u"");
        break;
    default:
        break;
    }
}

void GameBase::OnStartGameLogicWindow()
{
    switch (startGameLogicWindow->result)
    {
    case 3:
        Replace(startGameLogicWindow, mainMenuWindow);
        break;
    case 23:
        PrepareLevelData();
        Replace(startGameLogicWindow, gameLogicLoadingWindow, levelData.get());
        break;
    default:
        break;
    }
}

void GameBase::OnContinueGameLogicWindow()
{
    switch (continueGameLogicWindow->result)
    {
    case 14:
        Replace(continueGameLogicWindow, startGameLogicWindow, 7);
        break;
    case 13:
    {
        ProfileBase* profile = profileManager->currentProfile;
        profile->gameInProgress = false;
        profile->Save();
        profile->ResetGame();
        Replace(continueGameLogicWindow, startGameLogicWindow, 7);
        break;
    }
    case 3:
        Replace(continueGameLogicWindow, mainMenuWindow);
        break;
    default:
        break;
    }
}

void GameBase::OnHighScoresWindow()
{
    if (highScoresWindow->result != 3)
        return;
    Replace(highScoresWindow, mainMenuWindow);
}

void GameBase::OnOptionsWindow()
{
    if (optionsWindow->result != 3)
        return;
    Replace(optionsWindow, mainMenuWindow);
}

void GameBase::OnHelpWindow()
{
    if (helpWindow->result != 3)
        return;
    Replace(helpWindow, mainMenuWindow);
}

void GameBase::OnGameLogicWindow()
{
    const std::uint32_t code = gameLogicWindow->result;
    if ((code != 16 && code != 15 && code != 4) || !gameLogic || IsLevelOver())
        return;
    gameLogicWindow->SetActive(false);
    if (code == 16)
        gameLogicMenuWindow->Show();
    else if (code == 15)
        gameLogicPauseWindow->Show();
    else
        gameLogicGameExitWindow->Show();
    gameLogic->SetPaused(true);
}

void GameBase::OnGameLogicPauseWindow()
{
    if (gameLogicPauseWindow->result != 19)
        return;
    gameLogicPauseWindow->Hide();
    gameLogicWindow->SetActive(true);
    if (gameLogic)
        gameLogic->SetPaused(false);
}

void GameBase::OnGameLogicMenuWindow()
{
    switch (gameLogicMenuWindow->result)
    {
    case 19:
        gameLogicMenuWindow->Hide();
        gameLogicWindow->SetActive(true);
        if (gameLogic)
            gameLogic->SetPaused(false);
        break;
    case 18:
        Replace(gameLogicMenuWindow, gameLogicMenuExitWindow);
        break;
    case 17:
        Replace(gameLogicMenuWindow, gameLogicRestartWindow);
        break;
    default:
        break;
    }
}

void GameBase::OnGameLogicMenuExitWindow()
{
    switch (gameLogicMenuExitWindow->result)
    {
    case 16:
        Replace(gameLogicMenuExitWindow, gameLogicMenuWindow);
        break;
    case 3:
        gameLogicMenuExitWindow->Hide();
        DropLevel();
        mainMenuWindow->Show();
        break;
    default:
        break;
    }
}

void GameBase::OnGameLogicRestartWindow()
{
    switch (gameLogicRestartWindow->result)
    {
    case 16:
        Replace(gameLogicRestartWindow, gameLogicMenuWindow);
        break;
    case 13:
        gameLogicRestartWindow->Hide();
        DropLevel();
        startGameLogicWindow->Show(6);
        break;
    default:
        break;
    }
}

void GameBase::OnGameLogicGameExitWindow()
{
    switch (gameLogicGameExitWindow->result)
    {
    case 19:
        gameLogicGameExitWindow->Hide();
        gameLogicWindow->SetActive(true);
        if (gameLogic)
            gameLogic->SetPaused(false);
        break;
    case 22:
        engine->RequestExit(0);
        break;
    default:
        break;
    }
}

void GameBase::OnLevelWon()
{
    ProfileBase* profile = profileManager->currentProfile;
    gameLogicWindow->SetActive(false);
    const LevelRecord* record = gameLogic->GetLevelRecord();
    const LevelManagerBase::Position current{record->stageIndex, record->levelIndex};
    const LevelManagerBase::Position next = levelManager->GetNextLevel(current.stage, current.level);
    profile->nextStage = next.stage;
    profile->nextLevel = next.level;
    profile->Save();
    const bool last = next == current;
    profile->UpdateReachedLevel(next.stage, next.level, last);
    profile->gameCounter = gameLogic->GetGameCounter();
    profile->score += gameLogic->GetScore();
    gameLogic->SetScore(0);
    profile->gameInProgress = !last;
    profile->Save();
    std::unique_ptr<LevelResult> result = CreateLevelResult();
    FillLevelResult(result.get());
    profile->AddLevelResult(std::move(result));
    levelCompleteWindow->Show(gameLogic->GetLevelRecord(), gameLogic->GetElapsedTime());
}

void GameBase::OnLevelLost()
{
    gameLogicWindow->SetActive(false);
    ProfileBase* profile = profileManager->currentProfile;
    profile->gameInProgress = false;
    profile->Save();
    gameOverWindow->Show();
}

void GameBase::OnLevelCompleteWindow()
{
    switch (levelCompleteWindow->result)
    {
    case 13:
        levelCompleteWindow->Hide();
        DropLevel();
        startGameLogicWindow->Show(8);
        break;
    case 20:
        Replace(levelCompleteWindow, stageCompleteWindow, gameLogic->GetLevelRecord());
        break;
    default:
        break;
    }
}

void GameBase::OnStageCompleteWindow()
{
    if (stageCompleteWindow->result != 13)
        return;
    stageCompleteWindow->Hide();
    DropLevel();
    startGameLogicWindow->Show(9);
}

void GameBase::OnGameCompleteWindow()
{
    if (gameCompleteWindow->result != 1)
        return;
    gameCompleteWindow->Hide();
    ShowScore(10, profileManager->currentProfile->score);
}

void GameBase::OnGameOverWindow()
{
    if (gameOverWindow->result != 1)
        return;
    gameOverWindow->Hide();
    const std::uint32_t levelScore = gameLogic ? gameLogic->GetScore() : 0;
    ShowScore(11, profileManager->currentProfile->score + levelScore);
    DropLevel();
}

bool GameBase::IsExiting() const
{
    return engine && engine->IsExiting();
}

std::string GameBase::FindSoundFile(const std::string& group, const std::string& name) const
{
    const std::string base = "audio\\" + group + "\\" + name + ".";
    if (fileManager->Exists("data\\" + base + "wav"))
        return base + "wav";
    return base + "ogg";
}

void GameBase::LoadTextFile(const std::string& name)
{
    guiTextManager->LoadTexts("ui\\texts\\" + languageManager->GetLanguage()->code + "\\" + name + ".ini");
}

} // namespace GameFramework
