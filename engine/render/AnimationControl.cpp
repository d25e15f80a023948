#include "engine/render/AnimationControl.h"

#include "engine/core/MathConstants.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

// Wraps of a repeating range done one at a time, as the frame arithmetic
// has always done them; beyond this (a time far past the range) they are
// taken all at once so that an update never spins.
constexpr double kStepwiseWraps = 1024.0;

std::uint32_t SaturatedAdd(std::uint32_t value, double amount)
{
    return static_cast<std::uint32_t>(std::min(static_cast<double>(value) + amount, 4294967295.0));
}

} // namespace

AnimationControl::AnimationControl(MessageManager* log_, TimerManager* timers_, std::uint32_t frameCount_)
    : log(log_), timers(timers_), frameCount(std::max<std::uint32_t>(frameCount_, 1))
{
    AddRange(-1, 0, frameCount - 1);
    SetAnimation(-1);
}

AnimationControl::AnimationControl(const AnimationControl& source)
    : log(source.log), timers(source.timers), frameCount(source.frameCount)
{
    CopyFrom(source);
}

AnimationControl::~AnimationControl() = default;

void AnimationControl::AddRange(std::int32_t id, std::uint32_t first, std::uint32_t last)
{
    ranges.try_emplace(id, first, last);
}

void AnimationControl::SetAnimation(std::int32_t id)
{
    currentRange = id;
    time = 0.0f;
}

void AnimationControl::Play()
{
    playing = true;
    repeatsDone = 0;
    delayRemaining = RandomFloatRange(delayMinimum, delayMaximum);
}

void AnimationControl::Stop()
{
    playing = false;
    time = 0.0f;
}

void AnimationControl::StartAfterRandomDelay()
{
    const float delay = RandomFloatRange(delayMinimum, delayMaximum) * RandomSigned();
    delayRemaining = delay > 0.0f ? delay : 0.0f;
    if (delayRemaining < kMathTolerance)
        time = RandomFloatRange(0.0f, CurrentSpan());
    else
        time = 0.0f;
}

void AnimationControl::SetLastFrame()
{
    time = CurrentSpan() - kMathTolerance;
}

void AnimationControl::CopyState(const AnimationControl& source)
{
    speed = source.speed;
    time = source.time;
    repeat = source.repeat;
    repeatLimit = source.repeatLimit;
    repeatsDone = source.repeatsDone;
    delayMinimum = source.delayMinimum;
    delayMaximum = source.delayMaximum;
    delayRemaining = source.delayRemaining;
    interpolate = source.interpolate;
    playing = source.playing;
    firstFrame = source.firstFrame;
    secondFrame = source.secondFrame;
    blend = source.blend;
    currentRange = source.currentRange;
}

void AnimationControl::CopyFrom(const AnimationControl& source)
{
    if (source.frameCount != frameCount)
        return;
    ranges = source.ranges;
    CopyState(source);
}

std::pair<std::uint32_t, std::uint32_t> AnimationControl::CurrentRange() const
{
    const auto found = ranges.find(currentRange);
    return found != ranges.end() ? found->second : std::pair<std::uint32_t, std::uint32_t>(0, 0);
}

float AnimationControl::CurrentSpan() const
{
    const auto [first, last] = CurrentRange();
    return static_cast<float>(first > last ? first - last : last - first);
}

void AnimationControl::Update()
{
    const auto [first, last] = ranges.try_emplace(currentRange, 0u, 0u).first->second;
    const std::uint32_t low = std::min(first, last);
    const std::uint32_t high = std::max(first, last);
    const bool backwards = last < first;
    // 64 bits: the range (0, 0xFFFFFFFF) has 2^32 frames.
    const std::uint64_t count = std::uint64_t{high} - low + 1;

    firstFrame = 0;
    secondFrame = 0;
    blend = 0.0f;

    const float frameTime = timers->frameTime;
    delayRemaining -= frameTime;
    if (playing && (!repeat || delayRemaining < kMathTolerance))
        time += speed * frameTime;

    const bool repeatsLeft = repeatLimit == 0 || std::uint64_t{repeatsDone} + 1 < repeatLimit;
    if ((repeat && repeatsLeft && delayMaximum < kMathTolerance) || time + 1.0f < static_cast<float>(count))
    {
        PickFrames(count);
    }
    else if (!repeat)
    {
        // The end was reached: rest on the last frame.
        firstFrame = static_cast<std::uint32_t>(count - 1);
        secondFrame = 0;
        time = static_cast<float>(count - 1);
        playing = false;
    }
    else
    {
        // Repeats used up or a delay set: wait on the first frame.
        if (delayRemaining < kMathTolerance)
            delayRemaining = RandomFloatRange(delayMinimum, delayMaximum);
        firstFrame = 0;
        // A one-frame range has no frame 1 to blend towards.
        secondFrame = count > 1 ? 1 : 0;
        time = 0.0f;
        playing = delayMaximum > kMathTolerance;
    }

    if (backwards)
    {
        const auto lastIndex = static_cast<std::uint32_t>(count - 1);
        firstFrame = lastIndex - firstFrame;
        secondFrame = lastIndex - secondFrame;
        blend = 1.0f - blend;
        std::swap(firstFrame, secondFrame);
    }
    firstFrame += low;
    secondFrame += low;
    if (!interpolate)
        blend = 0.0f;
}

void AnimationControl::PickFrames(std::uint64_t count)
{
    // Nothing brings an infinite or NaN time back; a negative one (negative
    // speed, or written by a caller) shows the first frame until it turns.
    if (!std::isfinite(time))
        time = 0.0f;

    if (count > 1)
    {
        const double span = static_cast<double>(count - 1);
        double frame = std::trunc(static_cast<double>(std::max(time, 0.0f)));
        if (frame >= span)
        {
            if (std::floor(frame / span) <= kStepwiseWraps)
            {
                while (frame >= span)
                {
                    frame -= span;
                    time -= static_cast<float>(span);
                    repeatsDone = SaturatedAdd(repeatsDone, 1.0);
                }
            }
            else
            {
                repeatsDone = SaturatedAdd(repeatsDone, std::floor(frame / span));
                time = static_cast<float>(std::fmod(static_cast<double>(time), span));
                // A remainder just below the span may round up to it: that is frame 0.
                if (!(time < static_cast<float>(span)))
                    time = 0.0f;
            }
        }
    }

    const float position = std::max(time, 0.0f);
    double frame = std::trunc(static_cast<double>(position));
    blend = position - static_cast<float>(frame);
    const double frames = static_cast<double>(count);
    if (frame >= frames)
        frame = std::fmod(frame, frames);
    firstFrame = static_cast<std::uint32_t>(frame);
    secondFrame = static_cast<std::uint64_t>(firstFrame) + 1 >= count ? 0 : firstFrame + 1;
}

} // namespace OrvaneEngine
