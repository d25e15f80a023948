#include "platform/win32/testing/MultimediaTimerHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <atomic>
#include <mutex>

namespace win32::testing
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

bool entries::TimerCapsFail()
{
    return capsFail;
}

void entries::RecordTimerPeriod(bool begin, std::uint32_t period)
{
    std::lock_guard lock(callsMutex);
    (begin ? begins : ends).push_back(period);
}

bool entries::FakeMilliseconds(std::uint32_t& now)
{
    if (!fakeOn)
        return false;
    now = fakeNow;
    return true;
}

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

} // namespace win32::testing
