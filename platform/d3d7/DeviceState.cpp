#include "platform/d3d7/DeviceState.h"

#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"

#include <algorithm>
#include <cstring>

namespace d3d7::detail
{
namespace
{

D3DMATRIX Identity()
{
    D3DMATRIX matrix;
    matrix.m[0] = matrix.m[5] = matrix.m[10] = matrix.m[15] = 1.0f;
    return matrix;
}

bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b)
{
    return std::memcmp(a.m, b.m, sizeof(a.m)) == 0;
}

bool InRange(std::uint32_t value, std::uint32_t first, std::uint32_t last)
{
    return value >= first && value <= last;
}

bool IsTextureOp(std::uint32_t op)
{
    return InRange(op, D3DTOP_DISABLE, D3DTOP_MODULATE);
}

bool IsTextureArgument(std::uint32_t argument)
{
    return argument == D3DTA_DIFFUSE || argument == D3DTA_CURRENT || argument == D3DTA_TEXTURE;
}

// A light enabled without ever being set is this one.
D3DLIGHT7 DefaultLight()
{
    D3DLIGHT7 light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f};
    light.direction = D3DVECTOR{0.0f, 0.0f, 1.0f};
    return light;
}

} // namespace

DeviceState::DeviceState(const DeviceDescription& description, bool depthAttached)
    : stageCount(std::min<std::uint32_t>(description.textureStages, kMaxStages)), world(Identity()),
      view(Identity()), projection(Identity())
{
    states.zEnable = depthAttached ? D3DZB_TRUE : D3DZB_FALSE;
    for (std::uint32_t index = 0; index < kMaxStages; ++index)
    {
        Stage& stage = stages[index];
        stage.colorOp = index == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        stage.alphaOp = index == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        stage.texCoordIndex = index;
        stage.transform = Identity();
    }
}

DeviceState::~DeviceState()
{
    for (Stage& stage : stages)
    {
        if (stage.texture)
            stage.texture->Release();
        stage.texture = nullptr;
    }
}

HRESULT DeviceState::SetTransform(std::uint32_t state, const D3DMATRIX* matrix)
{
    if (!matrix)
        return DDERR_INVALIDPARAMS;
    D3DMATRIX* target = nullptr;
    if (state == D3DTRANSFORMSTATE_WORLD)
        target = &world;
    else if (state == D3DTRANSFORMSTATE_VIEW)
        target = &view;
    else if (state == D3DTRANSFORMSTATE_PROJECTION)
        target = &projection;
    else if (InRange(state, D3DTRANSFORMSTATE_TEXTURE0, D3DTRANSFORMSTATE_TEXTURE7))
        target = &stages[state - D3DTRANSFORMSTATE_TEXTURE0].transform;
    else
        return DDERR_INVALIDPARAMS;
    if (SameMatrix(*target, *matrix))
        return D3D_OK;
    *target = *matrix;
    if (state == D3DTRANSFORMSTATE_WORLD)
    {
        applied.modelviewValid = false;
    }
    else if (state == D3DTRANSFORMSTATE_VIEW)
    {
        applied.modelviewValid = false;
        // Lights are given in world space: their eye-space places move with the view.
        applied.lightsValid = false;
    }
    else if (state == D3DTRANSFORMSTATE_PROJECTION)
    {
        applied.projectionValid = false;
    }
    else
    {
        applied.units[state - D3DTRANSFORMSTATE_TEXTURE0].matrixValid = false;
    }
    return D3D_OK;
}

HRESULT DeviceState::GetTransform(std::uint32_t state, D3DMATRIX* matrix) const
{
    if (!matrix)
        return DDERR_INVALIDPARAMS;
    if (state == D3DTRANSFORMSTATE_WORLD)
        *matrix = world;
    else if (state == D3DTRANSFORMSTATE_VIEW)
        *matrix = view;
    else if (state == D3DTRANSFORMSTATE_PROJECTION)
        *matrix = projection;
    else if (InRange(state, D3DTRANSFORMSTATE_TEXTURE0, D3DTRANSFORMSTATE_TEXTURE7))
        *matrix = stages[state - D3DTRANSFORMSTATE_TEXTURE0].transform;
    else
        return DDERR_INVALIDPARAMS;
    return D3D_OK;
}

