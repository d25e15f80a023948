#pragma once

#include "platform/win32/Types.h"

#include <cstdint>

namespace win32
{

// Where a picture of the chosen mode's size lies inside a window's drawable
// area, in the drawable's pixels.
struct PictureRect
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Windowed, the picture is the whole window. Desktop fullscreen scales it to
// fit with its aspect ratio kept and centres it, leaving black bars. Any zero
// size gives the drawable unchanged.
PictureRect FitPicture(std::uint32_t pictureWidth, std::uint32_t pictureHeight, std::uint32_t drawableWidth,
                       std::uint32_t drawableHeight, bool fullscreen);

// The same for one of our windows: its mode size (the client size it was
// last given) in its current drawable, by its current style. An unknown
// window gives an empty rectangle.
PictureRect GetWindowPictureRect(HWND window);

} // namespace win32
