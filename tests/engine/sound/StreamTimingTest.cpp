// Ten minutes of music with the device's clock running apart from the frame
// clock, and with the frame loop stalled: every frame the device plays is
// the file's frame for that moment. The file counts its frames, so a chunk
// in the wrong place, a skipped ring or a gap shows at once.
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <ostream>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

constexpr std::uint32_t loopFrames = 14 * 22050;     // 14 s, longer than the 11.9 s ring
constexpr std::uint32_t oneShotFrames = 570 * 22050; // 9.5 minutes
constexpr std::uint32_t ringFrames = SoundBuffer::ringSize / 4;
constexpr std::uint32_t marginFrames = SoundBuffer::endMargin / 4;

struct Timing
{
    const char* name;
    bool loop;
    double deviceSpeed;
    // A frame of the program that lasts this long (0 for none), at that
    // many ms after the start.
    std::uint32_t stall;
    std::uint32_t stallAt;
};

void PrintTo(const Timing& timing, std::ostream* out)
{
    *out << timing.name;
}

// The counter of CountingStereo16 for file frame `frame`.
bool IsFileFrame(const std::int16_t* sample, std::uint32_t frame)
{
    return sample[0] == static_cast<std::int16_t>(frame & 0x7FFF) &&
           sample[1] == static_cast<std::int16_t>(frame >> 15);
}

class StreamTiming : public SoundDevice
{
protected:
    // What a run found: output frames compared, the first wrong one, and
    // the output frame by which the sound had stopped (0 while it plays).
    struct Outcome
    {
        std::uint64_t frames = 0;
        std::uint64_t firstWrong = 0;
        bool wrong = false;
        std::uint64_t stoppedAt = 0;
        // Wrong frames that only repeat the ring's previous turn, and
        // how many wrong frames in all.
        std::uint64_t repeats = 0;
        std::uint64_t wrongCount = 0;
        std::uint64_t lastWrong = 0;
    };

    // Plays the file for `milliseconds` of frame-clock time at 60 frames a
    // second (the first frame from `stallAt` ms on lasting `stall` ms) and
    // checks every frame the device plays against the file.
    Outcome Play(const std::string& file, std::uint32_t fileFrames, bool loop, std::uint32_t stall,
                 std::uint32_t stallAt, std::uint32_t milliseconds)
    {
        Sound* sound = Create(file);
        sound->SetLoop(loop);
        sound->Play();
        Outcome outcome;
        static const std::uint32_t steps[] = {17, 17, 16};
        bool stalled = stall == 0;
        for (std::uint32_t spent = 0, i = 0; spent < milliseconds; ++i)
        {
            std::uint32_t step = steps[i % 3];
            if (!stalled && spent >= stallAt)
            {
                step = stall;
                stalled = true;
            }
            spent += step;
            const std::vector<std::int16_t> played = Frame(step);
            for (std::size_t at = 0; at + 1 < played.size(); at += 2, ++outcome.frames)
            {
                const std::uint64_t n = outcome.frames;
                bool right = false;
                if (loop)
                    right = IsFileFrame(&played[at], static_cast<std::uint32_t>(n % fileFrames));
                else if (n < fileFrames)
                    right = IsFileFrame(&played[at], static_cast<std::uint32_t>(n));
                else
                    right = played[at] == 0 && played[at + 1] == 0;
                if (right)
                    continue;
                if (!outcome.wrong)
                    outcome.firstWrong = n;
                outcome.wrong = true;
                ++outcome.wrongCount;
                outcome.lastWrong = n;
                if (n >= ringFrames &&
                    IsFileFrame(&played[at], static_cast<std::uint32_t>((n - ringFrames) % fileFrames)))
                    ++outcome.repeats;
            }
            if (outcome.stoppedAt == 0 && sound->GetState() == Sound::Stopped)
                outcome.stoppedAt = outcome.frames;
        }
        manager->ReleaseSound(sound);
        return outcome;
    }
};

class StreamTimingTable : public StreamTiming, public ::testing::WithParamInterface<Timing>
{
};

