// What the mixer computes, frame by frame, with the device paused.
#include "platform/dsound/IDirectSound3DBuffer.h"
#include "platform/dsound/IDirectSound3DListener.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/platform/dsound/TestDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

namespace corvellan::test
{
namespace
{
using namespace dsound;

constexpr std::uint32_t controls = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN;

// Frames of the output, both channels.
struct Stereo
{
    std::vector<std::int16_t> left;
    std::vector<std::int16_t> right;

    void Add(std::int32_t l, std::int32_t r)
    {
        left.push_back(static_cast<std::int16_t>(l));
        right.push_back(static_cast<std::int16_t>(r));
    }
};

Stereo Split(const std::vector<std::int16_t>& interleaved)
{
    Stereo frames;
    for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2)
        frames.Add(interleaved[i], interleaved[i + 1]);
    return frames;
}

// Even values spread over most of the range, the same on every run.
std::vector<std::int16_t> Noise(std::size_t count, std::uint32_t seed)
{
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i < count; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        samples.push_back(static_cast<std::int16_t>(static_cast<std::int32_t>((seed >> 16) & 0x7FFE) - 16384));
    }
    return samples;
}

std::vector<std::int16_t> Repeat(const std::vector<std::int16_t>& samples, int times)
{
    std::vector<std::int16_t> repeated;
    for (int i = 0; i < times; ++i)
        repeated.insert(repeated.end(), samples.begin(), samples.end());
    return repeated;
}

std::vector<std::int16_t> Scaled(const std::vector<std::int16_t>& samples, double gain)
{
    std::vector<std::int16_t> scaled;
    for (std::int16_t sample : samples)
        scaled.push_back(static_cast<std::int16_t>(std::lround(sample * gain)));
    return scaled;
}

struct Expected
{
    std::uint32_t frames;
    Stereo output;
    int tolerance = 0;
    std::function<void()> after = {};
};

struct MixCase
{
    const char* name;
    std::function<Expected(TestDevice&)> arrange;
};

const std::vector<std::int16_t> source = Noise(100, 7);

Stereo Both(const std::vector<std::int16_t>& samples)
{
    return {samples, samples};
}

