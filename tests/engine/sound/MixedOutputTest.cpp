// What the sounds ask for is what the device mixes: static voices with
// tempo, volume and a second voice, and a stream that ends or loops,
// frame by frame through the mixer's own code.
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <algorithm>
#include <cmath>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using content::WavWriter;

constexpr double pi = 3.14159265358979323846;

class MixedOutput : public SoundDevice
{
protected:
    // The left channel of `milliseconds` of frames at 60 a second; every
    // frame's right sample must equal its left one.
    std::vector<std::int16_t> Left(std::uint32_t milliseconds)
    {
        static const std::uint32_t steps[] = {17, 17, 16};
        std::vector<std::int16_t> left;
        for (std::uint32_t spent = 0, i = 0; spent < milliseconds; spent += steps[i % 3], ++i)
        {
            const std::vector<std::int16_t> played = Frame(steps[i % 3]);
            for (std::size_t at = 0; at + 1 < played.size(); at += 2)
            {
                EXPECT_EQ(played[at], played[at + 1]) << "frame " << left.size();
                if (played[at] != played[at + 1])
                    return {};
                left.push_back(played[at]);
            }
        }
        return left;
    }

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

TEST_F(MixedOutput, AStaticSoundIsSampleExactOnBothChannels)
{
    std::vector<std::int16_t> noise(11025);
    std::uint32_t state = 12345;
    for (std::int16_t& sample : noise)
    {
        state = state * 1103515245u + 12345u;
        sample = static_cast<std::int16_t>(static_cast<std::int32_t>((state >> 16) & 0x7FFF) - 16384);
    }
    WriteData("noise.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(noise)));
    manager->Play(Create("noise.wav"), false);
    manager->Update(true);
    const std::vector<std::int16_t> left = Left(620);
    ASSERT_GE(left.size(), noise.size() + 1000);
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), left.begin()));
    EXPECT_TRUE(std::all_of(left.begin() + static_cast<std::ptrdiff_t>(noise.size()), left.end(),
                            [](std::int16_t sample) { return sample == 0; }));
}

TEST_F(MixedOutput, TempoVolumeAndTwoVoicesShapeTheOutput)
{
    const std::vector<std::int16_t> tone = Sine(441.0, 22050, 22050, 10000.0, 1);
    WriteData("tone.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(tone)));
    const std::int16_t peak = *std::max_element(tone.begin(), tone.end());
    const std::vector<std::int16_t> loud = Sine(441.0, 22050, 22050, 20000.0, 1);
    WriteData("loud.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(loud)));

    Sound* a = Create("loud.wav");
    Sound* b = Create("loud.wav");
    // The device moves only in Frame: both start on the same output frame.
    manager->Play(a, true);
    manager->Play(b, true);
    const std::vector<std::int16_t> doubled = Left(220);
    ASSERT_GE(doubled.size(), 4000u);
    for (std::size_t i = 0; i < 4000; ++i)
        ASSERT_EQ(doubled[i], std::clamp(2 * loud[i], -32768, 32767)) << i;
    manager->ReleaseSound(a);
    manager->ReleaseSound(b);

    Sound* faster = Create("tone.wav");
    faster->SetTempo(1.5f);
    manager->Play(faster, true);
    EXPECT_NEAR(Frequency(Left(250), 0, 4000), 661.5, 6.615);
    manager->ReleaseSound(faster);

    Sound* quieter = Create("tone.wav");
    quieter->SetVolume(0.5f);
    manager->Play(quieter, true);
    const std::vector<std::int16_t> quiet = Left(220);
    ASSERT_GE(quiet.size(), 4000u);
    const std::int16_t quietPeak = *std::max_element(quiet.begin(), quiet.begin() + 4000);
    EXPECT_NEAR(static_cast<double>(quietPeak) / peak, 0.4503, 0.004503);
    manager->ReleaseSound(quieter);
}

TEST_F(MixedOutput, MusicStreamsWithoutAGapAndEndsOrLoops)
{
    // 96000 Hz stereo: the ring lasts 2.73 s, the file 2.8 s (560 whole
    // periods, so that its end meets its start).
    const std::vector<std::int16_t> tone = Sine(200.0, 96000, 268800, 12000.0, 2);
    WriteData("music.wav", WavWriter::Simple({1, 2, 96000, 16}, content::Samples16(tone)));
    const std::size_t period = 22050 / 200;
    const std::size_t fileFrames = 22050 * 28 / 10;

    Sound* once = Create("music.wav");
    manager->Play(once, true);
    const std::vector<std::int16_t> onceLeft = Left(4000);
    EXPECT_EQ(once->GetState(), Sound::Stopped);
    std::size_t end = 0;
    EXPECT_LT(LongestQuietRun(onceLeft, 6000, &end), period / 2);
    EXPECT_NEAR(static_cast<double>(end), static_cast<double>(fileFrames), static_cast<double>(period));
    manager->ReleaseSound(once);

    Sound* looped = Create("music.wav");
    looped->SetLoop(true);
    manager->Play(looped, true);
    const std::vector<std::int16_t> loopLeft = Left(8000);
    EXPECT_EQ(looped->GetState(), Sound::Playing);
    EXPECT_LT(LongestQuietRun(loopLeft, 6000, &end), period / 2);
    EXPECT_GT(end, loopLeft.size() - period);
    EXPECT_NEAR(Frequency(loopLeft, 0, loopLeft.size()), 200.0, 0.2);
}

} // namespace
} // namespace corvellan::test
