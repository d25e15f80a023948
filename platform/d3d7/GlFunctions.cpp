#include "platform/d3d7/GlFunctions.h"

#include <SDL.h>

namespace d3d7::detail
{
namespace
{
template <typename T>
bool LoadOne(T& target, const char* name)
{
    target = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
    return target != nullptr;
}
} // namespace

bool GlFunctions::Load()
{
    bool ok = true;
    ok = LoadOne(genFramebuffers, "glGenFramebuffers") && ok;
    ok = LoadOne(deleteFramebuffers, "glDeleteFramebuffers") && ok;
    ok = LoadOne(bindFramebuffer, "glBindFramebuffer") && ok;
    ok = LoadOne(framebufferRenderbuffer, "glFramebufferRenderbuffer") && ok;
    ok = LoadOne(checkFramebufferStatus, "glCheckFramebufferStatus") && ok;
    ok = LoadOne(genRenderbuffers, "glGenRenderbuffers") && ok;
    ok = LoadOne(deleteRenderbuffers, "glDeleteRenderbuffers") && ok;
    ok = LoadOne(bindRenderbuffer, "glBindRenderbuffer") && ok;
    ok = LoadOne(renderbufferStorage, "glRenderbufferStorage") && ok;
    ok = LoadOne(blitFramebuffer, "glBlitFramebuffer") && ok;
    ok = LoadOne(activeTexture, "glActiveTexture") && ok;
    ok = LoadOne(clientActiveTexture, "glClientActiveTexture") && ok;
    ok = LoadOne(drawRangeElements, "glDrawRangeElements") && ok;
    return ok;
}

} // namespace d3d7::detail
