// The answers the sound code branches on: every refusal with its code, the
// value kept after a refusal, and the shapes of Lock, Play and duplicates.
#include "platform/dsound/IDirectSound3DBuffer.h"
#include "platform/dsound/IDirectSound3DListener.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/platform/dsound/TestDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace corvellan::test
{
namespace
{
using namespace dsound;

constexpr std::uint32_t volumeAndFrequency = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY;

TEST(StandInCodes, EveryRefusalHasItsCode)
{
    // The primary buffer as the game makes it: volume, no 3D.
    TestDevice sound(DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME);
    IDirectSoundBuffer* plain = sound.Create(volumeAndFrequency, Pcm(1, 16, 11025), 1000);
    IDirectSoundBuffer* panned = sound.Create(DSBCAPS_CTRLPAN, Pcm(2, 16, 22050), 1000);
    IDirectSoundBuffer* bare = sound.Create(DSBCAPS_STATIC, Pcm(1, 8, 22050), 1000);
    IDirectSoundBuffer* lost = sound.Create(volumeAndFrequency, Pcm(1, 16, 22050), 1000);
    ASSERT_TRUE(plain && panned && bare && lost);
    dsound::testing::MarkLost(lost);
    IDirectSound3DBuffer* spatial = nullptr;
    IDirectSoundBuffer* mono3D = sound.Create(DSBCAPS_CTRL3D, Pcm(1, 16, 22050), 1000);
    ASSERT_EQ(mono3D->QueryInterface(IID_IDirectSound3DBuffer, &spatial), DS_OK);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    IDirectSoundBuffer* none = nullptr;
    IDirectSound3DListener* listener = nullptr;
    IDirectSound3DBuffer* buffer3D = nullptr;
    WAVEFORMATEX threeChannels = Pcm(3, 16, 22050);
    WAVEFORMATEX defaultOutput = Pcm(2, 16, 22050);

    struct Case
    {
        const char* name;
        HRESULT expected;
        std::function<HRESULT()> call;
    };
    const Case cases[] = {
        {"SetVolume(1)", DSERR_INVALIDPARAM, [&] { return plain->SetVolume(1); }},
        {"SetVolume(-10001)", DSERR_INVALIDPARAM, [&] { return plain->SetVolume(-10001); }},
        {"SetFrequency(99)", DSERR_INVALIDPARAM, [&] { return plain->SetFrequency(99); }},
        {"SetFrequency(200001)", DSERR_INVALIDPARAM, [&] { return plain->SetFrequency(200001); }},
        {"SetPan(10001)", DSERR_INVALIDPARAM, [&] { return panned->SetPan(10001); }},
        {"SetPan without its flag", DSERR_CONTROLUNAVAIL, [&] { return plain->SetPan(-500); }},
        {"SetVolume without its flag", DSERR_CONTROLUNAVAIL, [&] { return bare->SetVolume(-500); }},
        {"SetFrequency without its flag", DSERR_CONTROLUNAVAIL, [&] { return bare->SetFrequency(11025); }},
        {"SetFormat below the priority level", DSERR_PRIOLEVELNEEDED,
         [&] {
             sound.device->SetCooperativeLevel(0, DSSCL_NORMAL);
             const HRESULT result = sound.primary->SetFormat(&defaultOutput);
             sound.device->SetCooperativeLevel(0, DSSCL_PRIORITY);
             return result;
         }},
        {"SetFormat with 3 channels", DSERR_BADFORMAT, [&] { return sound.primary->SetFormat(&threeChannels); }},
        {"SetFormat on a secondary buffer", DSERR_INVALIDCALL, [&] { return plain->SetFormat(&defaultOutput); }},
        {"SetCooperativeLevel(0)", DSERR_INVALIDPARAM, [&] { return sound.device->SetCooperativeLevel(0, 0); }},
        {"SetCooperativeLevel(5)", DSERR_INVALIDPARAM, [&] { return sound.device->SetCooperativeLevel(0, 5); }},
        {"buffer of 3 channels", DSERR_BADFORMAT, [&] { return sound.TryCreate(0, Pcm(3, 16, 22050), 600); }},
        {"buffer of 24 bits", DSERR_BADFORMAT, [&] { return sound.TryCreate(0, Pcm(1, 24, 22050), 600); }},
        {"buffer of tag 3", DSERR_BADFORMAT,
         [&] {
             WAVEFORMATEX format = Pcm(1, 16, 22050);
             format.wFormatTag = 3;
             return sound.TryCreate(0, format, 600);
         }},
        {"buffer at 99 Hz", DSERR_BADFORMAT, [&] { return sound.TryCreate(0, Pcm(1, 16, 99), 600); }},
        {"buffer of 3 bytes", DSERR_INVALIDPARAM, [&] { return sound.TryCreate(0, Pcm(1, 8, 22050), 3); }},
        {"buffer of 0x10000000 bytes", DSERR_INVALIDPARAM,
         [&] { return sound.TryCreate(0, Pcm(1, 8, 22050), 0x10000000); }},
        {"3D on stereo", DSERR_INVALIDPARAM, [&] { return sound.TryCreate(DSBCAPS_CTRL3D, Pcm(2, 16, 22050), 600); }},
        {"description of the 32-bit size", DSERR_INVALIDPARAM,
         [&] {
             WAVEFORMATEX format = Pcm(1, 16, 22050);
             DSBUFFERDESC description{36, 0, 600, 0, &format, {}};
             return sound.device->CreateSoundBuffer(&description, &none, nullptr);
         }},
        {"listener without 3D", DSERR_NOINTERFACE,
         [&] { return sound.primary->QueryInterface(IID_IDirectSound3DListener, &listener); }},
        {"3D buffer without 3D", DSERR_NOINTERFACE,
         [&] { return plain->QueryInterface(IID_IDirectSound3DBuffer, &buffer3D); }},
        {"3D position not a number", DSERR_INVALIDPARAM,
         [&] { return spatial->SetPosition(nan, 0.0f, 0.0f, DS3D_IMMEDIATE); }},
        {"duplicating the primary", DSERR_INVALIDCALL,
         [&] { return sound.device->DuplicateSoundBuffer(sound.primary, &none); }},
        {"Lock at the size", DSERR_INVALIDPARAM,
         [&] { return plain->Lock(1000, 1, &first, &firstBytes, &second, &secondBytes, 0); }},
        {"Lock of more than the size", DSERR_INVALIDPARAM,
         [&] { return plain->Lock(0, 1001, &first, &firstBytes, &second, &secondBytes, 0); }},
        {"Lock when lost", DSERR_BUFFERLOST,
         [&] { return lost->Lock(0, 10, &first, &firstBytes, &second, &secondBytes, 0); }},
        {"Play when lost", DSERR_BUFFERLOST, [&] { return lost->Play(0, 0, DSBPLAY_LOOPING); }},
        {"Unlock without Lock", DSERR_INVALIDCALL, [&] { return plain->Unlock(first, 0, nullptr, 0); }},
        {"SetCurrentPosition at the size", DSERR_INVALIDPARAM, [&] { return plain->SetCurrentPosition(1000); }},
        {"Play with an unknown flag", DSERR_INVALIDPARAM, [&] { return plain->Play(0, 0, 2); }},
    };
    for (const Case& check : cases)
    {
        SCOPED_TRACE(check.name);
        EXPECT_EQ(check.call(), check.expected);
    }
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(listener, nullptr);
    EXPECT_EQ(buffer3D, nullptr);
    spatial->Release();
}

TEST(StandInCodes, RefusedValuesLeaveTheOldOnes)
{
    TestDevice sound;
    IDirectSoundBuffer* buffer =
        sound.Create(volumeAndFrequency | DSBCAPS_CTRLPAN, Pcm(1, 16, 11025), 1000);
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(buffer->SetVolume(-500), DS_OK);
    ASSERT_EQ(buffer->SetFrequency(12000), DS_OK);
    ASSERT_EQ(buffer->SetPan(700), DS_OK);

    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetPan(-10001), DSERR_INVALIDPARAM);
    std::int32_t volume = 0;
    std::uint32_t frequency = 0;
    std::int32_t pan = 0;
    EXPECT_EQ(buffer->GetVolume(&volume), DS_OK);
    EXPECT_EQ(buffer->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(buffer->GetPan(&pan), DS_OK);
    EXPECT_EQ(volume, -500);
    EXPECT_EQ(frequency, 12000u);
    EXPECT_EQ(pan, 700);

    // The limits themselves are taken; frequency 0 is the format's rate.
    EXPECT_EQ(buffer->SetVolume(DSBVOLUME_MIN), DS_OK);
    EXPECT_EQ(buffer->SetVolume(DSBVOLUME_MAX), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_MIN), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_MAX), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    EXPECT_EQ(buffer->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 11025u);
}

TEST(StandInCodes, LockNearTheEndGivesTwoRegions)
{
    TestDevice sound;
    IDirectSoundBuffer* buffer = sound.Create(0, Pcm(1, 8, 22050), 1000);
    ASSERT_NE(buffer, nullptr);
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    ASSERT_EQ(buffer->Lock(900, 300, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 100u);
    EXPECT_EQ(secondBytes, 200u);
    ASSERT_NE(second, nullptr);
    // A second lock waits for the first to be given back.
    void* other = nullptr;
    std::uint32_t otherBytes = 0;
    EXPECT_EQ(buffer->Lock(0, 10, &other, &otherBytes, nullptr, nullptr, 0), DSERR_INVALIDCALL);
    std::memset(first, 0x11, firstBytes);
    std::memset(second, 0x22, secondBytes);
    ASSERT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);

    const std::vector<std::uint8_t> bytes = TestDevice::Read(buffer, 0, 1000);
    ASSERT_EQ(bytes.size(), 1000u);
    for (std::size_t i = 0; i < bytes.size(); ++i)
    {
        const std::uint8_t expected = i < 200 ? 0x22 : i >= 900 ? 0x11 : 128;
        ASSERT_EQ(bytes[i], expected) << "byte " << i;
    }

    // Without a second region the range stops at the end.
    ASSERT_EQ(buffer->Lock(900, 300, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    EXPECT_EQ(firstBytes, 100u);
    EXPECT_EQ(buffer->Unlock(first, firstBytes, nullptr, 0), DS_OK);
}

TEST(StandInCodes, PlayOnAPlayingBufferChangesOnlyTheLoopFlag)
{
    TestDevice sound;
    IDirectSoundBuffer* buffer = sound.Create(0, Pcm(1, 16, 22050), 2000);
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    sound.Mix(100);
    EXPECT_EQ(TestDevice::Cursor(buffer), 200u);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(TestDevice::Cursor(buffer), 200u);
    EXPECT_EQ(TestDevice::Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    sound.Mix(100);
    EXPECT_EQ(TestDevice::Cursor(buffer), 400u);

    // Stop keeps the cursor, Play goes on from it.
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_EQ(TestDevice::Status(buffer), 0u);
    sound.Mix(100);
    EXPECT_EQ(TestDevice::Cursor(buffer), 400u);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    sound.Mix(50);
    EXPECT_EQ(TestDevice::Cursor(buffer), 500u);
    ASSERT_EQ(buffer->SetCurrentPosition(1001), DS_OK);
    EXPECT_EQ(TestDevice::Cursor(buffer), 1000u); // whole frames only
}

TEST(StandInCodes, DuplicateSharesSamplesButNothingElse)
{
    TestDevice sound;
    IDirectSoundBuffer* original = sound.Create(volumeAndFrequency | DSBCAPS_STATIC, Pcm(1, 16, 22050), 200);
    ASSERT_NE(original, nullptr);
    ASSERT_EQ(original->SetVolume(-10000), DS_OK);
    ASSERT_EQ(original->SetFrequency(11025), DS_OK);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    sound.Mix(20);
    IDirectSoundBuffer* copy = sound.Duplicate(original);
    ASSERT_NE(copy, nullptr);

    // Its own cursor, status, volume and frequency.
    EXPECT_EQ(TestDevice::Cursor(copy), 0u);
    EXPECT_EQ(TestDevice::Status(copy), 0u);
    std::int32_t volume = 1;
    std::uint32_t frequency = 0;
    EXPECT_EQ(copy->GetVolume(&volume), DS_OK);
    EXPECT_EQ(copy->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(volume, 0);
    EXPECT_EQ(frequency, 22050u);

    // Writes through the original after the duplication reach the copy, and
    // the samples outlive the original.
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 100; ++i)
        ramp.push_back(static_cast<std::int16_t>(i * 300 - 15000));
    ASSERT_TRUE(TestDevice::Write(original, 0, Bytes16(ramp)));
    sound.Release(original);
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    const std::vector<std::int16_t> mixed = sound.Mix(100);
    for (std::size_t i = 0; i < ramp.size(); ++i)
    {
        ASSERT_EQ(mixed[2 * i], ramp[i]) << "frame " << i;
        ASSERT_EQ(mixed[2 * i + 1], ramp[i]) << "frame " << i;
    }
}

} // namespace
} // namespace corvellan::test
