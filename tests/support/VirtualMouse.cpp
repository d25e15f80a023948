#include "tests/support/VirtualMouse.h"

#include "platform/win32/testing/EventPush.h"

namespace corvellan::test
{

VirtualMouse::VirtualMouse(win32::HWND window, std::int32_t rows) : window(window), rows(rows) {}

bool VirtualMouse::MoveTo(std::int32_t x, std::int32_t y)
{
    const std::int32_t newRow = rows - 1 - y;
    const bool queued = win32::testing::PushMouseMotion(window, x, newRow, x - column, newRow - row);
    column = x;
    row = newRow;
    return queued;
}

bool VirtualMouse::Button(bool pressed)
{
    const bool queued = win32::testing::PushMouseButton(window, 0, pressed, column, row);
    down = pressed;
    return queued;
}

} // namespace corvellan::test
