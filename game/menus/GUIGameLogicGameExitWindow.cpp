#include "game/menus/GUIGameLogicGameExitWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIDialogTexts.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(Engine* engine, GameFramework::SoundController* soundController,
                                                       GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                                       GUIWindow* parent)
    : GUIGameLogicGameExitWindowBase(engine),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    okControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[1], models);
    cancelControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0], models);
    SetTitle("GAME_LOGIC_EXIT_TITLE");
}

GUIGameLogicGameExitWindow::~GUIGameLogicGameExitWindow() = default;

void GUIGameLogicGameExitWindow::Show()
{
    GUIGameLogicGameExitWindowBase::Show();
    SetOpen(1);
    needsTextAreaPanel = 1;
}

void GUIGameLogicGameExitWindow::Hide()
{
    GUIGameLogicGameExitWindowBase::Hide();
    SetOpen(0);
    lowerPanelAfterClose = 1;
}

void GUIGameLogicGameExitWindow::Update()
{
    GUIGameLogicGameExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *okControl))
        result = 22;
    if (GUIMenuButtons::Clicked(*this, *cancelControl))
        result = 19;
    GUIDialogTexts::Lines(*this, "GAME_LOGIC_EXIT_TEXT_", 3, 129.0f);
    GUIMenuButtons::Label(*this, *okControl, "GAME_LOGIC_EXIT_OK");
    GUIMenuButtons::Label(*this, *cancelControl, "CANCEL");
}

} // namespace Mirabel
