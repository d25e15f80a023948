#include "engine/render/Image.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ImageFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace OrvaneEngine
{

namespace
{

constexpr std::uint32_t HeaderSize = 18;
constexpr std::uint8_t TopLeftOrigin = 0x20;
constexpr std::uint64_t MaxPacketPixels = 128;

// Expands run-length packets into exactly pixelCount pixels. A packet that
// runs past the picture is cut; data that ends first is an error.
bool DecodeRunLength(const std::vector<std::uint8_t>& packed, std::size_t pixelBytes, std::uint64_t pixelCount,
                     std::vector<std::uint8_t>& pixels)
{
    std::size_t in = 0;
    std::uint8_t* out = pixels.data();
    std::uint64_t produced = 0;
    while (produced < pixelCount)
    {
        if (in >= packed.size())
        {
            return false;
        }
        const std::uint8_t count = packed[in++];
        const std::uint64_t n = std::min<std::uint64_t>((count & 127u) + 1u, pixelCount - produced);
        const std::size_t needed = (count & 128u) != 0 ? pixelBytes : static_cast<std::size_t>(n) * pixelBytes;
        if (packed.size() - in < needed)
        {
            return false;
        }
        if ((count & 128u) != 0)
        {
            for (std::uint64_t i = 0; i < n; ++i, out += pixelBytes)
            {
                std::memcpy(out, packed.data() + in, pixelBytes);
            }
        }
        else
        {
            std::memcpy(out, packed.data() + in, needed);
            out += needed;
        }
        in += needed;
        produced += n;
    }
    return true;
}

void ConvertPixel(const std::uint8_t* stored, std::uint32_t depth, std::uint8_t* pixel)
{
    switch (depth)
    {
    case 8:
        pixel[0] = stored[0];
        break;
    case 16:
    {
        const std::uint32_t v = LoadLittle16(stored);
        pixel[0] = static_cast<std::uint8_t>(((v >> 10) & 31) * 8);
        pixel[1] = static_cast<std::uint8_t>(((v >> 5) & 31) * 8);
        pixel[2] = static_cast<std::uint8_t>((v & 31) * 8);
        pixel[3] = (v & 0x8000) != 0 ? 255 : 0;
        break;
    }
    default:
        pixel[0] = stored[2];
        pixel[1] = stored[1];
        pixel[2] = stored[0];
        if (depth == 32)
        {
            pixel[3] = stored[3];
        }
        break;
    }
}

ImageReadResult ReadTgaPicture(Image& image, MessageManager* log, FileBinary& file)
{
    std::uint8_t header[HeaderSize];
    file.Read(header, HeaderSize);
    const std::uint32_t idLength = header[0];
    const std::uint32_t imageType = header[2];
    const std::uint32_t mapLength = LoadLittle16(header + 5);
    const std::uint32_t mapEntryBits = header[7];
    const std::uint32_t width = LoadLittle16(header + 12);
    const std::uint32_t height = LoadLittle16(header + 14);
    const std::uint32_t depth = header[16];
    const std::uint8_t descriptor = header[17];

    if (depth != 8 && depth != 16 && depth != 24 && depth != 32)
    {
        return ImageReadResult::Unsupported;
    }
    const std::uint32_t imageBits = depth == 16 ? 32 : depth;
    if (!Image::IsSizeAcceptable(width, height, imageBits))
    {
        return ImageReadResult::Incorrect;
    }
    // The ID field and the colour map are skipped, never applied; entries of
    // 15 bits take two bytes like those of 16.
    const std::uint64_t skipped = idLength + std::uint64_t{mapLength} * ((mapEntryBits + 7) / 8);
    const std::uint64_t available = file.GetSize() - std::uint64_t{HeaderSize};
    if (skipped > available)
    {
        return ImageReadResult::Incorrect;
    }
    const std::uint64_t remainder = available - skipped;
    const std::size_t pixelBytes = depth / 8;
    const std::uint64_t pixelCount = std::uint64_t{width} * height;
    const std::uint64_t rawSize = pixelCount * pixelBytes;
    const bool runLength = (imageType & 8) != 0;
    // Raw data must be all there; packed data needs at least one full packet
    // per 128 pixels, which also bounds what a tiny file can make us allocate.
    const std::uint64_t leastData =
        runLength ? (pixelCount + MaxPacketPixels - 1) / MaxPacketPixels * (1 + pixelBytes) : rawSize;
    if (remainder < leastData)
    {
        return ImageReadResult::Incorrect;
    }
    file.Seek(0, static_cast<std::int32_t>(HeaderSize + skipped));

    std::vector<std::uint8_t> stored(static_cast<std::size_t>(rawSize));
    if (runLength)
    {
        // More than one count byte per pixel is never needed.
        std::vector<std::uint8_t> packed(static_cast<std::size_t>(std::min(remainder, pixelCount * (1 + pixelBytes))));
        file.Read(packed.data(), static_cast<std::uint32_t>(packed.size()));
        if (!DecodeRunLength(packed, pixelBytes, pixelCount, stored))
        {
            return ImageReadResult::Incorrect;
        }
    }
    else
    {
        file.Read(stored.data(), static_cast<std::uint32_t>(rawSize));
    }

    image.Create(log, width, height, imageBits);
    const std::size_t imagePixelBytes = imageBits / 8;
    const std::uint8_t* from = stored.data();
    for (std::uint32_t row = 0; row < height; ++row)
    {
        // Either origin ends with the picture's bottom row at image row 0.
        const std::uint32_t target = (descriptor & TopLeftOrigin) != 0 ? height - 1 - row : row;
        std::uint8_t* to = image.GetPixels() + std::size_t{target} * width * imagePixelBytes;
        for (std::uint32_t x = 0; x < width; ++x, from += pixelBytes, to += imagePixelBytes)
        {
            ConvertPixel(from, depth, to);
        }
    }
    return ImageReadResult::Success;
}

} // namespace

bool Image::ReadTGA(MessageManager* newLog, FileBinary& file, const std::string& path)
{
    Clear();
    log = newLog;
    return RunImageReader(*this, newLog, path, [&] { return ReadTgaPicture(*this, newLog, file); });
}

bool Image::LoadTGA(MessageManager* newLog, FileManager* fileManager, const std::string& path)
{
    Clear();
    const std::unique_ptr<FileBinary> file = OpenImageFile(newLog, *fileManager, path, false);
    return file != nullptr && ReadTGA(newLog, *file, path);
}

bool Image::SaveTGA(FileManager* fileManager, const std::string& path)
{
    if (!CanSave(path))
    {
        return false;
    }
    if (width > std::numeric_limits<std::uint16_t>::max() || height > std::numeric_limits<std::uint16_t>::max())
    {
        return ReportFailedSave(log, path);
    }
    const bool mapped = bitsPerPixel == 8;
    std::uint8_t header[HeaderSize] = {};
    header[1] = mapped ? 1 : 0;
    header[2] = mapped ? 1 : 2;
    StoreLittle16(header + 5, mapped ? 256 : 0);
    header[7] = mapped ? 24 : 0;
    StoreLittle16(header + 12, width);
    StoreLittle16(header + 14, height);
    header[16] = static_cast<std::uint8_t>(bitsPerPixel);
    header[17] = TopLeftOrigin;
    try
    {
        const std::unique_ptr<FileBinary> file = fileManager->Open(path, true);
        file->Write(header, HeaderSize);
        if (mapped)
        {
            std::uint8_t map[768];
            for (std::uint32_t k = 0; k < 256; ++k)
            {
                std::memset(map + 3 * k, static_cast<int>(k), 3);
            }
            file->Write(map, sizeof map);
        }
        const std::size_t bytesPerPixel = BytesPerPixel();
        const std::size_t rowBytes = static_cast<std::size_t>(RowBytes());
        std::vector<std::uint8_t> row(rowBytes);
        for (std::uint32_t r = height; r-- > 0;)
        {
            std::memcpy(row.data(), pixels.get() + rowBytes * r, rowBytes);
            if (bytesPerPixel >= 3)
            {
                for (std::size_t at = 0; at < rowBytes; at += bytesPerPixel)
                {
                    std::swap(row[at], row[at + 2]);
                }
            }
            file->Write(row.data(), static_cast<std::uint32_t>(rowBytes));
        }
        file->Close();
    }
    catch (const FileError& error)
    {
        ReportFileError(log, error);
        return false;
    }
    return true;
}

} // namespace OrvaneEngine
