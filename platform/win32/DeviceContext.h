#pragma once

#include "platform/win32/Types.h"

namespace win32
{

// What GetDC hands out for one of our windows: the window it belongs to and
// the platform library's window behind it (an SDL_Window*, kept opaque so
// engine code never sees the library's types). The drawing device makes its
// GL context on `nativeWindow`; the GL attributes of the window's pixel
// format (double buffer, 8-bit RGB, no depth or stencil in the window
// itself) are set before the window is created.
struct DeviceContext
{
    HWND window = 0;
    void* nativeWindow = nullptr;
    // Free for the drawing device to hang what reads the window's picture
    // back (screen capture reads through it); null until it does.
    void* pictureSource = nullptr;
};

using HDC = DeviceContext*;

} // namespace win32
