#pragma once

#include "platform/win32/testing/WindowHooks.h"

namespace win32::testing
{

// Whether a test refuses this call right now.
bool IsRefused(WindowCall call);

} // namespace win32::testing
