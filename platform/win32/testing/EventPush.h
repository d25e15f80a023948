#pragma once

#include "platform/win32/Types.h"

#include <cstdint>
#include <string>

namespace win32::testing
{

// Puts real events on the platform library's queue, as its drivers would,
// addressed to one of our windows. They are translated when the queue is
// next pumped (PeekMessageA, a device read, GetAsyncKeyState ...). Each
// answers false when the event could not be made or queued.

// A key by the library's scan-code name ("A", "Backspace", "Left Alt",
// "Keypad Enter" ...); its key code is the one the US layout gives, unless a
// key name is given.
bool PushKey(HWND window, const std::string& scancodeName, bool down, bool repeat = false,
             const std::string& keyName = "");
// Typed text as raw bytes (meant to be UTF-8), at most 31 of them.
bool PushText(HWND window, const std::string& bytes);
// The cursor at (x, y) inside the window, having moved by (dx, dy).
bool PushMouseMotion(HWND window, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy);
// Buttons 0 left, 1 right, 2 middle, 3 and 4 the extra buttons.
bool PushMouseButton(HWND window, std::uint32_t button, bool down, std::int32_t x = 0, std::int32_t y = 0);
// Notches away from the user are positive; a flipped wheel reports them negated.
bool PushWheel(HWND window, std::int32_t notches, bool flipped = false);

enum class WindowEvent
{
    Close,
    Minimized,
    Restored,
    Maximized,
    FocusGained,
    FocusLost,
    Enter
};
bool PushWindowEvent(HWND window, WindowEvent kind);
// The library's request to end the program (the terminal's Ctrl+C too).
bool PushQuit();

} // namespace win32::testing
