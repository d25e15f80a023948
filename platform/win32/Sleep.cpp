#include "platform/win32/Sleep.h"
#include "platform/win32/testing/SleepHooks.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <mutex>

namespace win32
{
namespace
{
std::atomic<bool> recording{false};
std::mutex callsMutex;
std::vector<std::uint32_t> calls;
} // namespace

void Sleep(std::uint32_t milliseconds)
{
    if (recording)
    {
        std::lock_guard lock(callsMutex);
        calls.push_back(milliseconds);
        return;
    }
    timespec wanted{};
    wanted.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    wanted.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    // A signal cuts nanosleep short; carry on with what is left.
    timespec left{};
    while (nanosleep(&wanted, &left) != 0 && errno == EINTR)
        wanted = left;
}

namespace testing
{
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
} // namespace testing

} // namespace win32
