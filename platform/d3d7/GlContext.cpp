#include "platform/d3d7/GlContext.h"

#include "platform/d3d7/GlDrawState.h"
#include "platform/d3d7/Counters.h"
#include "platform/d3d7/HookTable.h"
#include "platform/win32/LastError.h"
#include "platform/win32/WindowTable.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <dlfcn.h>
#include <link.h>

#include <cassert>
#include <cstdio>
#include <cstring>

namespace d3d7::detail
{
namespace
{

bool HasExtension(const char* extensions, const char* name)
{
    if (!extensions)
        return false;
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name))
    {
        const bool startsWord = at == extensions || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

// The pixel format of the windows the window code makes: the context must
// suit them, whichever window it is made on.
void SetWindowPixelFormat()
{
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// Keeps the GL driver resident once it is loaded: loading it again for a
// later window costs time, and unloading it drops caches that the driver's
// own objects still point into.
void KeepDriverResident()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            const char* name = info->dlpi_name;
            static const char* const kDriverParts[] = {"_dri.so", "libEGL_mesa", "libGLX_mesa", "libglapi",
                                                       "libgallium", "libLLVM"};
            for (const char* part : kDriverParts)
            {
                if (name && std::strstr(name, part))
                {
                    dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
                    break;
                }
            }
            return 0;
        },
        nullptr);
}

// Windows the context has drawn into carry this mark with the context's
// generation: after the video subsystem restarts, a new window may get the
// old one's number and even its address, but never the mark.
constexpr const char* kMark = "d3d7.context";

void* MarkOf(std::uint64_t generation)
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(generation));
}

bool IsLive(SDL_Window* window, std::uint32_t id, std::uint64_t generation)
{
    return window && SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetWindowFromID(id) == window &&
           SDL_GetWindowData(window, kMark) == MarkOf(generation);
}

} // namespace

GlContext& GlContext::Get()
{
    static GlContext instance;
    return instance;
}

bool GlContext::IsAlive() const
{
    return context && IsLive(window, windowId, generation);
}

bool GlContext::Ensure()
{
    if (IsAlive())
        return true;
    if (context || homeWindow)
        Drop();
    return Create();
}

bool GlContext::MakeHomeWindow()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        win32::detail::NoteLibraryRefusal();
        return false;
    }
    SetWindowPixelFormat();
    homeWindow = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!homeWindow)
    {
        win32::detail::NoteLibraryRefusal();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    homeWindowId = SDL_GetWindowID(homeWindow);
    return true;
}

bool GlContext::Create()
{
    SDL_Window* target = nullptr;
    const std::vector<win32::detail::NativeWindow*> records = win32::detail::GetWindowRecords();
    for (auto it = records.rbegin(); it != records.rend() && !target; ++it)
    {
        SDL_Window* candidate = (*it)->sdlWindow;
        if ((*it)->parent == 0 && candidate && (SDL_GetWindowFlags(candidate) & SDL_WINDOW_OPENGL))
        {
            target = candidate;
            boundHandle = (*it)->handle;
        }
    }
    if (!target)
    {
        if (!MakeHomeWindow())
            return false;
        target = homeWindow;
        boundHandle = 0;
    }
    SDL_GLContext made = SDL_GL_CreateContext(target);
    if (!made)
    {
        win32::detail::NoteLibraryRefusal();
        Drop();
        return false;
    }
    context = made;
    window = target;
    windowId = SDL_GetWindowID(target);
    owner = std::this_thread::get_id();
    ++generation;
    SDL_SetWindowData(target, kMark, MarkOf(generation));
    if (homeWindow)
        SDL_SetWindowData(homeWindow, kMark, MarkOf(generation));
    swapInterval = -2;
    KeepDriverResident();
    ReadLimits();
    return true;
}

