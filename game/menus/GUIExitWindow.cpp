#include "game/menus/GUIExitWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIExitWindow::GUIExitWindow(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                             GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIExitWindowBase(engine), GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    yesControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[1], models);
    noControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0], models);
    SetTitle("EXIT_TITLE");
}

GUIExitWindow::~GUIExitWindow() = default;

void GUIExitWindow::Show(std::uint32_t callerCodeIn)
{
    GUIExitWindowBase::Show(callerCodeIn);
    SetOpen(1);
}

void GUIExitWindow::Hide()
{
    GUIExitWindowBase::Hide();
    SetOpen(0);
}

void GUIExitWindow::Update()
{
    GUIExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (closing != 0 && menuWindowManager->tokenFree != 0)
        result = 22;
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *yesControl))
    {
        closing = 1;
        Hide();
    }
    if (GUIMenuButtons::Clicked(*this, *noControl))
    {
        if (callerCode == 1)
            result = 2;
        else if (callerCode == 2)
            result = 3;
        else if (callerCode == 3)
            result = 6;
    }
    for (std::int32_t i = 0; i < 2; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 120.0f - 23.0f * static_cast<float>(i)),
                                  color, "EXIT_TEXT_", i);
    GUIMenuButtons::Label(*this, *yesControl, "YES");
    GUIMenuButtons::Label(*this, *noControl, "NO");
}

} // namespace Mirabel
