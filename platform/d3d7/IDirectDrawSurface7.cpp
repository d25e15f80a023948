#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/HookTable.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlErrors.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawClipper.h"
#include "platform/d3d7/Presentation.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/TextureChain.h"

#include <SDL_opengl.h>

#include <cstddef>
#include <cstring>

namespace d3d7
{
namespace
{

std::uint32_t BytesPerPixel(const DDSURFACEDESC2& desc)
{
    const std::uint32_t bits = desc.pixelFormat.rgbBitCount;
    return bits == 0 ? 4 : (bits + 7) / 8;
}

GLenum DepthStorage(std::uint32_t zBits, std::uint32_t stencilBits)
{
    if (stencilBits > 0)
        return GL_DEPTH24_STENCIL8;
    return zBits == 16 ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24;
}

bool Injected(const char* operation, HRESULT& code)
{
    return detail::TakeInjectedFailure(operation, code);
}

struct MemoryView
{
    std::uint8_t* bytes;
    std::int32_t pitch;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bits;
};

} // namespace

IDirectDrawSurface7::IDirectDrawSurface7(IDirectDraw7* owner_, Kind kind_, const DDSURFACEDESC2& desc_)
    : Object(detail::ObjectKind::Surface), owner(owner_), kind(kind_), desc(desc_)
{
    owner->AddRef();
    desc.size = sizeof(DDSURFACEDESC2);
    desc.flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    if (kind == Kind::SystemMemory)
    {
        const std::uint32_t pitch = (desc.width * BytesPerPixel(desc) + 3) & ~3u;
        desc.pitch = static_cast<std::int32_t>(pitch);
        desc.flags |= DDSD_PITCH;
        memory.assign(static_cast<std::size_t>(pitch) * desc.height, 0);
    }
}

IDirectDrawSurface7::IDirectDrawSurface7(IDirectDraw7* owner_, std::shared_ptr<detail::TextureChain> chain_,
                                         std::uint32_t level_, const DDSURFACEDESC2& desc_)
    : Object(detail::ObjectKind::Surface), owner(owner_), kind(Kind::Texture), desc(desc_), chain(std::move(chain_)),
      level(level_)
{
    owner->AddRef();
    const detail::TextureLevel& memoryLevel = chain->GetLevel(level);
    desc.size = sizeof(DDSURFACEDESC2);
    desc.flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_PITCH;
    desc.width = memoryLevel.width;
    desc.height = memoryLevel.height;
    desc.pitch = memoryLevel.pitch;
    desc.pixelFormat = chain->GetFormat();
    desc.mipMapCount = chain->GetLevelCount() - level;
    if (chain->GetLevelCount() > 1)
        desc.flags |= DDSD_MIPMAPCOUNT;
}

void IDirectDrawSurface7::SetNextLevel(IDirectDrawSurface7* surface)
{
    if (surface)
        surface->AddRef();
    if (nextLevel)
        nextLevel->Release();
    nextLevel = surface;
}

IDirectDrawSurface7::~IDirectDrawSurface7()
{
    detail::ForgetPresented(this);
    if (nextLevel)
        nextLevel->Release();
    if (clipper)
        clipper->Release();
    if (depth)
        depth->Release();
    if (backBuffer)
        backBuffer->Release();
    detail::GlContext& context = detail::GlContext::Get();
    context.DeleteFramebuffer(glGeneration, framebuffer);
    context.DeleteRenderbuffer(glGeneration, renderbuffer);
    if (kind == Kind::Primary)
        owner->ForgetPrimary(this);
    owner->Release();
}

std::uint32_t IDirectDrawSurface7::GetStencilBits() const
{
    if (kind == Kind::Depth)
        return desc.pixelFormat.stencilBitDepth;
    return depth ? depth->GetStencilBits() : 0;
}

HRESULT IDirectDrawSurface7::EnsureGl()
{
    if (kind != Kind::Color && kind != Kind::Depth)
        return DD_OK;
    detail::GlContext& context = detail::GlContext::Get();
    if (!context.MayCall())
        return DDERR_GENERIC;
    if (renderbuffer != 0 && glGeneration == context.GetGeneration())
        return DD_OK;
    const detail::GlFunctions& gl = context.Gl();
    detail::TakeGlError();
    glGeneration = context.GetGeneration();
    framebuffer = 0;
    renderbuffer = 0;
    const auto width = static_cast<GLsizei>(desc.width);
    const auto height = static_cast<GLsizei>(desc.height);
    gl.genRenderbuffers(1, &renderbuffer);
    gl.bindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    if (kind == Kind::Depth)
        gl.renderbufferStorage(GL_RENDERBUFFER,
                               DepthStorage(desc.pixelFormat.zBufferBitDepth, desc.pixelFormat.stencilBitDepth),
                               width, height);
    else
        gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
    HRESULT result = detail::TakeGlError();
    if (result == DD_OK && kind == Kind::Color)
    {
        gl.genFramebuffers(1, &framebuffer);
        gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer);
        // The surface starts black and opaque, as a new back buffer shows.
        glDisable(GL_SCISSOR_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
        result = detail::TakeGlError();
    }
    if (result == DD_OK && depth)
    {
        depth->EnsureGl();
        result = AttachDepth(depth);
    }
    if (result != DD_OK)
    {
        context.DeleteFramebuffer(glGeneration, framebuffer);
        context.DeleteRenderbuffer(glGeneration, renderbuffer);
        framebuffer = 0;
        renderbuffer = 0;
    }
    return result;
}

HRESULT IDirectDrawSurface7::AttachDepth(IDirectDrawSurface7* surface)
{
    detail::GlContext& context = detail::GlContext::Get();
    if (framebuffer == 0 || surface->renderbuffer == 0)
        return DD_OK; // Attached in GL once both exist (EnsureGl).
    const detail::GlFunctions& gl = context.Gl();
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, surface->renderbuffer);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                               surface->GetStencilBits() > 0 ? surface->renderbuffer : 0);
    const GLenum status = gl.checkFramebufferStatus(GL_FRAMEBUFFER);
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    const HRESULT error = detail::TakeGlError();
    if (error != DD_OK)
        return error;
    return status == GL_FRAMEBUFFER_COMPLETE ? DD_OK : DDERR_INVALIDPIXELFORMAT;
}

