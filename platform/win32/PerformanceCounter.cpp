#include "platform/win32/PerformanceCounter.h"
#include "platform/win32/HookTable.h"

#include <ctime>

namespace win32
{
namespace
{
constexpr std::int64_t nanosecondsPerSecond = 1000000000;
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
    if (const detail::HookTable* hooks = detail::Hooks();
        hooks != nullptr && hooks->performanceCounter != nullptr && hooks->performanceCounter(*count))
        return true;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    *count = static_cast<std::int64_t>(now.tv_sec) * nanosecondsPerSecond + now.tv_nsec;
    return true;
}

} // namespace win32
