#pragma once

#include <cstdint>

namespace win32
{

using MMRESULT = std::uint32_t;

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 1;

// The periods the system's millisecond clock can be raised to.
struct TIMECAPS
{
    std::uint32_t wPeriodMin;
    std::uint32_t wPeriodMax;
};

// Fills caps (when size covers it) and reports success; the smallest period is 1 ms.
MMRESULT timeGetDevCaps(TIMECAPS* caps, std::uint32_t size);
// Linux clocks already tick finer than a millisecond, so raising and restoring
// the period only keeps the bookkeeping the engine's tests look at.
MMRESULT timeBeginPeriod(std::uint32_t period);
MMRESULT timeEndPeriod(std::uint32_t period);

// Milliseconds of CLOCK_MONOTONIC, wrapping at 2^32 as the engine expects.
std::uint32_t timeGetTime();

} // namespace win32
