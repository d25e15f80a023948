#include "game/menus/GUIRenameProfileWindow.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIRenameProfileWindow::GUIRenameProfileWindow(Engine* engine, GameFramework::SoundController* soundController,
                                               GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                                               GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIRenameProfileWindowBase(profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent),
      entry(*this, engine, gameData, false)
{
    SetTitle("RENAME_PROFILE_TITLE");
}

GUIRenameProfileWindow::~GUIRenameProfileWindow() = default;

void GUIRenameProfileWindow::Show(bool keep, const std::u16string& name)
{
    GUIRenameProfileWindowBase::Show(keep, name);
    SetOpen(1);
    if (keep)
        entry.SetText(oldName);
}

void GUIRenameProfileWindow::Hide()
{
    GUIRenameProfileWindowBase::Hide();
    SetOpen(0);
}

void GUIRenameProfileWindow::Update()
{
    GUIRenameProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    const std::u16string name = entry.Name();
    const bool confirmed = entry.Update(*controls);
    if (entry.NegativeClicked())
        result = 5;
    if (confirmed)
        result = RenameProfile(name) ? 5 : 9;
    entry.AddTexts("CANCEL");
}

} // namespace Mirabel
