#include "content/JpegFixtures.h"

#include "engine/render/Image.h"
#include "engine/render/JpegErrorManager.h"

#include <cstdlib>
#include <vector>

namespace corvellan::content
{

namespace
{

// Plain data only: a library error jumps back over the frames that use it.
struct JpegFixtureJob
{
    jpeg_compress_struct compressor;
    OrvaneEngine::JpegErrorManager errors;
    unsigned char* buffer;
    unsigned long size;
    const std::uint8_t* rows; // bottom row first
    std::size_t rowBytes;
    const JpegOptions* options;
};

void Compress(JpegFixtureJob& job, std::uint32_t width, std::uint32_t height, int components)
{
    jpeg_compress_struct& compressor = job.compressor;
    const JpegOptions& options = *job.options;
    jpeg_create_compress(&compressor);
    jpeg_mem_dest(&compressor, &job.buffer, &job.size);
    compressor.image_width = width;
    compressor.image_height = height;
    compressor.input_components = components;
    compressor.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, options.quality, TRUE);
    if (options.progressive)
    {
        jpeg_simple_progression(&compressor);
    }
    compressor.restart_interval = options.restartInterval;
    compressor.optimize_coding = options.optimiseHuffman ? TRUE : FALSE;
    jpeg_start_compress(&compressor, TRUE);
    if (options.appSegmentBytes != 0)
    {
        std::vector<JOCTET> data(options.appSegmentBytes);
        for (std::size_t i = 0; i < data.size(); ++i)
        {
            data[i] = static_cast<JOCTET>(i * 7 + 3);
        }
        jpeg_write_marker(&compressor, JPEG_APP0 + 1, data.data(), static_cast<unsigned>(data.size()));
    }
    while (compressor.next_scanline < compressor.image_height)
    {
        auto* row = const_cast<JSAMPLE*>(job.rows + job.rowBytes * (height - 1 - compressor.next_scanline));
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
}

bool RunCompress(JpegFixtureJob& job, std::uint32_t width, std::uint32_t height, int components)
{
    job.compressor.err = OrvaneEngine::InstallJpegErrorManager(job.errors, nullptr);
    if (setjmp(job.errors.jump) != 0)
    {
        jpeg_destroy_compress(&job.compressor);
        return false;
    }
    Compress(job, width, height, components);
    return true;
}

} // namespace

std::string Jpeg(const OrvaneEngine::Image& image, const JpegOptions& options)
{
    const std::uint32_t width = image.GetWidth();
    const std::uint32_t height = image.GetHeight();
    const std::size_t imageBytes = image.GetBitsPerPixel() / 8;
    int components = imageBytes == 1 ? 1 : 3;
    std::vector<std::uint8_t> rows(image.GetPixels(), image.GetPixels() + std::size_t{width} * height * imageBytes);
    if (imageBytes == 4)
    {
        // Drop the alpha.
        std::vector<std::uint8_t> rgb;
        for (std::size_t i = 0; i < rows.size(); i += 4)
        {
            rgb.insert(rgb.end(), rows.begin() + static_cast<std::ptrdiff_t>(i), rows.begin() + static_cast<std::ptrdiff_t>(i + 3));
        }
        rows.swap(rgb);
    }
    if (options.cmyk)
    {
        std::vector<std::uint8_t> cmyk;
        const std::size_t step = static_cast<std::size_t>(components);
        for (std::size_t i = 0; i < rows.size(); i += step)
        {
            for (std::size_t c = 0; c < 3; ++c)
            {
                cmyk.push_back(static_cast<std::uint8_t>(255 - rows[i + (step == 1 ? 0 : c)]));
            }
            cmyk.push_back(0);
        }
        rows.swap(cmyk);
        components = 4;
    }
    JpegFixtureJob job{};
    job.rows = rows.data();
    job.rowBytes = std::size_t{width} * static_cast<std::size_t>(components);
    job.options = &options;
    std::string bytes;
    if (RunCompress(job, width, height, components) && job.buffer != nullptr)
    {
        bytes.assign(reinterpret_cast<const char*>(job.buffer), job.size);
    }
    std::free(job.buffer);
    return bytes;
}

} // namespace corvellan::content
