#pragma once

#include "platform/win32/HookTable.h"
#include "platform/win32/Types.h"

#include <cstdint>
#include <string>

namespace win32::testing
{

using WindowCall = detail::WindowCall;

// While refused, the call fails as the system would (0 or null).
void SetRefused(WindowCall call, bool refused);

// The cursor's display counter; and the resource number of the cursor last
// set (IDC_ARROW for the system arrow, 0 for none).
std::int32_t GetDisplayCounter();
std::uint32_t GetCurrentCursorId();

// What the stand-in did to a window of the platform library (always-on-top
// and minimised as asked of it, since some drivers keep no such state).
std::uint32_t GetWindowIconId(HWND window);
bool IsWindowTopmost(HWND window);
bool IsWindowFullscreen(HWND window);
bool IsWindowMaximized(HWND window);
bool IsWindowMinimized(HWND window);
bool IsWindowShown(HWND window);
// The platform window's title (UTF-8) and its place; empty or false for an
// unknown window.
std::string GetWindowTitle(HWND window);
bool GetPlatformWindowRect(HWND window, std::int32_t& x, std::int32_t& y, std::int32_t& width,
                           std::int32_t& height);
// The platform library's number for the window; 0 for an unknown one.
std::uint32_t GetPlatformWindowId(HWND window);
std::size_t GetWindowCount();

// Whether the platform library's video is running.
bool IsVideoStarted();

// Nothing refused, display counter 0, every key and button up, the cursor at
// (0, 0), no message queued and no platform event pending. Windows and
// classes stay: each test destroys its own.
void ResetWindowHooks();

} // namespace win32::testing
