#include "platform/win32/testing/ThreadHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <atomic>

namespace win32::testing
{
namespace
{
std::atomic<bool> refuseNext{false};
std::atomic<std::uint32_t> liveThreads{0};
} // namespace

bool entries::IsThreadRefused()
{
    return refuseNext.exchange(false);
}

void entries::ThreadLifetime(bool started)
{
    if (started)
        ++liveThreads;
    else
        --liveThreads;
}

void RefuseNextThread()
{
    refuseNext = true;
}

std::uint32_t GetLiveThreadCount()
{
    return liveThreads;
}

void ResetThreads()
{
    refuseNext = false;
}

} // namespace win32::testing
