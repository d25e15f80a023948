#pragma once

#include <cstdint>
#include <vector>

namespace win32::testing
{

// While on, Sleep returns at once and only records its argument.
void SetSleepRecording(bool on);
// The arguments of the recorded calls, in call order.
std::vector<std::uint32_t> GetSleepCalls();

// Real sleeping again; forgets the recorded calls.
void ResetSleep();

} // namespace win32::testing
