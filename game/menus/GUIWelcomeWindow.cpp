#include "game/menus/GUIWelcomeWindow.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIWelcomeWindow::GUIWelcomeWindow(Engine* engine, GameFramework::SoundController* soundController,
                                   GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                                   GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIWelcomeWindowBase(profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent),
      entry(*this, engine, gameData, true)
{
    SetTitle("WELCOME_TITLE");
}

GUIWelcomeWindow::~GUIWelcomeWindow() = default;

void GUIWelcomeWindow::Show()
{
    GUIWelcomeWindowBase::Show();
    SetOpen(1);
    entry.SetText(u"");
}

void GUIWelcomeWindow::Hide()
{
    GUIWelcomeWindowBase::Hide();
    SetOpen(0);
}

void GUIWelcomeWindow::Update()
{
    GUIWelcomeWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    const std::u16string name = entry.Name();
    const bool confirmed = entry.Update(*controls);
    if (entry.NegativeClicked())
        result = 4;
    if (confirmed)
    {
        CreateProfile(name);
        result = 3;
    }
    entry.AddTexts("EXIT");
}

} // namespace Mirabel
