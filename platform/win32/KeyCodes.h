#pragma once

#include <cstdint>

namespace win32::detail
{

// The virtual-key code of a key of the platform library: by its key code
// (which follows the keyboard layout) first, then by its position (scan
// code). 0 when the key has none.
std::int32_t VirtualKeyFor(std::int32_t keycode, std::int32_t scancode);

} // namespace win32::detail
