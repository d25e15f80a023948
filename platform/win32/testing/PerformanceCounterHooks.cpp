#include "platform/win32/testing/PerformanceCounterHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <atomic>

namespace win32::testing
{
namespace
{
std::atomic<bool> fakeOn{false};
std::atomic<std::int64_t> fakeNow{0};
} // namespace

bool entries::FakeCounter(std::int64_t& now)
{
    if (!fakeOn)
        return false;
    now = fakeNow;
    return true;
}

void SetFakeCounter(std::int64_t now)
{
    fakeNow = now;
    fakeOn = true;
}

void AdvanceFakeCounter(std::int64_t nanoseconds)
{
    fakeNow += nanoseconds;
}

void ResetPerformanceCounter()
{
    fakeOn = false;
    fakeNow = 0;
}

} // namespace win32::testing
