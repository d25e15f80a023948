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
class GUIGameCompleteWindowBase
{
public:
    explicit GUIGameCompleteWindowBase(OrvaneEngine::Engine* engine);
    virtual ~GUIGameCompleteWindowBase();
    GUIGameCompleteWindowBase(const GUIGameCompleteWindowBase&) = delete;
    GUIGameCompleteWindowBase& operator=(const GUIGameCompleteWindowBase&) = delete;

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
