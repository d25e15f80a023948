#include "platform/vfw/testing/VfwHooks.h"

#include "platform/vfw/VideoForWindows.h"

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
    std::uint64_t cap = kMovieSizeCap;
};

Hooks& GetHooks()
{
    static Hooks hooks;
    return hooks;
}

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
    hooks.cap = bytes;
}

std::int32_t GetLibraryUseCount()
{
    return detail::GetLibraryUseCount();
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
    hooks.cap = kMovieSizeCap;
}

namespace
{

bool TakeFailure(VfwCall call)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    std::uint32_t& remaining = hooks.remaining[static_cast<std::size_t>(call)];
    if (remaining == 0)
        return false;
    return --remaining == 0;
}

bool ReportedVersion(std::uint32_t& version)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    version = hooks.version;
    return true;
}

bool IsSaveOptionsCancelled()
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    return hooks.cancelled;
}

std::uint64_t SizeCap(std::uint64_t real)
{
    Hooks& hooks = GetHooks();
    std::lock_guard guard(hooks.lock);
    return std::min(hooks.cap, real);
}

void CountFile(std::int32_t delta)
{
    liveFiles += delta;
}

void CountStream(std::int32_t delta)
{
    liveStreams += delta;
}

constexpr detail::HookTable table{
    .takeFailure = TakeFailure,
    .reportedVersion = ReportedVersion,
    .isSaveOptionsCancelled = IsSaveOptionsCancelled,
    .sizeCap = SizeCap,
    .countFile = CountFile,
    .countStream = CountStream,
};

// Runs before main in every program that links the hook library.
const bool installed = (detail::hookTable.store(&table, std::memory_order_release), true);

} // namespace

} // namespace vfw::testing
