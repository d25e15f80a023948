#pragma once

#include "engine/render/Light.h"

namespace d3d7
{
class IDirect3DDevice7;
}

namespace OrvaneEngine
{

class RenderSystem_D3D7;

// A light on the Direct3D 7 device, at its device light index.
class Light_D3D7 : public Light
{
public:
    Light_D3D7(MessageManager* log, RenderSystem_D3D7* renderSystem, std::uint32_t index);
    // Switches the light off on the device.
    ~Light_D3D7() override;

    // Sends the light and switches it on, or only switches it off while disabled.
    void Refresh() override;
    void DisableLight();

    RenderSystem_D3D7* renderSystem;
    // Whatever device is current when the light is sent.
    d3d7::IDirect3DDevice7** device;
};

} // namespace OrvaneEngine
