#pragma once

#include <cstdint>

namespace OrvaneEngine
{

// One display mode a device can render to; depth is 16 or 32.
struct ModeInfo
{
    virtual ~ModeInfo() = default;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t depth = 0;
};

} // namespace OrvaneEngine
