#pragma once

#include <cstdint>

namespace win32
{

// A window handle as the engine stores it: 0 means none.
using HWND = std::uint32_t;

struct POINT
{
    std::int32_t x;
    std::int32_t y;
};

} // namespace win32
