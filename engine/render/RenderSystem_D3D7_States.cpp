#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Config.h"
#include "engine/render/Texture2D_D3D7.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/IDirect3DDevice7.h"

#include <algorithm>

namespace OrvaneEngine
{
namespace
{

std::uint32_t DeviceBlend(std::uint32_t factor)
{
    switch (factor)
    {
    case BlendOne: return d3d7::D3DBLEND_ONE;
    case BlendDestColor: return d3d7::D3DBLEND_DESTCOLOR;
    case BlendInvDestColor: return d3d7::D3DBLEND_INVDESTCOLOR;
    case BlendSrcAlpha: return d3d7::D3DBLEND_SRCALPHA;
    case BlendInvSrcAlpha: return d3d7::D3DBLEND_INVSRCALPHA;
    case BlendDestAlpha: return d3d7::D3DBLEND_DESTALPHA;
    case BlendInvDestAlpha: return d3d7::D3DBLEND_INVDESTALPHA;
    case BlendSrcAlphaSat: return d3d7::D3DBLEND_SRCALPHASAT;
    case BlendSrcColor: return d3d7::D3DBLEND_SRCCOLOR;
    case BlendInvSrcColor: return d3d7::D3DBLEND_INVSRCCOLOR;
    default: return d3d7::D3DBLEND_ZERO;
    }
}

d3d7::D3DCOLORVALUE DeviceColorValue(const Color& color)
{
    return d3d7::D3DCOLORVALUE{color.r, color.g, color.b, color.a};
}

} // namespace

d3d7::D3DMATRIX RenderSystem_D3D7::ConvertMatrix(const Matrix4& matrix)
{
    d3d7::D3DMATRIX converted;
    std::copy(std::begin(matrix.m), std::end(matrix.m), converted.m);
    return converted;
}

void RenderSystem_D3D7::SetDefaultStates()
{
    RenderSystem::SetDefaultStates();
    if (!d3dDevice)
        return;
    const char* context = "RenderSystem_D3D7::SetDefaultStates";
    for (std::uint32_t stage = 0; stage < textureStageCount; ++stage)
    {
        CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_TEXTURETRANSFORMFLAGS,
                                                             d3d7::D3DTTFF_COUNT2));
        CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_TEXCOORDINDEX, 0));
        CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_COLOROP, d3d7::D3DTOP_MODULATE));
        CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_ALPHAARG1, d3d7::D3DTA_TEXTURE));
        CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_ALPHAARG2, d3d7::D3DTA_DIFFUSE));
        CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_ALPHAOP,
                                                             stage == 0 ? d3d7::D3DTOP_MODULATE
                                                                        : d3d7::D3DTOP_DISABLE));
    }
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_COLORVERTEX, 1));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, d3d7::D3DMCS_COLOR1));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_AMBIENTMATERIALSOURCE, d3d7::D3DMCS_COLOR1));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_ZFUNC, d3d7::D3DCMP_LESS));
    if (!stencilAvailable)
        return;
    // Cleared to 0 each frame: a stencilled model covers each pixel once.
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILFUNC, d3d7::D3DCMP_EQUAL));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILREF, 0));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILMASK, 0xFFFFFFFFu));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILFAIL, d3d7::D3DSTENCILOP_KEEP));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILZFAIL, d3d7::D3DSTENCILOP_KEEP));
    CheckResult(context, d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILPASS, d3d7::D3DSTENCILOP_INCR));
}

void RenderSystem_D3D7::SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                                    const Color& emissive, float power)
{
    if (!d3dDevice)
        return;
    d3d7::D3DMATERIAL7 material;
    material.diffuse = DeviceColorValue(diffuse);
    material.ambient = DeviceColorValue(ambient);
    material.specular = DeviceColorValue(specular);
    material.emissive = DeviceColorValue(emissive);
    material.power = power;
    CheckResult("RenderSystem_D3D7::SetMaterial", d3dDevice->SetMaterial(&material));
}

void RenderSystem_D3D7::UpdateProjectionMatrix()
{
    if (!d3dDevice)
        return;
    d3d7::D3DMATRIX matrix = ConvertMatrix(projectionMatrix);
    CheckResult("RenderSystem_D3D7::UpdateProjectionMatrix",
                d3dDevice->SetTransform(d3d7::D3DTRANSFORMSTATE_PROJECTION, &matrix));
}

void RenderSystem_D3D7::UpdateViewMatrix()
{
    if (!d3dDevice)
        return;
    // The cameras' views look down -z, the device's down +z: the third column flips.
    d3d7::D3DMATRIX matrix = ConvertMatrix(viewMatrix);
    for (const int element : {2, 6, 10, 14})
        matrix.m[element] = -matrix.m[element];
    CheckResult("RenderSystem_D3D7::UpdateViewMatrix", d3dDevice->SetTransform(d3d7::D3DTRANSFORMSTATE_VIEW, &matrix));
}

void RenderSystem_D3D7::UpdateWorldMatrix()
{
    if (!d3dDevice)
        return;
    d3d7::D3DMATRIX matrix;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            matrix.m[row * 4 + column] = worldMatrix.m[column * 4 + row];
    CheckResult("RenderSystem_D3D7::UpdateWorldMatrix",
                d3dDevice->SetTransform(d3d7::D3DTRANSFORMSTATE_WORLD, &matrix));
}

void RenderSystem_D3D7::UpdateAmbientColor()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateAmbientColor",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_AMBIENT, ToDeviceColor(ambientColor)));
}

void RenderSystem_D3D7::UpdateAlphaBlend()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateAlphaBlend",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_ALPHABLENDENABLE, alphaBlend ? 1 : 0));
}

