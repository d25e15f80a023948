#include "engine/core/Timer.h"

#include "platform/win32/MultimediaTimer.h"
#include "platform/win32/PerformanceCounter.h"

#include <cmath>

namespace OrvaneEngine
{
namespace
{
std::int64_t CurrentCount()
{
    std::int64_t count = 0;
    win32::QueryPerformanceCounter(&count);
    return count;
}

// Truncates towards zero like a plain cast, but a reading far outside the
// clock's range (or not a number) must make neither the conversion nor the
// later counter arithmetic overflow; 4e18 ns is over a century.
std::int64_t TruncateToInt64(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double limit = 4e18;
    if (value >= limit)
        return static_cast<std::int64_t>(limit);
    if (value <= -limit)
        return -static_cast<std::int64_t>(limit);
    return static_cast<std::int64_t>(value);
}
} // namespace

Timer::Timer(float start, bool usePerformanceCounterGiven)
    : usePerformanceCounter(usePerformanceCounterGiven)
{
    if (usePerformanceCounter)
        win32::QueryPerformanceFrequency(&frequency);
    Reset(start);
}

float Timer::GetTime() const
{
    if (usePerformanceCounter)
    {
        const std::int64_t count = paused ? pauseCount : CurrentCount();
        if (frequency == 0)
            return 0.0f;
        return static_cast<float>(static_cast<double>(count - startCount) /
                                  static_cast<double>(frequency));
    }
    const std::uint32_t now = paused ? pauseTime : win32::timeGetTime();
    // Unsigned difference: right across the clock's wrap-around.
    const std::uint32_t elapsed = now - startTime;
    return static_cast<float>(elapsed) * 0.001f;
}

void Timer::SetPaused(bool pause)
{
    if (pause == paused)
        return;
    paused = pause;
    if (usePerformanceCounter)
    {
        if (pause)
            pauseCount = CurrentCount();
        else
            startCount += CurrentCount() - pauseCount;
    }
    else
    {
        if (pause)
            pauseTime = win32::timeGetTime();
        else
            startTime += win32::timeGetTime() - pauseTime;
    }
}

void Timer::Reset(float seconds)
{
    if (usePerformanceCounter)
        startCount = CurrentCount() - TruncateToInt64(static_cast<double>(frequency) * seconds);
    else
        startTime = win32::timeGetTime() -
                    static_cast<std::uint32_t>(TruncateToInt64(seconds * 1000.0));
    paused = false;
}

} // namespace OrvaneEngine
