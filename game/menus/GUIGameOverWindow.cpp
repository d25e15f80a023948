#include "game/menus/GUIGameOverWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIDialogTexts.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIGameOverWindow::GUIGameOverWindow(Engine* engine, GameFramework::SoundController* soundController,
                                     GameData* gameData, GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIGameOverWindowBase(engine), GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    continueControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0],
                                                GUIMenuButtons::Big(*gameData));
    SetTitle("GAME_OVER_TITLE");
}

GUIGameOverWindow::~GUIGameOverWindow() = default;

void GUIGameOverWindow::Show()
{
    GUIGameOverWindowBase::Show();
    SetOpen(1);
    needsTextAreaPanel = 1;
    closing = 0;
}

void GUIGameOverWindow::Hide()
{
    GUIGameOverWindowBase::Hide();
    closing = 0;
}

void GUIGameOverWindow::Update()
{
    GUIGameOverWindowBase::Update();
    GUIMenuWindow::Update();
    if (GUIDialogTexts::ClosedAndFaded(*this, *menuWindowManager, closing))
        result = 1;
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *continueControl))
    {
        GUIDialogTexts::StartClose(*this, *menuWindowManager);
        closing = 1;
    }
    for (std::int32_t i = 0; i < 3; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 127.0f - 22.0f * static_cast<float>(i)),
                                  color, "GAME_OVER_TEXT_", i);
    GUIMenuButtons::Label(*this, *continueControl, "CONTINUE");
}

} // namespace Mirabel
