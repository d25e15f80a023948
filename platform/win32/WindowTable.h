#pragma once

// The stand-in's own record of every window it made, shared by the window,
// message, cursor and input calls. Main thread only.

#include "platform/win32/DeviceContext.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;

namespace win32::detail
{

struct NativeWindow
{
    HWND handle = 0;
    SDL_Window* sdlWindow = nullptr;
    std::uint32_t sdlId = 0;
    std::string className;
    WNDPROC procedure = nullptr;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    HWND parent = 0;
    // The client area: left and top on the screen, and the mode's size. The
    // frame belongs to the window manager, so the outer rectangle is the same.
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool fullscreen = false;
    bool topmost = false;
    // Our view of the platform window's state, so that its notification of a
    // change we made ourselves does not come back as a new command.
    bool minimized = false;
    std::uint32_t iconId = 0;
    std::unique_ptr<DeviceContext> deviceContext;
    std::uint32_t deviceContextUses = 0;
};

// The handle of the desktop window: never one of ours.
inline constexpr HWND kDesktopWindow = 1;

NativeWindow* FindWindowRecord(HWND handle);
NativeWindow* FindWindowBySdlId(std::uint32_t sdlId);
// Every live window, oldest first.
std::vector<NativeWindow*> GetWindowRecords();
NativeWindow& AddWindowRecord(std::unique_ptr<NativeWindow> record);
// Takes the record out of the table; the caller destroys what it holds.
std::unique_ptr<NativeWindow> RemoveWindowRecord(HWND handle);
HWND NextWindowHandle();

// The window with the keyboard focus, or 0.
HWND GetFocusedHandle();
void SetFocusedHandle(HWND handle);

// Where the window's client area starts on the screen: (0, 0) under desktop
// fullscreen. Event positions and cursor conversions all go through it.
POINT GetClientOrigin(const NativeWindow& record);

// The top-level window a window belongs to (itself for a top-level one).
HWND GetTopLevel(HWND handle);

} // namespace win32::detail
