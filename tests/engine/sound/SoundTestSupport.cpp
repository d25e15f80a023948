#include "tests/engine/sound/SoundTestSupport.h"

#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/FileBytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace corvellan::test
{

SoundFiles::SoundFiles()
{
    // Only the sound code's own lines matter here.
    log.ClearMessages();
}

SoundFiles::~SoundFiles() = default;

void SoundFiles::WriteData(const std::string& name, const std::string& bytes)
{
    std::string relative = "data/" + name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    ASSERT_TRUE(WriteFileBytes(root.Join(relative), bytes));
}

std::vector<std::string> SoundFiles::LogTexts() const
{
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        texts.push_back(log.GetMessage(static_cast<std::uint32_t>(i)).text);
    return texts;
}

bool SoundFiles::HasError(const std::string& text) const
{
    const std::vector<std::string> texts = LogTexts();
    return std::find(texts.begin(), texts.end(), "\nError: " + text + "!\n\n") != texts.end();
}

std::uint32_t SoundFiles::ErrorCount() const
{
    std::uint32_t count = 0;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        count += log.GetMessage(static_cast<std::uint32_t>(i)).level == 2 ? 1 : 0;
    return count;
}

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

void SoundDevice::Frame(std::uint32_t milliseconds)
{
    win32::testing::AdvanceFakeMilliseconds(milliseconds);
    manager->Update(true);
}

std::string CountingStereo16(std::uint32_t frames)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * 2);
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        samples[2 * frame] = static_cast<std::int16_t>(frame & 0x7FFF);
        samples[2 * frame + 1] = static_cast<std::int16_t>(frame >> 15);
    }
    return content::WavWriter::Simple({1, 2, 22050, 16}, content::Samples16(samples));
}

} // namespace corvellan::test
