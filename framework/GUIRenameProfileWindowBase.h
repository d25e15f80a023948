#pragma once

#include <cstdint>
#include <string>

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIRenameProfileWindowBase
{
public:
    GUIRenameProfileWindowBase() = default;
    virtual ~GUIRenameProfileWindowBase();
    GUIRenameProfileWindowBase(const GUIRenameProfileWindowBase&) = delete;
    GUIRenameProfileWindowBase& operator=(const GUIRenameProfileWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(bool keepName, const std::u16string& oldName);
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;
};

} // namespace GameFramework