void GlContext::Drop()
{
    const bool videoUp = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    if (context && videoUp)
    {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    }
    if (IsLive(homeWindow, homeWindowId, generation))
    {
        SDL_DestroyWindow(homeWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    context = nullptr;
    window = nullptr;
    windowId = 0;
    homeWindow = nullptr;
    homeWindowId = 0;
    boundHandle = 0;
    limits = GlLimits{};
    functions = GlFunctions{};
    std::lock_guard guard(deletionLock);
    pendingFramebuffers.clear();
    pendingRenderbuffers.clear();
    GetCounters().liveGlTextures -= static_cast<std::int32_t>(pendingTextures.size());
    pendingTextures.clear();
}

bool GlContext::Bind(HWND handle)
{
    win32::detail::NativeWindow* record = win32::detail::FindWindowRecord(handle);
    if (!record || !record->sdlWindow)
        return false;
    if (!Ensure())
        return false;
    SDL_Window* target = record->sdlWindow;
    if (target != window)
    {
        if (SDL_GL_MakeCurrent(target, static_cast<SDL_GLContext>(context)) != 0)
        {
            // A window whose pixel format does not suit the context gets a context of its own.
            Drop();
            SDL_GLContext made = SDL_GL_CreateContext(target);
            if (!made)
            {
                win32::detail::NoteLibraryRefusal();
                return false;
            }
            context = made;
            owner = std::this_thread::get_id();
            ++generation;
            swapInterval = -2;
        }
        window = target;
        windowId = SDL_GetWindowID(target);
        SDL_SetWindowData(target, kMark, MarkOf(generation));
        if (IsLive(homeWindow, homeWindowId, generation))
        {
            SDL_DestroyWindow(homeWindow);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
        homeWindow = nullptr;
        homeWindowId = 0;
        ReadLimits();
    }
    boundHandle = handle;
    return true;
}

void GlContext::GetDrawableSize(std::uint32_t& width, std::uint32_t& height) const
{
    int w = 0;
    int h = 0;
    if (window)
        SDL_GL_GetDrawableSize(window, &w, &h);
    width = static_cast<std::uint32_t>(w > 0 ? w : 0);
    height = static_cast<std::uint32_t>(h > 0 ? h : 0);
}

void GlContext::ReadLimits()
{
    limits = GlLimits{};
    int major = 0;
    int minor = 0;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2)
    {
        win32::detail::NoteRefusal("OpenGL reports no version");
        return;
    }
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    limits.renderer = renderer ? renderer : "";
    const int level = major * 10 + minor;
    const bool framebuffers = level >= 30 || HasExtension(extensions, "GL_ARB_framebuffer_object");
    const bool bgra = level >= 32 || HasExtension(extensions, "GL_ARB_vertex_array_bgra") ||
                      HasExtension(extensions, "GL_EXT_vertex_array_bgra");
    GLint value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &value);
    limits.textureUnits = static_cast<std::uint32_t>(value > 8 ? 8 : (value > 0 ? value : 0));
    value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
    limits.maxTextureSize = static_cast<std::uint32_t>(value > 0 ? value : 0);
    value = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &value);
    limits.maxRenderbufferSize = static_cast<std::uint32_t>(value > 0 ? value : 0);
    if (HasExtension(extensions, "GL_EXT_texture_filter_anisotropic"))
    {
        GLfloat anisotropy = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        limits.maxAnisotropy = anisotropy >= 1.0f ? static_cast<std::uint32_t>(anisotropy) : 1;
    }
    while (glGetError() != GL_NO_ERROR)
    {
    }
    const bool loaded = functions.Load();
    limits.usable = level >= 21 && framebuffers && bgra && loaded && limits.textureUnits > 0;
    if (!limits.usable)
        win32::detail::NoteRefusal("OpenGL " + std::string(version) + " on \"" + limits.renderer +
                                   "\" lacks OpenGL 2.1 with framebuffer objects and BGRA vertex colours");
}

bool GlContext::MayCall()
{
    if (!context)
        return false;
    if (std::this_thread::get_id() != owner)
    {
        ++GetCounters().offThreadGlCalls;
        assert(!"GL call off the context's thread");
        return false;
    }
    FlushDeletions();
    return true;
}

void GlContext::SetSwapInterval(std::int32_t interval)
{
    if (interval == swapInterval)
        return;
    SDL_GL_SetSwapInterval(interval);
    swapInterval = interval;
}

void GlContext::DeleteFramebuffer(std::uint64_t ofGeneration, unsigned name)
{
    if (name == 0 || ofGeneration != generation || !context)
        return;
    if (std::this_thread::get_id() != owner)
    {
        std::lock_guard guard(deletionLock);
        pendingFramebuffers.push_back(name);
        return;
    }
    functions.deleteFramebuffers(1, &name);
}

void GlContext::DeleteRenderbuffer(std::uint64_t ofGeneration, unsigned name)
{
    if (name == 0 || ofGeneration != generation || !context)
        return;
    if (std::this_thread::get_id() != owner)
    {
        std::lock_guard guard(deletionLock);
        pendingRenderbuffers.push_back(name);
        return;
    }
    functions.deleteRenderbuffers(1, &name);
}

void GlContext::DeleteTexture(std::uint64_t ofGeneration, unsigned name)
{
    if (name == 0)
        return;
    if (ofGeneration != generation || !context)
    {
        // It went with its context.
        --GetCounters().liveGlTextures;
        return;
    }
    if (std::this_thread::get_id() != owner)
    {
        std::lock_guard guard(deletionLock);
        pendingTextures.push_back(name);
        return;
    }
    glDeleteTextures(1, &name);
    --GetCounters().liveGlTextures;
    NoteForeignGlState();
}

void GlContext::NoteTextureMade()
{
    ++GetCounters().liveGlTextures;
}

void GlContext::FlushDeletions()
{
    std::vector<unsigned> framebuffers;
    std::vector<unsigned> renderbuffers;
    std::vector<unsigned> textures;
    {
        std::lock_guard guard(deletionLock);
        framebuffers.swap(pendingFramebuffers);
        renderbuffers.swap(pendingRenderbuffers);
        textures.swap(pendingTextures);
    }
    if (!textures.empty())
    {
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
        GetCounters().liveGlTextures -= static_cast<std::int32_t>(textures.size());
        NoteForeignGlState();
    }
    if (!framebuffers.empty())
        functions.deleteFramebuffers(static_cast<GLsizei>(framebuffers.size()), framebuffers.data());
    if (!renderbuffers.empty())
        functions.deleteRenderbuffers(static_cast<GLsizei>(renderbuffers.size()), renderbuffers.data());
}

void GlContext::ReleaseIfOrphaned()
{
    if (!context || std::this_thread::get_id() != owner)
        return;
    if (!IsAlive())
        Drop();
}

} // namespace d3d7::detail
