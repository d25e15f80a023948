#pragma once

#include <cstdint>

namespace win32
{

// The engine brackets its life with these two calls. Here they bring the
// platform library (SDL) up and down: the first call on a thread starts it and
// returns 0; a call while it is already started returns 1 and does nothing.
std::int32_t CoInitialize(void* reserved);
void CoUninitialize();

} // namespace win32

namespace win32::detail
{

// True while CoInitialize has the platform library up.
bool IsPlatformLibraryStarted();

} // namespace win32::detail
