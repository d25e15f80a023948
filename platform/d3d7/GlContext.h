#pragma once

// The one GL context of the drawing stand-in. It is made at the first
// enumeration on the newest window of ours (or, before any window exists,
// on a hidden window of its own), follows the window that the cooperative
// level names, and goes when that window has closed. Every GL call is made
// on the thread that made the context. Platform-internal.

#include "platform/d3d7/GlFunctions.h"
#include "platform/d3d7/Types.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SDL_Window;

namespace d3d7::detail
{

struct GlLimits
{
    // GL 2.1, framebuffer objects with blit and BGRA vertex colours.
    bool usable = false;
    std::string renderer;
    std::uint32_t textureUnits = 0;
    std::uint32_t maxTextureSize = 0;
    std::uint32_t maxRenderbufferSize = 0;
    std::uint32_t maxAnisotropy = 1;
};

class GlContext
{
public:
    static GlContext& Get();

    // Makes the context when there is none or its window has gone; false
    // when none can be made.
    bool Ensure();
    // Draws into this window of ours from now on; false for a handle that
    // names no window of ours.
    bool Bind(HWND handle);
    SDL_Window* GetWindow() const { return window; }
    HWND GetBoundHandle() const { return boundHandle; }
    // The window's drawable size in pixels.
    void GetDrawableSize(std::uint32_t& width, std::uint32_t& height) const;
    const GlLimits& GetLimits() const { return limits; }
    const GlFunctions& Gl() const { return functions; }
    // Changes with every new context, so objects of an old one are never deleted in a new one.
    std::uint64_t GetGeneration() const { return generation; }

    // True when a GL call may be made now: a context exists and this is its
    // thread. A call off that thread is counted (and stops debug builds).
    bool MayCall();
    // Whether a context exists and this is its thread; counts nothing.
    bool OnContextThread() const { return context && std::this_thread::get_id() == owner; }
    // Sets the swap interval only when it changes.
    void SetSwapInterval(std::int32_t interval);

    // GL objects die on the context's thread: from another thread they wait
    // for its next call.
    void DeleteFramebuffer(std::uint64_t ofGeneration, unsigned name);
    void DeleteRenderbuffer(std::uint64_t ofGeneration, unsigned name);
    // Texture names are counted while they live (textures die with their
    // context too); from another thread they wait for the next call here.
    void DeleteTexture(std::uint64_t ofGeneration, unsigned name);
    // A texture name made in the current context.
    void NoteTextureMade();

    // When the last stand-in object has gone: a context whose window has
    // closed goes too.
    void ReleaseIfOrphaned();

private:
    GlContext() = default;

    bool IsAlive() const;
    bool Create();
    void Drop();
    bool MakeHomeWindow();
    void ReadLimits();
    void FlushDeletions();

    void* context = nullptr;
    SDL_Window* window = nullptr;
    std::uint32_t windowId = 0;
    SDL_Window* homeWindow = nullptr;
    std::uint32_t homeWindowId = 0;
    HWND boundHandle = 0;
    std::thread::id owner;
    std::uint64_t generation = 0;
    std::int32_t swapInterval = -2;
    GlLimits limits;
    GlFunctions functions;

    std::mutex deletionLock;
    std::vector<unsigned> pendingFramebuffers;
    std::vector<unsigned> pendingRenderbuffers;
    std::vector<unsigned> pendingTextures;
};

} // namespace d3d7::detail
