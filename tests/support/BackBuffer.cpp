#include "tests/support/BackBuffer.h"

#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"

#include <algorithm>
#include <cstdlib>

namespace corvellan::test
{

bool Near(const Rgb& a, const Rgb& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string Describe(const Rgb& color)
{
    return "(" + std::to_string(color.r) + ", " + std::to_string(color.g) + ", " + std::to_string(color.b) + ")";
}

std::string BackBuffer::Read(OrvaneEngine::RenderSystem_D3D7& renderSystem)
{
    pixels.clear();
    width = 0;
    height = 0;
    d3d7::DDSURFACEDESC2 desc = renderSystem.backBufferDesc;
    desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
    desc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY;
    d3d7::IDirectDrawSurface7* copy = nullptr;
    if (renderSystem.directDraw->CreateSurface(&desc, &copy, nullptr) != d3d7::DD_OK)
        return "CreateSurface of the copy failed";
    std::string error;
    d3d7::DDSURFACEDESC2 locked;
    locked.size = sizeof(locked);
    if (copy->Blt(nullptr, renderSystem.backBuffer, nullptr, d3d7::DDBLT_WAIT, nullptr) != d3d7::DD_OK)
        error = "Blt from the back buffer failed";
    else if (copy->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT, nullptr) != d3d7::DD_OK)
        error = "Lock of the copy failed";
    if (!error.empty())
    {
        copy->Release();
        return error;
    }
    width = locked.width;
    height = locked.height;
    pixels.assign(static_cast<std::size_t>(width) * height, Rgb{});
    const auto* memory = static_cast<const std::uint8_t*>(locked.surface);
    for (std::uint32_t y = 0; y < height; ++y)
    {
        const std::uint8_t* row = memory + static_cast<std::size_t>(y) * locked.pitch;
        for (std::uint32_t x = 0; x < width; ++x)
        {
            Rgb& out = pixels[static_cast<std::size_t>(y) * width + x];
            if (locked.pixelFormat.rgbBitCount == 16)
            {
                const auto word = static_cast<std::uint32_t>(row[2 * x] | row[2 * x + 1] << 8);
                out = Rgb{static_cast<int>((word >> 11) << 3), static_cast<int>(((word >> 5) & 63) << 2),
                          static_cast<int>((word & 31) << 3)};
            }
            else
            {
                out = Rgb{row[4 * x], row[4 * x + 1], row[4 * x + 2]};
            }
        }
    }
    copy->Unlock(nullptr);
    copy->Release();
    return "";
}

Rgb BackBuffer::Pixel(std::uint32_t x, std::uint32_t y) const
{
    if (x >= width || y >= height)
        return Rgb{-1, -1, -1};
    return pixels[static_cast<std::size_t>(y) * width + x];
}

Rgb BackBuffer::At(float x, float y) const
{
    if (width == 0 || height == 0)
        return Rgb{-1, -1, -1};
    const auto column = static_cast<std::uint32_t>((x + 1.0f) * 0.5f * static_cast<float>(width));
    const auto row = static_cast<std::uint32_t>((1.0f - y) * 0.5f * static_cast<float>(height));
    return Pixel(std::min(column, width - 1), std::min(row, height - 1));
}

} // namespace corvellan::test
