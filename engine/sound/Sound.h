#pragma once

#include "engine/core/Vector3.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class MessageManager;
class SoundBuffer;
class SoundBufferManager;

// A playable voice of one sound file, with a buffer of its own.
class Sound
{
public:
    enum State : std::uint32_t
    {
        Playing = 0,
        Paused = 1,
        Stopped = 2,
    };

    // Acquires the buffer by name; without a buffer manager the sound has no
    // buffer and every operation on it is silent.
    Sound(MessageManager* messageManager, SoundBufferManager* bufferManager, const std::string& name);
    virtual ~Sound();
    Sound& operator=(const Sound&) = delete;

    // Once per frame.
    virtual void Update();
    // Starts from the beginning, or resumes a paused sound.
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    // Stops and rewinds.
    virtual void Stop() = 0;
    virtual void SetLoop(bool loop);
    // Linear, 0..1.
    virtual void SetVolume(float volume);
    // Playback-rate factor.
    virtual void SetTempo(float tempo);
    virtual void SetPosition(const Vector3& position);
    virtual std::uint32_t GetState() const = 0;

    const std::string& GetName() const { return name; }
    SoundBuffer* GetBuffer() const { return buffer; }
    bool GetLoop() const { return loop; }
    float GetVolume() const { return volume; }
    float GetTempo() const { return tempo; }
    const Vector3& GetPosition() const { return position; }

protected:
    // A new voice of the same file with a buffer of its own, and the same
    // loop flag, volume, tempo and position.
    Sound(const Sound& source);

    MessageManager* messageManager;
    SoundBufferManager* bufferManager;
    std::string name;
    SoundBuffer* buffer = nullptr;
    bool loop = false;
    float volume = 1.0f;
    float tempo = 1.0f;
    Vector3 position{0.0f, 0.0f, 0.0f};
};

} // namespace OrvaneEngine
