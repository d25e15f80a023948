#include "platform/win32/Com.h"
#include "platform/win32/LastError.h"

#include <SDL.h>

#include <atomic>

namespace win32
{
namespace
{
thread_local bool initializedOnThread = false;
std::atomic<bool> sdlStarted{false};
} // namespace

std::int32_t CoInitialize(void*)
{
    if (initializedOnThread)
        return 1;
    if (SDL_Init(0) != 0)
    {
        detail::NoteLibraryRefusal();
        return -1;
    }
    initializedOnThread = true;
    sdlStarted = true;
    return 0;
}

void CoUninitialize()
{
    if (!initializedOnThread)
        return;
    initializedOnThread = false;
    sdlStarted = false;
    SDL_Quit();
}

namespace detail
{
bool IsPlatformLibraryStarted()
{
    return sdlStarted;
}
} // namespace detail

} // namespace win32
