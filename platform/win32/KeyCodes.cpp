#include "platform/win32/KeyCodes.h"

#include "platform/win32/WindowTypes.h"

#include <SDL.h>

namespace win32::detail
{
namespace
{

struct ScancodeKey
{
    SDL_Scancode scancode;
    std::int32_t virtualKey;
};

// Keys whose virtual key follows their place on the keyboard, whatever the
// layout prints on them.
constexpr ScancodeKey kByPosition[] = {
    {SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_RETURN, VK_RETURN},
    {SDL_SCANCODE_RETURN2, VK_RETURN},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT},
    {SDL_SCANCODE_LCTRL, VK_LCONTROL},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL},
    {SDL_SCANCODE_LALT, VK_LMENU},
    {SDL_SCANCODE_RALT, VK_RMENU},
    {SDL_SCANCODE_MODE, VK_RMENU},
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},
    {SDL_SCANCODE_KP_2, 98},
    {SDL_SCANCODE_KP_3, 99},
    {SDL_SCANCODE_KP_4, 100},
    {SDL_SCANCODE_KP_5, 101},
    {SDL_SCANCODE_KP_6, 102},
    {SDL_SCANCODE_KP_7, 103},
    {SDL_SCANCODE_KP_8, 104},
    {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_F1, 112},
    {SDL_SCANCODE_F2, 113},
    {SDL_SCANCODE_F3, 114},
    {SDL_SCANCODE_F4, 115},
    {SDL_SCANCODE_F5, 116},
    {SDL_SCANCODE_F6, 117},
    {SDL_SCANCODE_F7, 118},
    {SDL_SCANCODE_F8, 119},
    {SDL_SCANCODE_F9, 120},
    {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F11, 122},
    {SDL_SCANCODE_F12, 123},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
};

// Printing keys of the US layout by position, for key codes that no table
// entry below knows (letters of other alphabets, dead keys).
constexpr ScancodeKey kPrintingByPosition[] = {
    {SDL_SCANCODE_SEMICOLON, 186},  {SDL_SCANCODE_EQUALS, 187},     {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},      {SDL_SCANCODE_PERIOD, 190},     {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},      {SDL_SCANCODE_LEFTBRACKET, 219}, {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_NONUSHASH, 220},  {SDL_SCANCODE_RIGHTBRACKET, 221}, {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

std::int32_t ByKeycode(std::int32_t keycode)
{
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return '0' + (keycode - SDLK_0);
    switch (keycode)
    {
    case SDLK_SEMICOLON:
        return 186;
    case SDLK_EQUALS:
    case SDLK_PLUS:
        return 187;
    case SDLK_COMMA:
        return 188;
    case SDLK_MINUS:
        return 189;
    case SDLK_PERIOD:
        return 190;
    case SDLK_SLASH:
        return 191;
    case SDLK_BACKQUOTE:
        return 192;
    case SDLK_LEFTBRACKET:
        return 219;
    case SDLK_BACKSLASH:
        return 220;
    case SDLK_RIGHTBRACKET:
        return 221;
    case SDLK_QUOTE:
        return 222;
    default:
        return 0;
    }
}

} // namespace

std::int32_t VirtualKeyFor(std::int32_t keycode, std::int32_t scancode)
{
    for (const ScancodeKey& entry : kByPosition)
        if (entry.scancode == scancode)
            return entry.virtualKey;
    if (const std::int32_t virtualKey = ByKeycode(keycode))
        return virtualKey;
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    for (const ScancodeKey& entry : kPrintingByPosition)
        if (entry.scancode == scancode)
            return entry.virtualKey;
    return 0;
}

} // namespace win32::detail
