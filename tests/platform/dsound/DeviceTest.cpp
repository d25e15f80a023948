// The device's life over the platform library, and the test hooks the sound
// code's recovery paths are exercised through.
#include "platform/dsound/IDirectSound3DBuffer.h"
#include "platform/dsound/IDirectSound3DListener.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/platform/dsound/TestDevice.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvellan::test
{
namespace
{
using namespace dsound;
using dsound::testing::FailingCall;

TEST(Device, WithoutADriverNothingIsLeftOpen)
{
    ScopedEnvironment driver("SDL_AUDIODRIVER", "nosuchdriver");
    IDirectSound* device = reinterpret_cast<IDirectSound*>(&driver);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
    EXPECT_FALSE(dsound::testing::IsAudioStarted());
    EXPECT_TRUE(dsound::testing::GetDevices().empty());
}

TEST(Device, TheLastReleaseClosesIt)
{
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    EXPECT_TRUE(dsound::testing::IsAudioStarted());
    EXPECT_EQ(dsound::testing::GetDevices(), std::vector<IDirectSound*>{device});

    WAVEFORMATEX format = Pcm(1, 16, 22050);
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), 0, 100, 0, &format, {}};
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    EXPECT_EQ(device->AddRef(), 2);
    EXPECT_EQ(device->Release(), 1);
    EXPECT_EQ(device->Release(), 0);
    // The buffer still plays into the output it was made for.
    EXPECT_TRUE(dsound::testing::IsAudioStarted());
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(buffer->Release(), 0);
    EXPECT_FALSE(dsound::testing::IsAudioStarted());
}

