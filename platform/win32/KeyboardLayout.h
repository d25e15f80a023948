#pragma once

#include <cstdint>

namespace win32
{

// Keyboard layouts as the language handling asks for them. The desktop, not
// the game, owns the layout here: the platform library's text input already
// delivers the player's characters in whatever layout the desktop uses. So
// the stand-in reports a layout and refuses to change it; the caller goes on
// with the current one, as it does after any failure.

// A layout handle: the layout id in the high 16 bits; 0 is none.
using HKL = std::uint32_t;

// Loading also makes the layout the current one.
inline constexpr std::uint32_t KLF_ACTIVATE = 0x00000001u;

// The calling thread's current layout (the thread argument is ignored): the
// US English layout, 0x04090409.
HKL GetKeyboardLayout(std::uint32_t threadId);

// Makes a loaded layout current. Answers the layout that was current, or 0
// when it failed, which it always does here.
HKL ActivateKeyboardLayout(HKL layout, std::uint32_t flags);

// Loads the layout named by eight hexadecimal digits ("00000419"). Answers
// the loaded layout, or 0 when it failed, which it always does here.
HKL LoadKeyboardLayoutA(const char* layoutId, std::uint32_t flags);

// Unloads a layout the program loaded. There is none to unload, so it is
// done at once: true.
bool UnloadKeyboardLayout(HKL layout);

} // namespace win32
