#pragma once

// What the input devices get from the window system's event queue. Every
// event is translated once, when it is taken off the platform library's
// queue: into window messages and into these notifications, so the devices
// and the windows see the same input.

#include <cstdint>

namespace win32
{

class RawInputListener
{
public:
    virtual ~RawInputListener() = default;

    // A key changed state; repeats are not changes. The code is the
    // platform library's scan code.
    virtual void OnRawKey(std::int32_t scancode, bool down, std::uint32_t time) = 0;
    // Relative motion, in the device's units.
    virtual void OnRawMotion(std::int32_t dx, std::int32_t dy, std::uint32_t time) = 0;
    // Buttons 0 left, 1 right, 2 middle, 3 and 4 the extra buttons.
    virtual void OnRawButton(std::uint32_t button, bool down, std::uint32_t time) = 0;
    // Wheel movement, 120 per notch, positive away from the user.
    virtual void OnRawWheel(std::int32_t amount, std::uint32_t time) = 0;
};

// Listeners are told in the order they were added. A listener removes itself
// before it dies.
void AddRawInputListener(RawInputListener* listener);
void RemoveRawInputListener(RawInputListener* listener);

// Takes every pending event off the platform library's queue and translates
// it. Safe to call at any time on the main thread; a call from inside a
// listener does nothing.
void PumpEvents();

// The state kept from the translated events (never the library's own, which
// pushed events do not reach).
bool IsScancodeDown(std::int32_t scancode);
bool IsMouseButtonDown(std::uint32_t button);

} // namespace win32
