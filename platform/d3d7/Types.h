#pragma once

// The values the drawing code passes to and gets back from the display and
// drawing device: handles, records and flags. Records carry only the fields
// the engine reads or fills; their size fields hold sizeof our own records.

#include "platform/win32/ComTypes.h"
#include "platform/win32/Types.h"

#include <cstdint>

namespace d3d7
{

using win32::FAILED;
using win32::GUID;
using win32::HRESULT;
using win32::SUCCEEDED;
using HWND = win32::HWND;
using D3DCOLOR = std::uint32_t;

struct RECT
{
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct DDPIXELFORMAT
{
    std::uint32_t size = 0;
    std::uint32_t flags = 0;
    // Colour formats: bits per pixel and the channel masks.
    std::uint32_t rgbBitCount = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    // Compressed and other special formats (DDPF_FOURCC): four characters.
    std::uint32_t fourCC = 0;
    // Depth formats: the whole pixel's bits (depth and stencil together, as
    // the device reports them) and the stencil part.
    std::uint32_t zBufferBitDepth = 0;
    std::uint32_t stencilBitDepth = 0;
    std::uint32_t zBitMask = 0;
    std::uint32_t stencilBitMask = 0;
};

struct DDSCAPS2
{
    std::uint32_t caps = 0;
    std::uint32_t caps2 = 0;
};

struct DDSURFACEDESC2
{
    std::uint32_t size = 0;
    // Which of the fields below are valid (DDSD_ flags).
    std::uint32_t flags = 0;
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::int32_t pitch = 0;
    std::uint32_t backBufferCount = 0;
    std::uint32_t refreshRate = 0;
    std::uint32_t mipMapCount = 0;
    void* surface = nullptr;
    DDPIXELFORMAT pixelFormat;
    DDSCAPS2 caps;
};

struct DDCAPS
{
    std::uint32_t size = 0;
    std::uint32_t caps = 0;
    std::uint32_t caps2 = 0;
    std::uint32_t videoMemoryTotal = 0;
};

struct D3DPRIMCAPS
{
    std::uint32_t rasterCaps = 0;
};

struct D3DDEVICEDESC7
{
    std::uint32_t devCaps = 0;
    D3DPRIMCAPS triCaps;
    // DDBD_ flags of the colour depths the device renders to.
    std::uint32_t deviceRenderBitDepth = 0;
    std::uint32_t maxTextureWidth = 0;
    std::uint32_t maxTextureHeight = 0;
    std::uint32_t maxAnisotropy = 0;
    std::uint16_t maxSimultaneousTextures = 0;
    GUID deviceGUID;
};

struct D3DVIEWPORT7
{
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 0.0f;
};

struct D3DRECT
{
    std::int32_t x1;
    std::int32_t y1;
    std::int32_t x2;
    std::int32_t y2;
};

struct DEVMODE
{
    std::uint32_t size = 0;
    std::uint32_t bitsPerPel = 0;
    std::uint32_t pelsWidth = 0;
    std::uint32_t pelsHeight = 0;
    std::uint32_t displayFrequency = 0;
};

// EnumDisplaySettingsA: the mode in force.
inline constexpr std::uint32_t ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;

// DirectDrawEnumerateExA: which adapters besides the primary one.
inline constexpr std::uint32_t DDENUM_ATTACHEDSECONDARYDEVICES = 0x1;
inline constexpr std::uint32_t DDENUM_DETACHEDSECONDARYDEVICES = 0x2;
inline constexpr std::uint32_t DDENUM_NONDISPLAYDEVICES = 0x4;

// SetCooperativeLevel.
inline constexpr std::uint32_t DDSCL_FULLSCREEN = 0x0001;
inline constexpr std::uint32_t DDSCL_ALLOWREBOOT = 0x0002;
inline constexpr std::uint32_t DDSCL_NORMAL = 0x0008;
inline constexpr std::uint32_t DDSCL_EXCLUSIVE = 0x0010;
inline constexpr std::uint32_t DDSCL_FPUSETUP = 0x0200;

// Adapter capabilities.
inline constexpr std::uint32_t DDCAPS2_CANRENDERWINDOWED = 0x00080000u;

// DDSURFACEDESC2 flags.
inline constexpr std::uint32_t DDSD_CAPS = 0x0001;
inline constexpr std::uint32_t DDSD_HEIGHT = 0x0002;
inline constexpr std::uint32_t DDSD_WIDTH = 0x0004;
inline constexpr std::uint32_t DDSD_PITCH = 0x0008;
inline constexpr std::uint32_t DDSD_BACKBUFFERCOUNT = 0x0020;
inline constexpr std::uint32_t DDSD_LPSURFACE = 0x0800;
inline constexpr std::uint32_t DDSD_PIXELFORMAT = 0x1000;
inline constexpr std::uint32_t DDSD_MIPMAPCOUNT = 0x20000;
inline constexpr std::uint32_t DDSD_REFRESHRATE = 0x40000;

// Surface capabilities.
inline constexpr std::uint32_t DDSCAPS_BACKBUFFER = 0x00000004u;
inline constexpr std::uint32_t DDSCAPS_COMPLEX = 0x00000008u;
inline constexpr std::uint32_t DDSCAPS_FLIP = 0x00000010u;
inline constexpr std::uint32_t DDSCAPS_FRONTBUFFER = 0x00000020u;
inline constexpr std::uint32_t DDSCAPS_OFFSCREENPLAIN = 0x00000040u;
inline constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x00000200u;
inline constexpr std::uint32_t DDSCAPS_SYSTEMMEMORY = 0x00000800u;
inline constexpr std::uint32_t DDSCAPS_TEXTURE = 0x00001000u;
inline constexpr std::uint32_t DDSCAPS_3DDEVICE = 0x00002000u;
inline constexpr std::uint32_t DDSCAPS_VIDEOMEMORY = 0x00004000u;
inline constexpr std::uint32_t DDSCAPS_ZBUFFER = 0x00020000u;
inline constexpr std::uint32_t DDSCAPS_MIPMAP = 0x00400000u;
inline constexpr std::uint32_t DDSCAPS_LOCALVIDMEM = 0x10000000u;
inline constexpr std::uint32_t DDSCAPS2_TEXTUREMANAGE = 0x00000010u;

// Pixel format flags.
inline constexpr std::uint32_t DDPF_ALPHAPIXELS = 0x0001;
inline constexpr std::uint32_t DDPF_RGB = 0x0040;
inline constexpr std::uint32_t DDPF_ZBUFFER = 0x0400;
inline constexpr std::uint32_t DDPF_STENCILBUFFER = 0x4000;

// Render depths in a device description.
inline constexpr std::uint32_t DDBD_16 = 0x0400;
inline constexpr std::uint32_t DDBD_24 = 0x0200;
inline constexpr std::uint32_t DDBD_32 = 0x0100;

// Device capabilities.
inline constexpr std::uint32_t D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x00010000u;
inline constexpr std::uint32_t D3DDEVCAPS_HWRASTERIZATION = 0x00080000u;
inline constexpr std::uint32_t D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x00008000u;
inline constexpr std::uint32_t D3DPRASTERCAPS_ANISOTROPY = 0x00020000u;

// Clear.
inline constexpr std::uint32_t D3DCLEAR_TARGET = 0x1;
inline constexpr std::uint32_t D3DCLEAR_ZBUFFER = 0x2;
inline constexpr std::uint32_t D3DCLEAR_STENCIL = 0x4;

// Flip, Blt, Lock and WaitForVerticalBlank.
inline constexpr std::uint32_t DDFLIP_WAIT = 0x00000001u;
inline constexpr std::uint32_t DDFLIP_NOVSYNC = 0x00000008u;
inline constexpr std::uint32_t DDBLT_WAIT = 0x01000000u;
inline constexpr std::uint32_t DDLOCK_WAIT = 0x00000001u;
inline constexpr std::uint32_t DDLOCK_READONLY = 0x00000010u;
inline constexpr std::uint32_t DDLOCK_WRITEONLY = 0x00000020u;
inline constexpr std::uint32_t DDWAITVB_BLOCKBEGIN = 0x00000001u;

} // namespace d3d7
