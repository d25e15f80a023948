#include "platform/win32/Video.h"

#include "platform/win32/CursorTable.h"
#include "platform/win32/LastError.h"

#include <SDL.h>

#include <dlfcn.h>

#include <initializer_list>

namespace win32::detail
{

bool StartVideo()
{
    // The window minimises itself when the engine asks; the library must not
    // do it on its own behind the engine's back.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        NoteLibraryRefusal();
        return false;
    }
    ApplyCursorVisibility();
    return true;
}

void StopVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    ReleasePlatformCursors();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool IsVideoStarted()
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

void KeepGraphicsLibrariesLoaded()
{
    static bool kept = false;
    if (kept)
        return;
    kept = true;
    // Only what is loaded already: the handles are never closed.
    for (const char* library : {"libEGL.so.1", "libGL.so.1"})
        dlopen(library, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace win32::detail
