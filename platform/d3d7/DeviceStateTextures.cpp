#include "platform/d3d7/DeviceState.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlDrawState.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/TextureChain.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace d3d7::detail
{
namespace
{

GLenum CombineSource(std::uint32_t argument)
{
    if (argument == D3DTA_TEXTURE)
        return GL_TEXTURE;
    if (argument == D3DTA_DIFFUSE)
        return GL_PRIMARY_COLOR;
    return GL_PREVIOUS;
}

// Mode, first and second source of one combiner (colour or alpha).
void Combiner(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, int* out)
{
    switch (op)
    {
    case D3DTOP_MODULATE:
        out[0] = GL_MODULATE;
        out[1] = static_cast<int>(CombineSource(arg1));
        out[2] = static_cast<int>(CombineSource(arg2));
        break;
    case D3DTOP_SELECTARG1:
        out[0] = GL_REPLACE;
        out[1] = static_cast<int>(CombineSource(arg1));
        out[2] = GL_PREVIOUS;
        break;
    case D3DTOP_SELECTARG2:
        out[0] = GL_REPLACE;
        out[1] = static_cast<int>(CombineSource(arg2));
        out[2] = GL_PREVIOUS;
        break;
    default:
        out[0] = GL_REPLACE;
        out[1] = GL_PREVIOUS;
        out[2] = GL_PREVIOUS;
        break;
    }
}

} // namespace

bool DeviceState::ApplyStages(const std::uint8_t* base, std::int32_t stride, std::uint32_t uvOffset)
{
    const std::uint32_t units = std::min(stageCount, GlContext::Get().GetLimits().textureUnits);
    const std::uint32_t anisotropyLimit = GlContext::Get().GetLimits().maxAnisotropy;
    bool ended = false;
    bool ok = true;
    for (std::uint32_t index = 0; index < units; ++index)
    {
        const Stage& stage = stages[index];
        Unit& unit = applied.units[index];
        ended = ended || stage.colorOp == D3DTOP_DISABLE;
        TextureChain* chain = !ended && stage.texture ? stage.texture->GetTextureChain() : nullptr;
        if (!chain)
        {
            if (unit.enabled)
            {
                SelectUnit(index);
                SetGlCapability(GL_TEXTURE_2D, false);
                unit.enabled = false;
            }
            if (unit.coordArray)
            {
                SelectClientUnit(index);
                glDisableClientState(GL_TEXTURE_COORD_ARRAY);
                CountGlCalls();
                unit.coordArray = false;
            }
            continue;
        }
        SelectUnit(index);
        if (!chain->Bind(unit.chain == chain))
            ok = false;
        unit.chain = chain;

        SamplerParameters sampler;
        sampler.magFilter = stage.magFilter == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR;
        const bool pointMin = stage.minFilter == D3DTFN_POINT;
        if (stage.mipFilter == D3DTFP_LINEAR)
            sampler.minFilter = pointMin ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
        else if (stage.mipFilter == D3DTFP_POINT)
            sampler.minFilter = pointMin ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
        else
            sampler.minFilter = pointMin ? GL_NEAREST : GL_LINEAR;
        sampler.wrapS = stage.addressU == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
        sampler.wrapT = stage.addressV == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
        const bool anisotropic = stage.magFilter == D3DTFG_ANISOTROPIC || stage.minFilter == D3DTFN_ANISOTROPIC;
        // Without the GL extension the parameter does not exist: leave it alone.
        sampler.anisotropy = anisotropyLimit <= 1 ? 0.0f
                             : anisotropic ? static_cast<float>(std::clamp(stage.maxAnisotropy, 1u, anisotropyLimit))
                                           : 1.0f;
        chain->SetSampler(sampler);

        if (!unit.enabled)
        {
            SetGlCapability(GL_TEXTURE_2D, true);
            unit.enabled = true;
        }
        std::array<int, 6> combine;
        Combiner(stage.colorOp, stage.colorArg1, stage.colorArg2, combine.data());
        Combiner(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, combine.data() + 3);
        if (combine != unit.combine)
        {
            glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, combine[0]);
            glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, combine[1]);
            glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, combine[2]);
            glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, combine[3]);
            glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, combine[4]);
            glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, combine[5]);
            CountGlCalls(6);
            unit.combine = combine;
        }
        if (!unit.matrixValid)
        {
            // (u, v) -> (u m11 + v m21 + m31, u m12 + v m22 + m32): the offset of
            // two-component coordinates sits in the third row.
            GLfloat matrix[16] = {};
            matrix[0] = matrix[5] = matrix[10] = matrix[15] = 1.0f;
            if (stage.transformFlags == D3DTTFF_COUNT2)
            {
                const float* m = stage.transform.m;
                matrix[0] = m[0];
                matrix[1] = m[1];
                matrix[4] = m[4];
                matrix[5] = m[5];
                matrix[12] = m[8];
                matrix[13] = m[9];
            }
            SetMatrixMode(GL_TEXTURE);
            glLoadMatrixf(matrix);
            CountGlCalls();
            unit.matrixValid = true;
        }
        const void* coords = base + uvOffset;
        if (!unit.coordArray || unit.coordPointer != coords || unit.coordStride != stride)
        {
            SelectClientUnit(index);
            if (!unit.coordArray)
            {
                glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                CountGlCalls();
            }
            glTexCoordPointer(2, GL_FLOAT, stride, coords);
            CountGlCalls();
            unit.coordArray = true;
            unit.coordPointer = coords;
            unit.coordStride = stride;
        }
    }
    return ok;
}

} // namespace d3d7::detail
