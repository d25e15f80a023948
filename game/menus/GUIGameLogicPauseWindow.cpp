#include "game/menus/GUIGameLogicPauseWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(Engine* engine, GameFramework::SoundController* soundController,
                                                 GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                                 GUIWindow* parent)
    : GUIGameLogicPauseWindowBase(engine), GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    resumeControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0],
                                              GUIMenuButtons::Big(*gameData));
    SetTitle("GAME_LOGIC_PAUSED_TITLE");
}

GUIGameLogicPauseWindow::~GUIGameLogicPauseWindow() = default;

void GUIGameLogicPauseWindow::Show()
{
    GUIGameLogicPauseWindowBase::Show();
    SetOpen(1);
    needsTextAreaPanel = 1;
}

void GUIGameLogicPauseWindow::Hide()
{
    GUIGameLogicPauseWindowBase::Hide();
    SetOpen(0);
    lowerPanelAfterClose = 1;
}

void GUIGameLogicPauseWindow::Update()
{
    GUIGameLogicPauseWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *resumeControl))
        result = 19;
    frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 99.0f), color, "GAME_LOGIC_PAUSED_TEXT");
    GUIMenuButtons::Label(*this, *resumeControl, "GAME_LOGIC_PAUSED_RESUME");
}

} // namespace Mirabel
