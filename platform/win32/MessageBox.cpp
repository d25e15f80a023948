#include "platform/win32/MessageBox.h"

#include "platform/win32/HookTable.h"
#include "platform/win32/Utf8.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace win32
{
namespace
{

// A box under a driver that draws nowhere would wait for a click nobody can
// give. SDL may be shut down already, so its own answer may be missing.
bool HasRealDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr)
        driver = std::getenv("SDL_VIDEODRIVER");
    if (driver == nullptr)
        return true;
    const std::string_view name(driver);
    return name != "offscreen" && name != "dummy";
}

} // namespace

int MessageBoxA(HWND, const char* text, const char* caption, std::uint32_t type)
{
    const std::string body = text != nullptr ? text : "";
    const std::string title = caption != nullptr ? caption : "";
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    std::fflush(stderr);
    if (const detail::HookTable* hooks = detail::Hooks();
        hooks != nullptr && hooks->messageBox != nullptr && hooks->messageBox(body, title, type))
        return IDOK;
    if (HasRealDisplay())
    {
        const std::string utf8Title = detail::NarrowToUtf8(title);
        const std::string utf8Body = detail::NarrowToUtf8(body);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Title.c_str(), utf8Body.c_str(), nullptr);
    }
    return IDOK;
}

} // namespace win32
