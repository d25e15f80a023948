#include "game/menus/GUIGameCompleteWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

GUIGameCompleteWindow::GUIGameCompleteWindow(Engine* engine, GameFramework::SoundController* soundController,
                                             GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                             GUIWindow* parent)
    : GUIGameCompleteWindowBase(engine),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    continueControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0],
                                                GUIMenuButtons::Big(*gameData));
    SetTitle("GAME_COMPLETE_TITLE");
}

GUIGameCompleteWindow::~GUIGameCompleteWindow() = default;

void GUIGameCompleteWindow::Show()
{
    if (!enabled)
    {
        passOn = true;
        return;
    }
    GUIGameCompleteWindowBase::Show();
    SetOpen(1);
    lineCount = GUIMenuButtons::LineCount(*textManager, *GUIMenuWindow::engine->messageManager, "GAME_COMPLETE_TEXT_SIZE");
    // A text that holds no count still gets a page, so that a click leads on.
    pageCount = std::max<std::uint32_t>((lineCount + LinesPerPage - 1) / LinesPerPage, 1);
    page = 0;
    shownPage = 0;
    pageAlpha = 1.0f;
}

void GUIGameCompleteWindow::Hide()
{
    if (!enabled && (frameWindow == nullptr || !frameWindow->visible))
        return;
    GUIGameCompleteWindowBase::Hide();
    SetOpen(0);
}

void GUIGameCompleteWindow::Update()
{
    if (!enabled && passOn)
    {
        result = 1;
        passOn = false;
        return;
    }
    GUIGameCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *continueControl))
    {
        ++page;
        if (page == pageCount)
            result = 1;
    }
    if (page < pageCount)
    {
        const float dt = timerManager->frameTime;
        if (shownPage == page)
            pageAlpha = std::min(pageAlpha + 2.0f * dt, 1.0f);
        else
        {
            pageAlpha -= 4.0f * dt;
            if (pageAlpha < 0.0f)
            {
                pageAlpha = 0.0f;
                shownPage = page;
            }
        }
    }
    Color lineColor = color;
    lineColor.a *= pageAlpha;
    const std::uint32_t first = LinesPerPage * shownPage;
    const std::uint32_t lines = lineCount > first ? std::min(lineCount - first, LinesPerPage) : 0;
    for (std::uint32_t i = 0; i < lines; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 126.0f - 20.0f * static_cast<float>(i)),
                                  lineColor, "GAME_COMPLETE_TEXT_", static_cast<std::int32_t>(first + i));
    GUIMenuButtons::Label(*this, *continueControl, "CONTINUE");
}

} // namespace Mirabel
