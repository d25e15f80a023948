#include "game/menus/GUIUpgradeWindow.h"

#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/menus/GUIMenuWindowManager.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

GUIUpgradeWindow::GUIUpgradeWindow(Engine* engine, GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : engine(engine),
      timerManager(engine->timerManager.get()),
      controls(engine->controls.get()),
      guiManager(engine->guiManager.get()),
      menuWindowManager(menuWindowManager)
{
    textWindow = guiManager->CreateWindow(0, Vector2(0.0f, 0.0f), Vector2(800.0f, 0.0f), nullptr, parent);
}

GUIUpgradeWindow::~GUIUpgradeWindow() { guiManager->ReleaseWindow(textWindow); }

void GUIUpgradeWindow::Show()
{
    active = 1;
    timer = 0.0f;
    result = 0;
}

void GUIUpgradeWindow::Hide()
{
    textWindow->ClearFlags(GUIWindow::FlagShown);
    active = 0;
    timer = 0.0f;
}

void GUIUpgradeWindow::Update()
{
    result = 0;
    if (textWindow->visible)
    {
        if (active == 0 && menuWindowManager->IsFadeFinished())
            result = ResultDone;
    }
    else if (active != 0 && menuWindowManager->tokenFree != 0)
    {
        menuWindowManager->StartFadeOut();
        textWindow->SetFlags(GUIWindow::FlagShown);
    }
    if (!textWindow->visible)
        return;

    timer += timerManager->frameTime;
    float alpha = 0.0f;
    if (active != 0)
    {
        if (menuWindowManager->IsFadeFinished())
            menuWindowManager->ClearText();
        alpha = std::clamp(timer - HintStart, 0.0f, 1.0f);
        if (controls->AnyKeyPressed() && timer > IgnoreInput)
        {
            menuWindowManager->StartFadeIn();
            active = 0;
        }
    }
    textWindow->AddTextByKey(1, 1, Vector2(0.0f, 12.0f), Color(1.0f, 1.0f, 1.0f, alpha),
                             "HIT_MOUSE_BUTTON_TO_CONTINUE", -1, 0.0f, -1.0f);
}

} // namespace Mirabel
