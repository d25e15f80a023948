#pragma once

#include "platform/d3d7/Types.h"

namespace d3d7
{

// Hangs the device's presented picture on the window's device context, so
// that a block copy from the window reads what the device last presented
// there (at the display mode's size). The device does this when it is
// created for a window; doing it again changes nothing.
void AttachPresentedPicture(HWND window);
// The window's context reads no picture from the device any more.
void DetachPresentedPicture(HWND window);

} // namespace d3d7
