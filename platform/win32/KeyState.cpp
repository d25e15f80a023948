#include "platform/win32/KeyState.h"

#include "platform/win32/InputState.h"
#include "platform/win32/RawInput.h"

namespace win32
{

std::int16_t GetAsyncKeyState(std::int32_t virtualKey)
{
    PumpEvents();
    return detail::IsVirtualKeyDown(virtualKey) ? static_cast<std::int16_t>(-32768) : std::int16_t{0};
}

} // namespace win32
