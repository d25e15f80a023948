#include "platform/d3d7/IDirect3D7.h"
#include "platform/d3d7/HookTable.h"

#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Machine.h"
#include "platform/d3d7/Results.h"

namespace d3d7
{
namespace
{

const DeviceDescription* FindDevice(const AdapterDescription& adapter, const GUID& guid)
{
    for (const DeviceDescription& device : adapter.devices)
        if (device.guid == guid)
            return &device;
    return nullptr;
}

D3DDEVICEDESC7 Describe(const DeviceDescription& device)
{
    D3DDEVICEDESC7 desc;
    desc.devCaps = (device.hardware ? D3DDEVCAPS_HWRASTERIZATION : 0) |
                   (device.transformAndLight ? D3DDEVCAPS_HWTRANSFORMANDLIGHT : 0);
    desc.triCaps.rasterCaps = (device.zBufferlessHsr ? D3DPRASTERCAPS_ZBUFFERLESSHSR : 0) |
                              (device.maxAnisotropy > 1 ? D3DPRASTERCAPS_ANISOTROPY : 0);
    desc.deviceRenderBitDepth = device.renderDepths;
    desc.maxTextureWidth = device.maxTextureWidth;
    desc.maxTextureHeight = device.maxTextureHeight;
    desc.maxAnisotropy = device.maxAnisotropy;
    desc.maxSimultaneousTextures = static_cast<std::uint16_t>(device.textureStages);
    desc.deviceGUID = device.guid;
    return desc;
}

std::uint32_t RenderDepthFlag(std::uint32_t bits)
{
    return bits == 16 ? DDBD_16 : (bits == 24 ? DDBD_24 : (bits == 32 ? DDBD_32 : 0));
}

} // namespace

IDirect3D7::IDirect3D7(IDirectDraw7* owner_) : Object(detail::ObjectKind::Direct3D), owner(owner_)
{
    owner->AddRef();
}

IDirect3D7::~IDirect3D7()
{
    owner->Release();
}

HRESULT IDirect3D7::EnumDevices(EnumDevicesCallback callback, void* context)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("EnumDevices", code))
        return code;
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (const DeviceDescription& device : owner->GetAdapter().devices)
    {
        if (device.renderDepths == 0)
            continue;
        D3DDEVICEDESC7 desc = Describe(device);
        if (!callback(device.description.c_str(), device.name.c_str(), &desc, context))
            break;
    }
    return DD_OK;
}

HRESULT IDirect3D7::EnumZBufferFormats(const GUID& guid, EnumZBufferFormatsCallback callback, void* context)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("EnumZBufferFormats", code))
        return code;
    const DeviceDescription* device = FindDevice(owner->GetAdapter(), guid);
    if (!callback || !device)
        return DDERR_INVALIDPARAMS;
    for (const ZFormatDescription& z : device->zFormats)
    {
        DDPIXELFORMAT format;
        format.size = sizeof(DDPIXELFORMAT);
        format.flags = DDPF_ZBUFFER | (z.stencilBits > 0 ? DDPF_STENCILBUFFER : 0);
        format.zBufferBitDepth = z.zBits;
        format.stencilBitDepth = z.stencilBits;
        format.zBitMask = z.zBits == 16 ? 0xFFFFu : 0xFFFFFF00u;
        format.stencilBitMask = z.stencilBits > 0 ? 0xFFu : 0;
        if (!callback(&format, context))
            break;
    }
    return DD_OK;
}

HRESULT IDirect3D7::CreateDevice(const GUID& guid, IDirectDrawSurface7* target, IDirect3DDevice7** out)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("CreateDevice", code))
        return code;
    if (!target || !out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const DeviceDescription* device = FindDevice(owner->GetAdapter(), guid);
    if (!device || device->renderDepths == 0)
        return DDERR_INVALIDPARAMS;
    if (target->GetKind() != IDirectDrawSurface7::Kind::Color || !(target->GetDesc().caps.caps & DDSCAPS_3DDEVICE))
        return DDERR_INVALIDCAPS;
    if (!(device->renderDepths & RenderDepthFlag(target->GetDesc().pixelFormat.rgbBitCount)))
        return DDERR_INVALIDPIXELFORMAT;
    const HRESULT made = target->EnsureGl();
    if (made != DD_OK)
        return made;
    *out = new IDirect3DDevice7(this, *device, target);
    return DD_OK;
}

} // namespace d3d7
