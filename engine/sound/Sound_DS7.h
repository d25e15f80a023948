#pragma once

#include "engine/sound/Sound.h"

namespace OrvaneEngine
{

class SoundBuffer_DS7;
class SoundSystem_DS7;

// A sound on a DirectSound buffer.
class Sound_DS7 final : public Sound
{
public:
    Sound_DS7(MessageManager* messageManager, SoundSystem_DS7* system, SoundBufferManager* bufferManager,
              const std::string& name);
    // Starts stopped, with the source's settings applied to its own buffer.
    explicit Sound_DS7(const Sound_DS7& source);

    // Restores lost memory, and turns a voice that ended by itself into a
    // stopped sound.
    void Update() override;
    // Always succeeds, even without a device buffer.
    bool Play() override;
    void Pause() override;
    void Stop() override;
    // A playing static voice switches between looping and one-shot without
    // restarting.
    void SetLoop(bool loop) override;
    void SetVolume(float volume) override;
    void SetTempo(float tempo) override;
    void SetPosition(const Vector3& position) override;
    std::uint32_t GetState() const override { return state; }

    SoundBuffer_DS7* GetTypedBuffer() const { return typedBuffer; }
    SoundSystem_DS7* GetSystem() const { return system; }

private:
    void ApplySettings();

    SoundSystem_DS7* system;
    SoundBuffer_DS7* typedBuffer;
    std::uint32_t state = Stopped;
};

} // namespace OrvaneEngine
