#include "platform/d3d7/DeviceState.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlDrawState.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/TextureChain.h"
#include "platform/d3d7/Counters.h"
#include "platform/d3d7/HookTable.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

namespace d3d7::detail
{
namespace
{

GLenum BlendFactor(std::uint32_t blend)
{
    switch (blend)
    {
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ZERO;
    }
}

GLenum CompareFunction(std::uint32_t function)
{
    switch (function)
    {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum StencilOperation(std::uint32_t operation)
{
    switch (operation)
    {
    case D3DSTENCILOP_ZERO: return GL_ZERO;
    case D3DSTENCILOP_REPLACE: return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT: return GL_INCR;
    case D3DSTENCILOP_DECRSAT: return GL_DECR;
    case D3DSTENCILOP_INVERT: return GL_INVERT;
    case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
    }
}

void ToFloats(std::uint32_t argb, GLfloat* out)
{
    out[0] = static_cast<float>((argb >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((argb >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(argb & 0xFF) / 255.0f;
    out[3] = static_cast<float>(argb >> 24) / 255.0f;
}

} // namespace

void DeviceState::SelectUnit(std::uint32_t unit)
{
    if (applied.activeUnit == static_cast<int>(unit))
        return;
    GlContext::Get().Gl().activeTexture(GL_TEXTURE0 + unit);
    CountGlCalls();
    applied.activeUnit = static_cast<int>(unit);
}

void DeviceState::SelectClientUnit(std::uint32_t unit)
{
    if (applied.clientUnit == static_cast<int>(unit))
        return;
    GlContext::Get().Gl().clientActiveTexture(GL_TEXTURE0 + unit);
    CountGlCalls();
    applied.clientUnit = static_cast<int>(unit);
}

void DeviceState::SetMatrixMode(int mode)
{
    if (applied.matrixMode == mode)
        return;
    glMatrixMode(static_cast<GLenum>(mode));
    CountGlCalls();
    applied.matrixMode = mode;
}

void DeviceState::SyncWithGl()
{
    GlContext& context = GlContext::Get();
    const std::uint64_t epoch = GetGlStateEpoch();
    if (applied.valid && applied.generation == context.GetGeneration() && applied.epoch == epoch)
        return;
    applied = Applied{};
    applied.generation = context.GetGeneration();
    ApplyFixedStates();
    applied.valid = true;
    // Whoever draws next with another device must not trust its own copy either.
    NoteForeignGlState();
    applied.epoch = GetGlStateEpoch();
}

void DeviceState::ApplyFixedStates()
{
    // What the device never changes: Gouraud shading, a local viewer, one-sided
    // lighting, and no fog, alpha test, dither or scissor.
    glShadeModel(GL_SMOOTH);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glDisable(GL_FOG);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DITHER);
    glDisable(GL_SCISSOR_TEST);
    glFrontFace(GL_CCW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    CountGlCalls(11);
    const GlFunctions& gl = GlContext::Get().Gl();
    for (std::uint32_t unit = 0; unit < kMaxStages; ++unit)
    {
        if (unit >= GlContext::Get().GetLimits().textureUnits)
            break;
        gl.activeTexture(GL_TEXTURE0 + unit);
        gl.clientActiveTexture(GL_TEXTURE0 + unit);
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        CountGlCalls(5);
    }
    applied.activeUnit = -1;
    applied.clientUnit = -1;
    for (std::uint32_t slot = 0; slot < kMaxEnabledLights; ++slot)
    {
        glDisable(GL_LIGHT0 + slot);
        CountGlCalls();
    }
}

void DeviceState::SendLights()
{
    // The view is loaded: positions and directions are given in world space.
    std::uint32_t slot = 0;
    for (const auto& [index, record] : lights)
    {
        if (!record.enabled || slot >= kMaxEnabledLights)
            continue;
        const D3DLIGHT7& light = record.light;
        const GLenum id = GL_LIGHT0 + slot;
        const GLfloat diffuse[4] = {light.diffuse.r, light.diffuse.g, light.diffuse.b, light.diffuse.a};
        const GLfloat specular[4] = {light.specular.r, light.specular.g, light.specular.b, light.specular.a};
        const GLfloat ambient[4] = {light.ambient.r, light.ambient.g, light.ambient.b, light.ambient.a};
        glLightfv(id, GL_DIFFUSE, diffuse);
        glLightfv(id, GL_SPECULAR, specular);
        glLightfv(id, GL_AMBIENT, ambient);
        if (light.type == D3DLIGHT_DIRECTIONAL)
        {
            const GLfloat towards[4] = {-light.direction.x, -light.direction.y, -light.direction.z, 0.0f};
            glLightfv(id, GL_POSITION, towards);
            glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        }
        else
        {
            const GLfloat position[4] = {light.position.x, light.position.y, light.position.z, 1.0f};
            glLightfv(id, GL_POSITION, position);
            if (light.type == D3DLIGHT_SPOT)
            {
                const GLfloat direction[3] = {light.direction.x, light.direction.y, light.direction.z};
                // One cut-off only: the outer cone, with no fall-off inside it.
                const float cutoff = std::clamp(light.phi * 0.5f * 57.29578f, 0.0f, 90.0f);
                glLightfv(id, GL_SPOT_DIRECTION, direction);
                glLightf(id, GL_SPOT_CUTOFF, cutoff);
                glLightf(id, GL_SPOT_EXPONENT, 0.0f);
                CountGlCalls(2);
            }
            else
            {
                glLightf(id, GL_SPOT_CUTOFF, 180.0f);
            }
            glLightf(id, GL_CONSTANT_ATTENUATION, light.attenuation0);
            glLightf(id, GL_LINEAR_ATTENUATION, light.attenuation1);
            glLightf(id, GL_QUADRATIC_ATTENUATION, light.attenuation2);
            CountGlCalls(3);
        }
        CountGlCalls(5);
        if (!applied.lightSlots[slot])
            SetGlCapability(id, true);
        applied.lightSlots[slot] = true;
        ++slot;
    }
    for (; slot < kMaxEnabledLights; ++slot)
    {
        if (applied.lightSlots[slot])
            SetGlCapability(GL_LIGHT0 + slot, false);
        applied.lightSlots[slot] = false;
    }
    applied.lightsValid = true;
}

void DeviceState::ApplyTransformsAndLights()
{
    if (!applied.projectionValid)
    {
        // Direct3D's depth runs from 0 to w, GL's from -w to w: z' = 2z - w.
        GLfloat remapped[16];
        std::copy(std::begin(projection.m), std::end(projection.m), remapped);
        for (int column = 0; column < 4; ++column)
            remapped[column * 4 + 2] = 2.0f * projection.m[column * 4 + 2] - projection.m[column * 4 + 3];
        SetMatrixMode(GL_PROJECTION);
        glLoadMatrixf(remapped);
        CountGlCalls();
        applied.projectionValid = true;
    }
    if (!applied.modelviewValid || !applied.lightsValid)
    {
        SetMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(view.m);
        CountGlCalls();
        if (!applied.lightsValid)
            SendLights();
        glMultMatrixf(world.m);
        CountGlCalls();
        applied.modelviewValid = true;
    }
}

void DeviceState::ApplyRenderStates()
{
    const int blend = states.alphaBlend != 0 ? 1 : 0;
    if (blend != applied.blend)
        SetGlCapability(GL_BLEND, blend != 0);
    applied.blend = blend;
    const GLenum source = BlendFactor(states.sourceBlend);
    const GLenum destination = BlendFactor(states.destinationBlend);
    if (source != applied.sourceBlend || destination != applied.destinationBlend)
    {
        glBlendFunc(source, destination);
        CountGlCalls();
        applied.sourceBlend = source;
        applied.destinationBlend = destination;
    }

    const int depthTest = states.zEnable != 0 ? 1 : 0;
    if (depthTest != applied.depthTest)
        SetGlCapability(GL_DEPTH_TEST, depthTest != 0);
    applied.depthTest = depthTest;
    const int depthMask = states.zWrite != 0 ? 1 : 0;
    if (depthMask != applied.depthMask)
    {
        glDepthMask(depthMask != 0 ? GL_TRUE : GL_FALSE);
        CountGlCalls();
        applied.depthMask = depthMask;
    }
    const GLenum depthFunc = CompareFunction(states.zFunc);
    if (depthFunc != applied.depthFunc)
    {
        glDepthFunc(depthFunc);
        CountGlCalls();
        applied.depthFunc = depthFunc;
    }

    const int stencilTest = states.stencilEnable != 0 ? 1 : 0;
    if (stencilTest != applied.stencilTest)
        SetGlCapability(GL_STENCIL_TEST, stencilTest != 0);
    applied.stencilTest = stencilTest;
    const GLenum stencilFunc = CompareFunction(states.stencilFunc);
    if (stencilFunc != applied.stencilFunc || states.stencilRef != applied.stencilRef ||
        states.stencilMask != applied.stencilMask)
    {
        glStencilFunc(stencilFunc, static_cast<GLint>(states.stencilRef), states.stencilMask);
        CountGlCalls();
        applied.stencilFunc = stencilFunc;
        applied.stencilRef = states.stencilRef;
        applied.stencilMask = states.stencilMask;
    }
    const std::array<std::uint64_t, 3> stencilOps = {StencilOperation(states.stencilFail),
                                                     StencilOperation(states.stencilZFail),
                                                     StencilOperation(states.stencilPass)};
    if (stencilOps != applied.stencilOps)
    {
        glStencilOp(static_cast<GLenum>(stencilOps[0]), static_cast<GLenum>(stencilOps[1]),
                    static_cast<GLenum>(stencilOps[2]));
        CountGlCalls();
        applied.stencilOps = stencilOps;
    }

    // Clockwise faces as seen on the screen are GL's back faces once the
    // front is counter-clockwise, and the picture is not mirrored on the way.
    const int cull = states.cullMode == D3DCULL_CW ? 1 : (states.cullMode == D3DCULL_CCW ? 2 : 0);
    if (cull != applied.cull)
    {
        SetGlCapability(GL_CULL_FACE, cull != 0);
        if (cull != 0)
        {
            glCullFace(cull == 1 ? GL_BACK : GL_FRONT);
            CountGlCalls();
        }
        applied.cull = cull;
    }

    const int lighting = states.lighting != 0 ? 1 : 0;
    if (lighting != applied.lighting)
        SetGlCapability(GL_LIGHTING, lighting != 0);
    applied.lighting = lighting;
    const int normalize = states.normalizeNormals != 0 ? 1 : 0;
    if (normalize != applied.normalize)
        SetGlCapability(GL_NORMALIZE, normalize != 0);
    applied.normalize = normalize;
    if (states.ambient != applied.ambient)
    {
        GLfloat ambient[4];
        ToFloats(states.ambient, ambient);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        CountGlCalls();
        applied.ambient = states.ambient;
    }
}

void DeviceState::ApplyColorSource(bool colored)
{
    const bool lit = states.lighting != 0;
    const bool diffuseFromVertex = states.diffuseSource == D3DMCS_COLOR1;
    const bool ambientFromVertex = states.ambientSource == D3DMCS_COLOR1;
    const bool colorMaterial = lit && colored && states.colorVertex != 0 && (diffuseFromVertex || ambientFromVertex);
    // Off before any colour is set: while on, GL writes every colour into the material.
    if ((colorMaterial ? 1 : 0) != applied.colorMaterial)
        SetGlCapability(GL_COLOR_MATERIAL, colorMaterial);
    applied.colorMaterial = colorMaterial ? 1 : 0;
    if (lit && !applied.materialValid)
    {
        const GLfloat ambient[4] = {material.ambient.r, material.ambient.g, material.ambient.b, material.ambient.a};
        const GLfloat diffuse[4] = {material.diffuse.r, material.diffuse.g, material.diffuse.b, material.diffuse.a};
        const GLfloat emissive[4] = {material.emissive.r, material.emissive.g, material.emissive.b,
                                     material.emissive.a};
        // Specular highlights are off on this device.
        const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emissive);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material.power, 0.0f, 128.0f));
        CountGlCalls(5);
        applied.materialValid = true;
    }
    if (colorMaterial)
    {
        const GLenum mode = diffuseFromVertex && ambientFromVertex ? GL_AMBIENT_AND_DIFFUSE
                            : diffuseFromVertex                    ? GL_DIFFUSE
                                                                   : GL_AMBIENT;
        if (mode != applied.colorMaterialMode)
        {
            glColorMaterial(GL_FRONT_AND_BACK, mode);
            CountGlCalls();
            applied.colorMaterialMode = mode;
        }
        // The vertex colours overwrite the material from here on.
        applied.materialValid = false;
    }
    if (!colored && !applied.colorWhite)
    {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        CountGlCalls();
        applied.colorWhite = true;
    }
    if (colored)
        applied.colorWhite = false;
}

void DeviceState::ApplyArrays(const std::uint8_t* base, std::int32_t stride, bool colored)
{
    if (applied.vertexPointer != base || applied.vertexStride != stride)
    {
        glVertexPointer(3, GL_FLOAT, stride, base);
        glNormalPointer(GL_FLOAT, stride, base + 12);
        CountGlCalls(2);
        applied.vertexPointer = base;
        applied.vertexStride = stride;
    }
    if (colored != applied.colorArray)
    {
        if (colored)
            glEnableClientState(GL_COLOR_ARRAY);
        else
            glDisableClientState(GL_COLOR_ARRAY);
        CountGlCalls();
        applied.colorArray = colored;
    }
    // The packed 0xAARRGGBB word is B, G, R, A in memory.
    if (colored && applied.colorPointer != base + 24)
    {
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + 24);
        CountGlCalls();
        applied.colorPointer = base + 24;
    }
}

HRESULT DeviceState::Draw(std::uint32_t primitiveType, std::uint32_t fvf, const void* vertices,
                          std::uint32_t vertexCount, const void* indices, std::uint32_t indexCount,
                          std::uint32_t indexSize)
{
    constexpr std::uint32_t plain = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
    constexpr std::uint32_t colored = plain | D3DFVF_DIFFUSE;
    if ((primitiveType != D3DPT_TRIANGLELIST && primitiveType != D3DPT_TRIANGLESTRIP) ||
        (fvf != plain && fvf != colored) || !vertices || !indices || vertexCount == 0 || indexCount == 0 ||
        (indexSize != 2 && indexSize != 4))
        return DDERR_INVALIDPARAMS;
    GlContext& context = GlContext::Get();
    if (!context.MayCall())
        return DDERR_GENERIC;
    const bool isColored = fvf == colored;
    const std::int32_t stride = isColored ? 36 : 32;
    const auto* base = static_cast<const std::uint8_t*>(vertices);

    while (glGetError() != GL_NO_ERROR)
    {
    }
    SyncWithGl();
    ApplyRenderStates();
    ApplyTransformsAndLights();
    ApplyColorSource(isColored);
    const bool texturesReady = ApplyStages(base, stride, isColored ? 28 : 24);
    ApplyArrays(base, stride, isColored);
    context.Gl().drawRangeElements(primitiveType == D3DPT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP : GL_TRIANGLES, 0,
                                   vertexCount - 1, static_cast<GLsizei>(indexCount),
                                   indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, indices);
    CountGlCalls();
    RecordDraw(DrawRecord{primitiveType, fvf, vertexCount, indexCount, indexSize});
    const GLenum error = glGetError();
    if (error == GL_OUT_OF_MEMORY)
        return DDERR_OUTOFMEMORY;
    if (error != GL_NO_ERROR || !texturesReady)
        return DDERR_GENERIC;
    return D3D_OK;
}

} // namespace d3d7::detail
