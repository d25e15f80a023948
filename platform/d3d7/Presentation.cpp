#include "platform/d3d7/Presentation.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlErrors.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/PresentedPicture.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/Counters.h"
#include "platform/d3d7/HookTable.h"
#include "platform/win32/PictureRect.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstddef>
#include <cstring>
#include <mutex>

namespace d3d7::detail
{
namespace
{

struct PresentedState
{
    std::mutex lock;
    IDirectDrawSurface7* surface = nullptr;
    bool valid = false;
};

PresentedState& GetPresentedState()
{
    static PresentedState state;
    return state;
}

// Binds the colour surface for reading and reads it whole as RGBA rows, bottom-up.
HRESULT ReadRgba(IDirectDrawSurface7& source, std::vector<std::uint8_t>& rgba, GLenum format)
{
    GlContext& context = GlContext::Get();
    if (!context.MayCall())
        return DDERR_GENERIC;
    const HRESULT made = source.EnsureGl();
    if (made != DD_OK)
        return made;
    const DDSURFACEDESC2& desc = source.GetDesc();
    rgba.assign(static_cast<std::size_t>(desc.width) * desc.height * 4, 0);
    TakeGlError();
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    context.Gl().bindFramebuffer(GL_READ_FRAMEBUFFER, source.GetFramebuffer());
    glReadPixels(0, 0, static_cast<GLsizei>(desc.width), static_cast<GLsizei>(desc.height), format,
                 GL_UNSIGNED_BYTE, rgba.data());
    context.Gl().bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    return TakeGlError();
}

} // namespace

HRESULT Present(IDirectDrawSurface7& source, HWND window, std::int32_t swapInterval)
{
    GlContext& context = GlContext::Get();
    if (window == 0)
        return DDERR_NOHWND;
    if (!context.MayCall())
        return DDERR_GENERIC;
    if (window != context.GetBoundHandle() && !context.Bind(window))
        return DDERR_INVALIDPARAMS;
    const HRESULT made = source.EnsureGl();
    if (made != DD_OK)
        return made;
    const GlFunctions& gl = context.Gl();
    const DDSURFACEDESC2& desc = source.GetDesc();
    std::uint32_t drawableWidth = 0;
    std::uint32_t drawableHeight = 0;
    context.GetDrawableSize(drawableWidth, drawableHeight);
    win32::PictureRect rect = win32::GetWindowPictureRect(window);
    if (rect.width <= 0 || rect.height <= 0)
        rect = win32::FitPicture(desc.width, desc.height, drawableWidth, drawableHeight, true);

    TakeGlError();
    GLboolean colorMask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
    GLint scissorBox[4];
    glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
    const GLboolean scissorOn = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, source.GetFramebuffer());
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const auto drawableW = static_cast<GLint>(drawableWidth);
    const auto drawableH = static_cast<GLint>(drawableHeight);
    const GLint bottom = drawableH - rect.y - rect.height;
    const bool sameSize = static_cast<std::uint32_t>(rect.width) == desc.width &&
                          static_cast<std::uint32_t>(rect.height) == desc.height;
    gl.blitFramebuffer(0, 0, static_cast<GLint>(desc.width), static_cast<GLint>(desc.height), rect.x, bottom,
                       rect.x + rect.width, bottom + rect.height, GL_COLOR_BUFFER_BIT,
                       sameSize ? GL_NEAREST : GL_LINEAR);
    // The bars around a scaled picture are black. Each is cleared on its own,
    // after the picture: a clear of the whole window before it makes this
    // GL (llvmpipe with threads) read stale pixels from the back buffer later.
    const GLint bars[4][4] = {
        {0, 0, rect.x, drawableH},
        {rect.x + rect.width, 0, drawableW - rect.x - rect.width, drawableH},
        {rect.x, 0, rect.width, bottom},
        {rect.x, bottom + rect.height, rect.width, drawableH - bottom - rect.height},
    };
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_SCISSOR_TEST);
    for (const auto& bar : bars)
    {
        if (bar[2] <= 0 || bar[3] <= 0)
            continue;
        glScissor(bar[0], bar[1], bar[2], bar[3]);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    glColorMask(colorMask[0], colorMask[1], colorMask[2], colorMask[3]);
    glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
    if (scissorOn)
        glEnable(GL_SCISSOR_TEST);
    const HRESULT result = TakeGlError();

    context.SetSwapInterval(swapInterval);
    SDL_GL_SwapWindow(context.GetWindow());
    Counters& counters = GetCounters();
    ++counters.presents;
    counters.swapInterval = swapInterval;
    SetPresented(&source);
    return result;
}

