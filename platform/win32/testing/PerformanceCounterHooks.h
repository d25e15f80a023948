#pragma once

#include <cstdint>

namespace win32::testing
{

// Replaces the performance counter by one that only moves when told to (in nanoseconds).
void SetFakeCounter(std::int64_t now);
void AdvanceFakeCounter(std::int64_t nanoseconds);

// Back to the real counter.
void ResetPerformanceCounter();

} // namespace win32::testing
