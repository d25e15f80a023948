#pragma once

#include <cstdint>

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIStartGameLogicWindowBase
{
public:
    GUIStartGameLogicWindowBase() = default;
    virtual ~GUIStartGameLogicWindowBase();
    GUIStartGameLogicWindowBase(const GUIStartGameLogicWindowBase&) = delete;
    GUIStartGameLogicWindowBase& operator=(const GUIStartGameLogicWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(std::uint32_t callerCode);
    virtual void Hide();

    std::uint32_t GetCallerCode() const { return callerCode; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    std::uint32_t callerCode = 0;
};

} // namespace GameFramework