void RenderSystem_D3D7::UpdateBlend()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateBlend",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_SRCBLEND, DeviceBlend(sourceBlend)));
    CheckResult("RenderSystem_D3D7::UpdateBlend",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_DESTBLEND, DeviceBlend(destinationBlend)));
}

void RenderSystem_D3D7::UpdateTexture(std::uint32_t stage)
{
    if (!d3dDevice || stage >= stageTexture.size())
        return;
    auto* texture = dynamic_cast<Texture2D_D3D7*>(stageTexture[stage]);
    CheckResult("RenderSystem_D3D7::UpdateTexture",
                d3dDevice->SetTexture(stage, texture ? texture->GetSurface() : nullptr));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(std::uint32_t stage)
{
    if (!d3dDevice || stage >= stageMaxAnisotropy.size())
        return;
    CheckResult("RenderSystem_D3D7::UpdateMaxTextureAnisotropy",
                d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_MAXANISOTROPY, stageMaxAnisotropy[stage]));
}

void RenderSystem_D3D7::UpdateTextureFilter(std::uint32_t stage)
{
    if (!d3dDevice || stage >= stageFilter.size())
        return;
    std::uint32_t magnify;
    std::uint32_t minify;
    std::uint32_t mip;
    switch (stageFilter[stage])
    {
    case TextureFilterTrilinear:
        if (static_cast<std::int32_t>(videoSettings->textureAnisotropy) >= 2)
        {
            magnify = d3d7::D3DTFG_ANISOTROPIC;
            minify = d3d7::D3DTFN_ANISOTROPIC;
        }
        else
        {
            magnify = d3d7::D3DTFG_LINEAR;
            minify = d3d7::D3DTFN_LINEAR;
        }
        mip = d3d7::D3DTFP_LINEAR;
        break;
    case TextureFilterBilinear:
        magnify = d3d7::D3DTFG_LINEAR;
        minify = d3d7::D3DTFN_LINEAR;
        mip = d3d7::D3DTFP_NONE;
        break;
    case TextureFilterPoint:
        magnify = d3d7::D3DTFG_POINT;
        minify = d3d7::D3DTFN_POINT;
        mip = d3d7::D3DTFP_NONE;
        break;
    default: return;
    }
    const char* context = "RenderSystem_D3D7::UpdateTextureFilter";
    CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_MAGFILTER, magnify));
    CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_MINFILTER, minify));
    CheckResult(context, d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_MIPFILTER, mip));
}

void RenderSystem_D3D7::UpdateTextureAdressU(std::uint32_t stage)
{
    if (!d3dDevice || stage >= stageAddressU.size())
        return;
    CheckResult("RenderSystem_D3D7::UpdateTextureAdressU",
                d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_ADDRESSU,
                                                stageAddressU[stage] == TextureAddressClamp ? d3d7::D3DTADDRESS_CLAMP
                                                                                            : d3d7::D3DTADDRESS_WRAP));
}

void RenderSystem_D3D7::UpdateTextureAdressV(std::uint32_t stage)
{
    if (!d3dDevice || stage >= stageAddressV.size())
        return;
    CheckResult("RenderSystem_D3D7::UpdateTextureAdressV",
                d3dDevice->SetTextureStageState(stage, d3d7::D3DTSS_ADDRESSV,
                                                stageAddressV[stage] == TextureAddressClamp ? d3d7::D3DTADDRESS_CLAMP
                                                                                            : d3d7::D3DTADDRESS_WRAP));
}

void RenderSystem_D3D7::UpdateTextureMatrix(std::uint32_t stage)
{
    if (!d3dDevice || stage >= stageTransform.size())
        return;
    const std::array<float, 4>& transform = stageTransform[stage];
    d3d7::D3DMATRIX matrix;
    matrix.m[0] = transform[0];
    matrix.m[5] = transform[1];
    matrix.m[8] = transform[2];
    matrix.m[9] = transform[3];
    matrix.m[10] = 1.0f;
    matrix.m[15] = 1.0f;
    CheckResult("RenderSystem_D3D7::UpdateTextureMatrix",
                d3dDevice->SetTransform(d3d7::D3DTRANSFORMSTATE_TEXTURE0 + stage, &matrix));
}

void RenderSystem_D3D7::UpdateCullMode()
{
    if (!d3dDevice)
        return;
    const std::uint32_t mode = cullMode == CullModeClockwise          ? d3d7::D3DCULL_CW
                               : cullMode == CullModeCounterClockwise ? d3d7::D3DCULL_CCW
                                                                      : d3d7::D3DCULL_NONE;
    CheckResult("RenderSystem_D3D7::UpdateCullMode", d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_CULLMODE, mode));
}

void RenderSystem_D3D7::UpdateLighting()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateLighting",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_LIGHTING, lighting ? 1 : 0));
}

void RenderSystem_D3D7::UpdateNormalizeNormals()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateNormalizeNormals",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_NORMALIZENORMALS, normalizeNormals ? 1 : 0));
}

void RenderSystem_D3D7::UpdateZ()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateZ", d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_ZENABLE, zEnable ? 1 : 0));
}

void RenderSystem_D3D7::UpdateZWrite()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateZWrite",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_ZWRITEENABLE, zWrite ? 1 : 0));
}

void RenderSystem_D3D7::UpdateStencil()
{
    if (!d3dDevice)
        return;
    CheckResult("RenderSystem_D3D7::UpdateStencil",
                d3dDevice->SetRenderState(d3d7::D3DRENDERSTATE_STENCILENABLE, stencilEnable ? 1 : 0));
}

} // namespace OrvaneEngine
