#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
} // namespace OrvaneEngine

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIGameLogicMenuExitWindowBase
{
public:
    explicit GUIGameLogicMenuExitWindowBase(OrvaneEngine::Engine* engine);
    virtual ~GUIGameLogicMenuExitWindowBase();
    GUIGameLogicMenuExitWindowBase(const GUIGameLogicMenuExitWindowBase&) = delete;
    GUIGameLogicMenuExitWindowBase& operator=(const GUIGameLogicMenuExitWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    OrvaneEngine::Engine* engine;
};

} // namespace GameFramework
