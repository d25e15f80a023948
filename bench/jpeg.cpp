// Decoding a photo-like JPEG (quality 85): Image::Load through the file
// manager (the whole file in memory, the 4096-byte source, rows stored bottom
// up) against bare libjpeg on the same file (jpeg_stdio_src, every scanline
// into one buffer), round by round. The bare library is the floor: a wide gap
// points at the source manager or the row copy. (A djpeg child process would
// mostly measure process start-up, so it is not compared.)
#include "bench/support/PairedRounds.h"
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

namespace
{

using corvellan::bench::PairedRounds;
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

// The pixels decoded; 0 when the engine could not read the picture.
std::int64_t EngineLoad(FileManager& files)
{
    Image image;
    if (!image.Load(nullptr, &files, "photo.jpg"))
        return 0;
    benchmark::DoNotOptimize(image.GetPixels());
    return std::int64_t{image.GetWidth()} * image.GetHeight();
}

std::int64_t BareLibrary(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return -1;
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
    const std::int64_t decoded = std::int64_t{decompressor.output_width} * decompressor.output_height;
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    std::fclose(file);
    benchmark::DoNotOptimize(pixels.get());
    return decoded;
}

void Decode(benchmark::State& state)
{
    const PhotoFolder folder(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    FileManager files(nullptr, folder.path, "");
    PairedRounds::Run(
        state, [&] { return EngineLoad(files); }, [&] { return BareLibrary(folder.File()); });
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t width;
        std::int64_t height;
        std::int64_t rounds;
    } sizes[] = {{"/smoke", 64, 48, PairedRounds::SmokeRounds},
                 {"", 1024, 768, PairedRounds::FullRounds},
                 {"", 2048, 1536, PairedRounds::FullRounds}};
    for (const auto& size : sizes)
    {
        benchmark::RegisterBenchmark((std::string("Jpeg/Decode_vs_BareLibrary") + size.name).c_str(), Decode)
            ->Args({size.width, size.height})
            ->Iterations(size.rounds);
    }
    return true;
}();

} // namespace
