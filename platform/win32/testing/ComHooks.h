#pragma once

namespace win32::testing
{

// True while CoInitialize has brought the platform library up and no
// CoUninitialize has taken it down again.
bool IsPlatformStarted();

} // namespace win32::testing
