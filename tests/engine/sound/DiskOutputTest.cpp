// End to end through the audio library's disk driver, in real time: what
// the sounds ask for is what the output file holds.
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/engine/sound/SoundTestSupport.h"
#include "tests/support/FileBytes.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using content::WavWriter;

constexpr double pi = 3.14159265358979323846;

class DiskOutput : public SoundFiles
{
protected:
    using Step = std::function<bool(SoundManager&, SoundSystem_DS7&)>;

    // Opens the sound system on the disk driver, runs `start`, then updates
    // every 16 ms until `step` says stop (or `limit` ms pass); the left
    // channel of what the device wrote, from the first sound on.
    std::vector<std::int16_t> Record(const Step& start, const Step& step, std::uint32_t limit)
    {
        const std::string output = root.Join("output.raw");
        {
            ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
            ScopedEnvironment file("SDL_DISKAUDIOFILE", output);
            SoundSystem_DS7 system(&log, &files, &timers, nullptr, nullptr, false);
            SoundManager manager(&log, &files, &system);
            start(manager, system);
            const auto begin = std::chrono::steady_clock::now();
            while (std::chrono::steady_clock::now() - begin < std::chrono::milliseconds(limit))
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(16));
                system.Refresh();
                manager.Update(true);
                if (!step(manager, system))
                    break;
            }
        }
        const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(output);
        if (!bytes)
            return {};
        std::vector<std::int16_t> samples(bytes->size() / 2);
        std::memcpy(samples.data(), bytes->data(), samples.size() * 2);
        std::vector<std::int16_t> left;
        bool started = false;
        for (std::size_t frame = 0; frame + 1 < samples.size(); frame += 2)
        {
            started = started || samples[frame] != 0 || samples[frame + 1] != 0;
            if (started)
            {
                EXPECT_EQ(samples[frame], samples[frame + 1]) << "frame " << frame / 2;
                if (samples[frame] != samples[frame + 1])
                    return {};
                left.push_back(samples[frame]);
            }
        }
        return left;
    }

    static Step Wait() { return [](SoundManager&, SoundSystem_DS7&) { return true; }; }

    // Cycles per second of a sine, from its first and last rising zero crossings.
    static double Frequency(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to)
    {
        double first = -1.0;
        double last = -1.0;
        int cycles = -1;
        for (std::size_t i = from + 1; i < to && i < samples.size(); ++i)
        {
            if (samples[i - 1] < 0 && samples[i] >= 0)
            {
                const double at = static_cast<double>(i - 1) +
                                  static_cast<double>(-samples[i - 1]) / (samples[i] - samples[i - 1]);
                if (first < 0.0)
                    first = at;
                last = at;
                ++cycles;
            }
        }
        return cycles > 0 ? cycles * 22050.0 / (last - first) : 0.0;
    }

    static std::vector<std::int16_t> Sine(double hertz, std::uint32_t rate, std::uint32_t frames, double amplitude,
                                          std::uint32_t channels)
    {
        std::vector<std::int16_t> samples;
        for (std::uint32_t i = 0; i < frames; ++i)
        {
            const auto value = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * pi * hertz * i / rate)));
            samples.insert(samples.end(), channels, value);
        }
        return samples;
    }

    // The longest run of samples quieter than `level` between two that are
    // not, in output frames; `loudEnd` is the last sample that is not.
    static std::size_t LongestQuietRun(const std::vector<std::int16_t>& samples, int level, std::size_t* loudEnd)
    {
        bool loudSeen = false;
        std::size_t longest = 0;
        std::size_t run = 0;
        *loudEnd = 0;
        for (std::size_t i = 0; i < samples.size(); ++i)
        {
            if (std::abs(samples[i]) < level)
            {
                run += loudSeen ? 1 : 0;
                continue;
            }
            longest = std::max(longest, run);
            run = 0;
            loudSeen = true;
            *loudEnd = i;
        }
        return longest;
    }
};

TEST_F(DiskOutput, AStaticSoundIsSampleExactOnBothChannels)
{
    std::vector<std::int16_t> noise(11025);
    std::uint32_t state = 12345;
    for (std::int16_t& sample : noise)
    {
        state = state * 1103515245u + 12345u;
        sample = static_cast<std::int16_t>(static_cast<std::int32_t>((state >> 16) & 0x7FFF) - 16384);
    }
    noise[0] = 1234;
    WriteData("noise.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(noise)));
    const std::vector<std::int16_t> left = Record(
        [](SoundManager& manager, SoundSystem_DS7&) {
            manager.Play(manager.CreateSound("noise.wav"), false);
            return true;
        },
        Wait(), 620);
    ASSERT_GE(left.size(), noise.size() + 1000);
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), left.begin()));
    EXPECT_TRUE(std::all_of(left.begin() + static_cast<std::ptrdiff_t>(noise.size()), left.end(),
                            [](std::int16_t sample) { return sample == 0; }));
}

