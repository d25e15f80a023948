#include "platform/win32/EventPump.h"

#include "platform/win32/InputState.h"
#include "platform/win32/KeyCodes.h"
#include "platform/win32/Locale.h"
#include "platform/win32/Messages.h"
#include "platform/win32/RawInput.h"
#include "platform/win32/Utf8.h"
#include "platform/win32/WindowTable.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace win32
{
namespace
{

std::vector<RawInputListener*>& Listeners()
{
    static std::vector<RawInputListener*> listeners;
    return listeners;
}

bool pumping = false;

// A warp we made and whose motion report has not come back yet: its window
// and position inside it.
struct PendingWarp
{
    bool active = false;
    std::uint32_t sdlId = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
PendingWarp pendingWarp;

template <typename Call>
void TellListeners(Call call)
{
    // A copy: a listener may remove itself while it is told.
    const std::vector<RawInputListener*> listeners = Listeners();
    for (RawInputListener* listener : listeners)
        call(*listener);
}

detail::NativeWindow* WindowOf(std::uint32_t sdlId)
{
    if (detail::NativeWindow* record = detail::FindWindowBySdlId(sdlId))
        return record;
    return detail::FindWindowRecord(detail::GetFocusedHandle());
}

std::int32_t GenericKey(std::int32_t virtualKey)
{
    switch (virtualKey)
    {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return virtualKey;
    }
}

// Windows sends system key messages while Alt is held without Ctrl (Ctrl
// with right Alt is AltGr, which types).
bool IsSystemKeyState()
{
    return detail::IsVirtualKeyDown(VK_MENU) && !detail::IsVirtualKeyDown(VK_CONTROL);
}

void TranslateKey(const SDL_KeyboardEvent& event)
{
    const bool down = event.type == SDL_KEYDOWN;
    const std::int32_t scancode = event.keysym.scancode;
    const std::int32_t virtualKey = detail::VirtualKeyFor(event.keysym.sym, scancode);
    const bool wasDown = IsScancodeDown(scancode);
    // A key's release belongs to the state it was released in.
    const bool systemBefore = IsSystemKeyState();
    if (event.repeat == 0 && detail::SetKeyDown(scancode, down, virtualKey))
        TellListeners([&](RawInputListener& l) { l.OnRawKey(scancode, down, event.timestamp); });

    const detail::NativeWindow* record = WindowOf(event.windowID);
    if (record == nullptr || virtualKey == 0)
        return;
    const bool system = down ? IsSystemKeyState() : systemBefore;
    LPARAM lParam = 1;
    if (detail::IsVirtualKeyDown(VK_MENU) || (!down && systemBefore))
        lParam |= KF_ALTDOWN_BIT;
    if (!down || wasDown)
        lParam |= KF_REPEAT_BIT;
    if (!down)
        lParam |= LPARAM{1} << 31;
    UINT message = down ? WM_KEYDOWN : WM_KEYUP;
    if (system)
        message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    PostMessageA(record->handle, message, static_cast<WPARAM>(GenericKey(virtualKey)), lParam);
}

void TranslateText(const SDL_TextInputEvent& event)
{
    const detail::NativeWindow* record = WindowOf(event.windowID);
    // With left Alt held the system would send system characters, which reach
    // nobody; AltGr (right Alt) types.
    if (record == nullptr || detail::IsVirtualKeyDown(VK_LMENU))
        return;
    const std::size_t length = strnlen(event.text, sizeof(event.text));
    for (const char32_t point : detail::DecodeUtf8(std::string_view(event.text, length)))
    {
        // An ANSI window only receives what its code page can spell.
        if (point == 0 || point > 0xFFFF)
            continue;
        char byte = 0;
        int count = 0;
        if (win32::wctomb_s(&count, &byte, 1, static_cast<char16_t>(point)) != 0 || count != 1)
            continue;
        PostMessageA(record->handle, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(byte)), 1);
    }
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    detail::NativeWindow* record = detail::FindWindowBySdlId(event.windowID);
    if (record == nullptr)
        return;
    const HWND handle = record->handle;
    switch (event.event)
    {
    case SDL_WINDOWEVENT_CLOSE:
        PostMessageA(handle, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (!record->minimized)
        {
            record->minimized = true;
            PostMessageA(handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
        break;
    case SDL_WINDOWEVENT_RESTORED:
        // Only a way back from minimised; the window is never left maximised.
        if (record->minimized)
        {
            record->minimized = false;
            PostMessageA(handle, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        PostMessageA(handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        SDL_RestoreWindow(record->sdlWindow);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
        const HWND previous = detail::GetFocusedHandle();
        detail::SetFocusedHandle(handle);
        PostMessageA(handle, WM_SETFOCUS, previous, 0);
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (detail::GetFocusedHandle() == handle)
            detail::SetFocusedHandle(0);
        PostMessageA(handle, WM_KILLFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_ENTER:
        PostMessageA(handle, WM_SETCURSOR, handle, HTCLIENT | (static_cast<LPARAM>(WM_MOUSEMOVE) << 16));
        break;
    default:
        break;
    }
}

// The screen position of a position inside a window of the library.
void TrackCursor(const detail::NativeWindow* record, std::int32_t x, std::int32_t y)
{
    POINT origin{0, 0};
    if (record != nullptr)
        origin = detail::GetClientOrigin(*record);
    detail::SetTrackedCursor(POINT{origin.x + x, origin.y + y});
}

bool IsWarpReport(const SDL_MouseMotionEvent& event)
{
    if (!pendingWarp.active || event.x != pendingWarp.x || event.y != pendingWarp.y)
        return false;
    return event.windowID == 0 || event.windowID == pendingWarp.sdlId;
}

void TranslateMotion(const SDL_MouseMotionEvent& event)
{
    if (IsWarpReport(event))
    {
        pendingWarp.active = false;
        TrackCursor(detail::FindWindowBySdlId(pendingWarp.sdlId), event.x, event.y);
        return;
    }
    TrackCursor(WindowOf(event.windowID), event.x, event.y);
    if (event.xrel != 0 || event.yrel != 0)
        TellListeners([&](RawInputListener& l) { l.OnRawMotion(event.xrel, event.yrel, event.timestamp); });
}

void TranslateButton(const SDL_MouseButtonEvent& event)
{
    std::uint32_t button = 0;
    switch (event.button)
    {
    case SDL_BUTTON_LEFT:
        button = 0;
        break;
    case SDL_BUTTON_RIGHT:
        button = 1;
        break;
    case SDL_BUTTON_MIDDLE:
        button = 2;
        break;
    case SDL_BUTTON_X1:
        button = 3;
        break;
    case SDL_BUTTON_X2:
        button = 4;
        break;
    default:
        return;
    }
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    TrackCursor(WindowOf(event.windowID), event.x, event.y);
    if (detail::SetButtonDown(button, down))
        TellListeners([&](RawInputListener& l) { l.OnRawButton(button, down, event.timestamp); });
}

void TranslateWheel(const SDL_MouseWheelEvent& event)
{
    std::int64_t amount = static_cast<std::int64_t>(event.y) * 120;
    if (event.direction == SDL_MOUSEWHEEL_FLIPPED)
        amount = -amount;
    amount = std::clamp<std::int64_t>(amount, INT32_MIN, INT32_MAX);
    if (amount == 0)
        return;
    const auto value = static_cast<std::int32_t>(amount);
    TellListeners([&](RawInputListener& l) { l.OnRawWheel(value, event.timestamp); });
}

void Translate(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_QUIT:
        for (const detail::NativeWindow* record : detail::GetWindowRecords())
            if (record->parent == 0)
                PostMessageA(record->handle, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key);
        break;
    case SDL_TEXTINPUT:
        TranslateText(event.text);
        break;
    case SDL_MOUSEMOTION:
        if (event.motion.which != SDL_TOUCH_MOUSEID)
            TranslateMotion(event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.which != SDL_TOUCH_MOUSEID)
            TranslateButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        if (event.wheel.which != SDL_TOUCH_MOUSEID)
            TranslateWheel(event.wheel);
        break;
    default:
        break;
    }
}

} // namespace

void AddRawInputListener(RawInputListener* listener)
{
    if (listener != nullptr)
        Listeners().push_back(listener);
}

void RemoveRawInputListener(RawInputListener* listener)
{
    auto& listeners = Listeners();
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

void PumpEvents()
{
    if (pumping || SDL_WasInit(SDL_INIT_EVENTS) == 0)
        return;
    pumping = true;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        Translate(event);
    pumping = false;
}

namespace detail
{

void WarpCursor(POINT screen)
{
    // What happened before the warp is translated before it.
    PumpEvents();
    detail::SetTrackedCursor(screen);
    NativeWindow* record = FindWindowRecord(GetTopLevel(GetFocusedHandle()));
    if (record == nullptr)
    {
        const std::vector<NativeWindow*> records = GetWindowRecords();
        if (records.empty())
            return;
        record = records.front();
    }
    const POINT origin = GetClientOrigin(*record);
    const std::int64_t x = static_cast<std::int64_t>(screen.x) - origin.x;
    const std::int64_t y = static_cast<std::int64_t>(screen.y) - origin.y;
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX)
        return;
    pendingWarp = PendingWarp{true, record->sdlId, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    SDL_WarpMouseInWindow(record->sdlWindow, static_cast<int>(x), static_cast<int>(y));
    // Drivers that report the warp at once have done so now.
    PumpEvents();
    detail::SetTrackedCursor(screen);
}

void ResetEventPump()
{
    pendingWarp = PendingWarp{};
}

} // namespace detail

} // namespace win32
