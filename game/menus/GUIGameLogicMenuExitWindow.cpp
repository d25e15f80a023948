#include "game/menus/GUIGameLogicMenuExitWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIDialogTexts.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIGameLogicMenuExitWindow::GUIGameLogicMenuExitWindow(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIGameLogicMenuExitWindowBase(engine), GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    okControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[1], models);
    cancelControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0], models);
    SetTitle("GAME_LOGIC_EXIT_TITLE");
}

GUIGameLogicMenuExitWindow::~GUIGameLogicMenuExitWindow() = default;

void GUIGameLogicMenuExitWindow::Show()
{
    GUIGameLogicMenuExitWindowBase::Show();
    SetOpen(1);
    closing = 0;
}

void GUIGameLogicMenuExitWindow::Hide()
{
    GUIGameLogicMenuExitWindowBase::Hide();
    // After a confirmation the frame has closed already.
    if (closing != 0)
        closing = 0;
    else
        SetOpen(0);
}

void GUIGameLogicMenuExitWindow::Update()
{
    GUIGameLogicMenuExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (GUIDialogTexts::ClosedAndFaded(*this, *menuWindowManager, closing))
        result = 3;
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *okControl))
    {
        GUIDialogTexts::StartClose(*this, *menuWindowManager);
        closing = 1;
    }
    if (GUIMenuButtons::Clicked(*this, *cancelControl))
        result = 16;
    GUIDialogTexts::Lines(*this, "GAME_LOGIC_EXIT_TEXT_", 3, 129.0f);
    GUIMenuButtons::Label(*this, *okControl, "GAME_LOGIC_EXIT_OK");
    GUIMenuButtons::Label(*this, *cancelControl, "CANCEL");
}

} // namespace Mirabel
