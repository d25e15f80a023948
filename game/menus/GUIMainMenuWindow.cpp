#include "game/menus/GUIMainMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float AnimationSpeed = 60.0f;
const char* const Keys[] = {"MAIN_MENU_START",   "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS", "MAIN_MENU_CHANGE_PROFILE",
                            "MAIN_MENU_SHOW_PLACE", "MAIN_MENU_CREDITS",  "MAIN_MENU_EXIT"};

} // namespace

GUIMainMenuWindow::GUIMainMenuWindow(Engine* engine, GameFramework::SoundController* soundController,
                                     GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                                     GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 0, parent),
      profileManager(profileManager)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::MainMenu(*gameData);
    for (std::uint32_t k = 0; k < ButtonCount; ++k)
    {
        // The table runs from the top button, whose appear model is the last.
        controls[k] = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->mainMenuButtons[ButtonCount - 1 - k],
                                                models);
        controls[k]->SetAnimationSpeed(AnimationSpeed);
        const auto level = static_cast<std::int32_t>(k + 1);
        controls[k]->widget->SetLevel(level);
        if (controls[k]->animationWindow != nullptr)
            controls[k]->animationWindow->SetLevel(level);
    }
}

GUIMainMenuWindow::~GUIMainMenuWindow() = default;

void GUIMainMenuWindow::Show()
{
    GUIMainMenuWindowBase::Show();
    SetOpen(1);
    std::u16string text = textManager->GetText("MAIN_MENU_WELCOME");
    text += u' ';
    if (profileManager->currentProfile != nullptr)
        text += profileManager->currentProfile->name;
    text += u'!';
    SetTitleText(text);
}

void GUIMainMenuWindow::Hide()
{
    GUIMainMenuWindowBase::Hide();
    SetOpen(0);
}

void GUIMainMenuWindow::Update()
{
    GUIMainMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    const bool usable = IsOpen() && IsAnyControlAppearing() == 0;
    for (std::uint32_t k = 0; k < ButtonCount; ++k)
    {
        GUIButton* button = controls[k]->button;
        std::uint32_t font = FontNormal;
        if (button->state == GUIButton::StateHover)
            font = FontHover;
        else if (button->state == GUIButton::StatePressed)
            font = FontPressed;
        button->AddTextByKey(3, font, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), Keys[k]);
        button->SetEnabled(usable);
    }
    auto clicked = [this](std::uint32_t k) { return GUIMenuButtons::Clicked(*this, *controls[k]); };
    if (clicked(ChangeProfile))
        result = 5;
    if (clicked(Start))
    {
        const auto* profile = static_cast<const Profile*>(profileManager->currentProfile);
        result = profile != nullptr && profile->introductionFlag != 0 ? 25 : 23;
    }
    if (clicked(HighScores))
        result = 10;
    if (clicked(Options))
        result = 11;
    if (clicked(Exit))
        result = 4;
    if (clicked(ShowPlace))
        result = 24;
    if (clicked(Credits))
        result = 12;
}

} // namespace Mirabel
