#include "platform/win32/MultimediaTimer.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"

#include <atomic>
#include <ctime>
#include <mutex>

namespace win32
{
namespace
{
std::atomic<bool> capsFail{false};
std::atomic<bool> fakeOn{false};
std::atomic<std::uint32_t> fakeNow{0};

std::mutex callsMutex;
std::vector<std::uint32_t> begins;
std::vector<std::uint32_t> ends;
} // namespace

MMRESULT timeGetDevCaps(TIMECAPS* caps, std::uint32_t size)
{
    if (capsFail || !caps || size < sizeof(TIMECAPS))
        return TIMERR_NOCANDO;
    caps->wPeriodMin = 1;
    caps->wPeriodMax = 1000000;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(std::uint32_t period)
{
    std::lock_guard lock(callsMutex);
    begins.push_back(period);
    return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(std::uint32_t period)
{
    std::lock_guard lock(callsMutex);
    ends.push_back(period);
    return TIMERR_NOERROR;
}

std::uint32_t timeGetTime()
{
    if (fakeOn)
        return fakeNow;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

namespace testing
{
void SetTimerCapsFail(bool fail)
{
    capsFail = fail;
}

std::vector<std::uint32_t> GetTimerPeriodBegins()
{
    std::lock_guard lock(callsMutex);
    return begins;
}

std::vector<std::uint32_t> GetTimerPeriodEnds()
{
    std::lock_guard lock(callsMutex);
    return ends;
}

void SetFakeMilliseconds(std::uint32_t now)
{
    fakeNow = now;
    fakeOn = true;
}

void AdvanceFakeMilliseconds(std::uint32_t milliseconds)
{
    fakeNow += milliseconds;
}

bool IsFakeMillisecondsOn()
{
    return fakeOn;
}

void ResetMultimediaTimer()
{
    capsFail = false;
    fakeOn = false;
    fakeNow = 0;
    std::lock_guard lock(callsMutex);
    begins.clear();
    ends.clear();
}
} // namespace testing

} // namespace win32
