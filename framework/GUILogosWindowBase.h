#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
class MessageManager;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUILogosWindowBase
{
public:
    explicit GUILogosWindowBase(OrvaneEngine::Engine* engine);
    virtual ~GUILogosWindowBase();
    GUILogosWindowBase(const GUILogosWindowBase&) = delete;
    GUILogosWindowBase& operator=(const GUILogosWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show();
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::TimerManager* timerManager;
};

} // namespace GameFramework
