#include "platform/dinput/testing/DirectInputHooks.h"

#include <array>

namespace dinput::testing
{
namespace
{

struct DeviceHooks
{
    HRESULT readAnswer = DI_OK;
    std::uint32_t readAnswers = 0;
    std::uint32_t acquireFailures = 0;
    bool stateFails = false;
    std::uint32_t drops = 0;
    std::uint32_t acquireCount = 0;
    win32::HWND cooperativeWindow = 0;
    std::uint32_t cooperativeLevel = 0;
};

std::array<bool, 9> refusedSteps{};
std::array<DeviceHooks, 2> devices{};
std::uint32_t liveDevices = 0;

DeviceHooks& Of(Device device)
{
    return devices[static_cast<std::size_t>(device)];
}

// Uses one of a count, which kAlways never runs out of.
bool TakeOne(std::uint32_t& count)
{
    if (count == 0)
        return false;
    if (count != kAlways)
        --count;
    return true;
}

} // namespace

void RefuseStep(Step step)
{
    refusedSteps[static_cast<std::size_t>(step)] = true;
}

void AnswerNextReads(Device device, HRESULT code, std::uint32_t count)
{
    Of(device).readAnswer = code;
    Of(device).readAnswers = count;
}

void FailAcquire(Device device, std::uint32_t count)
{
    Of(device).acquireFailures = count;
}

void FailDeviceState(Device device, bool fail)
{
    Of(device).stateFails = fail;
}

void DropNextRecords(Device device, std::uint32_t count)
{
    Of(device).drops = count;
}

std::uint32_t GetAcquireCount(Device device)
{
    return Of(device).acquireCount;
}

std::uint32_t GetLiveDeviceCount()
{
    return liveDevices;
}

win32::HWND GetCooperativeWindow(Device device)
{
    return Of(device).cooperativeWindow;
}

std::uint32_t GetCooperativeLevel(Device device)
{
    return Of(device).cooperativeLevel;
}

void ResetDirectInputHooks()
{
    refusedSteps.fill(false);
    devices.fill(DeviceHooks{});
}

namespace
{

bool IsStepRefused(Step step)
{
    return refusedSteps[static_cast<std::size_t>(step)];
}

std::optional<HRESULT> TakeReadAnswer(Device device)
{
    DeviceHooks& hooks = Of(device);
    if (!TakeOne(hooks.readAnswers))
        return std::nullopt;
    return hooks.readAnswer;
}

bool TakeAcquireFailure(Device device)
{
    return TakeOne(Of(device).acquireFailures);
}

bool IsDeviceStateFailing(Device device)
{
    return Of(device).stateFails;
}

bool TakeRecordDrop(Device device)
{
    return TakeOne(Of(device).drops);
}

void CountAcquire(Device device)
{
    ++Of(device).acquireCount;
}

void CountDevice(int change)
{
    liveDevices = static_cast<std::uint32_t>(static_cast<int>(liveDevices) + change);
}

void RecordCooperativeLevel(Device device, win32::HWND window, std::uint32_t level)
{
    Of(device).cooperativeWindow = window;
    Of(device).cooperativeLevel = level;
}

constexpr detail::HookTable table{
    .isStepRefused = IsStepRefused,
    .takeReadAnswer = TakeReadAnswer,
    .takeAcquireFailure = TakeAcquireFailure,
    .isDeviceStateFailing = IsDeviceStateFailing,
    .takeRecordDrop = TakeRecordDrop,
    .countAcquire = CountAcquire,
    .countDevice = CountDevice,
    .recordCooperativeLevel = RecordCooperativeLevel,
};

// Runs before main in every program that links the hook library.
const bool installed = (detail::hookTable.store(&table, std::memory_order_release), true);

} // namespace

} // namespace dinput::testing
