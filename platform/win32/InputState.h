#pragma once

#include "platform/win32/Types.h"

#include <cstdint>

namespace win32::detail
{

// Records a key change with the virtual key it was pressed as, so that its
// release clears the same one. False when the key already was in that state.
bool SetKeyDown(std::int32_t scancode, bool down, std::int32_t virtualKey);
bool IsVirtualKeyDown(std::int32_t virtualKey);
// False when the button already was in that state. Buttons 0 to 4.
bool SetButtonDown(std::uint32_t button, bool down);

POINT GetTrackedCursor();
void SetTrackedCursor(POINT screen);

// Every key and button up, the cursor at (0, 0).
void ResetInputState();

} // namespace win32::detail
