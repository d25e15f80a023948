#include "game/Game.h"

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/LanguageManager.h"
#include "framework/SoundController.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"

namespace Mirabel
{

using namespace OrvaneEngine;
using namespace GameFramework;

namespace
{

struct GuiSound
{
    std::uint32_t event;
    const char* name;
};

// Even events from 2 select, odd ones click.
constexpr GuiSound GuiSounds[] = {
    {0, "button_select_0"}, {0, "button_select_1"}, {1, "button_click"},     {2, "button_select_0"},
    {3, "button_click"},    {4, "button_select_0"}, {5, "button_click"},     {6, "button_select_0"},
    {7, "button_click"},    {8, "button_select_0"}, {9, "button_click"},     {10, "button_select_0"},
    {11, "button_click"},   {12, "edit_box_print"},
};

constexpr const char* MusicTracks[] = {"menu", "game0", "game1"};

struct GameSound
{
    std::uint32_t id;
    const char* group;
    const char* name;
    bool looping;
};

// In the order they are registered.
constexpr GameSound GameSounds[] = {
    {2, "menu", "window_appear", false},
    {3, "menu", "window_disappear", false},
    {0, "menu", "volume_slider", true},
    {1, "menu", "upgrade", false},
    {4, "menu", "charge_score", true},
    {5, "game", "level_begin", false},
    {6, "game", "level_complete", false},
    {7, "game", "level_failed", false},
    {8, "game", "element_get", false},
    {9, "game", "element_put_0", false},
    {10, "game", "element_put_1", false},
    {11, "game", "element_put_2", false},
    {12, "game", "element_put_3", false},
    {13, "game", "element_put_4", false},
    {14, "game", "element_put_bad", false},
    {15, "game", "element_cancel", false},
    {16, "game", "bonus_tip", false},
    {17, "game", "bonus_magnet", false},
    {18, "game", "bonus_tip_apply", false},
    {19, "game", "bonus_magnet_apply", false},
    {20, "game", "bonus_pause_apply", false},
    {21, "game", "bonus_rollback_apply", false},
    {22, "game", "path_introduction", true},
    {23, "game", "path_introduction_end", false},
    {24, "game", "path_begin", true},
    {25, "game", "path_end", true},
    {26, "game", "path_warning", false},
    {27, "game", "charge_path_score", true},
    {28, "game", "totem_flip", false},
    {29, "game", "totem_complete", false},
};

constexpr const char* ScreenTexts[] = {
    "continue_game_logic", "delete_profile", "exit", "game_complete", "game_logic", "game_logic_exit",
    "game_logic_menu", "game_logic_pause", "game_logic_restart", "game_over", "help", "high_scores",
    "introduction", "level_complete", "loading", "main_menu", "mini_game", "new_profile", "options",
    "profile_name_conflict", "profiles", "relax", "rename_profile", "stage_complete", "start_game",
    "statistics", "tutorial", "welcome",
};

constexpr std::uint32_t IconResource = 101;

} // namespace

Game::Game(const std::string& company, const std::string& title, std::uint32_t version)
    : GameBase(company, title, version)
{
    // Descriptors made from now on default to no mip maps.
    SetDefaultMipMapping(false);
    Initialize();
}

Game::~Game()
{
    tutorialWindow.reset();
    relaxWindow.reset();
    introductionWindow.reset();
    upgradeWindow.reset();
    unicorn.reset();
    gameCompleteEffect.reset();
    menuWindowManager.reset();
    menuBackground.reset();
}

void Game::FillEngineSettings(EngineSettings& settings)
{
    GameBase::FillEngineSettings(settings);
    settings.videoMode = "1024x768x32";
    settings.iconResource = IconResource;
}

void Game::RegisterConsoleVariables()
{
    GameBase::RegisterConsoleVariables();
    config->RegisterVariable("g_camera_type", ConfigVariable::TypeUInt, false, true, &cameraType, "1", false);
    config->RegisterVariable("g_camera_value", ConfigVariable::TypeFloat, false, true, &cameraValue, "1", false);
}

void Game::LoadFonts()
{
    const std::string listName = "data\\ui\\fonts\\" + languageManager->GetLanguage()->code + ".ini";
    if (!fileManager->Exists(listName))
        messageManager->Fatal("The game's data was not found: " + listName + " is missing. Reinstall the game.");
    GameBase::LoadFonts();
}

void Game::LoadTexts()
{
    GameBase::LoadTexts();
    for (const char* name : ScreenTexts)
        LoadTextFile(name);
}

void Game::LoadSounds()
{
    for (const GuiSound& sound : GuiSounds)
        guiSoundManager->AddSound(sound.event, FindSoundFile("menu", sound.name));
    soundController->ApplySoundVolume();
    for (std::uint32_t track = 0; track < std::size(MusicTracks); ++track)
        soundController->AddMusic(track, FindSoundFile("music", MusicTracks[track]), true);
    for (const GameSound& sound : GameSounds)
        soundController->AddSound(sound.id, FindSoundFile(sound.group, sound.name), sound.looping, 1);
}

float Game::GetDefaultMusicVolume()
{
    return 0.16f;
}

float Game::GetDefaultSoundVolume()
{
    return 0.7f;
}

} // namespace Mirabel
