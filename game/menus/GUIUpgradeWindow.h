#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class TimerManager;
} // namespace OrvaneEngine

namespace Mirabel
{

class GUIMenuWindowManager;

// The show-place screen: the menu's frame, logos and titles fade out so the
// whole landscape can be seen; a hint fades in; a press fades the menu back
// and the screen answers 3 once that fade has finished.
class GUIUpgradeWindow
{
public:
    static constexpr std::uint32_t ResultDone = 3;
    // Presses before this are ignored, so the click that opened the screen
    // does not close it.
    static constexpr float IgnoreInput = 1.0f;
    static constexpr float HintStart = 2.5f;

    GUIUpgradeWindow(OrvaneEngine::Engine* engine, GUIMenuWindowManager* menuWindowManager,
                     OrvaneEngine::GUIWindow* parent);
    virtual ~GUIUpgradeWindow();
    GUIUpgradeWindow(const GUIUpgradeWindow&) = delete;
    GUIUpgradeWindow& operator=(const GUIUpgradeWindow&) = delete;

    void Show();
    void Hide();
    void Update();

    OrvaneEngine::GUIWindow* GetTextWindow() const { return textWindow; }
    float GetTimer() const { return timer; }
    bool IsActive() const { return active != 0; }

    // Read and cleared by the game.
    std::uint32_t result = 0;

private:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::Controls* controls;
    OrvaneEngine::GUIManager* guiManager;
    GUIMenuWindowManager* menuWindowManager;
    OrvaneEngine::GUIWindow* textWindow = nullptr;
    std::uint8_t active = 0;
    float timer = 0.0f;
};

} // namespace Mirabel
