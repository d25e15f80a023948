#include "game/menus/GUIGameLogicMenuWindow.h"

#include "engine/core/Config.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ScreenSettings.h"
#include "framework/SoundController.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

#include <cmath>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr std::uint32_t ScrollPositions = 1001;

std::uint32_t ScrollPosition(float volume) { return static_cast<std::uint32_t>(volume * 1000.0f); }

} // namespace

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(Engine* engine, GameFramework::SoundController* soundController,
                                               GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                               GameFramework::ProfileManagerBase* profileManager, GUIWindow* parent)
    : GUIGameLogicMenuWindowBase(engine, soundController, profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent)
{
    const GUIMenuButtons::Models scrollModels{gameData->scrollH, nullptr, nullptr};
    const GUIMenuButtons::Models boxModels{gameData->checkBox, gameData->checkBox, nullptr};
    const GUIMenuButtons::Models big = GUIMenuButtons::Big(*gameData);
    soundControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::ScrollHorizontal,
                                       gameData->gameMenuSliderSound, scrollModels);
    musicControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::ScrollHorizontal,
                                       gameData->gameMenuSliderMusic, scrollModels);
    fullscreenControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::CheckBox,
                                            gameData->gameMenuFullscreenCheckBox, boxModels);
    exitControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0], big);
    restartControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[1], big);
    returnControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[2], big);
    soundControl->scroll->SetPositionCount(ScrollPositions);
    musicControl->scroll->SetPositionCount(ScrollPositions);
    SetTitle("GAME_LOGIC_MENU_TITLE");
}

GUIGameLogicMenuWindow::~GUIGameLogicMenuWindow() = default;

void GUIGameLogicMenuWindow::Show()
{
    GUIGameLogicMenuWindowBase::Show();
    SetOpen(1);
    soundControl->scroll->SetPosition(ScrollPosition(soundVolume));
    musicControl->scroll->SetPosition(ScrollPosition(musicVolume));
    fullscreenControl->checkBox->checked = fullscreenBox;
    needsTextAreaPanel = 1;
}

void GUIGameLogicMenuWindow::Hide()
{
    GUIGameLogicMenuWindowBase::Hide();
    SetOpen(0);
}

void GUIGameLogicMenuWindow::Update()
{
    GUIGameLogicMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::config->GetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode))
        fullscreenControl->checkBox->checked = fullscreenBox;
    if (frameWindow == nullptr || !frameWindow->visible)
        return;

    // The volumes follow the sliders live, so the player hears the change;
    // the profile keeps them only when the menu closes.
    const float sound = static_cast<float>(soundControl->scroll->GetPosition()) / 1000.0f;
    const float music = static_cast<float>(musicControl->scroll->GetPosition()) / 1000.0f;
    if (std::fabs(sound - GUIMenuWindow::soundController->GetSoundVolume()) > 0.001f)
        GUIMenuWindow::soundController->SetSoundVolume(sound);
    if (std::fabs(music - GUIMenuWindow::soundController->GetMusicVolume()) > 0.001f)
        GUIMenuWindow::soundController->SetMusicVolume(music);
    const bool playing = GUIMenuWindow::soundController->GetSoundState(SoundSlider) == 0;
    if (soundControl->scroll->IsDragging())
    {
        if (!playing)
            GUIMenuWindow::soundController->PlaySound(SoundSlider);
    }
    else if (playing)
        GUIMenuWindow::soundController->StopSound(SoundSlider);

    if (IsOpen() && fullscreenControl->checkBox->clicked)
    {
        fullscreenBox = fullscreenControl->checkBox->checked;
        ApplyFullscreen();
    }
    if (GUIMenuButtons::Clicked(*this, *exitControl))
        result = 18;
    if (GUIMenuButtons::Clicked(*this, *restartControl))
        result = 17;
    if (GUIMenuButtons::Clicked(*this, *returnControl))
    {
        result = 19;
        lowerPanelAfterClose = 1;
    }

    frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 273.0f), color, "OPTIONS_MUSIC_VOLUME");
    frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 209.0f), color, "OPTIONS_SOUND_VOLUME");
    frameWindow->AddTextByKey(0, GUIMenuButtons::BodyFont, Vector2(94.0f, 138.0f), color, "OPTIONS_FULLSCREEN");
    GUIMenuButtons::Label(*this, *exitControl, "GAME_LOGIC_MENU_EXIT");
    GUIMenuButtons::Label(*this, *restartControl, "GAME_LOGIC_MENU_RESTART");
    GUIMenuButtons::Label(*this, *returnControl, "GAME_LOGIC_MENU_RETURN");
}

} // namespace Mirabel
