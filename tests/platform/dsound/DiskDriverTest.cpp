// End to end through the platform library's disk driver: what the mixer
// computes is what the output file holds.
#include "tests/support/ScopedEnvironment.h"
#include "tests/platform/dsound/TestDevice.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

namespace corvellan::test
{
namespace
{
using namespace dsound;

// Bytes in the file now, 0 while it does not exist.
std::uintmax_t FileSize(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

TEST(DiskDriver, TheMixedFramesReachTheFile)
{
    TempFolder folder;
    const std::string path = folder.Join("output.raw");
    std::vector<std::int16_t> pattern; // 100 distinct stereo frames
    for (int i = 0; i < 100; ++i)
        pattern.insert(pattern.end(), {static_cast<std::int16_t>(1000 + i * 7), static_cast<std::int16_t>(-1000 - i * 11)});
    {
        ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
        ScopedEnvironment file("SDL_DISKAUDIOFILE", path);
        TestDevice sound(DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME, false);
        IDirectSoundBuffer* buffer = sound.CreateWith(0, Pcm(2, 16, 22050), Bytes16(pattern));
        ASSERT_NE(buffer, nullptr);
        const std::uintmax_t before = FileSize(path);
        ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
        // Waits for a tenth of a second of the pattern beyond what the
        // library may still hold unwritten, however slowly its thread gets
        // its turns; the limit only keeps a broken driver from hanging.
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(40);
        while (FileSize(path) < before + 2205 * 4 + 65536 && std::chrono::steady_clock::now() < limit)
            std::this_thread::yield();
    }

    const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes.has_value());
    std::vector<std::int16_t> samples(bytes->size() / 2);
    std::memcpy(samples.data(), bytes->data(), samples.size() * 2);
    std::size_t start = 0;
    while (start < samples.size() && samples[start] == 0)
        ++start;
    ASSERT_EQ(start % 2, 0u);
    const std::size_t frames = (samples.size() - start) / 2;
    // At least a tenth of a second of the pattern, unbroken, from its start.
    ASSERT_GE(frames, 2205u);
    for (std::size_t frame = 0; frame < frames; ++frame)
    {
        const std::size_t at = frame % 100;
        ASSERT_EQ(samples[start + 2 * frame], pattern[2 * at]) << "frame " << frame;
        ASSERT_EQ(samples[start + 2 * frame + 1], pattern[2 * at + 1]) << "frame " << frame;
    }
}

} // namespace
} // namespace corvellan::test
