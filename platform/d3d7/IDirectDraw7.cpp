#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/HookTable.h"
#include "platform/d3d7/WindowPictureSource.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirect3D7.h"
#include "platform/d3d7/IDirectDrawClipper.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Machine.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/TextureChain.h"

#include <algorithm>
#include <bit>
#include <memory>

namespace d3d7
{
namespace
{

bool Injected(const char* operation, HRESULT& code)
{
    return detail::TakeInjectedFailure(operation, code);
}

bool IsValidDepthFormat(const DDPIXELFORMAT& format)
{
    return (format.flags & DDPF_ZBUFFER) &&
           ((format.zBufferBitDepth == 16 && format.stencilBitDepth == 0) ||
            (format.zBufferBitDepth == 32 && (format.stencilBitDepth == 0 || format.stencilBitDepth == 8)));
}

} // namespace

IDirectDraw7::IDirectDraw7(const AdapterDescription& adapter_)
    : Object(detail::ObjectKind::DirectDraw), adapter(adapter_)
{
    const win32::DesktopMode desktop = detail::GetAdapterDesktop(adapter);
    creationDesktopWidth = desktop.width;
    creationDesktopHeight = desktop.height;
}

IDirectDraw7::~IDirectDraw7() = default;

HRESULT IDirectDraw7::QueryInterface(const GUID& iid, IDirect3D7** out)
{
    HRESULT code;
    if (Injected("QueryInterface", code))
        return code;
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (!(iid == IID_IDirect3D7))
        return E_NOINTERFACE;
    *out = new IDirect3D7(this);
    return DD_OK;
}

HRESULT IDirectDraw7::GetCaps(DDCAPS* hardware, DDCAPS* emulation)
{
    HRESULT code;
    if (Injected("GetCaps", code))
        return code;
    if ((!hardware && !emulation) || (hardware && hardware->size != sizeof(DDCAPS)) ||
        (emulation && emulation->size != sizeof(DDCAPS)))
        return DDERR_INVALIDPARAMS;
    if (hardware)
    {
        *hardware = DDCAPS{};
        hardware->size = sizeof(DDCAPS);
        hardware->caps2 = adapter.canRenderWindowed ? DDCAPS2_CANRENDERWINDOWED : 0;
    }
    if (emulation)
    {
        *emulation = DDCAPS{};
        emulation->size = sizeof(DDCAPS);
    }
    return DD_OK;
}

HRESULT IDirectDraw7::EnumDisplayModes(std::uint32_t, DDSURFACEDESC2*, void* context, EnumModesCallback callback)
{
    HRESULT code;
    if (Injected("EnumDisplayModes", code))
        return code;
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (const DisplayModeDescription& mode : adapter.modes)
    {
        DDSURFACEDESC2 desc;
        desc.size = sizeof(DDSURFACEDESC2);
        desc.flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE | DDSD_PITCH;
        desc.width = mode.width;
        desc.height = mode.height;
        desc.refreshRate = mode.refreshRate;
        desc.pixelFormat = detail::MakeColorFormat(mode.bitsPerPixel);
        desc.pitch = static_cast<std::int32_t>(mode.width * ((mode.bitsPerPixel + 7) / 8));
        if (!callback(&desc, context))
            break;
    }
    return DD_OK;
}

HRESULT IDirectDraw7::SetCooperativeLevel(HWND newWindow, std::uint32_t flags)
{
    HRESULT code;
    if (Injected("SetCooperativeLevel", code))
        return code;
    const bool normal = (flags & DDSCL_NORMAL) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0 && (flags & DDSCL_FULLSCREEN) != 0;
    if (normal == exclusive || ((flags & DDSCL_EXCLUSIVE) != 0) != ((flags & DDSCL_FULLSCREEN) != 0))
        return DDERR_INVALIDPARAMS;
    if (exclusive && newWindow == 0)
        return DDERR_INVALIDPARAMS;
    if (newWindow != 0 && !detail::GlContext::Get().Bind(newWindow))
        return DDERR_INVALIDPARAMS;
    if (newWindow != 0)
    {
        window = newWindow;
        // Screen capture reads what this device presents through the window.
        AttachPresentedPicture(newWindow);
    }
    cooperativeFlags = flags;
    if (!exclusive)
        modeSet = false;
    return DD_OK;
}

DisplayModeDescription IDirectDraw7::GetCurrentMode() const
{
    if (IsExclusive() && modeSet)
        return displayMode;
    const win32::DesktopMode desktop = detail::GetAdapterDesktop(adapter);
    return DisplayModeDescription{desktop.width, desktop.height, detail::ReportedDepth(desktop.bitsPerPixel),
                                  desktop.refreshRate};
}

HRESULT IDirectDraw7::GetDisplayMode(DDSURFACEDESC2* out)
{
    HRESULT code;
    if (Injected("GetDisplayMode", code))
        return code;
    if (!out || out->size != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    const DisplayModeDescription mode = GetCurrentMode();
    *out = DDSURFACEDESC2{};
    out->size = sizeof(DDSURFACEDESC2);
    out->flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE | DDSD_PITCH;
    out->width = mode.width;
    out->height = mode.height;
    out->refreshRate = mode.refreshRate;
    out->pixelFormat = detail::MakeColorFormat(mode.bitsPerPixel);
    out->pitch = static_cast<std::int32_t>(mode.width * ((mode.bitsPerPixel + 7) / 8));
    return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                                     std::uint32_t refreshRate, std::uint32_t)
{
    HRESULT code;
    if (Injected("SetDisplayMode", code))
        return code;
    if (!IsExclusive())
        return DDERR_NOEXCLUSIVEMODE;
    const auto listed = std::find_if(adapter.modes.begin(), adapter.modes.end(), [&](const auto& mode) {
        return mode.width == width && mode.height == height && mode.bitsPerPixel == bitsPerPixel &&
               (refreshRate == 0 || mode.refreshRate == refreshRate);
    });
    if (listed == adapter.modes.end())
        return DDERR_INVALIDMODE;
    displayMode = *listed;
    modeSet = true;
    return DD_OK;
}

HRESULT IDirectDraw7::CreatePrimary(const DDSURFACEDESC2& request, IDirectDrawSurface7** out)
{
    {
        std::lock_guard guard(primaryLock);
        if (primary)
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
    }
    const bool flipping = (request.caps.caps & DDSCAPS_FLIP) != 0;
    if (flipping && (!IsExclusive() || !(request.caps.caps & DDSCAPS_COMPLEX) ||
                     !(request.flags & DDSD_BACKBUFFERCOUNT) || request.backBufferCount == 0))
        return flipping && !IsExclusive() ? DDERR_NOEXCLUSIVEMODE : DDERR_INVALIDCAPS;
    const DisplayModeDescription mode = GetCurrentMode();
    DDSURFACEDESC2 desc;
    desc.width = mode.width;
    desc.height = mode.height;
    desc.pixelFormat = detail::MakeColorFormat(mode.bitsPerPixel);
    desc.caps.caps = request.caps.caps | DDSCAPS_VIDEOMEMORY | DDSCAPS_FRONTBUFFER;
    auto* surface = new IDirectDrawSurface7(this, IDirectDrawSurface7::Kind::Primary, desc);
    if (flipping)
    {
        DDSURFACEDESC2 backDesc = desc;
        backDesc.caps.caps = (request.caps.caps & (DDSCAPS_3DDEVICE | DDSCAPS_COMPLEX | DDSCAPS_FLIP)) |
                             DDSCAPS_BACKBUFFER | DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
        auto* back = new IDirectDrawSurface7(this, IDirectDrawSurface7::Kind::Color, backDesc);
        if (detail::GlContext::Get().OnContextThread())
        {
            const HRESULT made = back->EnsureGl();
            if (made != DD_OK)
            {
                back->Release();
                surface->Release();
                return made;
            }
        }
        surface->SetBackBuffer(back);
        back->Release();
    }
    std::lock_guard guard(primaryLock);
    primary = surface;
    *out = surface;
    return DD_OK;
}

HRESULT IDirectDraw7::CreateSurface(DDSURFACEDESC2* request, IDirectDrawSurface7** out, void*)
{
    HRESULT code;
    if (Injected("CreateSurface", code))
        return code;
    if (!request || !out || request->size != sizeof(DDSURFACEDESC2) || !(request->flags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const std::uint32_t caps = request->caps.caps;
    if (caps & DDSCAPS_PRIMARYSURFACE)
        return CreatePrimary(*request, out);
    if (!(request->flags & DDSD_WIDTH) || !(request->flags & DDSD_HEIGHT) || request->width == 0 ||
        request->height == 0)
        return DDERR_INVALIDPARAMS;
    if (caps & DDSCAPS_TEXTURE)
        return CreateTexture(*request, out);
    DDSURFACEDESC2 desc = *request;
    desc.surface = nullptr;
    IDirectDrawSurface7::Kind kind;
    if (caps & DDSCAPS_ZBUFFER)
    {
        if (!(request->flags & DDSD_PIXELFORMAT) || !IsValidDepthFormat(request->pixelFormat))
            return DDERR_INVALIDPIXELFORMAT;
        kind = IDirectDrawSurface7::Kind::Depth;
    }
    else
    {
        if (!(request->flags & DDSD_PIXELFORMAT))
            desc.pixelFormat = detail::MakeColorFormat(GetCurrentMode().bitsPerPixel);
        const std::uint32_t bits = desc.pixelFormat.rgbBitCount;
        if (!(desc.pixelFormat.flags & DDPF_RGB) || (bits != 16 && bits != 24 && bits != 32))
            return DDERR_INVALIDPIXELFORMAT;
        const bool systemMemory = (caps & DDSCAPS_SYSTEMMEMORY) != 0;
        if (!systemMemory && bits == 24)
            return DDERR_INVALIDPIXELFORMAT;
        kind = systemMemory ? IDirectDrawSurface7::Kind::SystemMemory : IDirectDrawSurface7::Kind::Color;
        if (!systemMemory)
            desc.caps.caps |= DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
    }
    if (kind != IDirectDrawSurface7::Kind::SystemMemory)
    {
        detail::GlContext& context = detail::GlContext::Get();
        const std::uint32_t limit = context.GetLimits().maxRenderbufferSize;
        if (limit != 0 && (desc.width > limit || desc.height > limit))
            return DDERR_TOOBIGSIZE;
    }
    else if (static_cast<std::uint64_t>(desc.width) * desc.height > (std::uint64_t{1} << 28))
    {
        return DDERR_OUTOFMEMORY;
    }
    auto* surface = new IDirectDrawSurface7(this, kind, desc);
    // Video-memory surfaces get their GL objects now when this is the GL
    // thread, so a failure shows here; on another thread at their first use.
    if (kind != IDirectDrawSurface7::Kind::SystemMemory && detail::GlContext::Get().OnContextThread())
    {
        const HRESULT made = surface->EnsureGl();
        if (made != DD_OK)
        {
            surface->Release();
            return made;
        }
    }
    *out = surface;
    return DD_OK;
}

HRESULT IDirectDraw7::CreateTexture(const DDSURFACEDESC2& request, IDirectDrawSurface7** out)
{
    detail::TextureUpload upload;
    if (!(request.flags & DDSD_PIXELFORMAT) || !detail::DescribeTextureFormat(request.pixelFormat, upload))
        return DDERR_INVALIDPIXELFORMAT;
    const std::uint32_t limit = detail::GlContext::Get().GetLimits().maxTextureSize;
    if (limit != 0 && (request.width > limit || request.height > limit))
        return DDERR_TOOBIGSIZE;
    if (static_cast<std::uint64_t>(request.width) * request.height > (std::uint64_t{1} << 26))
        return DDERR_OUTOFMEMORY;
    const auto fullChain = static_cast<std::uint32_t>(std::bit_width(std::max(request.width, request.height)));
    std::uint32_t levels = 1;
    if (request.caps.caps & DDSCAPS_MIPMAP)
    {
        levels = (request.flags & DDSD_MIPMAPCOUNT) ? request.mipMapCount : fullChain;
        if (levels == 0 || levels > fullChain)
            return DDERR_INVALIDPARAMS;
        if (levels > 1 && !(request.caps.caps & DDSCAPS_COMPLEX))
            return DDERR_INVALIDCAPS;
    }
    // Memory only: the loading worker makes textures while the main thread draws.
    auto chain = std::make_shared<detail::TextureChain>(request.pixelFormat, upload, request.width, request.height,
                                                        levels);
    DDSURFACEDESC2 desc = request;
    desc.surface = nullptr;
    auto* top = new IDirectDrawSurface7(this, chain, 0, desc);
    IDirectDrawSurface7* above = top;
    for (std::uint32_t level = 1; level < levels; ++level)
    {
        auto* surface = new IDirectDrawSurface7(this, chain, level, desc);
        above->SetNextLevel(surface);
        surface->Release();
        above = surface;
    }
    *out = top;
    return DD_OK;
}

HRESULT IDirectDraw7::CreateClipper(std::uint32_t, IDirectDrawClipper** out, void*)
{
    HRESULT code;
    if (Injected("CreateClipper", code))
        return code;
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = new IDirectDrawClipper(this);
    return DD_OK;
}

bool IDirectDraw7::DesktopChanged() const
{
    const win32::DesktopMode desktop = detail::GetAdapterDesktop(adapter);
    return desktop.width != creationDesktopWidth || desktop.height != creationDesktopHeight;
}

HRESULT IDirectDraw7::TestCooperativeLevel()
{
    HRESULT code;
    if (Injected("TestCooperativeLevel", code))
        return code;
    if (detail::AreSurfacesLost())
        return detail::GetLossCooperativeResult();
    if (!IsExclusive() && DesktopChanged())
        return DDERR_WRONGMODE;
    return DD_OK;
}

HRESULT IDirectDraw7::RestoreAllSurfaces()
{
    HRESULT code;
    if (Injected("RestoreAllSurfaces", code))
        return code;
    if (!IsExclusive() && DesktopChanged())
        return DDERR_WRONGMODE;
    if (detail::AreSurfacesLost())
    {
        // Not active yet: nothing can come back before the program is.
        const HRESULT cooperative = detail::GetLossCooperativeResult();
        if (FAILED(cooperative))
            return cooperative;
        detail::EndSurfaceLoss();
    }
    return DD_OK;
}

HRESULT IDirectDraw7::WaitForVerticalBlank(std::uint32_t, void*)
{
    HRESULT code;
    if (Injected("WaitForVerticalBlank", code))
        return code;
    waitForVerticalBlank = true;
    return DD_OK;
}

bool IDirectDraw7::TakeVerticalBlankWait()
{
    return waitForVerticalBlank.exchange(false);
}

void IDirectDraw7::ForgetPrimary(const IDirectDrawSurface7* surface)
{
    std::lock_guard guard(primaryLock);
    if (primary == surface)
        primary = nullptr;
}

} // namespace d3d7
