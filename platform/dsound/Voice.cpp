#include "platform/dsound/Voice.h"

#include "platform/dsound/Gain.h"

#include <algorithm>

namespace dsound
{
namespace
{
template <unsigned Bits>
std::int32_t Sample(const std::uint8_t* at)
{
    if constexpr (Bits == 8)
        return (static_cast<std::int32_t>(at[0]) - 128) * 256;
    else
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | (at[1] << 8)));
}

template <unsigned Bits>
std::int32_t Interpolate(const std::uint8_t* at, const std::uint8_t* next, std::int64_t fraction)
{
    const std::int32_t a = Sample<Bits>(at);
    const std::int32_t b = Sample<Bits>(next);
    return a + static_cast<std::int32_t>((static_cast<std::int64_t>(b - a) * fraction) >> 32);
}

// Samples lie in -32768..32767 and gains in 0..65536, so every product and
// every voice's share fits 32 bits.
template <unsigned OutputChannels>
void Accumulate(std::int32_t* accumulator, std::uint32_t i, std::int32_t left, std::int32_t right)
{
    if constexpr (OutputChannels == 2)
    {
        accumulator[2 * i] += left;
        accumulator[2 * i + 1] += right;
    }
    else
    {
        accumulator[i] += (left + right) >> 1;
    }
}

// One output frame from the frame at `phase` and the one following it.
template <unsigned Channels, unsigned Bits, unsigned OutputChannels>
void MixOne(const std::uint8_t* at, const std::uint8_t* following, std::uint64_t phase, std::int32_t gainLeft,
            std::int32_t gainRight, std::int32_t* accumulator, std::uint32_t i)
{
    constexpr unsigned sampleBytes = Bits / 8;
    const auto fraction = static_cast<std::int64_t>(static_cast<std::uint32_t>(phase));
    const std::int32_t left = Interpolate<Bits>(at, following, fraction);
    std::int32_t right = left;
    if constexpr (Channels == 2)
        right = Interpolate<Bits>(at + sampleBytes, following + sampleBytes, fraction);
    Accumulate<OutputChannels>(accumulator, i, (left * gainLeft) >> 16, (right * gainRight) >> 16);
}

template <unsigned Channels, unsigned Bits, unsigned OutputChannels>
void MixFrames(Voice& voice, std::int32_t* accumulator, std::uint32_t frames, std::uint64_t step)
{
    constexpr unsigned sampleBytes = Bits / 8;
    constexpr unsigned frameBytes = Channels * sampleBytes;
    constexpr std::uint64_t unit = std::uint64_t{1} << 32;
    const std::uint8_t* data = voice.samples->data();
    const std::uint32_t count = voice.FrameCount();
    const std::uint64_t end = static_cast<std::uint64_t>(count) << 32;
    // Below this phase the following frame lies inside the buffer.
    const std::uint64_t lastFrame = static_cast<std::uint64_t>(count - 1) << 32;
    const std::int32_t gainLeft = voice.gainLeft;
    const std::int32_t gainRight = voice.gainRight;
    const bool looping = voice.looping;
    std::uint64_t phase = voice.phase;

    std::uint32_t i = 0;
    while (i < frames)
    {
        if (phase < lastFrame)
        {
            // A run that never reaches the last frame needs no end checks.
            const std::uint64_t span = (lastFrame - phase + step - 1) / step;
            const auto run = static_cast<std::uint32_t>(std::min<std::uint64_t>(frames - i, span));
            const std::uint8_t* base = data + static_cast<std::size_t>(phase >> 32) * frameBytes;
            if (step == unit && static_cast<std::uint32_t>(phase) == 0)
            {
                // Same rate, on whole frames: the samples as they are.
                for (std::uint32_t k = 0; k < run; ++k)
                {
                    const std::uint8_t* at = base + static_cast<std::size_t>(k) * frameBytes;
                    const std::int32_t left = Sample<Bits>(at);
                    std::int32_t right = left;
                    if constexpr (Channels == 2)
                        right = Sample<Bits>(at + sampleBytes);
                    Accumulate<OutputChannels>(accumulator, i + k, (left * gainLeft) >> 16,
                                               (right * gainRight) >> 16);
                }
                phase += static_cast<std::uint64_t>(run) << 32;
            }
            else
            {
                for (std::uint32_t k = 0; k < run; ++k)
                {
                    const std::uint8_t* at = data + static_cast<std::size_t>(phase >> 32) * frameBytes;
                    MixOne<Channels, Bits, OutputChannels>(at, at + frameBytes, phase, gainLeft, gainRight,
                                                           accumulator, i + k);
                    phase += step;
                }
            }
            i += run;
        }
        else
        {
            // The last frame leans on the first one of the next pass, or on itself.
            const std::uint8_t* at = data + static_cast<std::size_t>(count - 1) * frameBytes;
            const std::uint8_t* following = looping ? data : at;
            MixOne<Channels, Bits, OutputChannels>(at, following, phase, gainLeft, gainRight, accumulator, i);
            phase += step;
            ++i;
        }
        if (phase >= end)
        {
            if (!looping)
            {
                voice.playing = false;
                voice.phase = 0;
                return;
            }
            phase %= end;
        }
    }
    voice.phase = phase;
}