HRESULT IDirectDrawSurface7::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** out)
{
    HRESULT code;
    if (Injected("GetAttachedSurface", code))
        return code;
    if (!caps || !out)
        return DDERR_INVALIDPARAMS;
    IDirectDrawSurface7* found = nullptr;
    if ((caps->caps & DDSCAPS_BACKBUFFER) && backBuffer)
        found = backBuffer;
    else if ((caps->caps & DDSCAPS_ZBUFFER) && depth)
        found = depth;
    else if ((caps->caps & DDSCAPS_MIPMAP) && nextLevel)
        found = nextLevel;
    if (!found)
        return DDERR_NOTFOUND;
    found->AddRef();
    *out = found;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::AddAttachedSurface(IDirectDrawSurface7* surface)
{
    HRESULT code;
    if (Injected("AddAttachedSurface", code))
        return code;
    if (!surface || surface == this)
        return DDERR_INVALIDPARAMS;
    if (kind != Kind::Color || surface->kind != Kind::Depth)
        return DDERR_CANNOTATTACHSURFACE;
    if (depth)
        return DDERR_SURFACEALREADYATTACHED;
    if (surface->desc.width != desc.width || surface->desc.height != desc.height)
        return DDERR_CANNOTATTACHSURFACE;
    detail::GlContext& context = detail::GlContext::Get();
    if (context.OnContextThread() && framebuffer != 0)
    {
        const HRESULT made = surface->EnsureGl();
        if (made != DD_OK)
            return made;
        const HRESULT attached = AttachDepth(surface);
        if (attached != DD_OK)
        {
            // Leave the framebuffer as it was.
            const detail::GlFunctions& gl = context.Gl();
            gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
            gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
            gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
            detail::TakeGlError();
            return attached;
        }
    }
    surface->AddRef();
    depth = surface;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetClipper(IDirectDrawClipper* newClipper)
{
    HRESULT code;
    if (Injected("SetClipper", code))
        return code;
    if (kind != Kind::Primary && newClipper)
        return DDERR_INVALIDSURFACETYPE;
    if (newClipper)
        newClipper->AddRef();
    if (clipper)
        clipper->Release();
    clipper = newClipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetSurfaceDesc(DDSURFACEDESC2* out)
{
    HRESULT code;
    if (Injected("GetSurfaceDesc", code))
        return code;
    if (!out || out->size != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    *out = desc;
    out->surface = nullptr;
    out->flags &= ~DDSD_LPSURFACE;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Flip(IDirectDrawSurface7*, std::uint32_t flags)
{
    HRESULT code;
    if (Injected("Flip", code))
        return code;
    if (kind != Kind::Primary || !backBuffer)
        return DDERR_NOTFLIPPABLE;
    if (detail::AreSurfacesLost())
        return DDERR_SURFACELOST;
    const std::int32_t interval = (flags & DDFLIP_NOVSYNC) ? 0 : 1;
    return detail::Present(*backBuffer, GetPresentWindow(), interval);
}

HRESULT IDirectDrawSurface7::Blt(RECT*, IDirectDrawSurface7* source, RECT*, std::uint32_t, void*)
{
    HRESULT code;
    if (Injected("Blt", code))
        return code;
    if (!source || source == this)
        return DDERR_INVALIDPARAMS;
    if (detail::AreSurfacesLost())
        return DDERR_SURFACELOST;
    if (kind == Kind::Primary)
    {
        if (source->kind != Kind::Color)
            return DDERR_UNSUPPORTED;
        const std::int32_t interval = owner->TakeVerticalBlankWait() ? 1 : 0;
        return detail::Present(*source, GetPresentWindow(), interval);
    }
    if (kind == Kind::SystemMemory && source->kind == Kind::Color)
        return detail::ReadBack(*source, *this);
    if (kind == Kind::SystemMemory && source->kind == Kind::SystemMemory)
        return detail::CopyMemory(*source, *this);
    if (kind == Kind::Color && source->kind == Kind::Color)
        return detail::CopyColor(*source, *this);
    if (kind == Kind::Texture && (source->kind == Kind::Texture || source->kind == Kind::SystemMemory))
        return CopyIntoTexture(*source);
    return DDERR_UNSUPPORTED;
}

HRESULT IDirectDrawSurface7::Lock(RECT* rect, DDSURFACEDESC2* out, std::uint32_t, void*)
{
    HRESULT code;
    if (Injected("Lock", code))
        return code;
    if (!out || out->size != sizeof(DDSURFACEDESC2) || rect)
        return DDERR_INVALIDPARAMS;
    if (kind != Kind::SystemMemory && kind != Kind::Texture)
        return DDERR_CANTLOCKSURFACE;
    if (locked)
        return DDERR_SURFACEBUSY;
    locked = true;
    *out = desc;
    out->surface = kind == Kind::Texture ? chain->GetLevel(level).memory.data() : memory.data();
    out->flags |= DDSD_LPSURFACE;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Unlock(RECT*)
{
    HRESULT code;
    if (Injected("Unlock", code))
        return code;
    if (!locked)
        return DDERR_NOTLOCKED;
    locked = false;
    if (kind == Kind::Texture)
        chain->MarkChanged();
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Restore()
{
    HRESULT code;
    if (Injected("Restore", code))
        return code;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::IsLost()
{
    HRESULT code;
    if (Injected("IsLost", code))
        return code;
    return detail::AreSurfacesLost() ? DDERR_SURFACELOST : DD_OK;
}

HWND IDirectDrawSurface7::GetPresentWindow() const
{
    if (clipper && clipper->GetWindow() != 0)
        return clipper->GetWindow();
    return owner->GetWindow();
}

HRESULT IDirectDrawSurface7::CopyIntoTexture(IDirectDrawSurface7& source)
{
    const auto view = [](IDirectDrawSurface7& surface) {
        if (surface.kind == Kind::Texture)
        {
            detail::TextureLevel& memoryLevel = surface.chain->GetLevel(surface.level);
            return MemoryView{memoryLevel.memory.data(), memoryLevel.pitch, memoryLevel.width, memoryLevel.height,
                              surface.desc.pixelFormat.rgbBitCount};
        }
        return MemoryView{surface.memory.data(), surface.desc.pitch, surface.desc.width, surface.desc.height,
                          surface.desc.pixelFormat.rgbBitCount};
    };
    const MemoryView from = view(source);
    const MemoryView to = view(*this);
    if (from.width != to.width || from.height != to.height)
        return DDERR_INVALIDRECT;
    if (from.bits != to.bits || (source.kind == Kind::Texture &&
                                 std::memcmp(&source.desc.pixelFormat, &desc.pixelFormat, sizeof(DDPIXELFORMAT)) != 0))
        return DDERR_UNSUPPORTEDFORMAT;
    const std::size_t rowBytes = static_cast<std::size_t>(to.width) * ((to.bits + 7) / 8);
    for (std::uint32_t y = 0; y < to.height; ++y)
        std::memcpy(to.bytes + static_cast<std::size_t>(y) * static_cast<std::size_t>(to.pitch),
                    from.bytes + static_cast<std::size_t>(y) * static_cast<std::size_t>(from.pitch), rowBytes);
    chain->MarkChanged();
    return DD_OK;
}

void IDirectDrawSurface7::SetBackBuffer(IDirectDrawSurface7* surface)
{
    if (surface)
        surface->AddRef();
    if (backBuffer)
        backBuffer->Release();
    backBuffer = surface;
}

} // namespace d3d7
