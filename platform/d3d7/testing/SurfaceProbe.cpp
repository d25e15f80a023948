#include "platform/d3d7/testing/SurfaceProbe.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/IDirectDrawSurface7.h"

#include <SDL_opengl.h>

namespace d3d7::testing
{
namespace
{

// Binds the surface's framebuffer for reading at the pixel's GL row; false when it cannot be read.
bool BindForRead(IDirectDrawSurface7* surface, std::uint32_t y, GLint& glY)
{
    detail::GlContext& context = detail::GlContext::Get();
    if (!surface || surface->GetKind() != IDirectDrawSurface7::Kind::Color || !context.MayCall() ||
        surface->EnsureGl() != 0)
        return false;
    context.Gl().bindFramebuffer(GL_READ_FRAMEBUFFER, surface->GetFramebuffer());
    glY = static_cast<GLint>(surface->GetDesc().height) - 1 - static_cast<GLint>(y);
    return true;
}

void Unbind()
{
    detail::GlContext::Get().Gl().bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    while (glGetError() != GL_NO_ERROR)
    {
    }
}

} // namespace

ColorSample ReadColor(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y)
{
    ColorSample sample;
    GLint glY = 0;
    if (!BindForRead(surface, y, glY))
        return sample;
    std::uint8_t rgba[4] = {};
    glReadPixels(static_cast<GLint>(x), glY, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    Unbind();
    return ColorSample{rgba[0], rgba[1], rgba[2], rgba[3]};
}

float ReadDepth(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y)
{
    GLint glY = 0;
    if (!surface || !surface->GetDepth() || !BindForRead(surface, y, glY))
        return 0.0f;
    GLfloat depth = 0.0f;
    glReadPixels(static_cast<GLint>(x), glY, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    Unbind();
    return depth;
}

std::uint32_t ReadStencil(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y)
{
    GLint glY = 0;
    if (!surface || surface->GetStencilBits() == 0 || !BindForRead(surface, y, glY))
        return 0;
    GLuint stencil = 0;
    glReadPixels(static_cast<GLint>(x), glY, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_INT, &stencil);
    Unbind();
    return stencil;
}

} // namespace d3d7::testing
