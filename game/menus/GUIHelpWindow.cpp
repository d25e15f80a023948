#include "game/menus/GUIHelpWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

bool IsHeading(std::uint32_t line)
{
    return line == 0 || line == 4 || line == 6 || line == 8 || line == 10;
}

// The gap below a line: a heading keeps its text close, a paragraph ends wider.
float GapAfter(std::uint32_t line)
{
    if (IsHeading(line))
        return 19.0f;
    if (line == 1 || line == 2)
        return 18.0f;
    return 24.0f;
}

} // namespace

GUIHelpWindow::GUIHelpWindow(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                             GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent)
{
    backControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0],
                                            GUIMenuButtons::Big(*gameData));
    SetTitle("HELP_TITLE");
}

GUIHelpWindow::~GUIHelpWindow() = default;

void GUIHelpWindow::Show()
{
    GUIHelpWindowBase::Show();
    SetOpen(1);
}

void GUIHelpWindow::Hide()
{
    GUIHelpWindowBase::Hide();
    SetOpen(0);
}

void GUIHelpWindow::Update()
{
    GUIHelpWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *backControl))
        result = 3;
    float y = 283.0f;
    for (std::uint32_t line = 0; line < LineCount; ++line)
    {
        frameWindow->AddTextByKey(1, IsHeading(line) ? HeadingFont : GUIMenuButtons::BodyFont, Vector2(0.0f, y), color,
                                  "HELP_TEXT_", static_cast<std::int32_t>(line));
        y -= GapAfter(line);
    }
    GUIMenuButtons::Label(*this, *backControl, "BACK");
}

} // namespace Mirabel
