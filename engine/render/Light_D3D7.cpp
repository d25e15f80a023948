#include "engine/render/Light_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/IDirect3DDevice7.h"

namespace OrvaneEngine
{
namespace
{

d3d7::D3DCOLORVALUE DeviceColorValue(const Color& color)
{
    return d3d7::D3DCOLORVALUE{color.r, color.g, color.b, color.a};
}

d3d7::D3DVECTOR DeviceVector(const Vector3& vector)
{
    return d3d7::D3DVECTOR{vector.x, vector.y, vector.z};
}

} // namespace

Light_D3D7::Light_D3D7(MessageManager* log_, RenderSystem_D3D7* renderSystem_, std::uint32_t index_)
    : Light(log_, index_), renderSystem(renderSystem_), device(&renderSystem_->d3dDevice)
{
}

Light_D3D7::~Light_D3D7()
{
    DisableLight();
}

void Light_D3D7::DisableLight()
{
    if (*device)
        renderSystem->CheckResult("Light_D3D7::DisableLight", (*device)->LightEnable(index, false));
}

void Light_D3D7::Refresh()
{
    if (!enabled)
    {
        DisableLight();
        return;
    }
    if (!*device)
        return;
    d3d7::D3DLIGHT7 light;
    light.diffuse = DeviceColorValue(diffuseColor);
    light.specular = DeviceColorValue(specularColor);
    light.ambient = DeviceColorValue(ambientColor);
    light.range = range;
    switch (type)
    {
    case Directional:
        light.type = d3d7::D3DLIGHT_DIRECTIONAL;
        light.direction = DeviceVector(direction);
        break;
    case Spot:
        light.type = d3d7::D3DLIGHT_SPOT;
        light.position = DeviceVector(position);
        light.direction = DeviceVector(direction);
        light.attenuation0 = constantAttenuation;
        light.attenuation1 = linearAttenuation;
        light.attenuation2 = quadraticAttenuation;
        light.theta = innerConeAngle;
        light.phi = outerConeAngle;
        light.falloff = 1.0f;
        break;
    case Point:
        light.type = d3d7::D3DLIGHT_POINT;
        light.position = DeviceVector(position);
        light.attenuation0 = constantAttenuation;
        light.attenuation1 = linearAttenuation;
        light.attenuation2 = quadraticAttenuation;
        break;
    default:
        // Left without a type: the device refuses it, and the check reports that.
        break;
    }
    renderSystem->CheckResult("Light_D3D7::Refresh", (*device)->SetLight(index, &light));
    renderSystem->CheckResult("Light_D3D7::Refresh", (*device)->LightEnable(index, true));
}

} // namespace OrvaneEngine
