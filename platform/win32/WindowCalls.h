#pragma once

#include "platform/win32/DeviceContext.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace win32
{

// A window of a registered class: a real window of the platform library
// (OpenGL-capable, not resizable, without high-density scaling). WS_POPUP
// without WS_CHILD makes it desktop fullscreen, anything else windowed; a
// child is its own window placed at its host's client origin, as windows of
// the library cannot be embedded. 0 when the class is unknown, the parent is
// gone or the library refuses.
HWND CreateWindowExA(std::uint32_t exStyle, const char* className, const char* windowName, std::uint32_t style,
                     std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, HWND parent,
                     const void* menu, HINSTANCE instance, const void* parameter);
// The window and every message queued for it go; its device context with it.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND GetParent(HWND window);
HWND GetDesktopWindow();

// Outer rectangle on the screen; for the desktop window, the desktop.
BOOL GetWindowRect(HWND window, RECT* rect);
// (0, 0) to the size of the window's mode.
BOOL GetClientRect(HWND window, RECT* rect);
// The frame belongs to the window manager: the rectangle stays as it is.
BOOL AdjustWindowRectEx(RECT* rect, std::uint32_t style, BOOL menu, std::uint32_t exStyle);

// HWND_TOPMOST and HWND_NOTOPMOST keep the window above others or not;
// position and size are those of the client area (the mode's size).
BOOL SetWindowPos(HWND window, HWND insertAfter, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height, UINT flags);
// GWL_STYLE switches between desktop fullscreen (WS_POPUP) and windowed;
// returns the previous value.
std::int32_t SetWindowLongA(HWND window, std::int32_t index, std::int32_t value);
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, std::int32_t command);
BOOL SetForegroundWindow(HWND window);
// Returns the window that had the focus.
HWND SetFocus(HWND window);
// The window with the keyboard focus. A window has it from SetFocus until
// the platform library reports it lost.
HWND GetFocus();
// The narrow text is read in the active code page.
BOOL SetWindowTextA(HWND window, const char* text);

// The display mode never changes, so going back to the registry's is done.
std::int32_t ChangeDisplaySettingsA(const void* mode, std::uint32_t flags);

// The window's one device context, shared by every GetDC; null when the
// window is unknown.
HDC GetDC(HWND window);
// 1 when the context belongs to the window.
std::int32_t ReleaseDC(HWND window, HDC context);

} // namespace win32
