#include "game/menus/GUIProfilesWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float RowWidth = 190.0f;
constexpr float RowHeight = 20.0f;

} // namespace

GUIProfilesWindow::GUIProfilesWindow(Engine* engine, GameFramework::SoundController* soundController,
                                     GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                                     GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIProfilesWindowBase(profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent)
{
    const Model* text = gameData->profilesText;
    nameAreaControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::Picture, text, {text, nullptr, text});
    const Vector2 corner = text != nullptr ? GUIControl::GetModelPosition(text) : Vector2(0.0f, 0.0f);
    const float width = text != nullptr ? GUIControl::GetModelSize(text).x : 0.0f;
    for (std::uint32_t i = 0; i < RowCount; ++i)
        nameButtons[i] = guiManager->CreateButton(
            GUIWindow::FlagShown,
            Vector2(corner.x + (width - RowWidth) / 2.0f, corner.y + 163.0f - 22.0f * static_cast<float>(i)),
            Vector2(RowWidth, RowHeight), nullptr, frameWindow);
    scrollControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::ScrollVertical, gameData->profilesScroll,
                                        {gameData->scrollV, nullptr, nullptr});
    if (scrollControl->scroll != nullptr)
        scrollControl->scroll->reversed = true;
    const GUIMenuButtons::Models models = GUIMenuButtons::Small(*gameData);
    newControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->profilesButtons[0], models);
    renameControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->profilesButtons[1], models);
    deleteControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->profilesButtons[2], models);
    doneControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->profilesButtons[3], models);
    SetTitle("PROFILES_TITLE");
}

GUIProfilesWindow::~GUIProfilesWindow()
{
    nameAreaControl.reset();
    scrollControl.reset();
    newControl.reset();
    renameControl.reset();
    deleteControl.reset();
    doneControl.reset();
    for (GUIButton* button : nameButtons)
        guiManager->ReleaseButton(button);
}

void GUIProfilesWindow::Show()
{
    GUIProfilesWindowBase::Show();
    SetOpen(1);
    selectedName.clear();
    names.clear();
    const GameFramework::ProfileBase* current = profileManager->currentProfile;
    if (current != nullptr)
        names.push_back(current->name);
    for (const auto& profile : profileManager->profiles)
        if (profile.get() != current)
            names.push_back(profile->name);
    for (std::uint32_t i = 0; i < RowCount; ++i)
        if (i < names.size())
            nameButtons[i]->SetFlags(GUIWindow::FlagShown);
        else
            nameButtons[i]->ClearFlags(GUIWindow::FlagShown);
    if (GUIScroll* scroll = scrollControl->scroll)
    {
        const bool scrolls = names.size() > RowCount;
        scroll->SetEnabled(scrolls);
        scroll->SetPositionCount(scrolls ? static_cast<std::uint32_t>(names.size()) - RowCount + 1 : 2);
        scroll->SetPosition(0);
    }
}

void GUIProfilesWindow::Hide()
{
    GUIProfilesWindowBase::Hide();
    SetOpen(0);
}

void GUIProfilesWindow::Update()
{
    GUIProfilesWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    const std::uint32_t first = scrollControl->scroll != nullptr ? scrollControl->scroll->GetPosition() : 0;
    for (std::uint32_t i = 0; i < RowCount && nameButtons[i]->visible; ++i)
    {
        if (first + i >= names.size())
            break;
        GUIButton& button = *nameButtons[i];
        const std::u16string& name = names[first + i];
        if (IsOpen() && button.clicked)
            profileManager->SetCurrentProfile(profileManager->FindProfile(name), true);
        const GameFramework::ProfileBase* current = profileManager->currentProfile;
        std::uint32_t font = RowFont;
        if (current != nullptr && current->name == name)
        {
            button.SetEnabled(false);
            font = CurrentFont;
        }
        else
        {
            button.SetEnabled(true);
            if (button.state == GUIButton::StateHover || button.state == GUIButton::StatePressed)
                font = HoverFont;
        }
        button.AddWideText(3, font, Vector2(0.0f, 0.0f), color, name);
    }
    const GameFramework::ProfileBase* current = profileManager->currentProfile;
    if (GUIMenuButtons::Clicked(*this, *newControl))
        result = 6;
    if (GUIMenuButtons::Clicked(*this, *renameControl))
    {
        result = 7;
        selectedName = current != nullptr ? current->name : std::u16string();
    }
    if (GUIMenuButtons::Clicked(*this, *deleteControl))
    {
        result = 8;
        selectedName = current != nullptr ? current->name : std::u16string();
    }
    if (GUIMenuButtons::Clicked(*this, *doneControl))
        result = 3;
    GUIMenuButtons::Label(*this, *newControl, "PROFILES_NEW");
    GUIMenuButtons::Label(*this, *renameControl, "PROFILES_RENAME");
    GUIMenuButtons::Label(*this, *deleteControl, "PROFILES_DELETE");
    GUIMenuButtons::Label(*this, *doneControl, "PROFILES_DONE");
}

} // namespace Mirabel
