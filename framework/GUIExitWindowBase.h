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
class GUIExitWindowBase
{
public:
    explicit GUIExitWindowBase(OrvaneEngine::Engine* engine);
    virtual ~GUIExitWindowBase();
    GUIExitWindowBase(const GUIExitWindowBase&) = delete;
    GUIExitWindowBase& operator=(const GUIExitWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(std::uint32_t callerCode);
    virtual void Hide();

    std::uint32_t GetCallerCode() const { return callerCode; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    OrvaneEngine::Engine* engine;
    std::uint32_t callerCode = 0;
};

} // namespace GameFramework
