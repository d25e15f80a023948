#pragma once

#include "engine/sound/SoundBuffer.h"

namespace dsound
{
class IDirectSound;
class IDirectSound3DBuffer;
class IDirectSoundBuffer;
} // namespace dsound

namespace OrvaneEngine
{

class SoundSystem_DS7;
class Timer;
class TimerManager;
class Vector3;

// A sound buffer on a DirectSound secondary buffer. A stream follows the
// device's play cursor, so the device's clock, which never runs at the pace of
// the frame clock, cannot make it drift; a clock of the buffer's own only
// counts the whole turns of the ring between two updates.
class SoundBuffer_DS7 final : public SoundBuffer
{
public:
    // Loads the file at once.
    SoundBuffer_DS7(MessageManager* messageManager, FileManager* fileManager, TimerManager* timerManager,
                    SoundSystem_DS7* system, const std::string& name);
    // A second voice of a loaded static buffer, sharing its samples.
    explicit SoundBuffer_DS7(const SoundBuffer_DS7& source);
    ~SoundBuffer_DS7() override;

    void Unload() override;
    void CreateBuffer(const SoundBuffer* source) override;
    void ReleaseBuffer() override;
    bool WriteBuffer(std::uint32_t chunk, const std::vector<std::uint8_t>& scratch, std::uint32_t bytes) override;
    void QueueBuffer(std::uint32_t chunk) override;
    void UnqueueProcessedBuffers(std::vector<std::uint32_t>& chunks) override;

    // Every one of these does nothing without a device buffer.
    void Play(bool loop);
    void Pause();
    // Stops and rewinds.
    void Stop();
    bool IsPlaying() const;
    bool IsBufferLost() const;
    // Gives the lost memory back; a static buffer then reads its file again.
    bool Restore();
    void SetVolume(float volume);
    // Plays at the data's rate times the tempo.
    void SetTempo(float tempo);
    void SetPosition(const Vector3& position);

    // Null when the device refused the buffer.
    dsound::IDirectSoundBuffer* GetDeviceBuffer() const { return deviceBuffer; }
    dsound::IDirectSound3DBuffer* Get3DBuffer() const { return buffer3D; }
    bool HasEnded() const { return ended; }
    std::uint64_t GetPlayed() const { return played; }

private:
    std::uint32_t Status() const;
    // Bytes per second at the frequency the voice plays now.
    double PlayingByteRate() const;
    // Bytes the device played since the last update, the cursor being where
    // it stands now; restarts the clock.
    std::uint64_t Advance(std::uint32_t cursor);
    void PauseClock(bool pause);
    void ResetClock(float seconds);

    TimerManager* timerManager;
    SoundSystem_DS7* system;
    dsound::IDirectSound* device;
    dsound::IDirectSoundBuffer* deviceBuffer = nullptr;
    dsound::IDirectSound3DBuffer* buffer3D = nullptr;
    std::uint32_t ringPosition = 0;
    // 64 bits: hours of looping music must not wrap the count.
    std::uint64_t played = 0;
    // The first chunk of the stream, counted from its start, whose place in
    // the ring is still to be refilled; the reader stands at the data of the
    // chunk one ring after it.
    std::uint64_t nextRefill = 0;
    bool ended = false;
    Timer* streamClock = nullptr;
    bool clockRunning = false;
    // The frequency the device took last; 0 until a tempo is set.
    std::uint32_t frequency = 0;
};

} // namespace OrvaneEngine
