#include "platform/win32/testing/WindowHooks.h"
#include "platform/win32/testing/HookEntries.h"

#include "platform/win32/CursorTable.h"
#include "platform/win32/EventPump.h"
#include "platform/win32/InputState.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Video.h"
#include "platform/win32/WindowTable.h"

#include <SDL.h>

#include <array>

namespace win32::testing
{
namespace
{

std::array<bool, 3> refused{};

std::uint32_t FlagsOf(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    return record == nullptr ? 0 : SDL_GetWindowFlags(record->sdlWindow);
}

} // namespace

bool entries::IsRefused(WindowCall call)
{
    return refused[static_cast<std::size_t>(call)];
}

void SetRefused(WindowCall call, bool on)
{
    refused[static_cast<std::size_t>(call)] = on;
}

std::int32_t GetDisplayCounter()
{
    return detail::GetDisplayCounter();
}

std::uint32_t GetCurrentCursorId()
{
    return detail::GetCurrentCursorId();
}

std::uint32_t GetWindowIconId(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    return record == nullptr ? 0 : record->iconId;
}

bool IsWindowTopmost(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    // The offscreen driver keeps no such state: what was asked of it is what counts.
    return record != nullptr && record->topmost;
}

bool IsWindowFullscreen(HWND window)
{
    return (FlagsOf(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

bool IsWindowMaximized(HWND window)
{
    return (FlagsOf(window) & SDL_WINDOW_MAXIMIZED) != 0;
}

bool IsWindowMinimized(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    return record != nullptr && record->minimized;
}

bool IsWindowShown(HWND window)
{
    return (FlagsOf(window) & SDL_WINDOW_SHOWN) != 0;
}

std::string GetWindowTitle(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    return record == nullptr ? std::string() : std::string(SDL_GetWindowTitle(record->sdlWindow));
}

bool GetPlatformWindowRect(HWND window, std::int32_t& x, std::int32_t& y, std::int32_t& width, std::int32_t& height)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return false;
    SDL_GetWindowPosition(record->sdlWindow, &x, &y);
    SDL_GetWindowSize(record->sdlWindow, &width, &height);
    return true;
}

std::uint32_t GetPlatformWindowId(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    return record == nullptr ? 0 : record->sdlId;
}

std::size_t GetWindowCount()
{
    return detail::GetWindowRecords().size();
}

bool IsVideoStarted()
{
    return detail::IsVideoStarted();
}

void ResetWindowHooks()
{
    refused.fill(false);
    detail::SetDisplayCounter(0);
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0)
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    detail::ClearMessages();
    detail::ResetInputState();
    detail::ResetEventPump();
}

} // namespace win32::testing