std::uint32_t* DeviceState::FindRenderState(std::uint32_t state)
{
    switch (state)
    {
    case D3DRENDERSTATE_ZENABLE: return &states.zEnable;
    case D3DRENDERSTATE_ZWRITEENABLE: return &states.zWrite;
    case D3DRENDERSTATE_SRCBLEND: return &states.sourceBlend;
    case D3DRENDERSTATE_DESTBLEND: return &states.destinationBlend;
    case D3DRENDERSTATE_CULLMODE: return &states.cullMode;
    case D3DRENDERSTATE_ZFUNC: return &states.zFunc;
    case D3DRENDERSTATE_ALPHABLENDENABLE: return &states.alphaBlend;
    case D3DRENDERSTATE_STENCILENABLE: return &states.stencilEnable;
    case D3DRENDERSTATE_STENCILFAIL: return &states.stencilFail;
    case D3DRENDERSTATE_STENCILZFAIL: return &states.stencilZFail;
    case D3DRENDERSTATE_STENCILPASS: return &states.stencilPass;
    case D3DRENDERSTATE_STENCILFUNC: return &states.stencilFunc;
    case D3DRENDERSTATE_STENCILREF: return &states.stencilRef;
    case D3DRENDERSTATE_STENCILMASK: return &states.stencilMask;
    case D3DRENDERSTATE_LIGHTING: return &states.lighting;
    case D3DRENDERSTATE_AMBIENT: return &states.ambient;
    case D3DRENDERSTATE_COLORVERTEX: return &states.colorVertex;
    case D3DRENDERSTATE_NORMALIZENORMALS: return &states.normalizeNormals;
    case D3DRENDERSTATE_DIFFUSEMATERIALSOURCE: return &states.diffuseSource;
    case D3DRENDERSTATE_AMBIENTMATERIALSOURCE: return &states.ambientSource;
    default: return nullptr;
    }
}

HRESULT DeviceState::SetRenderState(std::uint32_t state, std::uint32_t value)
{
    std::uint32_t* field = FindRenderState(state);
    if (!field)
        return DDERR_INVALIDPARAMS;
    bool valid = true;
    switch (state)
    {
    case D3DRENDERSTATE_ZENABLE: valid = value <= D3DZB_TRUE; break;
    case D3DRENDERSTATE_SRCBLEND: valid = InRange(value, D3DBLEND_ZERO, D3DBLEND_SRCALPHASAT); break;
    // GL saturates the source alpha only as a source factor.
    case D3DRENDERSTATE_DESTBLEND: valid = InRange(value, D3DBLEND_ZERO, D3DBLEND_INVDESTCOLOR); break;
    case D3DRENDERSTATE_CULLMODE: valid = InRange(value, D3DCULL_NONE, D3DCULL_CCW); break;
    case D3DRENDERSTATE_ZFUNC:
    case D3DRENDERSTATE_STENCILFUNC: valid = InRange(value, D3DCMP_NEVER, D3DCMP_ALWAYS); break;
    case D3DRENDERSTATE_STENCILFAIL:
    case D3DRENDERSTATE_STENCILZFAIL:
    case D3DRENDERSTATE_STENCILPASS: valid = InRange(value, D3DSTENCILOP_KEEP, D3DSTENCILOP_DECR); break;
    case D3DRENDERSTATE_DIFFUSEMATERIALSOURCE:
    case D3DRENDERSTATE_AMBIENTMATERIALSOURCE: valid = value <= D3DMCS_COLOR2; break;
    case D3DRENDERSTATE_ZWRITEENABLE:
    case D3DRENDERSTATE_ALPHABLENDENABLE:
    case D3DRENDERSTATE_STENCILENABLE:
    case D3DRENDERSTATE_LIGHTING:
    case D3DRENDERSTATE_COLORVERTEX:
    case D3DRENDERSTATE_NORMALIZENORMALS: value = value != 0 ? 1 : 0; break;
    default: break;
    }
    if (!valid)
        return DDERR_INVALIDPARAMS;
    *field = value;
    return D3D_OK;
}

