#pragma once

#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace win32
{

// The running program's module (the only one there is); null for any name.
HINSTANCE GetModuleHandleA(const char* moduleName);

// A stock object of the system; only brushes are known.
HBRUSH GetStockObject(std::int32_t object);

// Registers a window class under its name and starts the platform library's
// video for it (counted: each registration is matched by one
// UnregisterClassA). 0 when the name is taken, the description is incomplete
// or video cannot start.
ATOM RegisterClassA(const WNDCLASSA* windowClass);
// FALSE while a window of the class lives, or for an unknown name.
BOOL UnregisterClassA(const char* className, HINSTANCE instance);

// The program's icon resource 101, or with a null module the system's
// application icon (IDI_APPLICATION); null otherwise.
HICON LoadIconA(HINSTANCE instance, std::uint32_t resourceId);

} // namespace win32
