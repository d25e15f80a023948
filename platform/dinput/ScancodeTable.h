#pragma once

#include <cstdint>

namespace dinput
{

// The keyboard's key code (its DirectInput scan code) for a scan code of the
// platform library; -1 for a key the keyboard format has no place for.
std::int32_t KeyCodeForScancode(std::int32_t scancode);

} // namespace dinput
