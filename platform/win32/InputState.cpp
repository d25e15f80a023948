#include "platform/win32/InputState.h"

#include "platform/win32/RawInput.h"
#include "platform/win32/WindowTypes.h"

#include <array>
#include <map>

namespace win32
{
namespace
{

// Scan code -> the virtual key it went down as.
std::map<std::int32_t, std::int32_t> downKeys;
std::array<bool, 5> buttons{};
POINT cursor{0, 0};

// Button index -> its virtual-key code.
constexpr std::array<std::int32_t, 5> kButtonKeys = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1,
                                                     VK_XBUTTON2};

bool IsExactKeyDown(std::int32_t virtualKey)
{
    for (const auto& entry : downKeys)
        if (entry.second == virtualKey)
            return true;
    return false;
}

} // namespace

bool IsScancodeDown(std::int32_t scancode)
{
    return downKeys.count(scancode) != 0;
}

bool IsMouseButtonDown(std::uint32_t button)
{
    return button < buttons.size() && buttons[button];
}

namespace detail
{

bool SetKeyDown(std::int32_t scancode, bool down, std::int32_t virtualKey)
{
    if (down)
        return downKeys.emplace(scancode, virtualKey).second;
    return downKeys.erase(scancode) != 0;
}

bool IsVirtualKeyDown(std::int32_t virtualKey)
{
    for (std::size_t i = 0; i < kButtonKeys.size(); ++i)
        if (kButtonKeys[i] == virtualKey)
            return buttons[i];
    // The generic codes of the modifier keys stand for either side.
    switch (virtualKey)
    {
    case VK_SHIFT:
        return IsExactKeyDown(VK_LSHIFT) || IsExactKeyDown(VK_RSHIFT);
    case VK_CONTROL:
        return IsExactKeyDown(VK_LCONTROL) || IsExactKeyDown(VK_RCONTROL);
    case VK_MENU:
        return IsExactKeyDown(VK_LMENU) || IsExactKeyDown(VK_RMENU);
    default:
        return virtualKey != 0 && IsExactKeyDown(virtualKey);
    }
}

bool SetButtonDown(std::uint32_t button, bool down)
{
    if (button >= buttons.size() || buttons[button] == down)
        return false;
    buttons[button] = down;
    return true;
}

POINT GetTrackedCursor()
{
    return cursor;
}

void SetTrackedCursor(POINT screen)
{
    cursor = screen;
}

void ResetInputState()
{
    downKeys.clear();
    buttons.fill(false);
    cursor = POINT{0, 0};
}

} // namespace detail

} // namespace win32
