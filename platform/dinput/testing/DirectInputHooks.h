#pragma once

#include "platform/dinput/HookTable.h"
#include "platform/dinput/Types.h"
#include "platform/win32/Types.h"

#include <cstdint>

namespace dinput::testing
{

// The construction steps a test can refuse; each fails as the system would.
using Step = detail::Step;
using Device = detail::Device;

inline constexpr std::uint32_t kAlways = 0xFFFFFFFFu;

// Refuses the step until the hooks are reset.
void RefuseStep(Step step);
// The next count GetDeviceData calls of the device answer code (a failure
// also loses the device: it is no longer acquired and its buffer is empty).
void AnswerNextReads(Device device, HRESULT code, std::uint32_t count);
// The next count Acquire calls (kAlways: every one) answer DIERR_INPUTLOST
// and leave the device unacquired.
void FailAcquire(Device device, std::uint32_t count);
// While set, GetDeviceState answers DIERR_INPUTLOST and loses the device.
void FailDeviceState(Device device, bool fail);
// The next count events of the device never reach its buffer (a key-up can
// be lost that way); its immediate state still follows them.
void DropNextRecords(Device device, std::uint32_t count);

// Acquire calls since the reset, and devices not yet released.
std::uint32_t GetAcquireCount(Device device);
std::uint32_t GetLiveDeviceCount();
// The window and level of the device's last accepted SetCooperativeLevel.
win32::HWND GetCooperativeWindow(Device device);
std::uint32_t GetCooperativeLevel(Device device);

// Nothing refused, failed or dropped; the counts start again.
void ResetDirectInputHooks();

} // namespace dinput::testing