const MixCase mixCases[] = {
    {"16-bit mono 22050 Hz ramp",
     [](TestDevice& sound) {
         std::vector<std::int16_t> ramp;
         for (int i = 0; i < 200; ++i)
             ramp.push_back(static_cast<std::int16_t>(i * 300 - 30000));
         sound.CreateWith(0, Pcm(1, 16, 22050), Bytes16(ramp))->Play(0, 0, 0);
         return Expected{200, Both(ramp)};
     }},
    {"8-bit mono, bytes 192",
     [](TestDevice& sound) {
         sound.CreateWith(0, Pcm(1, 8, 22050), std::vector<std::uint8_t>(50, 192))->Play(0, 0, 0);
         return Expected{50, Both(std::vector<std::int16_t>(50, 16384))};
     }},
    {"8-bit stereo extremes",
     [](TestDevice& sound) {
         sound.CreateWith(0, Pcm(2, 8, 22050), {0, 255, 0, 255, 128, 128})->Play(0, 0, 0);
         return Expected{3, {{-32768, -32768, 0}, {32512, 32512, 0}}};
     }},
    {"16-bit stereo",
     [](TestDevice& sound) {
         std::vector<std::int16_t> interleaved;
         Stereo stored;
         for (std::size_t i = 0; i < source.size(); ++i)
         {
             const auto right = static_cast<std::int16_t>(-source[i] / 3 + 7);
             interleaved.insert(interleaved.end(), {source[i], right});
             stored.Add(source[i], right);
         }
         sound.CreateWith(0, Pcm(2, 16, 22050), Bytes16(interleaved))->Play(0, 0, 0);
         return Expected{100, stored};
     }},
    {"16-bit mono 11025 Hz: even frames the source, odd the mean",
     [](TestDevice& sound) {
         sound.CreateWith(0, Pcm(1, 16, 11025), Bytes16(source))->Play(0, 0, DSBPLAY_LOOPING);
         std::vector<std::int16_t> expected;
         for (std::size_t i = 0; i < source.size(); ++i)
         {
             const std::int32_t next = source[(i + 1) % source.size()]; // the loop joins the start
             expected.push_back(source[i]);
             expected.push_back(static_cast<std::int16_t>((source[i] + next) / 2));
         }
         return Expected{200, Both(expected)};
     }},
    {"SetFrequency(44100) on 22050 Hz: every second sample",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(controls, Pcm(1, 16, 22050), Bytes16(source));
         buffer->SetFrequency(44100);
         buffer->Play(0, 0, 0);
         std::vector<std::int16_t> expected;
         for (std::size_t i = 0; i < source.size(); i += 2)
             expected.push_back(source[i]);
         expected.resize(60, 0);
         return Expected{60, Both(expected)};
     }},
    {"volume -2000",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(controls, Pcm(1, 16, 22050), Bytes16(source));
         buffer->SetVolume(-2000);
         buffer->Play(0, 0, 0);
         return Expected{100, Both(Scaled(source, 0.1)), 1};
     }},
    {"volume -10000",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(controls, Pcm(1, 16, 22050), Bytes16(source));
         buffer->SetVolume(-10000);
         buffer->Play(0, 0, 0);
         return Expected{100, Both(std::vector<std::int16_t>(100, 0))};
     }},
    {"pan -2000",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(controls, Pcm(1, 16, 22050), Bytes16(source));
         buffer->SetPan(-2000);
         buffer->Play(0, 0, 0);
         return Expected{100, {source, Scaled(source, 0.1)}, 1};
     }},
    {"pan 10000",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(controls, Pcm(1, 16, 22050), Bytes16(source));
         buffer->SetPan(10000);
         buffer->Play(0, 0, 0);
         return Expected{100, {std::vector<std::int16_t>(100, 0), source}};
     }},
    {"two voices of +-30000 clamp",
     [](TestDevice& sound) {
         const std::vector<std::int16_t> frames = {30000, -30000, 30000, -30000};
         sound.CreateWith(0, Pcm(2, 16, 22050), Bytes16(frames))->Play(0, 0, 0);
         sound.CreateWith(0, Pcm(2, 16, 22050), Bytes16(frames))->Play(0, 0, 0);
         return Expected{2, {{32767, 32767}, {-32768, -32768}}};
     }},
    {"primary volume -2000",
     [](TestDevice& sound) {
         sound.CreateWith(0, Pcm(1, 16, 22050), Bytes16(source))->Play(0, 0, 0);
         sound.primary->SetVolume(-2000);
         return Expected{100, Both(Scaled(source, 0.1)), 1};
     }},
    {"one-shot of 100 frames mixed for 300",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(0, Pcm(1, 16, 22050), Bytes16(source));
         buffer->Play(0, 0, 0);
         std::vector<std::int16_t> expected = source;
         expected.resize(300, 0);
         return Expected{300, Both(expected), 0, [buffer] {
                             EXPECT_EQ(TestDevice::Status(buffer), 0u);
                             EXPECT_EQ(TestDevice::Cursor(buffer), 0u);
                         }};
     }},
    {"looping 100 frames mixed for 300",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(0, Pcm(1, 16, 22050), Bytes16(source));
         buffer->Play(0, 0, DSBPLAY_LOOPING);
         return Expected{300, Both(Repeat(source, 3)), 0, [buffer] {
                             EXPECT_EQ(TestDevice::Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
                             EXPECT_EQ(TestDevice::Cursor(buffer), 0u);
                         }};
     }},
    {"a trailing partial frame is never read",
     [](TestDevice& sound) {
         std::vector<std::int16_t> interleaved;
         for (std::int16_t sample : source)
             interleaved.insert(interleaved.end(), {sample, sample});
         interleaved.push_back(32767); // half a frame
         sound.CreateWith(0, Pcm(2, 16, 22050), Bytes16(interleaved))->Play(0, 0, DSBPLAY_LOOPING);
         return Expected{200, Both(Repeat(source, 2))};
     }},
    {"one-shot ending exactly at the end of the mix",
     [](TestDevice& sound) {
         IDirectSoundBuffer* buffer = sound.CreateWith(0, Pcm(1, 16, 22050), Bytes16(source));
         buffer->Play(0, 0, 0);
         return Expected{100, Both(source), 0, [buffer] { EXPECT_EQ(TestDevice::Status(buffer), 0u); }};
     }},
};

