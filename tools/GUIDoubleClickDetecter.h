#pragma once

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class Controls;
class Engine;
class GUIWindow;
class TimerManager;
} // namespace OrvaneEngine

namespace GameTools
{

// Tells when the left button was pressed, released, pressed and released on
// one of its windows within 0.6 s of the first press.
class GUIDoubleClickDetecter
{
public:
    static constexpr float DoubleClickTime = 0.6f;

    explicit GUIDoubleClickDetecter(OrvaneEngine::Engine* engine);
    virtual ~GUIDoubleClickDetecter();
    GUIDoubleClickDetecter(const GUIDoubleClickDetecter&) = delete;
    GUIDoubleClickDetecter& operator=(const GUIDoubleClickDetecter&) = delete;

    // Null or a window already registered (or not registered) is ignored.
    void AddWindow(OrvaneEngine::GUIWindow* window);
    // A click pending on the window is dropped with it.
    void RemoveWindow(OrvaneEngine::GUIWindow* window);
    // Once per frame, after the GUI manager has worked out hovering.
    void Update();

    // True in the frame of the double click; the window then names where.
    bool IsDoubleClick() const { return doubleClick; }
    OrvaneEngine::GUIWindow* GetWindow() const { return firstClickWindow; }
    std::uint32_t GetClickCount() const { return clickCount; }

private:
    OrvaneEngine::GUIWindow* HoveredWindow() const;
    void DropClick();

    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::Controls* controls;
    std::vector<OrvaneEngine::GUIWindow*> windows;
    float firstClickTime = -1.0f;
    bool held = false;
    std::uint32_t clickCount = 0;
    bool doubleClick = false;
    OrvaneEngine::GUIWindow* firstClickWindow = nullptr;
};

} // namespace GameTools
