#pragma once

#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Object.h"
#include "platform/d3d7/Types.h"

#include <cstdint>

namespace d3d7
{

class IDirect3D7;
class IDirectDrawSurface7;

// A drawing device over the GL context, drawing into its render target.
// Releasing the last reference deletes every GL object the device made.
class IDirect3DDevice7 : public Object
{
public:
    IDirect3DDevice7(IDirect3D7* owner, const DeviceDescription& description, IDirectDrawSurface7* target);

    HRESULT SetViewport(D3DVIEWPORT7* viewport);
    HRESULT SetRenderTarget(IDirectDrawSurface7* target, std::uint32_t flags);
    HRESULT Clear(std::uint32_t count, const D3DRECT* rects, std::uint32_t flags, D3DCOLOR color, float z,
                  std::uint32_t stencil);
    HRESULT BeginScene();
    HRESULT EndScene();

    const DeviceDescription& GetDescription() const { return description; }
    IDirectDrawSurface7* GetRenderTarget() const { return target; }
    const D3DVIEWPORT7& GetViewport() const { return viewport; }

private:
    ~IDirect3DDevice7() override;

    // Binds the render target's framebuffer with the viewport; false off the GL thread.
    HRESULT BindTarget();

    IDirect3D7* owner;
    DeviceDescription description;
    IDirectDrawSurface7* target;
    D3DVIEWPORT7 viewport;
    bool inScene = false;
};

} // namespace d3d7
