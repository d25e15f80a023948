#include "tests/support/gtest/SoundDevice.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"

#include <cmath>
#include <cstring>

namespace corvellan::test
{

SoundDevice::SoundDevice(bool use3D)
{
    win32::testing::SetFakeMilliseconds(100000);
    dsound::testing::SetJournalEnabled(true);
    system = std::make_unique<OrvaneEngine::SoundSystem_DS7>(&log, &files, &timers, nullptr, nullptr, use3D);
    dsound::testing::SetDevicePaused(system->GetDevice(), true);
    manager = std::make_unique<OrvaneEngine::SoundManager>(&log, &files, system.get());
}

SoundDevice::~SoundDevice()
{
    manager.reset();
    system.reset();
    dsound::testing::SetJournalEnabled(false);
    dsound::testing::ClearFailures();
    win32::testing::ResetMultimediaTimer();
}

OrvaneEngine::SoundBuffer_DS7* SoundDevice::BufferOf(OrvaneEngine::Sound* sound)
{
    return static_cast<OrvaneEngine::Sound_DS7*>(sound)->GetTypedBuffer();
}

dsound::IDirectSoundBuffer* SoundDevice::DeviceBufferOf(OrvaneEngine::Sound* sound)
{
    return BufferOf(sound)->GetDeviceBuffer();
}

std::vector<dsound::JournalEntry> SoundDevice::JournalOf(OrvaneEngine::Sound* sound)
{
    dsound::IDirectSoundBuffer* buffer = DeviceBufferOf(sound);
    return buffer ? dsound::testing::GetJournal(buffer) : std::vector<dsound::JournalEntry>{};
}

void SoundDevice::ClearJournalOf(OrvaneEngine::Sound* sound)
{
    if (dsound::IDirectSoundBuffer* buffer = DeviceBufferOf(sound))
        dsound::testing::ClearJournal(buffer);
}

std::vector<dsound::JournalEntry> SoundDevice::CallsOf(OrvaneEngine::Sound* sound, dsound::JournalCall call)
{
    std::vector<dsound::JournalEntry> calls;
    for (const dsound::JournalEntry& entry : JournalOf(sound))
    {
        if (entry.call == call)
            calls.push_back(entry);
    }
    return calls;
}

std::vector<std::uint8_t> SoundDevice::DeviceBytes(OrvaneEngine::Sound* sound, std::uint32_t offset,
                                                   std::uint32_t bytes)
{
    dsound::IDirectSoundBuffer* buffer = DeviceBufferOf(sound);
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    if (!buffer || buffer->Lock(offset, bytes, &first, &firstBytes, &second, &secondBytes, 0) != dsound::DS_OK)
        return {};
    std::vector<std::uint8_t> copy(firstBytes + secondBytes);
    std::memcpy(copy.data(), first, firstBytes);
    if (secondBytes > 0)
        std::memcpy(copy.data() + firstBytes, second, secondBytes);
    // Writes nothing back; the Lock itself shows in the journal.
    buffer->Unlock(first, 0, second, 0);
    return copy;
}

std::vector<std::int16_t> SoundDevice::Mix(std::uint32_t frames) const
{
    return dsound::testing::Mix(system->GetDevice(), frames);
}

std::vector<std::int16_t> SoundDevice::Frame(std::uint32_t milliseconds)
{
    win32::testing::AdvanceFakeMilliseconds(milliseconds);
    owedFrames += milliseconds * (outputRate / 1000.0) * deviceSpeed;
    const double whole = std::floor(owedFrames);
    owedFrames -= whole;
    std::vector<std::int16_t> played = Mix(static_cast<std::uint32_t>(whole));
    manager->Update(true);
    return played;
}

} // namespace corvellan::test
