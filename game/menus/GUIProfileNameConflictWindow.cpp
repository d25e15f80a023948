#include "game/menus/GUIProfileNameConflictWindow.h"

#include "engine/core/Controls.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(Engine* engine,
                                                           GameFramework::SoundController* soundController,
                                                           GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                                           GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    okControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0],
                                          GUIMenuButtons::Big(*gameData));
    SetTitle("PROFILE_NAME_CONFLICT_TITLE");
}

GUIProfileNameConflictWindow::~GUIProfileNameConflictWindow() = default;

void GUIProfileNameConflictWindow::Show(std::uint32_t callerCodeIn)
{
    GUIProfileNameConflictWindowBase::Show(callerCodeIn);
    SetOpen(1);
}

void GUIProfileNameConflictWindow::Hide()
{
    GUIProfileNameConflictWindowBase::Hide();
    SetOpen(0);
}

void GUIProfileNameConflictWindow::Update()
{
    GUIProfileNameConflictWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *okControl) || (IsOpen() && controls->IsKeyPressed("ENTER")))
        result = callerCode == 3 ? 6 : 7;
    for (std::int32_t i = 0; i < 2; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 102.0f - 23.0f * static_cast<float>(i)),
                                  color, "PROFILE_NAME_CONFLICT_TEXT_", i);
    GUIMenuButtons::Label(*this, *okControl, "OK");
}

} // namespace Mirabel
