#pragma once

#include <cstdint>

namespace win32
{

// The most significant bit is set while the key is down, by virtual-key
// code: the generic and the left and right codes of Shift, Ctrl and Alt, and
// the mouse buttons 1, 2, 4, 5 and 6.
std::int16_t GetAsyncKeyState(std::int32_t virtualKey);

} // namespace win32