TEST_F(DiskOutput, TempoVolumeAndTwoVoicesShapeTheOutput)
{
    const std::vector<std::int16_t> tone = Sine(441.0, 22050, 22050, 10000.0, 1);
    WriteData("tone.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(tone)));
    const std::int16_t peak = *std::max_element(tone.begin(), tone.end());

    const std::vector<std::int16_t> faster = Record(
        [](SoundManager& manager, SoundSystem_DS7&) {
            Sound* sound = manager.CreateSound("tone.wav");
            sound->SetTempo(1.5f);
            manager.Play(sound, true);
            return true;
        },
        Wait(), 250);
    EXPECT_NEAR(Frequency(faster, 0, 4000), 661.5, 6.615);

    const std::vector<std::int16_t> quieter = Record(
        [](SoundManager& manager, SoundSystem_DS7&) {
            Sound* sound = manager.CreateSound("tone.wav");
            sound->SetVolume(0.5f);
            manager.Play(sound, true);
            return true;
        },
        Wait(), 220);
    ASSERT_GE(quieter.size(), 4000u);
    const std::int16_t quietPeak = *std::max_element(quieter.begin(), quieter.begin() + 4000);
    EXPECT_NEAR(static_cast<double>(quietPeak) / peak, 0.4503, 0.004503);

    const std::vector<std::int16_t> loud = Sine(441.0, 22050, 22050, 20000.0, 1);
    WriteData("loud.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(loud)));
    const std::vector<std::int16_t> doubled = Record(
        [](SoundManager& manager, SoundSystem_DS7& system) {
            Sound* a = manager.CreateSound("loud.wav");
            Sound* b = manager.CreateSound("loud.wav");
            manager.Play(a, false);
            manager.Play(b, false);
            // Both start in one frame; held so that no mix falls between them.
            dsound::testing::SetDevicePaused(system.GetDevice(), true);
            manager.Update(true);
            dsound::testing::SetDevicePaused(system.GetDevice(), false);
            return true;
        },
        Wait(), 220);
    ASSERT_GE(doubled.size(), 4000u);
    // The file's first sample is 0, so the output starts at its second.
    for (std::size_t i = 0; i < 4000; ++i)
        ASSERT_EQ(doubled[i], std::clamp(2 * loud[i + 1], -32768, 32767)) << i;
}

TEST_F(DiskOutput, MusicStreamsWithoutAGapAndEndsOrLoops)
{
    // 96000 Hz stereo: the ring lasts 2.73 s, the file 2.8 s (560 whole
    // periods, so that its end meets its start).
    const std::vector<std::int16_t> tone = Sine(200.0, 96000, 268800, 12000.0, 2);
    WriteData("music.wav", WavWriter::Simple({1, 2, 96000, 16}, content::Samples16(tone)));
    const std::size_t fiveMs = 22050 / 200;
    const std::size_t fileFrames = 22050 * 28 / 10;

    Sound* oneShot = nullptr;
    bool stopped = false;
    const std::vector<std::int16_t> once = Record(
        [&](SoundManager& manager, SoundSystem_DS7&) {
            oneShot = manager.CreateSound("music.wav");
            manager.Play(oneShot, true);
            return true;
        },
        [&](SoundManager&, SoundSystem_DS7&) {
            stopped = oneShot->GetState() == Sound::Stopped;
            return !stopped;
        },
        4000);
    EXPECT_TRUE(stopped);
    std::size_t end = 0;
    EXPECT_LT(LongestQuietRun(once, 6000, &end), fiveMs);
    EXPECT_NEAR(static_cast<double>(end), static_cast<double>(fileFrames), 22050 * 0.05);

    const std::vector<std::int16_t> looped = Record(
        [](SoundManager& manager, SoundSystem_DS7&) {
            Sound* sound = manager.CreateSound("music.wav");
            sound->SetLoop(true);
            manager.Play(sound, true);
            return true;
        },
        Wait(), 3000);
    EXPECT_LT(LongestQuietRun(looped, 6000, &end), fiveMs);
    EXPECT_GT(end, fileFrames + 22050 / 20);
}

} // namespace
} // namespace corvellan::test
