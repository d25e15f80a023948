#include "game/menus/GUIOptionsWindow.h"

#include "engine/core/Config.h"
#include "engine/core/StringFunctions.h"
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

// A change of a thousandth or less is the slider resting on the volume it was given.
constexpr float VolumeTolerance = 0.001f;
constexpr float PositionsPerVolume = 1000.0f;
constexpr std::uint32_t ModeFont = 6;

std::uint32_t ToPosition(float volume)
{
    return static_cast<std::uint32_t>(volume * PositionsPerVolume);
}

} // namespace

GUIOptionsWindow::GUIOptionsWindow(Engine* engine, GameFramework::SoundController* soundController,
                                   GameFramework::ProfileManagerBase* profileManager, GameData* gameData,
                                   GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIOptionsWindowBase(engine, soundController, profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent)
{
    GameData& data = *gameData;
    const GUIMenuButtons::Models slider{data.scrollH, nullptr, nullptr};
    soundSlider = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::ScrollHorizontal, data.optionsSliderSound,
                                      slider);
    musicSlider = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::ScrollHorizontal, data.optionsSliderMusic,
                                      slider);
    fullscreenBoxControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::CheckBox,
                                               data.optionsFullscreenCheckBox, {data.checkBox, data.checkBox, nullptr});
    resolutionText = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::Picture, data.optionsResolutionText,
                                         {data.optionsResolutionText, nullptr, data.optionsResolutionTextArea});
    leftArrow = GUIMenuButtons::AddButton(*this, engine, gameData, data.optionsResolutionButtonLeft,
                                          {data.buttonArrowLeft, data.buttonArrowLeft, data.buttonArrowLeft});
    rightArrow = GUIMenuButtons::AddButton(*this, engine, gameData, data.optionsResolutionButtonRight,
                                           {data.buttonArrowRight, data.buttonArrowRight, data.buttonArrowRight});
    const GUIMenuButtons::Models big = GUIMenuButtons::Big(data);
    applyControl = GUIMenuButtons::AddButton(*this, engine, gameData, data.bigWindowButtons[1], big);
    defaultsControl = GUIMenuButtons::AddButton(*this, engine, gameData, data.bigWindowButtons[2], big);
    cancelControl = GUIMenuButtons::AddButton(*this, engine, gameData, data.bigWindowButtons[0], big);
    for (GUIControl* control : {soundSlider.get(), musicSlider.get()})
        if (control->scroll != nullptr)
        {
            control->scroll->SetPositionCount(SliderPositions);
            control->scroll->step = SliderStep;
        }
    SetTitle("OPTIONS_TITLE");
    BuildModeList(640, 480);
    BuildModeList(800, 600);
    BuildModeList(1024, 768);
}

GUIOptionsWindow::~GUIOptionsWindow() = default;

void GUIOptionsWindow::PlaceSliders()
{
    soundSlider->scroll->SetPosition(ToPosition(GUIOptionsWindowBase::soundController->GetSoundVolume()));
    musicSlider->scroll->SetPosition(ToPosition(GUIOptionsWindowBase::soundController->GetMusicVolume()));
}

void GUIOptionsWindow::Show()
{
    GUIOptionsWindowBase::Show();
    SetOpen(1);
    soundSlider->scroll->SetPosition(ToPosition(GetShownSoundVolume()));
    musicSlider->scroll->SetPosition(ToPosition(GetShownMusicVolume()));
    fullscreenBoxControl->checkBox->checked = fullscreenBox;
}

void GUIOptionsWindow::Hide()
{
    GUIOptionsWindowBase::Hide();
    SetOpen(0);
}

void GUIOptionsWindow::Update()
{
    GUIOptionsWindowBase::Update();
    GUIMenuWindow::Update();
    if (!GUIOptionsWindowBase::config->GetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode))
        fullscreenBoxControl->checkBox->checked = fullscreenBox;
    if (frameWindow == nullptr || !frameWindow->visible)
        return;

    GameFramework::SoundController& sounds = *GUIOptionsWindowBase::soundController;
    const float sound = static_cast<float>(soundSlider->scroll->GetPosition()) / PositionsPerVolume;
    const float music = static_cast<float>(musicSlider->scroll->GetPosition()) / PositionsPerVolume;
    if (std::fabs(sound - sounds.GetSoundVolume()) > VolumeTolerance)
        sounds.SetSoundVolume(sound);
    if (std::fabs(music - sounds.GetMusicVolume()) > VolumeTolerance)
        sounds.SetMusicVolume(music);
    const bool dragging = soundSlider->scroll->IsDragging();
    const bool testing = sounds.GetSoundState(TestSound) == 0;
    if (dragging && !testing)
        sounds.PlaySound(TestSound);
    else if (!dragging && testing)
        sounds.StopSound(TestSound);

    if (GUIMenuButtons::Clicked(*this, *leftArrow) && modeIndex > 0)
        --modeIndex;
    if (GUIMenuButtons::Clicked(*this, *rightArrow) && modeIndex + 1 < modes.size())
        ++modeIndex;
    if (GUIMenuButtons::Clicked(*this, *applyControl))
    {
        fullscreenBox = fullscreenBoxControl->checkBox->checked;
        Apply();
        result = 3;
    }
    if (GUIMenuButtons::Clicked(*this, *defaultsControl))
    {
        SetDefaults();
        PlaceSliders();
        fullscreenBoxControl->checkBox->checked = fullscreenBox;
    }
    if (GUIMenuButtons::Clicked(*this, *cancelControl))
    {
        Cancel();
        result = 3;
    }

    frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 287.0f), color, "OPTIONS_MUSIC_VOLUME");
    frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 236.0f), color, "OPTIONS_SOUND_VOLUME");
    frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 190.0f), color, "OPTIONS_RESOLUTION");
    frameWindow->AddTextByKey(0, GUIMenuButtons::BodyFont, Vector2(92.0f, 117.0f), color, "OPTIONS_FULLSCREEN");
    if (modeIndex < modes.size())
        resolutionText->widget->AddWideText(3, ModeFont, Vector2(0.0f, 0.0f), color,
                                            NarrowToWide(modes[modeIndex]->text));
    GUIMenuButtons::Label(*this, *applyControl, "OPTIONS_APPLY");
    GUIMenuButtons::Label(*this, *defaultsControl, "OPTIONS_DEFAULTS");
    GUIMenuButtons::Label(*this, *cancelControl, "CANCEL");
}

} // namespace Mirabel
