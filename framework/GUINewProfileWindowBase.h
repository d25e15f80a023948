#pragma once

#include <cstdint>

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUINewProfileWindowBase
{
public:
    GUINewProfileWindowBase() = default;
    virtual ~GUINewProfileWindowBase();
    GUINewProfileWindowBase(const GUINewProfileWindowBase&) = delete;
    GUINewProfileWindowBase& operator=(const GUINewProfileWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(std::uint32_t unused);
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;
};

} // namespace GameFramework