TEST_P(StreamTimingTable, TenMinutesPlayEveryFrameOfTheFileInItsPlace)
{
    const Timing& timing = GetParam();
    const std::uint32_t fileFrames = timing.loop ? loopFrames : oneShotFrames;
    WriteData("music.wav", CountingStereo16(fileFrames));
    SetDeviceSpeed(timing.deviceSpeed);
    const Outcome outcome = Play("music.wav", fileFrames, timing.loop, timing.stall, timing.stallAt, 600000);

    EXPECT_FALSE(outcome.wrong) << "first wrong output frame " << outcome.firstWrong << ", "
                                << outcome.wrongCount << " in all";
    // Ten minutes of the frame clock are that many of the device's frames.
    EXPECT_NEAR(static_cast<double>(outcome.frames), 600.0 * 22050 * timing.deviceSpeed, 2.0);
    if (timing.loop)
    {
        EXPECT_EQ(outcome.stoppedAt, 0u);
    }
    else
    {
        // The data, a chunk of silence, then at most the frame in which the
        // update saw that chunk played and the frame after, in which the
        // sound learns that its buffer stopped.
        EXPECT_GE(outcome.stoppedAt, std::uint64_t{fileFrames} + marginFrames);
        EXPECT_LE(outcome.stoppedAt, std::uint64_t{fileFrames} + marginFrames + 800);
    }
}

const Timing timings[] = {
    {"LoopDeviceSlow", true, 0.98, 0, 0},
    {"LoopDeviceFast", true, 1.02, 0, 0},
    {"LoopStall", true, 1.0, 3000, 100000},
    {"LoopSlowStall", true, 0.98, 3000, 100000},
    // The music starts, then the first frame loads for a while.
    {"LoopStallAtStart", true, 1.0, 3000, 0},
    {"LoopShortStallAtStart", true, 1.0, 700, 0},
    {"OneShotDeviceSlow", false, 0.98, 0, 0},
    {"OneShotDeviceFast", false, 1.02, 0, 0},
    {"OneShotStall", false, 1.0, 3000, 100000},
    {"OneShotFastStall", false, 1.02, 3000, 100000},
};

INSTANTIATE_TEST_SUITE_P(Devices, StreamTimingTable, ::testing::ValuesIn(timings),
                         [](const ::testing::TestParamInfo<Timing>& param) { return std::string(param.param.name); });

TEST_F(StreamTiming, AStallLongerThanTheRingRepeatsOneStretchOnceThenFollowsTheDevice)
{
    // 15 s without an update: the device plays the whole ring and goes on
    // into chunks nobody refilled.
    const std::uint32_t stall = 15000;
    for (const bool loop : {false, true})
    {
        const std::uint32_t fileFrames = loop ? loopFrames : oneShotFrames;
        WriteData("music.wav", CountingStereo16(fileFrames));
        SetDeviceSpeed(0.98);
        const Outcome outcome = Play("music.wav", fileFrames, loop, stall, 100000, 200000);

        // Up to 100 s every frame is right; the stall plays what the ring
        // holds (its last turn once more) beyond what was refilled, and from
        // the update after it every frame is right again.
        const double stallStart = 100000 * 22.05 * 0.98;
        const double stallEnd = (100000 + stall) * 22.05 * 0.98;
        ASSERT_TRUE(outcome.wrong) << loop;
        EXPECT_GT(static_cast<double>(outcome.firstWrong), stallStart) << loop;
        EXPECT_LT(static_cast<double>(outcome.lastWrong), stallEnd) << loop;
        EXPECT_EQ(outcome.repeats, outcome.wrongCount) << loop;
        EXPECT_EQ(outcome.lastWrong - outcome.firstWrong + 1, outcome.wrongCount) << loop;
        // What the device played beyond the refilled ring: the stall less the
        // ring's lead of at least 29 chunks.
        EXPECT_LT(static_cast<double>(outcome.wrongCount), stall * 22.05 * 0.98 - 29.0 * 8192) << loop;
        EXPECT_EQ(outcome.stoppedAt, 0u) << loop;
    }
}

} // namespace
} // namespace corvellan::test
