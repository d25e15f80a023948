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
#include "framework/ProfileManagerBase.h"
#include "framework/Registry.h"
#include "framework/SoundController.h"
#include "platform/win32/Sleep.h"
#include "platform/win32/TickCount.h"

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

void GameBase::FillLevelResult(LevelResult* /*result*/)
{
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

void GameBase::DispatchWindowResults()
{
}

void GameBase::ClearWindowResults()
{
}

void GameBase::UpdateWindows()
{
}

void GameBase::OnLogosWindow() {}
void GameBase::OnLoadingWindow() {}
void GameBase::OnWelcomeWindow() {}
void GameBase::OnExitWindow() {}
void GameBase::OnMainMenuWindow() {}
void GameBase::OnProfilesWindow() {}
void GameBase::OnGameLogicLoadingWindow() {}
void GameBase::OnNewProfileWindow() {}
void GameBase::OnRenameProfileWindow() {}
void GameBase::OnDeleteProfileWindow() {}
void GameBase::OnProfileNameConflictWindow() {}
void GameBase::OnStartGameLogicWindow() {}
void GameBase::OnContinueGameLogicWindow() {}
void GameBase::OnHighScoresWindow() {}
void GameBase::OnOptionsWindow() {}
void GameBase::OnHelpWindow() {}
void GameBase::OnGameLogicWindow() {}
void GameBase::OnGameLogicPauseWindow() {}
void GameBase::OnGameLogicMenuWindow() {}
void GameBase::OnGameLogicMenuExitWindow() {}
void GameBase::OnGameLogicRestartWindow() {}
void GameBase::OnGameLogicGameExitWindow() {}
void GameBase::OnLevelWon() {}
void GameBase::OnLevelLost() {}
void GameBase::OnLevelCompleteWindow() {}
void GameBase::OnStageCompleteWindow() {}
void GameBase::OnGameCompleteWindow() {}
void GameBase::OnGameOverWindow() {}

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
