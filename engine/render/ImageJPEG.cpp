#include "engine/render/Image.h"

#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/render/ImageFormat.h"
#include "engine/render/JpegErrorManager.h"
#include "engine/render/JpegFileSource.h"
#include "platform/win32/AtomicFile.h"

#include <algorithm>
#include <cstdio>

namespace OrvaneEngine
{

namespace
{

// The codecs' state for one call, as plain data: a library error jumps back
// over these frames, so nothing in them may need a destructor.
struct JpegReadJob
{
    jpeg_decompress_struct decompressor;
    JpegErrorManager errors;
    FileBinary* file;
    Image* image;
    MessageManager* log;
};

struct JpegWriteJob
{
    jpeg_compress_struct compressor;
    JpegErrorManager errors;
    std::FILE* stream;
    const Image* image;
    MessageManager* log;
    int quality;
};

ImageReadResult RunDecoder(JpegReadJob& job)
{
    jpeg_decompress_struct& decompressor = job.decompressor;
    jpeg_create_decompress(&decompressor);
    SetJpegFileSource(&decompressor, job.file);
    jpeg_read_header(&decompressor, TRUE);
    if (decompressor.image_width == 0 || decompressor.image_height == 0)
    {
        jpeg_destroy_decompress(&decompressor);
        return ImageReadResult::Incorrect;
    }
    // Four-component (CMYK) files would come out as C, M, Y, K read as R, G, B, A.
    jpeg_calc_output_dimensions(&decompressor);
    const auto components = static_cast<std::uint32_t>(decompressor.output_components);
    if (components != 1 && components != 3)
    {
        jpeg_destroy_decompress(&decompressor);
        return ImageReadResult::Unsupported;
    }
    if (!Image::IsSizeAcceptable(decompressor.output_width, decompressor.output_height, 8 * components))
    {
        jpeg_destroy_decompress(&decompressor);
        return ImageReadResult::Incorrect;
    }
    jpeg_start_decompress(&decompressor);
    try
    {
        job.image->Create(job.log, decompressor.output_width, decompressor.output_height, 8 * components);
    }
    catch (...)
    {
        jpeg_destroy_decompress(&decompressor);
        throw;
    }
    // The file stores the top row first; the image keeps the bottom row at row 0.
    const std::size_t rowBytes = std::size_t{decompressor.output_width} * components;
    while (decompressor.output_scanline < decompressor.output_height)
    {
        JSAMPROW row = job.image->GetPixels() + rowBytes * (decompressor.output_height - 1 - decompressor.output_scanline);
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return ImageReadResult::Success;
}

ImageReadResult DecodeJpeg(JpegReadJob& job)
{
    job.decompressor.err = InstallJpegErrorManager(job.errors, job.log);
    if (setjmp(job.errors.jump) != 0)
    {
        jpeg_destroy_decompress(&job.decompressor);
        return ImageReadResult::Incorrect;
    }
    return RunDecoder(job);
}

void RunEncoder(JpegWriteJob& job)
{
    jpeg_compress_struct& compressor = job.compressor;
    const Image& image = *job.image;
    const int bytesPerPixel = static_cast<int>(image.GetBitsPerPixel() / 8);
    jpeg_create_compress(&compressor);
    compressor.in_color_space = bytesPerPixel == 1 ? JCS_GRAYSCALE : JCS_RGB;
    compressor.input_components = bytesPerPixel;
    jpeg_set_defaults(&compressor);
    compressor.input_components = bytesPerPixel;
    compressor.num_components = bytesPerPixel;
    compressor.image_width = image.GetWidth();
    compressor.image_height = image.GetHeight();
    compressor.data_precision = 8;
    compressor.input_gamma = 1.0;
    jpeg_set_quality(&compressor, job.quality, FALSE);
    jpeg_stdio_dest(&compressor, job.stream);
    jpeg_start_compress(&compressor, TRUE);
    const std::size_t rowBytes = std::size_t{image.GetWidth()} * static_cast<std::size_t>(bytesPerPixel);
    // The library never writes through the row; its interface is simply not const.
    auto* pixels = const_cast<std::uint8_t*>(image.GetPixels());
    while (compressor.next_scanline < compressor.image_height)
    {
        JSAMPROW row = pixels + rowBytes * (compressor.image_height - 1 - compressor.next_scanline);
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
}

bool EncodeJpeg(JpegWriteJob& job)
{
    job.compressor.err = InstallJpegErrorManager(job.errors, job.log);
    if (setjmp(job.errors.jump) != 0)
    {
        jpeg_destroy_compress(&job.compressor);
        return false;
    }
    RunEncoder(job);
    return true;
}

} // namespace

bool Image::ReadJPEG(MessageManager* newLog, FileBinary& file, const std::string& path)
{
    Clear();
    log = newLog;
    JpegReadJob job{};
    job.file = &file;
    job.image = this;
    job.log = newLog;
    return RunImageReader(*this, newLog, path, [&] { return DecodeJpeg(job); });
}

bool Image::LoadJPEG(MessageManager* newLog, FileManager* fileManager, const std::string& path)
{
    Clear();
    const std::unique_ptr<FileBinary> file = OpenImageFile(newLog, *fileManager, path, true);
    return file != nullptr && ReadJPEG(newLog, *file, path);
}

bool Image::SaveJPEG(FileManager* fileManager, const std::string& path, std::uint32_t quality)
{
    if (!CanSave(path))
    {
        return false;
    }
    // A 32-bit image is written from a 24-bit copy; the image keeps its alpha.
    Image converted;
    const Image* source = this;
    if (bitsPerPixel == 32)
    {
        ConvertBitsPerPixel(24, &converted);
        source = &converted;
    }
    const std::string fullPath = IsAbsolutePath(path) ? path : fileManager->GetRootFolder() + "\\" + path;
    FileManager::CreateDirectories(fullPath);
    win32::AtomicFile output(fullPath);
    if (!output.IsOpen())
    {
        return ReportFailedSave(log, path);
    }
    JpegWriteJob job{};
    job.stream = output.GetStream();
    job.image = source;
    job.log = log;
    job.quality = static_cast<int>(std::min<std::uint32_t>(quality, 100));
    if (!EncodeJpeg(job) || std::ferror(output.GetStream()) != 0)
    {
        output.Discard();
        return ReportFailedSave(log, path);
    }
    if (!output.Commit())
    {
        return ReportFailedSave(log, path);
    }
    return true;
}

} // namespace OrvaneEngine
