#include "tools/GUIDoubleClickDetecter.h"

#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>

namespace GameTools
{

namespace
{

const char* const leftButton = "MOUSE1";

} // namespace

GUIDoubleClickDetecter::GUIDoubleClickDetecter(OrvaneEngine::Engine* engine)
    : timerManager(engine->timerManager.get()), controls(engine->controls.get())
{
}

GUIDoubleClickDetecter::~GUIDoubleClickDetecter() = default;

void GUIDoubleClickDetecter::AddWindow(OrvaneEngine::GUIWindow* window)
{
    if (window && std::find(windows.begin(), windows.end(), window) == windows.end())
        windows.push_back(window);
}

void GUIDoubleClickDetecter::RemoveWindow(OrvaneEngine::GUIWindow* window)
{
    const auto it = std::find(windows.begin(), windows.end(), window);
    if (!window || it == windows.end())
        return;
    windows.erase(it);
    // Its owner may release the window next: nothing may name it afterwards.
    if (window == firstClickWindow)
        DropClick();
}

void GUIDoubleClickDetecter::Update()
{
    doubleClick = false;
    const float now = timerManager->GetFrameTimer()->GetTime();
    const bool pending = firstClickTime >= 0.0f && now - firstClickTime < DoubleClickTime;
    const bool pressed = controls->IsKeyPressed(leftButton);
    if (!pending)
    {
        if (pressed)
        {
            if (OrvaneEngine::GUIWindow* window = HoveredWindow())
            {
                firstClickWindow = window;
                firstClickTime = now;
                clickCount = 1;
            }
        }
    }
    else if (pressed)
    {
        OrvaneEngine::GUIWindow* window = HoveredWindow();
        if (!window)
        {
            DropClick();
        }
        else if (window != firstClickWindow)
        {
            firstClickWindow = window;
            firstClickTime = now;
            clickCount = 1;
        }
    }
    else if (held && !controls->IsKeyDown(leftButton))
    {
        if (clickCount >= 2)
        {
            doubleClick = true;
            firstClickTime = -1.0f;
            clickCount = 0;
        }
        else
        {
            ++clickCount;
        }
    }
    held = controls->IsKeyDown(leftButton);
}

OrvaneEngine::GUIWindow* GUIDoubleClickDetecter::HoveredWindow() const
{
    for (OrvaneEngine::GUIWindow* window : windows)
    {
        if (window->visible && window->hovered)
            return window;
    }
    return nullptr;
}

void GUIDoubleClickDetecter::DropClick()
{
    firstClickTime = -1.0f;
    clickCount = 0;
    firstClickWindow = nullptr;
}

} // namespace GameTools
