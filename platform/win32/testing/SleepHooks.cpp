#include "platform/win32/testing/SleepHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <atomic>
#include <mutex>

namespace win32::testing
{
namespace
{
std::atomic<bool> recording{false};
std::mutex callsMutex;
std::vector<std::uint32_t> calls;
} // namespace

bool entries::RecordSleep(std::uint32_t milliseconds)
{
    if (!recording)
        return false;
    std::lock_guard lock(callsMutex);
    calls.push_back(milliseconds);
    return true;
}

void SetSleepRecording(bool on)
{
    recording = on;
}

std::vector<std::uint32_t> GetSleepCalls()
{
    std::lock_guard lock(callsMutex);
    return calls;
}

void ResetSleep()
{
    recording = false;
    std::lock_guard lock(callsMutex);
    calls.clear();
}

} // namespace win32::testing
