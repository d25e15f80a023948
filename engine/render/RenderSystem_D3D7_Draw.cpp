#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/AdapterInfo.h"
#include "engine/render/DeviceInfo.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

// One channel of a packed pixel widened to 8 bits by repeating its top bits.
std::uint8_t Expand(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const auto shift = static_cast<std::uint32_t>(std::countr_zero(mask));
    const auto bits = static_cast<std::uint32_t>(std::popcount(mask));
    std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8)
        return static_cast<std::uint8_t>(value >> (bits - 8));
    std::uint32_t widened = value << (8 - bits);
    for (std::uint32_t filled = bits; filled < 8; filled += bits)
        widened |= value << (8 - bits) >> filled;
    return static_cast<std::uint8_t>(widened);
}

} // namespace

void RenderSystem_D3D7::DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                             std::uint32_t primitiveCount)
{
    if (!d3dDevice || !indexBuffer || !vertexBuffer || primitiveCount == 0)
        return;
    vertexBuffer->Apply();
    indexBuffer->Apply();
    const std::uint64_t indexCount =
        strip ? std::uint64_t{primitiveCount} + 2 : std::uint64_t{primitiveCount} * 3;
    const std::uint32_t format =
        vertexBuffer->IsColored() ? (d3d7::D3DFVF_XYZ | d3d7::D3DFVF_NORMAL | d3d7::D3DFVF_DIFFUSE | d3d7::D3DFVF_TEX1)
                                  : (d3d7::D3DFVF_XYZ | d3d7::D3DFVF_NORMAL | d3d7::D3DFVF_TEX1);
    const std::uint64_t vertexCount = std::uint64_t{indexBuffer->GetMinIndex()} + indexBuffer->GetIndexRange();
    // Indices from a file may point past the vertices, and a primitive count
    // past the used indices: GL would read beyond either array.
    if (vertexCount == 0 || vertexCount > vertexBuffer->GetVertexCount() ||
        indexCount > indexBuffer->GetIndexCount())
    {
        if (indexBuffer->TakeDrawRefusalReport())
            log->Error("RenderSystem_D3D7::DrawIndexedPrimitive: skipped a draw of " + UIntToString(primitiveCount, 0) +
                       " primitives whose indices do not fit the buffers (largest index + 1 " +
                       UIntToString(static_cast<std::uint32_t>(std::min<std::uint64_t>(vertexCount, 0xFFFFFFFFu)), 0) +
                       " of " + UIntToString(vertexBuffer->GetVertexCount(), 0) + " vertices, " +
                       UIntToString(static_cast<std::uint32_t>(std::min<std::uint64_t>(indexCount, 0xFFFFFFFFu)), 0) +
                       " of " + UIntToString(indexBuffer->GetIndexCount(), 0) + " indices)");
        return;
    }
    // Buffers of 65,536 indices or more hold 32-bit indices and are drawn as such.
    CheckResult("RenderSystem_D3D7::DrawIndexedPrimitive",
                d3dDevice->DrawIndexedPrimitive(strip ? d3d7::D3DPT_TRIANGLESTRIP : d3d7::D3DPT_TRIANGLELIST, format,
                                                vertexBuffer->GetData(), static_cast<std::uint32_t>(vertexCount),
                                                indexBuffer->GetData(), static_cast<std::uint32_t>(indexCount), 0,
                                                indexBuffer->GetIndexSize()));
}

void RenderSystem_D3D7::CaptureScreen(Image& image)
{
    const ModeInfo* mode = adapter && adapter->device ? adapter->device->mode : nullptr;
    if (!mode || !directDraw || !backBuffer)
        throw Error("Error creating temporary surface!");
    image.Create(log, mode->width, mode->height, mode->depth == 32 ? 32 : 24);

    d3d7::DDSURFACEDESC2 desc = backBufferDesc;
    desc.size = sizeof(desc);
    desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_HEIGHT | d3d7::DDSD_WIDTH | d3d7::DDSD_PIXELFORMAT;
    desc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY;
    desc.caps.caps2 = 0;
    d3d7::IDirectDrawSurface7* temporary = nullptr;
    if (d3d7::FAILED(directDraw->CreateSurface(&desc, &temporary, nullptr)) || !temporary)
        throw Error("Error creating temporary surface!");
    CheckResult("RenderSystem_D3D7::CaptureScreen", temporary->Blt(nullptr, backBuffer, nullptr, 0, nullptr));
    d3d7::DDSURFACEDESC2 locked;
    locked.size = sizeof(locked);
    if (d3d7::FAILED(temporary->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT | d3d7::DDLOCK_READONLY, nullptr)) ||
        !locked.surface)
    {
        temporary->Release();
        throw Error("Error creating temporary surface!");
    }

    const std::uint32_t surfaceBits = locked.pixelFormat.rgbBitCount;
    const std::uint32_t imageBytes = image.GetBitsPerPixel() / 8;
    const std::uint32_t rows = std::min(image.GetHeight(), locked.height);
    const std::uint32_t columns = std::min(image.GetWidth(), locked.width);
    const auto* memory = static_cast<const std::uint8_t*>(locked.surface);
    for (std::uint32_t y = 0; y < rows; ++y)
    {
        // Image rows run bottom-up, surface rows top-down.
        const std::uint8_t* in = memory + static_cast<std::size_t>(locked.height - 1 - y) * locked.pitch;
        std::uint8_t* out = image.GetPixels() + static_cast<std::size_t>(y) * image.GetWidth() * imageBytes;
        for (std::uint32_t x = 0; x < columns; ++x, out += imageBytes)
        {
            if (surfaceBits == 16)
            {
                std::uint16_t word;
                std::memcpy(&word, in, 2);
                in += 2;
                out[0] = Expand(word, locked.pixelFormat.redMask);
                out[1] = Expand(word, locked.pixelFormat.greenMask);
                out[2] = Expand(word, locked.pixelFormat.blueMask);
            }
            else
            {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
                if (surfaceBits == 32)
                {
                    if (imageBytes == 4)
                        out[3] = static_cast<std::uint8_t>(255 - in[3]);
                    in += 4;
                }
                else
                {
                    in += 3;
                }
            }
            if (imageBytes == 4 && surfaceBits != 32)
                out[3] = 255;
        }
    }
    temporary->Unlock(nullptr);
    temporary->Release();
}

} // namespace OrvaneEngine
