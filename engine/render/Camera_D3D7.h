#pragma once

#include "engine/render/Camera.h"
#include "platform/d3d7/DeviceTypes.h"

namespace d3d7
{
class IDirect3DDevice7;
}

namespace OrvaneEngine
{

class RenderSystem_D3D7;

// A camera on the Direct3D 7 device. Besides the right-handed projection it
// keeps for culling and picking, it builds the projections the device takes:
// its view reaches the device with z flipped, looking down +z.
class Camera_D3D7 : public Camera
{
public:
    Camera_D3D7(RenderSystem_D3D7* renderSystem, std::uint32_t type);

    // Rebuilds the projections and the view, then the axes and the frustum;
    // the aspect is not used (perspective cameras keep 4:3).
    void Update(float aspect) override;
    // The device projection straight to the device, the view through the
    // render system's cache.
    void Apply() override;
    // The same with the far plane one unit further, which shifts every depth.
    void ApplyZBiased() override;

    RenderSystem_D3D7* renderSystem;
    // Whatever device is current when the camera is applied.
    d3d7::IDirect3DDevice7** device;
    d3d7::D3DMATRIX deviceProjection;
    d3d7::D3DMATRIX zBiasedDeviceProjection;

private:
    void ApplyProjection(d3d7::D3DMATRIX& matrix, const char* context);
};

} // namespace OrvaneEngine
