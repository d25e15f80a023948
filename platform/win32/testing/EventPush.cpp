#include "platform/win32/testing/EventPush.h"

#include "platform/win32/testing/WindowHooks.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace win32::testing
{
namespace
{

bool Push(SDL_Event& event)
{
    return SDL_PushEvent(&event) == 1;
}

} // namespace

bool PushKey(HWND window, const std::string& scancodeName, bool down, bool repeat, const std::string& keyName)
{
    const SDL_Scancode scancode = SDL_GetScancodeFromName(scancodeName.c_str());
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return false;
    SDL_Keycode keycode = SDL_GetKeyFromScancode(scancode);
    if (!keyName.empty())
        keycode = SDL_GetKeyFromName(keyName.c_str());
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = GetPlatformWindowId(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = keycode;
    event.key.keysym.mod = KMOD_NONE;
    return Push(event);
}

bool PushText(HWND window, const std::string& bytes)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = GetPlatformWindowId(window);
    if (bytes.size() >= sizeof(event.text.text))
        return false;
    std::memcpy(event.text.text, bytes.data(), bytes.size());
    return Push(event);
}

bool PushMouseMotion(HWND window, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = GetPlatformWindowId(window);
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    return Push(event);
}

bool PushMouseButton(HWND window, std::uint32_t button, bool down, std::int32_t x, std::int32_t y)
{
    static constexpr Uint8 kButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1,
                                         SDL_BUTTON_X2};
    if (button >= std::size(kButtons))
        return false;
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = GetPlatformWindowId(window);
    event.button.button = kButtons[button];
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return Push(event);
}

bool PushWheel(HWND window, std::int32_t notches, bool flipped)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = GetPlatformWindowId(window);
    event.wheel.y = flipped ? -notches : notches;
    event.wheel.preciseY = static_cast<float>(event.wheel.y);
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return Push(event);
}

bool PushWindowEvent(HWND window, WindowEvent kind)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = GetPlatformWindowId(window);
    switch (kind)
    {
    case WindowEvent::Close:
        event.window.event = SDL_WINDOWEVENT_CLOSE;
        break;
    case WindowEvent::Minimized:
        event.window.event = SDL_WINDOWEVENT_MINIMIZED;
        break;
    case WindowEvent::Restored:
        event.window.event = SDL_WINDOWEVENT_RESTORED;
        break;
    case WindowEvent::Maximized:
        event.window.event = SDL_WINDOWEVENT_MAXIMIZED;
        break;
    case WindowEvent::FocusGained:
        event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
        break;
    case WindowEvent::FocusLost:
        event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
        break;
    case WindowEvent::Enter:
        event.window.event = SDL_WINDOWEVENT_ENTER;
        break;
    }
    return Push(event);
}

bool PushQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    return Push(event);
}

} // namespace win32::testing