template <unsigned Channels, unsigned Bits>
void MixFormat(Voice& voice, std::int32_t* accumulator, std::uint32_t frames, std::uint32_t outputChannels,
               std::uint64_t step)
{
    if (outputChannels == 2)
        MixFrames<Channels, Bits, 2>(voice, accumulator, frames, step);
    else
        MixFrames<Channels, Bits, 1>(voice, accumulator, frames, step);
}
} // namespace

Voice::Voice(IDirectSoundBuffer* buffer, std::shared_ptr<SampleMemory> memory, std::uint32_t channelCount,
             std::uint32_t bitCount, std::uint32_t rate, bool is3D)
    : owner(buffer), samples(std::move(memory)), channels(channelCount), bits(bitCount), formatRate(rate),
      spatial(is3D), frequency(rate), blockAlign(channelCount * bitCount / 8),
      frameCount(static_cast<std::uint32_t>(samples->size() / blockAlign))
{
}

std::uint32_t Voice::CursorBytes() const
{
    return static_cast<std::uint32_t>(phase >> 32) * blockAlign;
}

void Voice::SetCursorBytes(std::uint32_t offset)
{
    phase = static_cast<std::uint64_t>(offset / blockAlign) << 32;
}

void Voice::UpdateGains(const ListenerState& listener)
{
    double left = AttenuationToGain(volume);
    double right = left;
    if (pan < 0)
        right *= AttenuationToGain(pan);
    else if (pan > 0)
        left *= AttenuationToGain(-pan);
    if (spatial)
    {
        double spatialLeft = 1.0;
        double spatialRight = 1.0;
        SpatialGains(listener, position, spatialLeft, spatialRight);
        left *= spatialLeft;
        right *= spatialRight;
    }
    gainLeft = ToFixedGain(left);
    gainRight = ToFixedGain(right);
}

void Voice::Mix(std::int32_t* accumulator, std::uint32_t frames, std::uint32_t outputChannels,
                std::uint32_t outputRate)
{
    if (!playing || frames == 0)
        return;
    const std::uint64_t end = static_cast<std::uint64_t>(frameCount) << 32;
    // A cursor put into a trailing partial frame stands at the end already.
    if (phase >= end)
    {
        if (!looping)
        {
            playing = false;
            phase = 0;
            return;
        }
        phase %= end;
    }
    const std::uint64_t step = (static_cast<std::uint64_t>(frequency) << 32) / outputRate;
    if (channels == 1 && bits == 8)
        MixFormat<1, 8>(*this, accumulator, frames, outputChannels, step);
    else if (channels == 1)
        MixFormat<1, 16>(*this, accumulator, frames, outputChannels, step);
    else if (bits == 8)
        MixFormat<2, 8>(*this, accumulator, frames, outputChannels, step);
    else
        MixFormat<2, 16>(*this, accumulator, frames, outputChannels, step);
}

} // namespace dsound
