#pragma once

#include "platform/dsound/Spatial.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dsound
{

class IDirectSoundBuffer;

// Sample memory of a buffer, shared with its duplicates; its size never
// changes after creation.
using SampleMemory = std::vector<std::uint8_t>;

// What the mixer knows of one secondary buffer. Every field is guarded by the
// mixer's mutex; the audio callback reads the samples and moves the cursor.
struct Voice
{
    Voice(IDirectSoundBuffer* buffer, std::shared_ptr<SampleMemory> memory, std::uint32_t channelCount,
          std::uint32_t bitCount, std::uint32_t rate, bool is3D);

    // Whole frames only: a trailing partial frame is never read.
    std::uint32_t FrameCount() const { return frameCount; }
    std::uint32_t BlockAlign() const { return blockAlign; }
    // Byte offset of the frame the cursor stands on.
    std::uint32_t CursorBytes() const;
    // Moves the cursor to the frame holding the byte offset.
    void SetCursorBytes(std::uint32_t offset);
    // Recomputes the fixed-point channel gains from volume, pan and position.
    void UpdateGains(const ListenerState& listener);
    // Adds `frames` output frames of this voice to the accumulator (one value
    // per output channel and frame, each share within -32768..32768) and
    // moves the cursor; a one-shot voice that reaches its end stops with its
    // cursor at 0. Never allocates.
    void Mix(std::int32_t* accumulator, std::uint32_t frames, std::uint32_t outputChannels,
             std::uint32_t outputRate);

    IDirectSoundBuffer* const owner;
    const std::shared_ptr<SampleMemory> samples;
    const std::uint32_t channels;
    const std::uint32_t bits;
    const std::uint32_t formatRate;
    const bool spatial;

    bool playing = false;
    bool looping = false;
    bool lost = false;
    std::uint32_t frequency;
    std::int32_t volume = 0;
    std::int32_t pan = 0;
    Vector3f position{};
    Vector3f pendingPosition{};
    bool positionPending = false;

    // 32.32 fixed point: whole frames above, the fraction below.
    std::uint64_t phase = 0;
    std::int32_t gainLeft = 65536;
    std::int32_t gainRight = 65536;

private:
    std::uint32_t blockAlign;
    std::uint32_t frameCount;
};

} // namespace dsound
