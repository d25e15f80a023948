#include "platform/win32/Desktop.h"
#include "platform/win32/HookTable.h"

#include <SDL.h>

namespace win32
{
namespace
{

DesktopMode QueryDisplay()
{
    DesktopMode mode;
    mode.width = 800;
    mode.height = 600;
    SDL_DisplayMode display{};
    if (SDL_GetDesktopDisplayMode(0, &display) != 0 || display.w <= 0 || display.h <= 0)
        return mode;
    mode.width = static_cast<std::uint32_t>(display.w);
    mode.height = static_cast<std::uint32_t>(display.h);
    const std::uint32_t bytes = SDL_BYTESPERPIXEL(display.format);
    mode.bitsPerPixel = bytes == 2 ? 16 : 32;
    if (display.refresh_rate > 0)
        mode.refreshRate = static_cast<std::uint32_t>(display.refresh_rate);
    return mode;
}

} // namespace

DesktopMode GetDesktopMode()
{
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr)
    {
        DesktopMode injected;
        if (hooks->desktopMode(injected))
            return injected;
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        return QueryDisplay();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return QueryDisplay();
    const DesktopMode mode = QueryDisplay();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return mode;
}

} // namespace win32
