// The sound system on the audio library's disk driver, in real time. Only
// what no load on the machine can change is checked: the output file is
// written in the device's format and holds the sound's samples. How the
// output sounds frame by frame is the mixer tests' work, which do not wait
// on a clock.
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "tests/engine/sound/SoundTestSupport.h"
#include "tests/support/FileBytes.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using content::WavWriter;

// Bytes in the file now, 0 while it does not exist.
std::uintmax_t FileSize(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

class DiskOutput : public SoundFiles
{
};

TEST_F(DiskOutput, AToneReachesTheFileInTheDeviceFormat)
{
    // 100 frames of a ramp, looped: any 100 frames of it tell where they are.
    std::vector<std::int16_t> ramp(100);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::int16_t>(300 * (i + 1));
    WriteData("tone.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(ramp)));
    const std::string output = root.Join("output.raw");
    // A tenth of a second of the tone, beyond what the library may still
    // hold unwritten.
    const std::uintmax_t wanted = 2205 * 4 + 65536;
    {
        ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
        ScopedEnvironment file("SDL_DISKAUDIOFILE", output);
        SoundSystem_DS7 system(&log, &files, &timers, nullptr, nullptr, false);
        SoundManager manager(&log, &files, &system);
        Sound* tone = manager.CreateSound("tone.wav");
        tone->SetLoop(true);
        manager.Play(tone, true);
        const std::uintmax_t before = FileSize(output);
        // However slowly the library's thread gets its turns, it writes on;
        // the limit only keeps a broken driver from hanging the run.
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(40);
        while (FileSize(output) < before + wanted && std::chrono::steady_clock::now() < limit)
            std::this_thread::yield();
    }

    const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(output);
    ASSERT_TRUE(bytes.has_value());
    // Raw 16-bit stereo: whole frames only.
    ASSERT_EQ(bytes->size() % 4, 0u);
    std::vector<std::int16_t> samples(bytes->size() / 2);
    std::memcpy(samples.data(), bytes->data(), bytes->size());
    std::size_t start = 0;
    while (start < samples.size() && samples[start] == 0)
        ++start;
    ASSERT_EQ(start % 2, 0u);
    const std::size_t frames = (samples.size() - start) / 2;
    ASSERT_GE(frames, 2205u);
    // The tone's first frame is the first one heard, then it runs unbroken on
    // both channels.
    for (std::size_t frame = 0; frame < 2205; ++frame)
    {
        ASSERT_EQ(samples[start + 2 * frame], ramp[frame % 100]) << "frame " << frame;
        ASSERT_EQ(samples[start + 2 * frame + 1], ramp[frame % 100]) << "frame " << frame;
    }
}

} // namespace
} // namespace corvellan::test
