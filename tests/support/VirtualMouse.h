#pragma once

#include "platform/win32/Types.h"

#include <cstdint>

namespace corvellan::test
{

// The pointer and the left button of one window, moved by real input events
// to points of a virtual screen as many units tall as the window has pixel
// rows: its y runs upwards from the bottom row, as the GUI's does.
class VirtualMouse
{
public:
    VirtualMouse(win32::HWND window, std::int32_t rows);

    // Each answers false when its event could not be queued.
    bool MoveTo(std::int32_t x, std::int32_t y);
    bool Button(bool down);

    // The button outlives the engine: a test leaving it down would swallow
    // the next test's first press.
    bool IsDown() const { return down; }

private:
    win32::HWND window;
    std::int32_t rows;
    std::int32_t column = 0;
    std::int32_t row = 0;
    bool down = false;
};

} // namespace corvellan::test
