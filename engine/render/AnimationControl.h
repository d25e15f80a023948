#pragma once

#include <cstdint>
#include <map>
#include <utility>

namespace OrvaneEngine
{

class MessageManager;
class TimerManager;

// The frame clock of one model: named frame ranges, the current range played
// at a speed in frames per second, and per update the two frames to blend
// and the weight of the second.
class AnimationControl
{
public:
    // A frame count of 0 counts as 1. The range -1 covers every frame and is
    // selected.
    AnimationControl(MessageManager* log, TimerManager* timers, std::uint32_t frameCount);
    AnimationControl(const AnimationControl& source);
    virtual ~AnimationControl();
    AnimationControl& operator=(const AnimationControl&) = delete;

    // An id that exists keeps its range.
    void AddRange(std::int32_t id, std::uint32_t firstFrame, std::uint32_t lastFrame);
    // Rewinds; playing stays as it was.
    void SetAnimation(std::int32_t id);
    void Play();
    void Stop();
    // A random start: a delay, or a random position in the current range.
    void StartAfterRandomDelay();
    // The next update shows the range's last frame to within 0.0001.
    void SetLastFrame();
    // Everything but the ranges and the frame count.
    void CopyState(const AnimationControl& source);
    // Ranges and state, only between controls of the same frame count.
    void CopyFrom(const AnimationControl& source);
    void Update();

    std::uint32_t GetFrameCount() const { return frameCount; }
    std::uint32_t GetFirstFrame() const { return firstFrame; }
    std::uint32_t GetSecondFrame() const { return secondFrame; }
    // The weight of the second frame.
    float GetBlend() const { return blend; }
    bool IsPlaying() const { return playing; }
    std::uint32_t GetRepeatsDone() const { return repeatsDone; }
    std::int32_t GetCurrentRangeId() const { return currentRange; }

private:
    // Tests reach the values that keep their construction values in the game.
    friend class AnimationControlProbe;

    // The current range without storing anything: (0, 0) when it was never added.
    std::pair<std::uint32_t, std::uint32_t> CurrentRange() const;
    // The number of frames of the current range minus 1.
    float CurrentSpan() const;
    // Case 1 of the update: brings time into the range and picks the frames.
    void PickFrames(std::uint64_t count);

    MessageManager* log;
    TimerManager* timers;
    std::uint32_t frameCount;

public:
    // Frames per second.
    float speed = 0.0f;
    // Frames from the start of the current range.
    float time = 0.0f;
    // True: the range starts over at its end; false: playing stops there.
    bool repeat = false;

private:
    // 0: no limit.
    std::uint32_t repeatLimit = 0;
    std::uint32_t repeatsDone = 0;
    float delayMinimum = 0.0f;
    float delayMaximum = 0.0f;
    float delayRemaining = 0.0f;
    bool interpolate = true;
    bool playing = false;
    std::map<std::int32_t, std::pair<std::uint32_t, std::uint32_t>> ranges;
    std::int32_t currentRange = -1;
    std::uint32_t firstFrame = 0;
    std::uint32_t secondFrame = 0;
    float blend = 0.0f;
};

} // namespace OrvaneEngine
