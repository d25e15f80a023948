#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/HookTable.h"

#include "platform/d3d7/DeviceState.h"
#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlDrawState.h"
#include "platform/d3d7/GlErrors.h"
#include "platform/d3d7/IDirect3D7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Presentation.h"
#include "platform/d3d7/Results.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace d3d7
{
namespace
{

struct ScissorBox
{
    GLint x;
    GLint y;
    GLsizei width;
    GLsizei height;
};

// D3D rectangles count rows from the top, GL's from the bottom.
ScissorBox ToScissor(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t targetHeight)
{
    return ScissorBox{x1, static_cast<GLint>(targetHeight) - y2, std::max(0, x2 - x1), std::max(0, y2 - y1)};
}

// The call's own result, unless a test asked the named operation to fail now.
template <typename Call>
HRESULT Injected(const char* operation, Call call)
{
    HRESULT code;
    if (detail::TakeInjectedFailure(operation, code))
        return code;
    return call();
}

} // namespace

IDirect3DDevice7::IDirect3DDevice7(IDirect3D7* owner_, const DeviceDescription& description_,
                                   IDirectDrawSurface7* target_)
    : Object(detail::ObjectKind::Device), owner(owner_), description(description_), target(target_),
      state(std::make_unique<detail::DeviceState>(description_, target_->GetDepth() != nullptr))
{
    owner->AddRef();
    target->AddRef();
    viewport.width = target->GetDesc().width;
    viewport.height = target->GetDesc().height;
    viewport.maxZ = 1.0f;
}

IDirect3DDevice7::~IDirect3DDevice7()
{
    // Gives back the textures still set on stages.
    state.reset();
    // The device keeps no GL object of its own beyond its target's, which
    // the target deletes; leave GL bound to nothing of it.
    detail::GlContext& context = detail::GlContext::Get();
    if (context.OnContextThread())
        context.Gl().bindFramebuffer(GL_FRAMEBUFFER, 0);
    target->Release();
    owner->Release();
}

HRESULT IDirect3DDevice7::SetViewport(D3DVIEWPORT7* newViewport)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("SetViewport", code))
        return code;
    if (!newViewport || newViewport->width == 0 || newViewport->height == 0)
        return DDERR_INVALIDPARAMS;
    const DDSURFACEDESC2& desc = target->GetDesc();
    if (static_cast<std::uint64_t>(newViewport->x) + newViewport->width > desc.width ||
        static_cast<std::uint64_t>(newViewport->y) + newViewport->height > desc.height ||
        newViewport->minZ < 0.0f || newViewport->maxZ > 1.0f || newViewport->minZ > newViewport->maxZ)
        return DDERR_INVALIDPARAMS;
    viewport = *newViewport;
    return DD_OK;
}

HRESULT IDirect3DDevice7::SetRenderTarget(IDirectDrawSurface7* newTarget, std::uint32_t)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("SetRenderTarget", code))
        return code;
    if (!newTarget)
        return DDERR_INVALIDPARAMS;
    if (newTarget->GetKind() != IDirectDrawSurface7::Kind::Color)
        return DDERR_INVALIDCAPS;
    const HRESULT made = newTarget->EnsureGl();
    if (made != DD_OK)
        return made;
    newTarget->AddRef();
    target->Release();
    target = newTarget;
    const DDSURFACEDESC2& desc = target->GetDesc();
    if (static_cast<std::uint64_t>(viewport.x) + viewport.width > desc.width ||
        static_cast<std::uint64_t>(viewport.y) + viewport.height > desc.height)
    {
        viewport = D3DVIEWPORT7{};
        viewport.width = desc.width;
        viewport.height = desc.height;
        viewport.maxZ = 1.0f;
    }
    return DD_OK;
}

HRESULT IDirect3DDevice7::BindTarget()
{
    detail::GlContext& context = detail::GlContext::Get();
    if (!context.MayCall())
        return DDERR_GENERIC;
    const HRESULT made = target->EnsureGl();
    if (made != DD_OK)
        return made;
    context.Gl().bindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
    const ScissorBox box = ToScissor(static_cast<std::int32_t>(viewport.x), static_cast<std::int32_t>(viewport.y),
                                     static_cast<std::int32_t>(viewport.x + viewport.width),
                                     static_cast<std::int32_t>(viewport.y + viewport.height), target->GetDesc().height);
    glViewport(box.x, box.y, box.width, box.height);
    glDepthRange(viewport.minZ, viewport.maxZ);
    return DD_OK;
}

