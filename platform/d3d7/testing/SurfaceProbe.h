#pragma once

#include <cstdint>

namespace d3d7
{
class IDirectDrawSurface7;
}

namespace d3d7::testing
{

struct ColorSample
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

// What a colour surface (a back buffer) holds at a pixel, counted from its
// top-left corner, and what its attached depth surface holds there. Read
// straight from GL; main thread only. A surface without GL storage, or
// without a depth surface for the depth reads, gives zeros.
ColorSample ReadColor(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y);
float ReadDepth(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y);
std::uint32_t ReadStencil(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y);

} // namespace d3d7::testing
