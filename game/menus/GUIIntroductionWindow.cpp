#include "game/menus/GUIIntroductionWindow.h"

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

namespace
{

constexpr float FadeInRate = 2.0f;
constexpr float FadeOutRate = 4.0f;

} // namespace

GUIIntroductionWindow::GUIIntroductionWindow(Engine* engine, GameFramework::SoundController* soundController,
                                             GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                             GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent)
{
    continueControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0],
                                                GUIMenuButtons::Big(*gameData));
    SetTitle("INTRODUCTION_TITLE");
}

GUIIntroductionWindow::~GUIIntroductionWindow() = default;

void GUIIntroductionWindow::Show()
{
    SetOpen(1);
    lineCount = GUIMenuButtons::LineCount(*textManager, *engine->messageManager, "INTRODUCTION_TEXT_SIZE");
    pageCount = std::max<std::uint32_t>(1, (lineCount + LinesPerPage - 1) / LinesPerPage);
    currentPage = 0;
    shownPage = 0;
    textAlpha = 1.0f;
}

void GUIIntroductionWindow::Hide()
{
    SetOpen(0);
}

void GUIIntroductionWindow::Update()
{
    result = 0;
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *continueControl))
    {
        ++currentPage;
        if (currentPage == pageCount)
            result = 23;
    }
    if (currentPage < pageCount)
    {
        const float dt = timerManager->frameTime;
        if (shownPage == currentPage)
            textAlpha = std::min(textAlpha + FadeInRate * dt, 1.0f);
        else
        {
            textAlpha -= FadeOutRate * dt;
            if (textAlpha < 0.0f)
            {
                textAlpha = 0.0f;
                shownPage = currentPage;
            }
        }
    }
    const std::uint32_t first = LinesPerPage * shownPage;
    const std::uint32_t lines = lineCount > first ? std::min(lineCount - first, LinesPerPage) : 0;
    Color textColor = color;
    textColor.a *= textAlpha;
    for (std::uint32_t i = 0; i < lines; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 276.0f - 20.0f * static_cast<float>(i)),
                                  textColor, "INTRODUCTION_TEXT_", static_cast<std::int32_t>(first + i));
    GUIMenuButtons::Label(*this, *continueControl, "CONTINUE");
}

} // namespace Mirabel
