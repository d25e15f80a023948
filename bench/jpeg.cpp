// Decoding a photo-like JPEG (quality 85): Image::Load through the file
// manager (the whole file in memory, the 4096-byte source, rows stored bottom
// up) against bare libjpeg on the same file (jpeg_stdio_src, every scanline
// into one buffer) and against the djpeg tool in a child process. The bare
// library is the floor: a wide gap points at the source manager or the row copy.
#include "content/ImageFixtures.h"
#include "content/PhotoPicture.h"
#include "engine/core/FileManager.h"
#include "engine/render/Image.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <jpeglib.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

using OrvaneEngine::FileManager;
using OrvaneEngine::Image;

// A folder holding photo.jpg of the given size, removed afterwards.
class PhotoFolder
{
public:
    PhotoFolder(std::uint32_t width, std::uint32_t height)
    {
        Image picture;
        corvellan::content::MakePhotoPicture(picture, width, height, 7);
        std::ofstream(File(), std::ios::binary) << corvellan::content::EngineImageFile(picture, "jpg", 85);
    }
    PhotoFolder(const PhotoFolder&) = delete;
    PhotoFolder& operator=(const PhotoFolder&) = delete;

    std::string File() const { return path + "/photo.jpg"; }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string path = folder.Path();
};

void SetCounters(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void EngineLoad(benchmark::State& state)
{
    const PhotoFolder folder(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    FileManager files(nullptr, folder.path, "");
    for (auto _ : state)
    {
        Image image;
        if (!image.Load(nullptr, &files, "photo.jpg"))
        {
            state.SkipWithError("the engine could not read the picture");
            break;
        }
        benchmark::DoNotOptimize(image.GetPixels());
    }
    SetCounters(state);
}

void BareLibrary(benchmark::State& state)
{
    const PhotoFolder folder(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    for (auto _ : state)
    {
        std::FILE* file = std::fopen(folder.File().c_str(), "rb");
        if (file == nullptr)
        {
            state.SkipWithError("cannot open the picture");
            break;
        }
        jpeg_decompress_struct decompressor{};
        jpeg_error_mgr errors{};
        decompressor.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decompressor);
        jpeg_stdio_src(&decompressor, file);
        jpeg_read_header(&decompressor, TRUE);
        jpeg_start_decompress(&decompressor);
        const std::size_t rowBytes =
            std::size_t{decompressor.output_width} * static_cast<std::size_t>(decompressor.output_components);
        const std::unique_ptr<JSAMPLE[]> pixels(new JSAMPLE[rowBytes * decompressor.output_height]);
        while (decompressor.output_scanline < decompressor.output_height)
        {
            JSAMPROW row = pixels.get() + rowBytes * decompressor.output_scanline;
            jpeg_read_scanlines(&decompressor, &row, 1);
        }
        jpeg_finish_decompress(&decompressor);
        jpeg_destroy_decompress(&decompressor);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.get());
    }
    SetCounters(state);
}

bool HaveDjpeg()
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size())
    {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        if (access((folders.substr(start, end - start) + "/djpeg").c_str(), X_OK) == 0)
        {
            return true;
        }
        start = end + 1;
    }
    return false;
}

void DjpegTool(benchmark::State& state)
{
    if (!HaveDjpeg())
    {
        state.SkipWithError("djpeg is not installed (package libjpeg-turbo-progs): skipped");
        return;
    }
    const PhotoFolder folder(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    std::string file = folder.File();
    std::string program = "djpeg";
    std::string option = "-outfile";
    std::string output = "/dev/null";
    char* arguments[] = {program.data(), option.data(), output.data(), file.data(), nullptr};
    for (auto _ : state)
    {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "djpeg", nullptr, nullptr, arguments, environ) != 0
            || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        {
            state.SkipWithError("djpeg failed");
            break;
        }
    }
    SetCounters(state);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t width;
        std::int64_t height;
    } sizes[] = {{"/smoke", 64, 48}, {"/1024x768", 1024, 768}, {"/2048x1536", 2048, 1536}};
    for (const auto& size : sizes)
    {
        const std::string suffix = size.name;
        benchmark::RegisterBenchmark(("JpegDecode_Engine" + suffix).c_str(), EngineLoad)
            ->Args({size.width, size.height})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("JpegDecode_BareLibraryFloor" + suffix).c_str(), BareLibrary)
            ->Args({size.width, size.height})
            ->Unit(benchmark::kMillisecond);
        // The work happens in the child: only wall-clock time means anything.
        benchmark::RegisterBenchmark(("JpegDecode_Djpeg" + suffix).c_str(), DjpegTool)
            ->Args({size.width, size.height})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