HRESULT ReadBack(IDirectDrawSurface7& source, IDirectDrawSurface7& target)
{
    const DDSURFACEDESC2& from = source.GetDesc();
    const DDSURFACEDESC2& to = target.GetDesc();
    if (from.width != to.width || from.height != to.height)
        return DDERR_INVALIDRECT;
    std::vector<std::uint8_t> rgba;
    const HRESULT read = ReadRgba(source, rgba, GL_RGBA);
    if (read != DD_OK)
        return read;
    const std::uint32_t bits = to.pixelFormat.rgbBitCount;
    for (std::uint32_t y = 0; y < to.height; ++y)
    {
        const std::uint8_t* in = rgba.data() + static_cast<std::size_t>(to.height - 1 - y) * to.width * 4;
        std::uint8_t* out = target.GetMemory() + static_cast<std::size_t>(y) * static_cast<std::size_t>(to.pitch);
        for (std::uint32_t x = 0; x < to.width; ++x, in += 4)
        {
            if (bits == 16)
            {
                const auto word = static_cast<std::uint16_t>((in[0] >> 3) << 11 | (in[1] >> 2) << 5 | (in[2] >> 3));
                std::memcpy(out, &word, 2);
                out += 2;
            }
            else
            {
                *out++ = in[0];
                *out++ = in[1];
                *out++ = in[2];
                if (bits == 32)
                    *out++ = 0;
            }
        }
    }
    return DD_OK;
}

HRESULT CopyColor(IDirectDrawSurface7& source, IDirectDrawSurface7& target)
{
    GlContext& context = GlContext::Get();
    if (!context.MayCall())
        return DDERR_GENERIC;
    HRESULT made = source.EnsureGl();
    if (made == DD_OK)
        made = target.EnsureGl();
    if (made != DD_OK)
        return made;
    const GlFunctions& gl = context.Gl();
    const DDSURFACEDESC2& from = source.GetDesc();
    const DDSURFACEDESC2& to = target.GetDesc();
    TakeGlError();
    const GLboolean scissorOn = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, source.GetFramebuffer());
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, target.GetFramebuffer());
    const bool sameSize = from.width == to.width && from.height == to.height;
    gl.blitFramebuffer(0, 0, static_cast<GLint>(from.width), static_cast<GLint>(from.height), 0, 0,
                       static_cast<GLint>(to.width), static_cast<GLint>(to.height), GL_COLOR_BUFFER_BIT,
                       sameSize ? GL_NEAREST : GL_LINEAR);
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (scissorOn)
        glEnable(GL_SCISSOR_TEST);
    return TakeGlError();
}

HRESULT CopyMemory(IDirectDrawSurface7& source, IDirectDrawSurface7& target)
{
    const DDSURFACEDESC2& from = source.GetDesc();
    const DDSURFACEDESC2& to = target.GetDesc();
    if (from.width != to.width || from.height != to.height)
        return DDERR_INVALIDRECT;
    if (from.pixelFormat.rgbBitCount != to.pixelFormat.rgbBitCount)
        return DDERR_UNSUPPORTEDFORMAT;
    const std::size_t rowBytes = static_cast<std::size_t>(to.width) * ((to.pixelFormat.rgbBitCount + 7) / 8);
    for (std::uint32_t y = 0; y < to.height; ++y)
        std::memcpy(target.GetMemory() + static_cast<std::size_t>(y) * static_cast<std::size_t>(to.pitch),
                    source.GetMemory() + static_cast<std::size_t>(y) * static_cast<std::size_t>(from.pitch), rowBytes);
    return DD_OK;
}

void SetPresented(IDirectDrawSurface7* surface)
{
    PresentedState& state = GetPresentedState();
    std::lock_guard guard(state.lock);
    state.surface = surface;
    state.valid = surface != nullptr;
}

void InvalidatePresented()
{
    PresentedState& state = GetPresentedState();
    std::lock_guard guard(state.lock);
    state.valid = false;
}

void ForgetPresented(const IDirectDrawSurface7* surface)
{
    PresentedState& state = GetPresentedState();
    std::lock_guard guard(state.lock);
    if (state.surface == surface)
    {
        state.surface = nullptr;
        state.valid = false;
    }
}

} // namespace d3d7::detail

namespace d3d7
{

bool ReadPresentedPicture(std::vector<std::uint8_t>& pixels, std::uint32_t& width, std::uint32_t& height)
{
    IDirectDrawSurface7* surface = nullptr;
    {
        detail::PresentedState& state = detail::GetPresentedState();
        std::lock_guard guard(state.lock);
        if (!state.valid || !state.surface)
            return false;
        surface = state.surface;
    }
    if (detail::ReadRgba(*surface, pixels, GL_BGRA) != DD_OK)
        return false;
    width = surface->GetDesc().width;
    height = surface->GetDesc().height;
    return true;
}

} // namespace d3d7
