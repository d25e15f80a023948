#pragma once

#include <cstdint>

namespace OrvaneEngine
{

class TimerManager;

// A stopwatch in float seconds that can be paused, resumed and set to a
// reading. Timers are made and owned by the TimerManager.
class Timer
{
public:
    virtual ~Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Seconds since the reading 0; frozen while paused.
    float GetTime() const;
    // Pausing a paused timer or resuming a running one changes nothing.
    void SetPaused(bool pause);
    bool IsPaused() const { return paused; }
    // Makes the timer read the given seconds now, and run.
    void Reset(float seconds);

private:
    friend class TimerManager;
    Timer(float start, bool usePerformanceCounter);

    bool usePerformanceCounter;
    bool paused = false;
    std::int64_t frequency = 0;
    std::int64_t startCount = 0;
    std::int64_t pauseCount = 0;
    std::uint32_t startTime = 0;
    std::uint32_t pauseTime = 0;
};

} // namespace OrvaneEngine
