#include "platform/win32/PerformanceCounter.h"
#include "platform/win32/testing/PerformanceCounterHooks.h"

#include <atomic>
#include <ctime>

namespace win32
{
namespace
{
constexpr std::int64_t nanosecondsPerSecond = 1000000000;

std::atomic<bool> fakeOn{false};
std::atomic<std::int64_t> fakeNow{0};
} // namespace

bool QueryPerformanceFrequency(std::int64_t* frequency)
{
    if (!frequency)
        return false;
    *frequency = nanosecondsPerSecond;
    return true;
}

bool QueryPerformanceCounter(std::int64_t* count)
{
    if (!count)
        return false;
    if (fakeOn)
    {
        *count = fakeNow;
        return true;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    *count = static_cast<std::int64_t>(now.tv_sec) * nanosecondsPerSecond + now.tv_nsec;
    return true;
}

namespace testing
{
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
} // namespace testing

} // namespace win32
