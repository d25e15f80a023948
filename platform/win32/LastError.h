#pragma once

#include <string>

namespace win32
{

// The reason the platform library (SDL, OpenGL) gave for the last refusal
// that a stand-in passed on to its caller on this thread, such as "No
// available video device"; empty when there was none since the last take.
// Taking it clears it, so a reason is reported once, beside its failure.
std::string TakeLastErrorText();

} // namespace win32

namespace win32::detail
{

// Keeps the platform library's own reason (SDL_GetError) for a refusal.
void NoteLibraryRefusal();
// Keeps a reason worded here, for refusals the library gives no text for.
void NoteRefusal(const std::string& reason);

} // namespace win32::detail
