#pragma once

// Where a test program's hook library (platform/vfw/testing) steps in: calls
// it makes fail, an older library, a cancelled compressor choice, a lower
// size cap, and its counts of live files and streams. The shipped program
// links no hook library: the table stays null, and each hook point costs one
// atomic load.

#include <atomic>
#include <cstdint>

namespace vfw::detail
{

// The calls a test can make fail.
enum class VfwCall
{
    FileOpen,             // AVIFileOpenA
    CreateStream,         // AVIFileCreateStreamA
    MakeCompressedStream, // AVIMakeCompressedStream
    SetFormat,            // AVIStreamSetFormat
    StreamWrite,          // AVIStreamWrite
};

// Every entry is set.
struct HookTable
{
    // True when a test armed a failure that falls on this call (taking it).
    bool (*takeFailure)(VfwCall call);
    // True when a test set the version VideoForWindowsVersion answers.
    bool (*reportedVersion)(std::uint32_t& version);
    bool (*isSaveOptionsCancelled)();
    // The size cap a test lowered the real one to, at most that one.
    std::uint64_t (*sizeCap)(std::uint64_t real);
    void (*countFile)(std::int32_t delta);
    void (*countStream)(std::int32_t delta);
};

inline constinit std::atomic<const HookTable*> hookTable{nullptr};

inline const HookTable* Hooks() noexcept
{
    return hookTable.load(std::memory_order_acquire);
}

inline bool TakeFailure(VfwCall call)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->takeFailure(call);
}

inline void CountFile(std::int32_t delta)
{
    if (const HookTable* hooks = Hooks())
        hooks->countFile(delta);
}

inline void CountStream(std::int32_t delta)
{
    if (const HookTable* hooks = Hooks())
        hooks->countStream(delta);
}

} // namespace vfw::detail
