#pragma once

#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Object.h"
#include "platform/d3d7/Types.h"

#include <cstdint>
#include <memory>

namespace d3d7
{

class IDirect3D7;
class IDirectDrawSurface7;

namespace detail
{
class DeviceState;
}

// Return true to go on with the next format.
using EnumTextureFormatsCallback = bool (*)(DDPIXELFORMAT* format, void* context);

// A drawing device over the GL context, drawing into its render target with
// GL's fixed-function pipeline. States, textures, the material and lights
// are kept in memory and reach GL at the next draw. Releasing the last
// reference deletes every GL object the device made.
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
    HRESULT SetTransform(std::uint32_t state, D3DMATRIX* matrix);
    HRESULT GetTransform(std::uint32_t state, D3DMATRIX* matrix);
    HRESULT SetRenderState(std::uint32_t state, std::uint32_t value);
    HRESULT GetRenderState(std::uint32_t state, std::uint32_t* value);
    HRESULT SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value);
    HRESULT GetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t* value);
    HRESULT SetTexture(std::uint32_t stage, IDirectDrawSurface7* texture);
    HRESULT GetTexture(std::uint32_t stage, IDirectDrawSurface7** texture);
    HRESULT SetMaterial(D3DMATERIAL7* material);
    HRESULT GetMaterial(D3DMATERIAL7* material);
    HRESULT SetLight(std::uint32_t index, D3DLIGHT7* light);
    HRESULT GetLight(std::uint32_t index, D3DLIGHT7* light);
    HRESULT LightEnable(std::uint32_t index, bool enable);
    HRESULT GetLightEnable(std::uint32_t index, bool* enable);
    // Triangle lists and strips of the two vertex formats, straight from
    // memory. Our extension: indexSize 2 or 4 bytes per index.
    HRESULT DrawIndexedPrimitive(std::uint32_t primitiveType, std::uint32_t fvf, void* vertices,
                                 std::uint32_t vertexCount, void* indices, std::uint32_t indexCount,
                                 std::uint32_t flags, std::uint32_t indexSize = 2);
    HRESULT EnumTextureFormats(EnumTextureFormatsCallback callback, void* context);

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
    std::unique_ptr<detail::DeviceState> state;
};

} // namespace d3d7
