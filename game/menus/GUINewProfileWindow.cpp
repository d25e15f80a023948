#include "game/menus/GUINewProfileWindow.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileManagerBase.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUINewProfileWindow::GUINewProfileWindow(Engine* engine, GameFramework::SoundController* soundController,
                                         GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                                         GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUINewProfileWindowBase(profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent),
      entry(*this, engine, gameData, false)
{
    SetTitle("NEW_PROFILE_TITLE");
}

GUINewProfileWindow::~GUINewProfileWindow() = default;

void GUINewProfileWindow::Show(std::uint32_t clear)
{
    GUINewProfileWindowBase::Show(clear);
    SetOpen(1);
    if (clear != 0)
        entry.SetText(u"");
    noProfile = profileManager->profiles.empty() ? 1 : 0;
}

void GUINewProfileWindow::Hide()
{
    GUINewProfileWindowBase::Hide();
    SetOpen(0);
}

void GUINewProfileWindow::Update()
{
    GUINewProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    const std::u16string name = entry.Name();
    const bool confirmed = entry.Update(*controls);
    if (entry.NegativeClicked())
        result = noProfile != 0 ? 4 : 5;
    if (confirmed)
        result = CreateProfile(name) ? 5 : 9;
    entry.AddTexts(noProfile != 0 ? "EXIT" : "CANCEL");
}

} // namespace Mirabel
