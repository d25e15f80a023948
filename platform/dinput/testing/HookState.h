#pragma once

// The stand-in's side of the test hooks.

#include "platform/dinput/testing/DirectInputHooks.h"

#include <optional>

namespace dinput::testing
{

bool IsStepRefused(Step step);
// The code a test set for this read (using it up), if any.
std::optional<HRESULT> TakeReadAnswer(Device device);
// Whether this Acquire is to fail (using one up).
bool TakeAcquireFailure(Device device);
bool IsDeviceStateFailing(Device device);
// Whether this event is to be dropped (using one up).
bool TakeRecordDrop(Device device);

void CountAcquire(Device device);
void CountDevice(int change);
void RecordCooperativeLevel(Device device, win32::HWND window, std::uint32_t level);

} // namespace dinput::testing