HRESULT DeviceState::GetRenderState(std::uint32_t state, std::uint32_t* value) const
{
    if (!value)
        return DDERR_INVALIDPARAMS;
    const std::uint32_t* field = const_cast<DeviceState*>(this)->FindRenderState(state);
    if (!field)
        return DDERR_INVALIDPARAMS;
    *value = *field;
    return D3D_OK;
}

HRESULT DeviceState::SetTextureStageState(std::uint32_t stageIndex, std::uint32_t state, std::uint32_t value)
{
    if (stageIndex >= stageCount)
        return DDERR_INVALIDPARAMS;
    Stage& stage = stages[stageIndex];
    std::uint32_t* field = nullptr;
    bool valid = true;
    switch (state)
    {
    case D3DTSS_COLOROP:
        field = &stage.colorOp;
        valid = IsTextureOp(value);
        break;
    case D3DTSS_ALPHAOP:
        field = &stage.alphaOp;
        valid = IsTextureOp(value);
        break;
    case D3DTSS_ALPHAARG1:
        field = &stage.alphaArg1;
        valid = IsTextureArgument(value);
        break;
    case D3DTSS_ALPHAARG2:
        field = &stage.alphaArg2;
        valid = IsTextureArgument(value);
        break;
    case D3DTSS_TEXCOORDINDEX:
        // Every stage reads the one coordinate set the vertex formats carry.
        field = &stage.texCoordIndex;
        valid = value == 0;
        break;
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
        field = state == D3DTSS_ADDRESSU ? &stage.addressU : &stage.addressV;
        valid = value == D3DTADDRESS_WRAP || value == D3DTADDRESS_CLAMP;
        break;
    case D3DTSS_MAGFILTER:
        field = &stage.magFilter;
        valid = value == D3DTFG_POINT || value == D3DTFG_LINEAR || value == D3DTFG_ANISOTROPIC;
        break;
    case D3DTSS_MINFILTER:
        field = &stage.minFilter;
        valid = InRange(value, D3DTFN_POINT, D3DTFN_ANISOTROPIC);
        break;
    case D3DTSS_MIPFILTER:
        field = &stage.mipFilter;
        valid = InRange(value, D3DTFP_NONE, D3DTFP_LINEAR);
        break;
    case D3DTSS_MAXANISOTROPY:
        field = &stage.maxAnisotropy;
        valid = value >= 1;
        break;
    case D3DTSS_TEXTURETRANSFORMFLAGS:
        field = &stage.transformFlags;
        valid = value == D3DTTFF_DISABLE || value == D3DTTFF_COUNT2;
        break;
    default: return DDERR_INVALIDPARAMS;
    }
    if (!valid)
        return DDERR_INVALIDPARAMS;
    if (state == D3DTSS_TEXTURETRANSFORMFLAGS && *field != value)
        applied.units[stageIndex].matrixValid = false;
    *field = value;
    return D3D_OK;
}