HRESULT IDirect3DDevice7::Clear(std::uint32_t count, const D3DRECT* rects, std::uint32_t flags, D3DCOLOR color,
                                float z, std::uint32_t stencil)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("Clear", code))
        return code;
    if ((count > 0 && !rects) || (flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) == 0)
        return DDERR_INVALIDPARAMS;
    if ((flags & D3DCLEAR_ZBUFFER) && !target->GetDepth())
        return D3DERR_ZBUFFER_NOTPRESENT;
    if ((flags & D3DCLEAR_STENCIL) && target->GetStencilBits() == 0)
        return D3DERR_STENCILBUFFER_NOTPRESENT;
    const HRESULT bound = BindTarget();
    if (bound != DD_OK)
        return bound;
    detail::InvalidatePresented();
    detail::TakeGlError();

    // Clearing writes whatever the drawing states mask; keep them as they were.
    GLboolean colorMask[4];
    GLboolean depthMask;
    GLint stencilMask;
    GLint scissor[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    glGetIntegerv(GL_STENCIL_WRITEMASK, &stencilMask);
    glGetIntegerv(GL_SCISSOR_BOX, scissor);
    const GLboolean scissorOn = glIsEnabled(GL_SCISSOR_TEST);

    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET)
    {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(color & 0xFF) / 255.0f, static_cast<float>(color >> 24) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER)
    {
        glDepthMask(GL_TRUE);
        glClearDepth(std::clamp(z, 0.0f, 1.0f));
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_STENCIL)
    {
        glStencilMask(~0u);
        glClearStencil(static_cast<GLint>(stencil));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    glEnable(GL_SCISSOR_TEST);
    const std::uint32_t height = target->GetDesc().height;
    const auto vx1 = static_cast<std::int32_t>(viewport.x);
    const auto vy1 = static_cast<std::int32_t>(viewport.y);
    const auto vx2 = static_cast<std::int32_t>(viewport.x + viewport.width);
    const auto vy2 = static_cast<std::int32_t>(viewport.y + viewport.height);
    const bool wholeTarget = viewport.x == 0 && viewport.y == 0 && viewport.width == target->GetDesc().width &&
                             viewport.height == height;
    if (count == 0 && wholeTarget)
    {
        glDisable(GL_SCISSOR_TEST);
        glClear(mask);
    }
    else if (count == 0)
    {
        const ScissorBox box = ToScissor(vx1, vy1, vx2, vy2, height);
        glScissor(box.x, box.y, box.width, box.height);
        glClear(mask);
    }
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const ScissorBox box = ToScissor(std::max(rects[i].x1, vx1), std::max(rects[i].y1, vy1),
                                         std::min(rects[i].x2, vx2), std::min(rects[i].y2, vy2), height);
        if (box.width <= 0 || box.height <= 0)
            continue;
        glScissor(box.x, box.y, box.width, box.height);
        glClear(mask);
    }

    glColorMask(colorMask[0], colorMask[1], colorMask[2], colorMask[3]);
    glDepthMask(depthMask);
    glStencilMask(static_cast<GLuint>(stencilMask));
    glScissor(scissor[0], scissor[1], scissor[2], scissor[3]);
    if (!scissorOn)
        glDisable(GL_SCISSOR_TEST);
    return detail::TakeGlError();
}

HRESULT IDirect3DDevice7::BeginScene()
{
    HRESULT code;
    if (detail::TakeInjectedFailure("BeginScene", code))
        return code;
    if (detail::AreSurfacesLost())
        return DDERR_SURFACELOST;
    if (inScene)
        return D3DERR_SCENE_IN_SCENE;
    const HRESULT bound = BindTarget();
    if (bound != DD_OK)
        return bound;
    detail::InvalidatePresented();
    inScene = true;
    return DD_OK;
}

HRESULT IDirect3DDevice7::EndScene()
{
    // A failed end still ends the scene, so the next frame can begin one.
    const bool wasInScene = inScene;
    inScene = false;
    HRESULT code;
    if (detail::TakeInjectedFailure("EndScene", code))
        return code;
    if (!wasInScene)
        return D3DERR_SCENE_NOT_IN_SCENE;
    if (detail::AreSurfacesLost())
        return DDERR_SURFACELOST;
    return DD_OK;
}

