#include "platform/vfw/testing/HookState.h"
#include "platform/vfw/testing/VfwHooks.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>

namespace vfw::testing
{
namespace
{

constexpr std::uint32_t kCurrentVersion = 0x010A0000u;
constexpr std::size_t kCallKinds = 5;

struct Hooks
{
    std::mutex lock;
    // 0: not armed; otherwise the calls still to come until the failing one.
    std::array<std::uint32_t, kCallKinds> remaining{};
    std::uint32_t version = kCurrentVersion;
    bool cancelled = false;
    std::uint64_t cap = kDefaultSizeCap;
};

Hooks& GetHooks()
{
    static Hooks hooks;
    return hooks;
}

std::atomic<std::int32_t> libraryUses{0};
std::atomic<std::int32_t> liveFiles{0};
std::atomic<std::int32_t> liveStreams{0};

} // namespace

void FailCall(VfwCall call, std::uint32_t nth)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    hooks.remaining[static_cast<std::size_t>(call)] = std::max<std::uint32_t>(nth, 1);
}

void SetReportedVersion(std::uint32_t version)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    hooks.version = version;
}

void SetSaveOptionsCancelled(bool cancelled)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    hooks.cancelled = cancelled;
}

void SetSizeCap(std::uint64_t bytes)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    hooks.cap = std::min(bytes, kDefaultSizeCap);
}

std::int32_t GetLibraryUseCount()
{
    return libraryUses;
}

std::int32_t GetLiveFileCount()
{
    return liveFiles;
}

std::int32_t GetLiveStreamCount()
{
    return liveStreams;
}

void ResetHooks()
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    hooks.remaining.fill(0);
    hooks.version = kCurrentVersion;
    hooks.cancelled = false;
    hooks.cap = kDefaultSizeCap;
}

bool TakeFailure(VfwCall call)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    std::uint32_t& remaining = hooks.remaining[static_cast<std::size_t>(call)];
    if (remaining == 0)
        return false;
    return --remaining == 0;
}

std::uint32_t GetReportedVersion()
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    return hooks.version;
}

bool IsSaveOptionsCancelled()
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    return hooks.cancelled;
}

std::uint64_t GetSizeCap()
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    return hooks.cap;
}

void AddLibraryUse(std::int32_t delta)
{
    libraryUses += delta;
}

void CountFile(std::int32_t delta)
{
    liveFiles += delta;
}

void CountStream(std::int32_t delta)
{
    liveStreams += delta;
}

} // namespace vfw::testing
