#pragma once

#include "platform/win32/Types.h"

namespace win32::detail
{

// Moves the platform library's cursor to a screen position. The library's
// report of the move only updates the tracked position: it is no motion.
void WarpCursor(POINT screen);

// Forgets a warp whose report never came (tests start afresh).
void ResetEventPump();

} // namespace win32::detail
