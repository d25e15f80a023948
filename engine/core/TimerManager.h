#pragma once

#include "engine/core/Timer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace OrvaneEngine
{

// Owns every timer, keeps the system's millisecond clock at its finest period
// for its own life, and runs the frame clock.
class TimerManager
{
public:
    TimerManager();
    virtual ~TimerManager();
    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    // A new running timer that reads start now; the manager owns it.
    Timer* CreateTimer(float start, bool usePerformanceCounter);
    // Deletes a timer of this manager and frees its slot; null or a timer the
    // manager does not hold is ignored.
    void ReleaseTimer(Timer* timer);
    // The frame clock: once per frame.
    void Update();
    // The timer the frame clock reads, owned by the manager like the others;
    // it runs from the manager's creation.
    Timer* GetFrameTimer() const { return frameTimer; }

private:
    // Tests read the slots and the running second through it.
    friend class TimerManagerProbe;

    void AddTimer(Timer* timer);

    std::uint32_t timerPeriod = 0;
    // Used as a stack: the slot freed last is on top (at the back).
    std::vector<std::uint32_t> freeSlots;
    std::vector<std::uint32_t> activeSlots;
    std::vector<std::unique_ptr<Timer>> slots;
    Timer* frameTimer = nullptr;
    float lastTime = 0.0f;

public:
    // Duration of the last frame in seconds, clamped to [0.001, 0.1].
    float frameTime = 0.0f;
    // Frames counted in the last completed second.
    std::uint32_t fps = 0;

private:
    std::uint32_t frameCount = 0;
    float fpsTime = 0.0f;
};

} // namespace OrvaneEngine