TEST(Device, OnePrimaryBufferReportsEveryVoice)
{
    TestDevice sound;
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
    IDirectSoundBuffer* again = nullptr;
    ASSERT_EQ(sound.device->CreateSoundBuffer(&description, &again, nullptr), DS_OK);
    EXPECT_EQ(again, sound.primary);
    again->Release();
    EXPECT_EQ(dsound::testing::GetPrimaryBuffer(sound.device), sound.primary);

    IDirectSoundBuffer* voice = sound.Create(0, Pcm(1, 16, 22050), 100);
    EXPECT_EQ(TestDevice::Status(sound.primary), 0u);
    ASSERT_EQ(voice->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(TestDevice::Status(sound.primary), DSBSTATUS_PLAYING);
    dsound::testing::MarkLost(sound.primary);
    EXPECT_EQ(TestDevice::Status(sound.primary), DSBSTATUS_PLAYING | DSBSTATUS_BUFFERLOST);
    sound.Mix(50); // the voice ends
    EXPECT_EQ(TestDevice::Status(sound.primary), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(sound.primary->Play(0, 0, DSBPLAY_LOOPING), DSERR_BUFFERLOST);
    EXPECT_EQ(sound.primary->Restore(), DS_OK);
    EXPECT_EQ(TestDevice::Status(sound.primary), 0u);
    EXPECT_EQ(sound.primary->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
}

TEST(Hooks, DeviceCreationFailsOnceWithTheGivenCode)
{
    dsound::testing::FailNextCall(FailingCall::Device, DSERR_ALLOCATED);
    IDirectSound* device = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_ALLOCATED);
    EXPECT_EQ(device, nullptr);
    EXPECT_FALSE(dsound::testing::IsAudioStarted());
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    // The test drivers have a single output: a second device finds none.
    IDirectSound* second = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &second, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(second, nullptr);
    device->Release();
}

TEST(Hooks, EachOtherKindOfCallFailsOnceWithTheGivenCode)
{
    TestDevice sound;
    IDirectSoundBuffer* mono = sound.Create(DSBCAPS_CTRL3D, Pcm(1, 16, 22050), 100);
    ASSERT_NE(mono, nullptr);
    WAVEFORMATEX output = Pcm(2, 16, 22050);

    struct Case
    {
        FailingCall call;
        HRESULT code;
        std::function<HRESULT()> attempt;
    };
    const Case cases[] = {
        {FailingCall::CooperativeLevel, DSERR_ALLOCATED,
         [&] { return sound.device->SetCooperativeLevel(0, DSSCL_PRIORITY); }},
        {FailingCall::Primary, DSERR_OUTOFMEMORY,
         [&] {
             DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
             IDirectSoundBuffer* primary = nullptr;
             const HRESULT result = sound.device->CreateSoundBuffer(&description, &primary, nullptr);
             if (primary)
                 primary->Release();
             return result;
         }},
        {FailingCall::SetFormat, DSERR_BADFORMAT, [&] { return sound.primary->SetFormat(&output); }},
        {FailingCall::Listener, DSERR_GENERIC,
         [&] {
             IDirectSound3DListener* listener = nullptr;
             const HRESULT result = sound.primary->QueryInterface(IID_IDirectSound3DListener, &listener);
             if (listener)
                 listener->Release();
             return result;
         }},
        {FailingCall::CreateBuffer, DSERR_OUTOFMEMORY,
         [&] { return sound.TryCreate(0, Pcm(1, 8, 22050), 100); }},
        {FailingCall::DuplicateBuffer, DSERR_ALLOCATED,
         [&] {
             IDirectSoundBuffer* copy = nullptr;
             const HRESULT result = sound.device->DuplicateSoundBuffer(mono, &copy);
             if (copy)
                 sound.Keep(copy);
             return result;
         }},
        {FailingCall::Buffer3D, DSERR_NOINTERFACE,
         [&] {
             IDirectSound3DBuffer* buffer3D = nullptr;
             const HRESULT result = mono->QueryInterface(IID_IDirectSound3DBuffer, &buffer3D);
             if (buffer3D)
                 buffer3D->Release();
             return result;
         }},
        {FailingCall::Restore, DSERR_BUFFERLOST, [&] { return mono->Restore(); }},
    };
    for (const Case& check : cases)
    {
        SCOPED_TRACE(static_cast<int>(check.call));
        dsound::testing::FailNextCall(check.call, check.code);
        EXPECT_EQ(check.attempt(), check.code);
        EXPECT_EQ(check.attempt(), DS_OK);
    }
}

TEST(Hooks, ALostBufferComesBackSilent)
{
    TestDevice sound;
    const std::vector<std::uint8_t> bytes(200, 200);
    IDirectSoundBuffer* buffer = sound.CreateWith(DSBCAPS_STATIC, Pcm(1, 8, 22050), bytes);
    IDirectSoundBuffer* copy = sound.Duplicate(buffer);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    dsound::testing::MarkLost(buffer);
    EXPECT_EQ(TestDevice::Status(buffer), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(TestDevice::Status(copy), 0u);
    EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);

    dsound::testing::FailNextCall(FailingCall::Restore, DSERR_BUFFERLOST);
    EXPECT_EQ(buffer->Restore(), DSERR_BUFFERLOST);
    EXPECT_EQ(TestDevice::Status(buffer), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(buffer->Restore(), DS_OK);
    EXPECT_EQ(TestDevice::Status(buffer), 0u);
    // The memory is shared, so the duplicate hears the silence too.
    EXPECT_EQ(TestDevice::Read(buffer, 0, 200), std::vector<std::uint8_t>(200, 128));
    EXPECT_EQ(TestDevice::Read(copy, 0, 200), std::vector<std::uint8_t>(200, 128));
    EXPECT_TRUE(TestDevice::Write(buffer, 0, bytes));
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
}

TEST(Hooks, TheJournalRecordsEachCallWithItsResult)
{
    dsound::testing::SetJournalEnabled(true);
    TestDevice sound;
    IDirectSoundBuffer* buffer =
        sound.Create(DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, Pcm(2, 16, 44100), 131072);
    ASSERT_TRUE(TestDevice::Write(buffer, 98304, std::vector<std::uint8_t>(65536, 1)));
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    buffer->SetVolume(-693);
    buffer->SetVolume(693);
    buffer->SetFrequency(66150);
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    IDirectSoundBuffer* copy = sound.Duplicate(buffer);
    dsound::testing::SetJournalEnabled(false);
    buffer->Stop();

    using dsound::JournalCall;
    const std::vector<JournalEntry> expected = {
        {JournalCall::Create, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, 131072, DS_OK},
        {JournalCall::Lock, 98304, 65536, DS_OK},
        {JournalCall::Play, DSBPLAY_LOOPING, 0, DS_OK},
        {JournalCall::SetVolume, -693, 0, DS_OK},
        {JournalCall::SetVolume, 693, 0, DSERR_INVALIDPARAM},
        {JournalCall::SetFrequency, 66150, 0, DS_OK},
        {JournalCall::Stop, 0, 0, DS_OK},
        {JournalCall::SetCurrentPosition, 0, 0, DS_OK},
    };
    EXPECT_EQ(dsound::testing::GetJournal(buffer), expected);
    const std::vector<JournalEntry> duplicated = {
        {JournalCall::Duplicate, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, 131072, DS_OK}};
    EXPECT_EQ(dsound::testing::GetJournal(copy), duplicated);
    EXPECT_EQ(dsound::testing::GetSecondaryBuffers(sound.device), (std::vector<IDirectSoundBuffer*>{buffer, copy}));
    dsound::testing::ClearJournal(buffer);
    EXPECT_TRUE(dsound::testing::GetJournal(buffer).empty());
}

} // namespace
} // namespace corvellan::test
