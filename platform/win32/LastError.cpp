#include "platform/win32/LastError.h"

#include <SDL.h>

namespace win32
{
namespace
{
thread_local std::string lastReason;
} // namespace

std::string TakeLastErrorText()
{
    std::string reason;
    reason.swap(lastReason);
    return reason;
}

namespace detail
{

void NoteLibraryRefusal()
{
    const char* text = SDL_GetError();
    lastReason = text != nullptr && *text != '\0' ? text : "The platform library gave no reason";
    SDL_ClearError();
}

void NoteRefusal(const std::string& reason)
{
    lastReason = reason;
}

} // namespace detail

} // namespace win32
