#pragma once

// Where a test program's hook library (platform/dinput/testing) steps in:
// construction steps it refuses, reads and acquisitions it fails, events it
// drops, and what it counts. The shipped program links no hook library: the
// table stays null, and each hook point costs one atomic load.

#include "platform/dinput/Types.h"
#include "platform/win32/Types.h"

#include <atomic>
#include <cstdint>
#include <optional>

namespace dinput::detail
{

// The construction steps a test can refuse.
enum class Step
{
    CreateDirectInput,
    CreateKeyboard,
    CreateMouse,
    KeyboardDataFormat,
    MouseDataFormat,
    KeyboardCooperativeLevel,
    MouseCooperativeLevel,
    KeyboardBufferSize,
    MouseBufferSize
};

enum class Device
{
    Keyboard,
    Mouse
};

// Every entry is set.
struct HookTable
{
    bool (*isStepRefused)(Step step);
    // The code a test set for this read (using it up), if any.
    std::optional<HRESULT> (*takeReadAnswer)(Device device);
    // Whether this Acquire is to fail (using one up).
    bool (*takeAcquireFailure)(Device device);
    bool (*isDeviceStateFailing)(Device device);
    // Whether this event is to be dropped (using one up).
    bool (*takeRecordDrop)(Device device);
    void (*countAcquire)(Device device);
    void (*countDevice)(int change);
    void (*recordCooperativeLevel)(Device device, win32::HWND window, std::uint32_t level);
};

inline constinit std::atomic<const HookTable*> hookTable{nullptr};

inline const HookTable* Hooks() noexcept
{
    return hookTable.load(std::memory_order_acquire);
}

inline bool IsStepRefused(Step step)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->isStepRefused(step);
}

inline std::optional<HRESULT> TakeReadAnswer(Device device)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr ? hooks->takeReadAnswer(device) : std::nullopt;
}

inline bool TakeAcquireFailure(Device device)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->takeAcquireFailure(device);
}

inline bool IsDeviceStateFailing(Device device)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->isDeviceStateFailing(device);
}

inline bool TakeRecordDrop(Device device)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->takeRecordDrop(device);
}

inline void CountAcquire(Device device)
{
    if (const HookTable* hooks = Hooks())
        hooks->countAcquire(device);
}

inline void CountDevice(int change)
{
    if (const HookTable* hooks = Hooks())
        hooks->countDevice(change);
}

inline void RecordCooperativeLevel(Device device, win32::HWND window, std::uint32_t level)
{
    if (const HookTable* hooks = Hooks())
        hooks->recordCooperativeLevel(device, window, level);
}

} // namespace dinput::detail
