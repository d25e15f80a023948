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
class GUIGameOverWindowBase
{
public:
    explicit GUIGameOverWindowBase(OrvaneEngine::Engine* engine);
    virtual ~GUIGameOverWindowBase();
    GUIGameOverWindowBase(const GUIGameOverWindowBase&) = delete;
    GUIGameOverWindowBase& operator=(const GUIGameOverWindowBase&) = delete;

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
