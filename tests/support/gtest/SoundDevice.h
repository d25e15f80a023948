#pragma once

#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/dsound/Journal.h"
#include "tests/support/gtest/SoundFiles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dsound
{
class IDirectSoundBuffer;
}

namespace OrvaneEngine
{
class Sound;
class SoundBuffer_DS7;
} // namespace OrvaneEngine

namespace corvellan::test
{

// The sound system and manager over a paused device (only Mix and Frame move
// voices), with journals on and a millisecond clock that moves only when told.
class SoundDevice : public SoundFiles
{
protected:
    // Output frames a second of the device.
    static constexpr std::uint32_t outputRate = 22050;

    explicit SoundDevice(bool use3D = false);
    ~SoundDevice() override;

    OrvaneEngine::Sound* Create(const std::string& name) { return manager->CreateSound(name); }
    static OrvaneEngine::SoundBuffer_DS7* BufferOf(OrvaneEngine::Sound* sound);
    static dsound::IDirectSoundBuffer* DeviceBufferOf(OrvaneEngine::Sound* sound);
    static std::vector<dsound::JournalEntry> JournalOf(OrvaneEngine::Sound* sound);
    static void ClearJournalOf(OrvaneEngine::Sound* sound);
    // The entries of one kind of call.
    static std::vector<dsound::JournalEntry> CallsOf(OrvaneEngine::Sound* sound, dsound::JournalCall call);
    // Bytes of the device buffer, read through Lock and Unlock (the Lock is
    // journaled).
    static std::vector<std::uint8_t> DeviceBytes(OrvaneEngine::Sound* sound, std::uint32_t offset,
                                                 std::uint32_t bytes);
    // Runs the mixer for this many output frames (16-bit stereo).
    std::vector<std::int16_t> Mix(std::uint32_t frames) const;
    // One frame of the program: the clock moves on, the device plays what it
    // plays in that time, then one SoundManager::Update(true) runs. What the
    // device played.
    std::vector<std::int16_t> Frame(std::uint32_t milliseconds);
    // How fast the device runs against the frame clock: 0.98 plays 2 % fewer
    // frames than the clock's time holds.
    void SetDeviceSpeed(double speed) { deviceSpeed = speed; }

    std::unique_ptr<OrvaneEngine::SoundSystem_DS7> system;
    std::unique_ptr<OrvaneEngine::SoundManager> manager;

private:
    double deviceSpeed = 1.0;
    // Frames the device owes, below one.
    double owedFrames = 0.0;
};

} // namespace corvellan::test
