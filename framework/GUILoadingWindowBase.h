#pragma once

#include <cstdint>

namespace GameFramework
{

class DataKeeper;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUILoadingWindowBase
{
public:
    GUILoadingWindowBase() = default;
    virtual ~GUILoadingWindowBase();
    GUILoadingWindowBase(const GUILoadingWindowBase&) = delete;
    GUILoadingWindowBase& operator=(const GUILoadingWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(DataKeeper* dataKeeper);
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;
};

} // namespace GameFramework
