#pragma once

#include <cstdint>

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIProfileNameConflictWindowBase
{
public:
    GUIProfileNameConflictWindowBase() = default;
    virtual ~GUIProfileNameConflictWindowBase();
    GUIProfileNameConflictWindowBase(const GUIProfileNameConflictWindowBase&) = delete;
    GUIProfileNameConflictWindowBase& operator=(const GUIProfileNameConflictWindowBase&) = delete;

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
