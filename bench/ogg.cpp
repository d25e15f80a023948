// Decoding an Ogg Vorbis music file (44100 Hz stereo): the engine's reader
// through the file manager in 32 KiB pieces, as a stream refills its ring,
// against bare vorbisfile on the same file (ov_fopen, ov_read into one
// buffer) and against the oggdec tool in a child process. The bare library
// is the floor: a wide gap points at the reader's callbacks or its read loop.
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
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

extern char** environ;

namespace
{

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

void EngineReader(benchmark::State& state)
{
    const MusicFolder& music = Music(state.range(0));
    FileManager files(nullptr, music.path, "");
    std::vector<std::uint8_t> piece(32768);
    for (auto _ : state)
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
        if (total != music.bytes)
        {
            state.SkipWithError("the reader did not decode the whole file");
            break;
        }
        benchmark::DoNotOptimize(piece.data());
    }
    state.SetBytesProcessed(state.iterations() * music.bytes);
}

void BareLibrary(benchmark::State& state)
{
    const MusicFolder& music = Music(state.range(0));
    std::vector<char> piece(32768);
    for (auto _ : state)
    {
        OggVorbis_File file;
        if (ov_fopen(music.File().c_str(), &file) != 0)
        {
            state.SkipWithError("vorbisfile cannot open the file");
            break;
        }
        int section = 0;
        while (ov_read(&file, piece.data(), static_cast<int>(piece.size()), 0, 2, 1, &section) > 0)
        {
        }
        ov_clear(&file);
        benchmark::DoNotOptimize(piece.data());
    }
    state.SetBytesProcessed(state.iterations() * music.bytes);
}

bool HaveOggdec()
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size())
    {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        if (access((folders.substr(start, end - start) + "/oggdec").c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

void OggdecTool(benchmark::State& state)
{
    if (!HaveOggdec())
    {
        state.SkipWithError("oggdec is not installed (package vorbis-tools): skipped");
        return;
    }
    const MusicFolder& music = Music(state.range(0));
    std::string file = music.File();
    std::string program = "oggdec";
    std::string quiet = "-Q";
    std::string raw = "-R";
    std::string option = "-o";
    std::string output = "/dev/null";
    char* arguments[] = {program.data(), quiet.data(), raw.data(), option.data(), output.data(), file.data(), nullptr};
    for (auto _ : state)
    {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "oggdec", nullptr, nullptr, arguments, environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        {
            state.SkipWithError("oggdec failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * music.bytes);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t seconds;
    } lengths[] = {{"/smoke", 1}, {"/60s", 60}};
    for (const auto& length : lengths)
    {
        const std::string suffix = length.name;
        benchmark::RegisterBenchmark(("OggDecode_Engine" + suffix).c_str(), EngineReader)
            ->Arg(length.seconds)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("OggDecode_BareLibraryFloor" + suffix).c_str(), BareLibrary)
            ->Arg(length.seconds)
            ->Unit(benchmark::kMillisecond);
        // The work happens in the child: only wall-clock time means anything.
        benchmark::RegisterBenchmark(("OggDecode_Oggdec" + suffix).c_str(), OggdecTool)
            ->Arg(length.seconds)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
