#pragma once

// The GL entry points above 1.1, loaded through the platform library once a
// context exists. Platform-internal.

#include <SDL_opengl.h>

namespace d3d7::detail
{

struct GlFunctions
{
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
    PFNGLACTIVETEXTUREPROC activeTexture = nullptr;
    void(APIENTRY* clientActiveTexture)(GLenum) = nullptr;
    PFNGLDRAWRANGEELEMENTSPROC drawRangeElements = nullptr;

    // Loads every entry point; false when one is missing.
    bool Load();
};

} // namespace d3d7::detail
