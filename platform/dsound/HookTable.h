#pragma once

// Where a test program's hook library (platform/dsound/testing) steps in:
// calls it makes fail once, the buffers' journals, and the devices it keeps a
// list of. The shipped program links no hook library: the table stays null,
// and each hook point costs one atomic load.

#include "platform/dsound/Types.h"

#include <atomic>

namespace dsound
{
class IDirectSound;
}

namespace dsound::detail
{

// The calls a test can make fail once.
enum class FailingCall
{
    Device,           // DirectSoundCreate
    CooperativeLevel, // IDirectSound::SetCooperativeLevel
    Primary,          // CreateSoundBuffer of the primary buffer
    SetFormat,        // the primary buffer's SetFormat
    Listener,         // the primary buffer's QueryInterface for the listener
    CreateBuffer,     // CreateSoundBuffer of a secondary buffer
    DuplicateBuffer,  // IDirectSound::DuplicateSoundBuffer
    Buffer3D,         // a secondary buffer's QueryInterface for its 3D buffer
    Restore,          // Restore of any buffer
};

// Every entry is set.
struct HookTable
{
    // The code a test set for the next call of this kind (taking it), or DS_OK.
    HRESULT (*takeFailure)(FailingCall call);
    bool (*isJournalEnabled)();
    void (*registerDevice)(IDirectSound* device);
    void (*unregisterDevice)(IDirectSound* device);
};

inline constinit std::atomic<const HookTable*> hookTable{nullptr};

inline const HookTable* Hooks() noexcept
{
    return hookTable.load(std::memory_order_acquire);
}

inline HRESULT TakeFailure(FailingCall call)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr ? hooks->takeFailure(call) : HRESULT{0};
}

inline bool IsJournalEnabled()
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->isJournalEnabled();
}

inline void RegisterDevice(IDirectSound* device)
{
    if (const HookTable* hooks = Hooks())
        hooks->registerDevice(device);
}

inline void UnregisterDevice(IDirectSound* device)
{
    if (const HookTable* hooks = Hooks())
        hooks->unregisterDevice(device);
}

} // namespace dsound::detail
