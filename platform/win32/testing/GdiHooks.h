#pragma once

#include "platform/win32/HookTable.h"

#include <cstdint>

namespace win32::testing
{

using GdiCall = detail::GdiCall;

// The nth call of that kind from now on (1: the next one) fails as the
// system would (null or 0) and does nothing else.
void FailGdiCall(GdiCall call, std::uint32_t nth = 1);
// Memory device contexts and bitmaps not yet deleted.
std::int32_t GetLiveGdiObjectCount();
// Disarms every failure.
void ResetGdiHooks();

} // namespace win32::testing
