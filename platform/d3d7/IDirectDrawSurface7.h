#pragma once

#include "platform/d3d7/Object.h"
#include "platform/d3d7/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace d3d7
{

class IDirectDraw7;
class IDirectDrawClipper;

namespace detail
{
class TextureChain;
}

// A surface of the display: the primary surface (the window's picture), a
// colour surface the device draws into (a GL framebuffer object of its own
// size), a depth surface (a GL renderbuffer attached to a colour surface), a
// plain surface in system memory, or one level of a texture. Plain and
// texture surfaces are memory only, so any thread may make and fill one; a
// texture's GL object is made when it is drawn with. Each surface holds a
// reference to its DirectDraw object.
class IDirectDrawSurface7 : public Object
{
public:
    enum class Kind
    {
        Primary,
        Color,
        Depth,
        SystemMemory,
        Texture,
    };

    // Made by IDirectDraw7::CreateSurface; desc is complete (size, caps, pixel format).
    IDirectDrawSurface7(IDirectDraw7* owner, Kind kind, const DDSURFACEDESC2& desc);
    // One level of a texture; desc gives the caps and placement. The surface
    // holds a reference to the next level, made by the caller.
    IDirectDrawSurface7(IDirectDraw7* owner, std::shared_ptr<detail::TextureChain> chain, std::uint32_t level,
                        const DDSURFACEDESC2& desc);

    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** out);
    HRESULT AddAttachedSurface(IDirectDrawSurface7* surface);
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* out);
    HRESULT Flip(IDirectDrawSurface7* target, std::uint32_t flags);
    HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, std::uint32_t flags, void* fx);
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* out, std::uint32_t flags, void* event);
    HRESULT Unlock(RECT* rect);
    HRESULT Restore();
    HRESULT IsLost();

    // For the stand-in's own objects.
    Kind GetKind() const { return kind; }
    const DDSURFACEDESC2& GetDesc() const { return desc; }
    IDirectDraw7* GetOwner() const { return owner; }
    IDirectDrawSurface7* GetDepth() const { return depth; }
    std::uint32_t GetStencilBits() const;
    // Makes the GL objects when they do not exist yet; main thread only.
    HRESULT EnsureGl();
    unsigned GetFramebuffer() const { return framebuffer; }
    // The window a present onto this primary surface goes to.
    HWND GetPresentWindow() const;
    // A flipping primary surface's back buffer, held from its creation.
    void SetBackBuffer(IDirectDrawSurface7* surface);
    std::uint8_t* GetMemory() { return memory.data(); }
    // A texture level's chain; null for other surfaces.
    detail::TextureChain* GetTextureChain() const { return chain.get(); }
    void SetNextLevel(IDirectDrawSurface7* surface);

private:
    ~IDirectDrawSurface7() override;

    HRESULT AttachDepth(IDirectDrawSurface7* surface);
    // Copies a system-memory picture of the same size and format onto this texture level.
    HRESULT CopyIntoTexture(IDirectDrawSurface7& source);

    IDirectDraw7* owner;
    Kind kind;
    DDSURFACEDESC2 desc;
    std::vector<std::uint8_t> memory;
    bool locked = false;
    IDirectDrawSurface7* backBuffer = nullptr;
    IDirectDrawSurface7* depth = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    std::shared_ptr<detail::TextureChain> chain;
    std::uint32_t level = 0;
    IDirectDrawSurface7* nextLevel = nullptr;
    std::uint64_t glGeneration = 0;
    unsigned framebuffer = 0;
    unsigned renderbuffer = 0;
};

} // namespace d3d7
