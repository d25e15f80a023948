#pragma once

#include <cstdint>
#include <vector>

namespace win32::detail
{

// A small picture compiled into the program, as the resources of its module:
// pixels 0xAARRGGBB, rows top to bottom, and the hot spot of a cursor.
struct ResourcePicture
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int32_t hotX = 0;
    std::int32_t hotY = 0;
    std::vector<std::uint32_t> pixels;
};

// The program's icon resource 101; empty for any other number.
ResourcePicture MakeIconPicture(std::uint32_t resourceId);
// The cursor resources 1000 (normal), 107 (tip) and 106 (magnet); empty for
// any other number.
ResourcePicture MakeCursorPicture(std::uint32_t resourceId);

} // namespace win32::detail
