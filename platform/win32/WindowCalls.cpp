#include "platform/win32/WindowCalls.h"

#include "platform/win32/ClassTable.h"
#include "platform/win32/Desktop.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/RawInput.h"
#include "platform/win32/ResourcePictures.h"
#include "platform/win32/Utf8.h"
#include "platform/win32/Video.h"
#include "platform/win32/WindowTable.h"
#include "platform/win32/HookTable.h"
#include "platform/win32/LastError.h"

#include <SDL.h>

#include <algorithm>

namespace win32
{
namespace
{

bool IsFullscreenStyle(std::uint32_t style)
{
    return (style & WS_CHILD) == 0 && (style & WS_POPUP) != 0;
}

void SetWindowIcon(SDL_Window* window, std::uint32_t resourceId)
{
    detail::ResourcePicture picture = detail::MakeIconPicture(resourceId);
    if (picture.pixels.empty())
        return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        picture.pixels.data(), static_cast<int>(picture.width), static_cast<int>(picture.height), 32,
        static_cast<int>(picture.width * 4), SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

// A child has no place of its own on the screen: it sits at its host's
// client origin plus its own position.
void ScreenPlace(const detail::NativeWindow& record, std::int32_t x, std::int32_t y, std::int32_t& screenX,
                 std::int32_t& screenY)
{
    screenX = x;
    screenY = y;
    if (const detail::NativeWindow* parent = detail::FindWindowRecord(record.parent))
    {
        screenX += parent->x;
        screenY += parent->y;
    }
}

void Raise(const detail::NativeWindow& record)
{
    SDL_RaiseWindow(record.sdlWindow);
}

} // namespace

HWND CreateWindowExA(std::uint32_t exStyle, const char* className, const char* windowName, std::uint32_t style,
                     std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, HWND parent,
                     const void*, HINSTANCE, const void*)
{
    if (detail::IsRefused(detail::WindowCall::CreateWindow) || className == nullptr)
        return 0;
    const WNDCLASSA* windowClass = detail::FindWindowClass(className);
    if (windowClass == nullptr || !detail::IsVideoStarted())
        return 0;
    if (parent != 0 && detail::FindWindowRecord(parent) == nullptr)
        return 0;

    auto record = std::make_unique<detail::NativeWindow>();
    record->className = className;
    record->procedure = windowClass->lpfnWndProc;
    record->style = style;
    record->exStyle = exStyle;
    record->parent = parent;
    record->width = static_cast<std::uint32_t>(std::max(width, 1));
    record->height = static_cast<std::uint32_t>(std::max(height, 1));
    record->fullscreen = IsFullscreenStyle(style);
    ScreenPlace(*record, x, y, record->x, record->y);

    // The pixel format of the window itself; depth and stencil belong to the
    // drawing device's own framebuffers.
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    std::uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (record->fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    const std::string title = detail::NarrowToUtf8(windowName == nullptr ? "" : windowName);
    SDL_Window* window = SDL_CreateWindow(title.c_str(), record->x, record->y, static_cast<int>(record->width),
                                          static_cast<int>(record->height), flags);
    if (window == nullptr)
    {
        detail::NoteLibraryRefusal();
        return 0;
    }
    detail::KeepGraphicsLibrariesLoaded();
    record->sdlWindow = window;
    record->sdlId = SDL_GetWindowID(window);
    record->handle = detail::NextWindowHandle();
    record->iconId = detail::IconResourceOf(windowClass->hIcon);
    if (record->iconId != 0)
        SetWindowIcon(window, record->iconId);
    if ((style & WS_VISIBLE) != 0)
        SDL_ShowWindow(window);
    SDL_StartTextInput();
    return detail::AddWindowRecord(std::move(record)).handle;
}

BOOL DestroyWindow(HWND window)
{
    std::unique_ptr<detail::NativeWindow> record = detail::RemoveWindowRecord(window);
    if (!record)
        return FALSE;
    detail::DropMessagesOf(window);
    SDL_DestroyWindow(record->sdlWindow);
    return TRUE;
}

BOOL IsWindow(HWND window)
{
    return window == detail::kDesktopWindow || detail::FindWindowRecord(window) != nullptr ? TRUE : FALSE;
}

HWND GetParent(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    return record == nullptr ? 0 : record->parent;
}

HWND GetDesktopWindow()
{
    return detail::kDesktopWindow;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (rect == nullptr)
        return FALSE;
    if (window == detail::kDesktopWindow)
    {
        const DesktopMode desktop = GetDesktopMode();
        *rect = RECT{0, 0, static_cast<std::int32_t>(desktop.width), static_cast<std::int32_t>(desktop.height)};
        return TRUE;
    }
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    *rect = RECT{record->x, record->y, record->x + static_cast<std::int32_t>(record->width),
                 record->y + static_cast<std::int32_t>(record->height)};
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (rect == nullptr || record == nullptr)
        return FALSE;
    *rect = RECT{0, 0, static_cast<std::int32_t>(record->width), static_cast<std::int32_t>(record->height)};
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, std::uint32_t, BOOL, std::uint32_t)
{
    return rect == nullptr ? FALSE : TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height, UINT flags)
{
    detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    if ((flags & SWP_NOZORDER) == 0 && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST))
    {
        record->topmost = insertAfter == HWND_TOPMOST;
        SDL_SetWindowAlwaysOnTop(record->sdlWindow, record->topmost ? SDL_TRUE : SDL_FALSE);
    }
    if ((flags & SWP_NOSIZE) == 0)
    {
        record->width = static_cast<std::uint32_t>(std::max(width, 1));
        record->height = static_cast<std::uint32_t>(std::max(height, 1));
        // Under desktop fullscreen this only sets the size for windowed use.
        SDL_SetWindowSize(record->sdlWindow, static_cast<int>(record->width), static_cast<int>(record->height));
    }
    if ((flags & SWP_NOMOVE) == 0)
    {
        ScreenPlace(*record, x, y, record->x, record->y);
        if (!record->fullscreen)
            SDL_SetWindowPosition(record->sdlWindow, record->x, record->y);
    }
    if ((flags & SWP_SHOWWINDOW) != 0)
    {
        SDL_ShowWindow(record->sdlWindow);
        Raise(*record);
    }
    else if ((flags & SWP_HIDEWINDOW) != 0)
    {
        SDL_HideWindow(record->sdlWindow);
    }
    return TRUE;
}

std::int32_t SetWindowLongA(HWND window, std::int32_t index, std::int32_t value)
{
    detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    const auto bits = static_cast<std::uint32_t>(value);
    if (index == GWL_EXSTYLE)
    {
        const std::uint32_t previous = record->exStyle;
        record->exStyle = bits;
        return static_cast<std::int32_t>(previous);
    }
    if (index != GWL_STYLE)
        return 0;
    const std::uint32_t previous = record->style;
    record->style = bits;
    const bool fullscreen = IsFullscreenStyle(bits);
    if (fullscreen != record->fullscreen)
    {
        record->fullscreen = fullscreen;
        SDL_SetWindowFullscreen(record->sdlWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        if (!fullscreen)
        {
            SDL_SetWindowSize(record->sdlWindow, static_cast<int>(record->width), static_cast<int>(record->height));
            SDL_SetWindowPosition(record->sdlWindow, record->x, record->y);
        }
    }
    return static_cast<std::int32_t>(previous);
}

BOOL ShowWindow(HWND window, std::int32_t command)
{
    detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    const BOOL wasVisible = (SDL_GetWindowFlags(record->sdlWindow) & SDL_WINDOW_SHOWN) != 0 ? TRUE : FALSE;
    switch (command)
    {
    case SW_HIDE:
        SDL_HideWindow(record->sdlWindow);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        if (!record->minimized)
        {
            record->minimized = true;
            SDL_MinimizeWindow(record->sdlWindow);
        }
        break;
    case SW_RESTORE:
        if (record->minimized)
        {
            record->minimized = false;
            SDL_RestoreWindow(record->sdlWindow);
        }
        SDL_ShowWindow(record->sdlWindow);
        Raise(*record);
        break;
    default:
        SDL_ShowWindow(record->sdlWindow);
        Raise(*record);
        break;
    }
    return wasVisible;
}

BOOL SetForegroundWindow(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    Raise(*record);
    detail::SetFocusedHandle(detail::GetTopLevel(window));
    return TRUE;
}

HWND SetFocus(HWND window)
{
    const HWND previous = detail::GetFocusedHandle();
    if (window == 0)
    {
        detail::SetFocusedHandle(0);
        return previous;
    }
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    Raise(*record);
    detail::SetFocusedHandle(window);
    return previous;
}

HWND GetFocus()
{
    PumpEvents();
    return detail::GetFocusedHandle();
}

BOOL SetWindowTextA(HWND window, const char* text)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    const std::string title = detail::NarrowToUtf8(text == nullptr ? "" : text);
    SDL_SetWindowTitle(record->sdlWindow, title.c_str());
    return TRUE;
}

std::int32_t ChangeDisplaySettingsA(const void*, std::uint32_t)
{
    return 0;
}

HDC GetDC(HWND window)
{
    if (detail::IsRefused(detail::WindowCall::GetDC))
        return nullptr;
    detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return nullptr;
    if (!record->deviceContext)
    {
        record->deviceContext = std::make_unique<DeviceContext>();
        record->deviceContext->window = window;
        record->deviceContext->nativeWindow = record->sdlWindow;
    }
    ++record->deviceContextUses;
    return record->deviceContext.get();
}

std::int32_t ReleaseDC(HWND window, HDC context)
{
    detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr || context == nullptr || record->deviceContext.get() != context ||
        record->deviceContextUses == 0)
        return 0;
    --record->deviceContextUses;
    return 1;
}

} // namespace win32