TEST(MixerSamples, EachVoiceGivesItsFrames)
{
    for (const MixCase& mixCase : mixCases)
    {
        SCOPED_TRACE(mixCase.name);
        TestDevice sound;
        const Expected expected = mixCase.arrange(sound);
        const Stereo mixed = Split(sound.Mix(expected.frames));
        ASSERT_EQ(mixed.left.size(), expected.frames);
        ASSERT_EQ(expected.output.left.size(), expected.frames);
        for (std::uint32_t i = 0; i < expected.frames; ++i)
        {
            ASSERT_LE(std::abs(mixed.left[i] - expected.output.left[i]), expected.tolerance) << "left, frame " << i;
            ASSERT_LE(std::abs(mixed.right[i] - expected.output.right[i]), expected.tolerance)
                << "right, frame " << i;
        }
        if (expected.after)
            expected.after();
    }
}

TEST(MixerSamples, TheMixFollowsThePrimaryFormat)
{
    TestDevice sound;
    WAVEFORMATEX mono8 = Pcm(1, 8, 11025);
    ASSERT_EQ(sound.primary->SetFormat(&mono8), DS_OK);
    const std::vector<std::uint8_t> bytes = {0, 1, 127, 128, 129, 200, 255, 64};
    sound.CreateWith(0, Pcm(1, 8, 11025), bytes)->Play(0, 0, 0);
    // A stereo voice goes in as the mean of its channels.
    sound.CreateWith(0, Pcm(2, 16, 11025), Bytes16({256, -256, 512, 0}))->Play(0, 0, 0);
    std::vector<std::uint8_t> expected = bytes;
    expected[1] = 2;
    expected.push_back(128);
    EXPECT_EQ(dsound::testing::MixBytes(sound.device, 9), expected);
}

// A mono voice at 20000 heard through the listener.
class Spatial : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::vector<std::int16_t> level(400, 20000);
        voice = sound.CreateWith(DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME, Pcm(1, 16, 22050), Bytes16(level));
        ASSERT_NE(voice, nullptr);
        ASSERT_EQ(voice->QueryInterface(IID_IDirectSound3DBuffer, &voice3D), DS_OK);
        ASSERT_EQ(sound.primary->QueryInterface(IID_IDirectSound3DListener, &listener), DS_OK);
        ASSERT_EQ(voice->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    }

    void TearDown() override
    {
        if (voice3D)
            voice3D->Release();
        if (listener)
            listener->Release();
    }

    // The first frame of a short mix, both channels.
    std::pair<int, int> Heard() const
    {
        const std::vector<std::int16_t> mixed = sound.Mix(4);
        return {mixed[0], mixed[1]};
    }

    TestDevice sound;
    IDirectSoundBuffer* voice = nullptr;
    IDirectSound3DBuffer* voice3D = nullptr;
    IDirectSound3DListener* listener = nullptr;
};

TEST_F(Spatial, DeferredValuesWaitForTheCommit)
{
    ASSERT_EQ(voice3D->SetPosition(0.0f, 0.0f, 2.0f, DS3D_DEFERRED), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(20000, 20000));
    ASSERT_EQ(listener->CommitDeferredSettings(), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(10000, 10000));

    ASSERT_EQ(listener->SetPosition(0.0f, 0.0f, 1.5f, DS3D_DEFERRED), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(10000, 10000));
    ASSERT_EQ(listener->CommitDeferredSettings(), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(20000, 20000)); // within one unit: no fall

    ASSERT_EQ(listener->SetPosition(0.0f, 0.0f, -2.0f, DS3D_IMMEDIATE), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(5000, 5000));
    ASSERT_EQ(voice3D->SetPosition(0.0f, 0.0f, 0.0f, DS3D_IMMEDIATE), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(10000, 10000));
}

TEST_F(Spatial, TheSideFollowsTopCrossFront)
{
    ASSERT_EQ(voice3D->SetPosition(2.0f, 0.0f, 0.0f, DS3D_IMMEDIATE), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(0, 10000)); // default: front +z, top +y, right +x

    ASSERT_EQ(listener->SetOrientation(0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f, DS3D_IMMEDIATE), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(10000, 0)); // facing -z, +x is on the left

    // Half-way to the side: the far channel is halved.
    ASSERT_EQ(voice3D->SetPosition(-1.0f, 0.0f, -std::sqrt(3.0f), DS3D_IMMEDIATE), DS_OK);
    const auto [left, right] = Heard();
    EXPECT_NEAR(left, 5000, 1);
    EXPECT_NEAR(right, 10000, 1);

    // Volume still applies on top.
    ASSERT_EQ(voice->SetVolume(-10000), DS_OK);
    EXPECT_EQ(Heard(), std::make_pair(0, 0));
}

} // namespace
} // namespace corvellan::test
