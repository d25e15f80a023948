#pragma once

#include <cstdint>

namespace win32
{

// The high-resolution counter counts nanoseconds of CLOCK_MONOTONIC, so its
// frequency is always 10^9 and both calls always succeed.
bool QueryPerformanceFrequency(std::int64_t* frequency);
bool QueryPerformanceCounter(std::int64_t* count);

} // namespace win32