HRESULT IDirect3DDevice7::SetTransform(std::uint32_t transform, D3DMATRIX* matrix)
{
    return Injected("SetTransform", [&] {
        if (transform == D3DTRANSFORMSTATE_PROJECTION)
            ++detail::GetCounters().projectionSets;
        return state->SetTransform(transform, matrix);
    });
}

HRESULT IDirect3DDevice7::GetTransform(std::uint32_t transform, D3DMATRIX* matrix)
{
    return Injected("GetTransform", [&] { return state->GetTransform(transform, matrix); });
}

HRESULT IDirect3DDevice7::SetRenderState(std::uint32_t renderState, std::uint32_t value)
{
    return Injected("SetRenderState", [&] { return state->SetRenderState(renderState, value); });
}

HRESULT IDirect3DDevice7::GetRenderState(std::uint32_t renderState, std::uint32_t* value)
{
    return Injected("GetRenderState", [&] { return state->GetRenderState(renderState, value); });
}

HRESULT IDirect3DDevice7::SetTextureStageState(std::uint32_t stage, std::uint32_t stageState, std::uint32_t value)
{
    return Injected("SetTextureStageState", [&] { return state->SetTextureStageState(stage, stageState, value); });
}

HRESULT IDirect3DDevice7::GetTextureStageState(std::uint32_t stage, std::uint32_t stageState, std::uint32_t* value)
{
    return Injected("GetTextureStageState", [&] { return state->GetTextureStageState(stage, stageState, value); });
}

HRESULT IDirect3DDevice7::SetTexture(std::uint32_t stage, IDirectDrawSurface7* texture)
{
    return Injected("SetTexture", [&] { return state->SetTexture(stage, texture); });
}

HRESULT IDirect3DDevice7::GetTexture(std::uint32_t stage, IDirectDrawSurface7** texture)
{
    return Injected("GetTexture", [&] { return state->GetTexture(stage, texture); });
}

HRESULT IDirect3DDevice7::SetMaterial(D3DMATERIAL7* material)
{
    return Injected("SetMaterial", [&] { return state->SetMaterial(material); });
}

HRESULT IDirect3DDevice7::GetMaterial(D3DMATERIAL7* material)
{
    return Injected("GetMaterial", [&] { return state->GetMaterial(material); });
}

HRESULT IDirect3DDevice7::SetLight(std::uint32_t index, D3DLIGHT7* light)
{
    return Injected("SetLight", [&] { return state->SetLight(index, light); });
}

HRESULT IDirect3DDevice7::GetLight(std::uint32_t index, D3DLIGHT7* light)
{
    return Injected("GetLight", [&] { return state->GetLight(index, light); });
}

HRESULT IDirect3DDevice7::LightEnable(std::uint32_t index, bool enable)
{
    return Injected("LightEnable", [&] { return state->LightEnable(index, enable); });
}

HRESULT IDirect3DDevice7::GetLightEnable(std::uint32_t index, bool* enable)
{
    return Injected("GetLightEnable", [&] { return state->GetLightEnable(index, enable); });
}

HRESULT IDirect3DDevice7::DrawIndexedPrimitive(std::uint32_t primitiveType, std::uint32_t fvf, void* vertices,
                                               std::uint32_t vertexCount, void* indices, std::uint32_t indexCount,
                                               std::uint32_t, std::uint32_t indexSize)
{
    HRESULT injected;
    if (detail::TakeInjectedFailure("DrawIndexedPrimitive", injected))
        return injected;
    if (detail::AreSurfacesLost())
        return DDERR_SURFACELOST;
    detail::GlContext& context = detail::GlContext::Get();
    if (!context.MayCall())
        return DDERR_GENERIC;
    const HRESULT made = target->EnsureGl();
    if (made != DD_OK)
        return made;
    // Presents and copies bind other framebuffers between draws.
    context.Gl().bindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
    detail::CountGlCalls();
    detail::InvalidatePresented();
    return state->Draw(primitiveType, fvf, vertices, vertexCount, indices, indexCount, indexSize);
}

HRESULT IDirect3DDevice7::EnumTextureFormats(EnumTextureFormatsCallback callback, void* context)
{
    HRESULT injected;
    if (detail::TakeInjectedFailure("EnumTextureFormats", injected))
        return injected;
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (const DDPIXELFORMAT& format : description.textureFormats)
    {
        DDPIXELFORMAT copy = format;
        if (!callback(&copy, context))
            break;
    }
    return D3D_OK;
}

} // namespace d3d7
