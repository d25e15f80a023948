#pragma once

#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace win32
{

// A cursor of the program's module (resources 1000, 107 and 106; any other
// number gives the system arrow), or with a null module the system's cursor
// IDC_ARROW. Handles are shared and live as long as the program.
HCURSOR LoadCursorA(HINSTANCE instance, std::uint32_t resourceId);
// Makes the cursor the one shown; returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
// Raises (show) or lowers the display counter, which starts at 0, and
// returns it; the cursor is shown while the counter is 0 or more.
std::int32_t ShowCursor(BOOL show);

// The cursor's position on the screen.
BOOL GetCursorPos(POINT* point);
// Moves the cursor there. The move is not mouse motion: the input devices
// never see it.
BOOL SetCursorPos(std::int32_t x, std::int32_t y);
// Screen position to a window's client position and back. Client positions
// are in the pixels of the window's mode, wherever its picture lies inside
// the real window, and are not clamped to the client area.
BOOL ScreenToClient(HWND window, POINT* point);
BOOL ClientToScreen(HWND window, POINT* point);

} // namespace win32
