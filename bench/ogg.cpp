// Decoding an Ogg Vorbis music file (44100 Hz stereo): the engine's reader
// through the file manager in 32 KiB pieces, as a stream refills its ring,
// against bare vorbisfile on the same file (ov_fopen, ov_read into one
// buffer), round by round. The bare library is the floor: a wide gap points
// at the reader's callbacks or its read loop. (An oggdec child process would
// add process start-up, so it is not compared.)
#include "bench/support/PairedRounds.h"
#include "content/OggWriter.h"
#include "engine/core/FileManager.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace
{

using corvellan::bench::PairedRounds;
using OrvaneEngine::FileManager;
using OrvaneEngine::SoundFileReaderOGG;

// A folder holding data/music.ogg of the given length, removed afterwards.
class MusicFolder
{
public:
    explicit MusicFolder(std::uint32_t seconds)
    {
        constexpr std::uint32_t rate = 44100;
        std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds) * rate * 2);
        for (std::size_t frame = 0; frame < samples.size() / 2; ++frame)
        {
            // Two drifting tones and a little noise: something like music to
            // the encoder, so the decoder has real work.
            const double t = static_cast<double>(frame) / rate;
            const double noise = static_cast<double>((frame * 2654435761u) % 2001) - 1000.0;
            const double sweep = 2 * 3.14159265 * (220.0 + 3 * t) * t;
            samples[2 * frame] = static_cast<std::int16_t>(9000.0 * std::sin(sweep) + noise);
            samples[2 * frame + 1] = static_cast<std::int16_t>(7000.0 * std::sin(2 * 3.14159265 * 330.0 * t) - noise);
        }
        std::filesystem::create_directories(path + "/data");
        std::ofstream(File(), std::ios::binary) << corvellan::content::EncodeOggVorbis(samples, 2, rate, 0.4f);
        bytes = static_cast<std::int64_t>(samples.size() * 2);
    }
    MusicFolder(const MusicFolder&) = delete;
    MusicFolder& operator=(const MusicFolder&) = delete;

    std::string File() const { return path + "/data/music.ogg"; }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string path = folder.Path();
    std::int64_t bytes = 0; // decoded PCM
};

// Encoding a minute takes a while: each length is made once per run.
const MusicFolder& Music(std::int64_t seconds)
{
    static std::map<std::int64_t, std::unique_ptr<MusicFolder>> made;
    std::unique_ptr<MusicFolder>& folder = made[seconds];
    if (!folder)
        folder = std::make_unique<MusicFolder>(static_cast<std::uint32_t>(seconds));
    return *folder;
}

// Bytes of PCM decoded by each side.
std::int64_t EngineReader(FileManager& files, std::vector<std::uint8_t>& piece)
{
    SoundFileReaderOGG reader(nullptr, &files, "music.ogg");
    std::int64_t total = 0;
    bool end = false;
    while (!end)
    {
        std::uint32_t delivered = 0;
        reader.Read(piece.data(), static_cast<std::uint32_t>(piece.size()), &delivered, &end);
        total += delivered;
    }
    benchmark::DoNotOptimize(piece.data());
    return total;
}

std::int64_t BareLibrary(const std::string& path, std::vector<std::uint8_t>& piece)
{
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return -1;
    int section = 0;
    std::int64_t total = 0;
    long got = 0;
    while ((got = ov_read(&file, reinterpret_cast<char*>(piece.data()), static_cast<int>(piece.size()), 0, 2, 1,
                          &section)) > 0)
        total += got;
    ov_clear(&file);
    benchmark::DoNotOptimize(piece.data());
    return total;
}

void Decode(benchmark::State& state)
{
    const MusicFolder& music = Music(state.range(0));
    FileManager files(nullptr, music.path, "");
    std::vector<std::uint8_t> piece(32768);
    PairedRounds::Run(
        state, [&] { return EngineReader(files, piece); }, [&] { return BareLibrary(music.File(), piece); });
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t seconds;
        std::int64_t rounds;
    } lengths[] = {{"/smoke", 1, PairedRounds::SmokeRounds}, {"", 60, 11}};
    for (const auto& length : lengths)
    {
        benchmark::RegisterBenchmark((std::string("Ogg/Decode_vs_BareLibrary") + length.name).c_str(), Decode)
            ->Arg(length.seconds)
            ->Iterations(length.rounds);
    }
    return true;
}();

} // namespace
