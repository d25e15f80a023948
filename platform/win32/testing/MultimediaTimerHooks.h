#pragma once

#include <cstdint>
#include <vector>

namespace win32::testing
{

// While set, timeGetDevCaps fails and leaves its record untouched.
void SetTimerCapsFail(bool fail);

// The periods passed to timeBeginPeriod and timeEndPeriod, in call order.
std::vector<std::uint32_t> GetTimerPeriodBegins();
std::vector<std::uint32_t> GetTimerPeriodEnds();

// Replaces the millisecond clock by one that only moves when told to.
void SetFakeMilliseconds(std::uint32_t now);
// Moves the fake clock on, wrapping like the real one.
void AdvanceFakeMilliseconds(std::uint32_t milliseconds);
bool IsFakeMillisecondsOn();

// Back to the real clock and successful caps; forgets the recorded calls.
void ResetMultimediaTimer();

} // namespace win32::testing
