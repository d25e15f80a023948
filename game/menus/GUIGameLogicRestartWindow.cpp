#include "game/menus/GUIGameLogicRestartWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIDialogTexts.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIGameLogicRestartWindowBase(engine), GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    yesControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[1], models);
    cancelControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0], models);
    SetTitle("GAME_LOGIC_RESTART_TITLE");
}

GUIGameLogicRestartWindow::~GUIGameLogicRestartWindow() = default;

void GUIGameLogicRestartWindow::Show()
{
    GUIGameLogicRestartWindowBase::Show();
    SetOpen(1);
    closing = 0;
}

void GUIGameLogicRestartWindow::Hide()
{
    GUIGameLogicRestartWindowBase::Hide();
    // After a confirmation the frame has closed already.
    if (closing != 0)
        closing = 0;
    else
        SetOpen(0);
}

void GUIGameLogicRestartWindow::Update()
{
    GUIGameLogicRestartWindowBase::Update();
    GUIMenuWindow::Update();
    if (GUIDialogTexts::ClosedAndFaded(*this, *menuWindowManager, closing))
        result = 13;
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *yesControl))
    {
        GUIDialogTexts::StartClose(*this, *menuWindowManager);
        closing = 1;
    }
    if (GUIMenuButtons::Clicked(*this, *cancelControl))
        result = 16;
    GUIDialogTexts::Lines(*this, "GAME_LOGIC_RESTART_TEXT_", 2, 120.0f);
    GUIMenuButtons::Label(*this, *yesControl, "YES");
    GUIMenuButtons::Label(*this, *cancelControl, "CANCEL");
}

} // namespace Mirabel
