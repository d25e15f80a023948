#include "content/FuzzSeeds.h"
#include "content/HostileImages.h"
#include "content/ImageFixtures.h"
#include "content/JpegFixtures.h"
#include "content/PhotoPicture.h"
#include "engine/render/Image.h"

namespace corvellan::content
{

namespace
{

std::string TargetOf(const std::string& name)
{
    const std::string extension = name.substr(name.rfind('.') + 1);
    return extension == "bmp" ? "image_bmp" : extension == "tga" ? "image_tga" : "image_jpeg";
}

} // namespace

bool WriteImageSeeds(const std::string& folder)
{
    bool written = true;
    auto seed = [&](const std::string& name, const std::string& bytes) {
        written = WriteSeed(folder, TargetOf(name), name, bytes) && written;
    };

    OrvaneEngine::Image colour;
    MakePhotoPicture(colour, 13, 7, 1);
    OrvaneEngine::Image grey;
    grey.CopyFrom(colour);
    grey.ConvertBitsPerPixel(8);
    OrvaneEngine::Image alpha;
    colour.ConvertBitsPerPixel(32, &alpha);
    for (std::uint32_t i = 0; i < alpha.GetWidth() * alpha.GetHeight(); ++i)
    {
        alpha.GetPixels()[4 * i + 3] = static_cast<std::uint8_t>(i * 29);
    }

    // As the engine writes them.
    seed("engine_8.bmp", EngineImageFile(grey, "bmp"));
    seed("engine_24.bmp", EngineImageFile(colour, "bmp"));
    seed("engine_32.bmp", EngineImageFile(alpha, "bmp"));
    seed("engine_8.tga", EngineImageFile(grey, "tga"));
    seed("engine_24.tga", EngineImageFile(colour, "tga"));
    seed("engine_32.tga", EngineImageFile(alpha, "tga"));
    seed("engine.jpg", EngineImageFile(colour, "jpg"));

    // Variants the engine never writes.
    std::vector<std::uint32_t> palette(256);
    std::vector<std::uint8_t> indices(7 * 5);
    for (std::uint32_t k = 0; k < 256; ++k)
    {
        palette[k] = (k * 0x010307u) & 0xFFFFFF;
    }
    for (std::size_t i = 0; i < indices.size(); ++i)
    {
        indices[i] = static_cast<std::uint8_t>(i * 11);
    }
    seed("palette_8.bmp", Bmp8(7, 5, indices, palette));
    seed("data_gap.bmp", BmpWithGap(colour, 37));

    TgaLayout layout;
    layout.depth = 16;
    seed("depth_16.tga", TgaFromImage(alpha, layout));
    layout.runLength = true;
    seed("run_length_16.tga", TgaFromImage(alpha, layout));
    layout = TgaLayout{};
    layout.runLength = true;
    seed("run_length_24.tga", TgaFromImage(colour, layout));
    layout.depth = 32;
    layout.topLeft = false;
    seed("run_length_32_bottom_up.tga", TgaFromImage(alpha, layout));
    layout = TgaLayout{};
    layout.depth = 8;
    layout.id = "corvellan";
    layout.mapLength = 256;
    layout.mapEntryBits = 24;
    seed("mapped_with_id.tga", TgaFromImage(grey, layout));

    JpegOptions options;
    seed("grey.jpg", Jpeg(grey, options));
    options.progressive = true;
    seed("progressive.jpg", Jpeg(colour, options));
    options = JpegOptions{};
    options.restartInterval = 2;
    seed("restart.jpg", Jpeg(colour, options));
    options = JpegOptions{};
    options.appSegmentBytes = 10 * 1024;
    seed("app_segment.jpg", Jpeg(colour, options));
    options = JpegOptions{};
    options.optimiseHuffman = true;
    seed("optimised.jpg", Jpeg(colour, options));

    for (const HostileImage& file : HostileImageFiles())
    {
        seed("hostile_" + file.name, file.bytes);
    }
    return written;
}

} // namespace corvellan::content
