#include "engine/core/TimerManager.h"

#include "platform/win32/MultimediaTimer.h"

#include <algorithm>

namespace OrvaneEngine
{

TimerManager::TimerManager()
{
    win32::TIMECAPS caps{};
    if (win32::timeGetDevCaps(&caps, sizeof(caps)) == win32::TIMERR_NOERROR)
    {
        timerPeriod = caps.wPeriodMin;
        win32::timeBeginPeriod(timerPeriod);
    }
    else
    {
        timerPeriod = 0;
    }

    // The millisecond clock runs at the raised period; the performance counter
    // stands in only when that period is not available.
    frameTimer = CreateTimer(0.0f, timerPeriod == 0);

    lastTime = 0.0f;
    frameTime = 0.0f;
    fpsTime = 0.0f;
    fps = 0;
    frameCount = 0;
}

TimerManager::~TimerManager()
{
    ReleaseTimer(frameTimer);
    frameTimer = nullptr;
    freeSlots.clear();
    for (std::uint32_t index : activeSlots)
        slots[index].reset();
    slots.clear();
    activeSlots.clear();
    if (timerPeriod != 0)
        win32::timeEndPeriod(timerPeriod);
}

Timer* TimerManager::CreateTimer(float start, bool usePerformanceCounter)
{
    Timer* timer = new Timer(start, usePerformanceCounter);
    AddTimer(timer);
    return timer;
}

void TimerManager::AddTimer(Timer* timer)
{
    std::uint32_t index = static_cast<std::uint32_t>(slots.size());
    if (!freeSlots.empty())
    {
        index = freeSlots.back();
        freeSlots.pop_back();
    }
    activeSlots.push_back(index);
    if (index == slots.size())
        slots.emplace_back(timer);
    else
        slots[index].reset(timer);
}

void TimerManager::ReleaseTimer(Timer* timer)
{
    if (!timer)
        return;
    const auto active = std::find_if(activeSlots.begin(), activeSlots.end(),
                                     [&](std::uint32_t index) { return slots[index].get() == timer; });
    // A timer this manager does not hold is not ours to delete.
    if (active == activeSlots.end())
        return;
    const std::uint32_t index = *active;
    slots[index].reset();
    freeSlots.push_back(index);
    activeSlots.erase(active);
}

void TimerManager::Update()
{
    const float now = frameTimer->GetTime();
    frameTime = now - lastTime;
    lastTime = frameTimer->GetTime();

    fpsTime += frameTime;
    ++frameCount;
    if (fpsTime >= 1.0f)
    {
        fpsTime -= 1.0f;
        fps = frameCount;
        frameCount = 0;
    }

    frameTime = std::max(frameTime, 0.001f);
    frameTime = std::min(frameTime, 0.1f);
}

} // namespace OrvaneEngine
