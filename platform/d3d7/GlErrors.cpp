#include "platform/d3d7/GlErrors.h"

#include "platform/d3d7/Results.h"

#include <SDL_opengl.h>

namespace d3d7::detail
{

HRESULT TakeGlError()
{
    HRESULT result = DD_OK;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
    {
        if (result != DD_OK)
            continue;
        switch (error)
        {
        case GL_OUT_OF_MEMORY:
            result = DDERR_OUTOFMEMORY;
            break;
        case GL_INVALID_ENUM:
        case GL_INVALID_VALUE:
        case GL_INVALID_OPERATION:
        case GL_INVALID_FRAMEBUFFER_OPERATION:
            result = DDERR_INVALIDPARAMS;
            break;
        default:
            result = DDERR_GENERIC;
            break;
        }
    }
    return result;
}

} // namespace d3d7::detail
