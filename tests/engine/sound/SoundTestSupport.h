#pragma once

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/dsound/Journal.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
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

// A root folder with a log, a file manager and timers, as the sound code
// gets them from the engine.
class SoundFiles : public ::testing::Test
{
protected:
    SoundFiles();
    ~SoundFiles() override;

    // Writes root/data/<name>, the name in the program's '\' form.
    void WriteData(const std::string& name, const std::string& bytes);
    // Every logged text of the test so far, as written.
    std::vector<std::string> LogTexts() const;
    // Whether an error entry with exactly this text (without the log's
    // frame) was written.
    bool HasError(const std::string& text) const;
    std::uint32_t ErrorCount() const;
    void ClearLog() { log.ClearMessages(); }

    TempFolder root;
    OrvaneEngine::MessageManager log{"Sound test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, root.Path(), ""};
    OrvaneEngine::TimerManager timers;
};

// The sound system and manager over a paused device (only Mix moves voices),
// with journals on and a millisecond clock that moves only when told.
class SoundDevice : public SoundFiles
{
protected:
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
    // Moves the clock on, then runs one SoundManager::Update(true).
    void Frame(std::uint32_t milliseconds);

    std::unique_ptr<OrvaneEngine::SoundSystem_DS7> system;
    std::unique_ptr<OrvaneEngine::SoundManager> manager;
};

// A WAV file of 16-bit stereo frames whose bytes tell their own offset, so a
// piece of the ring shows where in the file it came from.
std::string CountingStereo16(std::uint32_t frames);

} // namespace corvellan::test
