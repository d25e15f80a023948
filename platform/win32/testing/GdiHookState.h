#pragma once

#include "platform/win32/testing/GdiHooks.h"

namespace win32::testing
{

// True when a test armed a failure that falls on this call (taking it).
bool TakeGdiFailure(GdiCall call);

} // namespace win32::testing