HRESULT DeviceState::GetTextureStageState(std::uint32_t stageIndex, std::uint32_t state, std::uint32_t* value) const
{
    if (stageIndex >= stageCount || !value)
        return DDERR_INVALIDPARAMS;
    const Stage& stage = stages[stageIndex];
    switch (state)
    {
    case D3DTSS_COLOROP: *value = stage.colorOp; break;
    case D3DTSS_ALPHAOP: *value = stage.alphaOp; break;
    case D3DTSS_ALPHAARG1: *value = stage.alphaArg1; break;
    case D3DTSS_ALPHAARG2: *value = stage.alphaArg2; break;
    case D3DTSS_TEXCOORDINDEX: *value = stage.texCoordIndex; break;
    case D3DTSS_ADDRESSU: *value = stage.addressU; break;
    case D3DTSS_ADDRESSV: *value = stage.addressV; break;
    case D3DTSS_MAGFILTER: *value = stage.magFilter; break;
    case D3DTSS_MINFILTER: *value = stage.minFilter; break;
    case D3DTSS_MIPFILTER: *value = stage.mipFilter; break;
    case D3DTSS_MAXANISOTROPY: *value = stage.maxAnisotropy; break;
    case D3DTSS_TEXTURETRANSFORMFLAGS: *value = stage.transformFlags; break;
    default: return DDERR_INVALIDPARAMS;
    }
    return D3D_OK;
}

HRESULT DeviceState::SetTexture(std::uint32_t stageIndex, IDirectDrawSurface7* texture)
{
    if (stageIndex >= stageCount)
        return DDERR_INVALIDPARAMS;
    if (texture && texture->GetKind() != IDirectDrawSurface7::Kind::Texture)
        return DDERR_INVALIDSURFACETYPE;
    Stage& stage = stages[stageIndex];
    if (texture)
        texture->AddRef();
    if (stage.texture)
        stage.texture->Release();
    stage.texture = texture;
    return D3D_OK;
}

HRESULT DeviceState::GetTexture(std::uint32_t stageIndex, IDirectDrawSurface7** texture) const
{
    if (stageIndex >= stageCount || !texture)
        return DDERR_INVALIDPARAMS;
    *texture = stages[stageIndex].texture;
    if (*texture)
        (*texture)->AddRef();
    return D3D_OK;
}

HRESULT DeviceState::SetMaterial(const D3DMATERIAL7* newMaterial)
{
    if (!newMaterial)
        return DDERR_INVALIDPARAMS;
    material = *newMaterial;
    applied.materialValid = false;
    return D3D_OK;
}

HRESULT DeviceState::GetMaterial(D3DMATERIAL7* out) const
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = material;
    return D3D_OK;
}

HRESULT DeviceState::SetLight(std::uint32_t index, const D3DLIGHT7* light)
{
    if (!light || !InRange(light->type, D3DLIGHT_POINT, D3DLIGHT_DIRECTIONAL))
        return DDERR_INVALIDPARAMS;
    lights[index].light = *light;
    applied.lightsValid = false;
    return D3D_OK;
}

HRESULT DeviceState::GetLight(std::uint32_t index, D3DLIGHT7* light) const
{
    const auto it = lights.find(index);
    if (!light || it == lights.end())
        return DDERR_INVALIDPARAMS;
    *light = it->second.light;
    return D3D_OK;
}

HRESULT DeviceState::LightEnable(std::uint32_t index, bool enable)
{
    auto it = lights.find(index);
    if (enable && (it == lights.end() || !it->second.enabled))
    {
        std::uint32_t enabled = 0;
        for (const auto& [other, record] : lights)
            enabled += record.enabled ? 1 : 0;
        // GL has no more lights than this.
        if (enabled >= kMaxEnabledLights)
            return DDERR_INVALIDPARAMS;
    }
    if (it == lights.end())
    {
        if (!enable)
            return D3D_OK;
        it = lights.emplace(index, LightRecord{DefaultLight(), false}).first;
    }
    if (it->second.enabled != enable)
        applied.lightsValid = false;
    it->second.enabled = enable;
    return D3D_OK;
}

HRESULT DeviceState::GetLightEnable(std::uint32_t index, bool* enable) const
{
    const auto it = lights.find(index);
    if (!enable || it == lights.end())
        return DDERR_INVALIDPARAMS;
    *enable = it->second.enabled;
    return D3D_OK;
}

} // namespace d3d7::detail
