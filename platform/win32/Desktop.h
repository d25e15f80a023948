#pragma once

#include <cstdint>

namespace win32
{

// The desktop as the whole platform layer sees it: its size, colour depth
// and refresh rate. The window placement and the drawing device's display
// modes read the same description.
struct DesktopMode
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 32;
    std::uint32_t refreshRate = 60;
};

// The first display's current mode, or the one a test injected. Starts the
// video subsystem of the platform library for the query when nothing else
// has; without a display it answers 800 x 600 x 32 at 60 Hz.
DesktopMode GetDesktopMode();

} // namespace win32
