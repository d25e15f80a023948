#pragma once

#include "platform/d3d7/Object.h"
#include "platform/d3d7/Types.h"

namespace d3d7
{

class IDirectDraw7;
class IDirectDrawSurface7;
class IDirect3DDevice7;

using EnumDevicesCallback = bool (*)(const char* description, const char* name, D3DDEVICEDESC7* desc,
                                     void* context);
using EnumZBufferFormatsCallback = bool (*)(DDPIXELFORMAT* format, void* context);

// The drawing devices of one adapter, their depth formats and the factory of devices.
class IDirect3D7 : public Object
{
public:
    explicit IDirect3D7(IDirectDraw7* owner);

    HRESULT EnumDevices(EnumDevicesCallback callback, void* context);
    HRESULT EnumZBufferFormats(const GUID& device, EnumZBufferFormatsCallback callback, void* context);
    HRESULT CreateDevice(const GUID& device, IDirectDrawSurface7* target, IDirect3DDevice7** out);

private:
    ~IDirect3D7() override;

    IDirectDraw7* owner;
};

} // namespace d3d7
