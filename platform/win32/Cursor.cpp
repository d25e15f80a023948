#include "platform/win32/Cursor.h"

#include "platform/win32/CursorTable.h"
#include "platform/win32/EventPump.h"
#include "platform/win32/RawInput.h"
#include "platform/win32/InputState.h"
#include "platform/win32/PictureRect.h"
#include "platform/win32/ResourcePictures.h"
#include "platform/win32/Video.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowTable.h"

#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>

namespace win32
{

struct CursorObject
{
    std::uint32_t id = 0;
    SDL_Cursor* platformCursor = nullptr;
    bool tried = false;
};

namespace
{

std::map<std::uint32_t, std::unique_ptr<CursorObject>>& Cursors()
{
    static std::map<std::uint32_t, std::unique_ptr<CursorObject>> cursors;
    return cursors;
}

std::int32_t displayCounter = 0;
HCURSOR current = nullptr;

HCURSOR CursorFor(std::uint32_t id)
{
    auto& cursors = Cursors();
    auto& slot = cursors[id];
    if (!slot)
    {
        slot = std::make_unique<CursorObject>();
        slot->id = id;
    }
    return slot.get();
}

// Makes the platform library's cursor on first use while video runs. The
// offscreen driver cannot make cursors at all; the handle works without one.
SDL_Cursor* PlatformCursor(CursorObject& cursor)
{
    if (cursor.tried || !detail::IsVideoStarted())
        return cursor.platformCursor;
    cursor.tried = true;
    if (cursor.id == IDC_ARROW)
    {
        cursor.platformCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        return cursor.platformCursor;
    }
    detail::ResourcePicture picture = detail::MakeCursorPicture(cursor.id);
    if (picture.pixels.empty())
        return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        picture.pixels.data(), static_cast<int>(picture.width), static_cast<int>(picture.height), 32,
        static_cast<int>(picture.width * 4), SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return nullptr;
    cursor.platformCursor = SDL_CreateColorCursor(surface, picture.hotX, picture.hotY);
    SDL_FreeSurface(surface);
    return cursor.platformCursor;
}

// The screen position of a window's client origin and the rectangle its
// picture fills there.
bool ClientFrame(HWND window, std::int32_t& originX, std::int32_t& originY, PictureRect& rect,
                 const detail::NativeWindow*& record)
{
    record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return false;
    const POINT origin = detail::GetClientOrigin(*record);
    originX = origin.x;
    originY = origin.y;
    rect = GetWindowPictureRect(window);
    return rect.width > 0 && rect.height > 0 && record->width > 0 && record->height > 0;
}

std::int32_t ToInt(double value)
{
    const double floored = std::floor(value);
    if (!(floored >= -2147483648.0))
        return INT32_MIN;
    if (floored > 2147483647.0)
        return INT32_MAX;
    return static_cast<std::int32_t>(floored);
}

} // namespace

HCURSOR LoadCursorA(HINSTANCE instance, std::uint32_t resourceId)
{
    if (instance != nullptr && instance == GetModuleHandleA(nullptr))
    {
        if (!detail::MakeCursorPicture(resourceId).pixels.empty())
            return CursorFor(resourceId);
        return CursorFor(IDC_ARROW);
    }
    if (instance == nullptr)
        return CursorFor(IDC_ARROW);
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = current;
    current = cursor;
    if (cursor != nullptr)
    {
        if (SDL_Cursor* platformCursor = PlatformCursor(*cursor))
            SDL_SetCursor(platformCursor);
    }
    return previous;
}

std::int32_t ShowCursor(BOOL show)
{
    displayCounter += show != FALSE ? 1 : -1;
    detail::ApplyCursorVisibility();
    return displayCounter;
}

BOOL GetCursorPos(POINT* point)
{
    if (point == nullptr)
        return FALSE;
    PumpEvents();
    *point = detail::GetTrackedCursor();
    return TRUE;
}

BOOL SetCursorPos(std::int32_t x, std::int32_t y)
{
    detail::WarpCursor(POINT{x, y});
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point)
{
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    PictureRect rect;
    const detail::NativeWindow* record = nullptr;
    if (point == nullptr || !ClientFrame(window, originX, originY, rect, record))
        return FALSE;
    const double inWindowX = static_cast<double>(point->x) - originX - rect.x;
    const double inWindowY = static_cast<double>(point->y) - originY - rect.y;
    point->x = ToInt(inWindowX * record->width / rect.width);
    point->y = ToInt(inWindowY * record->height / rect.height);
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point)
{
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    PictureRect rect;
    const detail::NativeWindow* record = nullptr;
    if (point == nullptr || !ClientFrame(window, originX, originY, rect, record))
        return FALSE;
    const double x = static_cast<double>(point->x) * rect.width / record->width;
    const double y = static_cast<double>(point->y) * rect.height / record->height;
    point->x = ToInt(x + originX + rect.x);
    point->y = ToInt(y + originY + rect.y);
    return TRUE;
}

namespace detail
{

void ApplyCursorVisibility()
{
    if (IsVideoStarted())
        SDL_ShowCursor(displayCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

void ReleasePlatformCursors()
{
    if (current != nullptr && current->platformCursor != nullptr)
        SDL_SetCursor(SDL_GetDefaultCursor());
    for (auto& entry : Cursors())
    {
        if (entry.second->platformCursor != nullptr)
            SDL_FreeCursor(entry.second->platformCursor);
        entry.second->platformCursor = nullptr;
        entry.second->tried = false;
    }
}

std::int32_t GetDisplayCounter()
{
    return displayCounter;
}

void SetDisplayCounter(std::int32_t counter)
{
    displayCounter = counter;
    ApplyCursorVisibility();
}

std::uint32_t GetCurrentCursorId()
{
    return current == nullptr ? 0 : current->id;
}

} // namespace detail

} // namespace win32
