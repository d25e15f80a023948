#include "engine/render/Image.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ImageFormat.h"

#include <cstring>
#include <limits>
#include <vector>

namespace OrvaneEngine
{

namespace
{

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t HeaderSize = 54;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t PaletteSize = 1024;

std::uint64_t PaddedRow(std::uint64_t bytes)
{
    return (bytes + 3) & ~std::uint64_t{3};
}

ImageReadResult ReadBmpPicture(Image& image, MessageManager* log, FileBinary& file)
{
    std::uint8_t header[HeaderSize];
    file.Read(header, HeaderSize);
    if (header[0] != 'B' || header[1] != 'M')
    {
        return ImageReadResult::Incorrect;
    }
    const std::uint32_t dataOffset = LoadLittle32(header + 10);
    const std::uint32_t infoSize = LoadLittle32(header + 14);
    const auto width = static_cast<std::int32_t>(LoadLittle32(header + 18));
    const auto height = static_cast<std::int32_t>(LoadLittle32(header + 22));
    const std::uint32_t bits = LoadLittle16(header + 28);
    const std::uint32_t compression = LoadLittle32(header + 30);

    // Other depths, compressed data, rows stored top first and the old 12-byte
    // header all lay their bytes out differently: refuse them rather than misread them.
    if ((bits != 8 && bits != 24 && bits != 32) || compression != 0 || height < 0 || infoSize < InfoHeaderSize)
    {
        return ImageReadResult::Unsupported;
    }
    const std::uint32_t imageBits = bits == 32 ? 32 : 24;
    if (width <= 0 || !Image::IsSizeAcceptable(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height),
                                               imageBits))
    {
        return ImageReadResult::Incorrect;
    }
    // The palette follows the info header; the rows start at the header's
    // offset, which must lie past both and leave room for every row.
    const std::uint64_t paletteStart = std::uint64_t{FileHeaderSize} + infoSize;
    const std::uint64_t pictureStart = paletteStart + (bits == 8 ? PaletteSize : 0);
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * (bits / 8);
    const std::uint64_t stride = PaddedRow(rowBytes);
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(height - 1) + rowBytes;
    const std::uint64_t fileSize = file.GetSize();
    if (dataOffset < pictureStart || dataOffset > fileSize || fileSize - dataOffset < needed
        || fileSize > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    {
        return ImageReadResult::Incorrect;
    }

    std::uint8_t palette[PaletteSize] = {};
    if (bits == 8)
    {
        file.Seek(0, static_cast<std::int32_t>(paletteStart));
        file.Read(palette, PaletteSize);
    }
    image.Create(log, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), imageBits);
    const std::size_t imageRowBytes = std::size_t{image.GetWidth()} * imageBits / 8;
    std::vector<std::uint8_t> indices(bits == 8 ? rowBytes : 0);
    for (std::uint32_t row = 0; row < image.GetHeight(); ++row)
    {
        file.Seek(0, static_cast<std::int32_t>(dataOffset + stride * row));
        std::uint8_t* target = image.GetPixels() + imageRowBytes * row;
        if (bits != 8)
        {
            file.Read(target, static_cast<std::uint32_t>(rowBytes));
            continue;
        }
        file.Read(indices.data(), static_cast<std::uint32_t>(rowBytes));
        for (const std::uint8_t index : indices)
        {
            const std::uint8_t* entry = palette + 4 * index;
            *target++ = entry[2];
            *target++ = entry[1];
            *target++ = entry[0];
        }
    }
    if (bits != 8)
    {
        image.SwapRedBlue();
    }
    return ImageReadResult::Success;
}

} // namespace

bool Image::ReadBMP(MessageManager* newLog, FileBinary& file, const std::string& path)
{
    Clear();
    log = newLog;
    return RunImageReader(*this, newLog, path, [&] { return ReadBmpPicture(*this, newLog, file); });
}

bool Image::LoadBMP(MessageManager* newLog, FileManager* fileManager, const std::string& path)
{
    Clear();
    const std::unique_ptr<FileBinary> file = OpenImageFile(newLog, *fileManager, path, false);
    return file != nullptr && ReadBMP(newLog, *file, path);
}

bool Image::SaveBMP(FileManager* fileManager, const std::string& path)
{
    if (!CanSave(path))
    {
        return false;
    }
    const std::uint32_t bytesPerPixel = BytesPerPixel();
    const std::uint64_t stride = PaddedRow(RowBytes());
    const std::uint64_t dataSize = stride * height;
    const std::uint64_t paletteSize = bitsPerPixel == 8 ? PaletteSize : 0;
    const std::uint64_t fileSize = HeaderSize + paletteSize + dataSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
    {
        return ReportFailedSave(log, path);
    }

    std::uint8_t header[HeaderSize] = {'B', 'M'};
    StoreLittle32(header + 2, static_cast<std::uint32_t>(fileSize));
    StoreLittle32(header + 10, static_cast<std::uint32_t>(HeaderSize + paletteSize));
    StoreLittle32(header + 14, InfoHeaderSize);
    StoreLittle32(header + 18, width);
    StoreLittle32(header + 22, height);
    StoreLittle16(header + 26, 1);
    StoreLittle16(header + 28, bitsPerPixel);
    StoreLittle32(header + 34, static_cast<std::uint32_t>(dataSize));
    StoreLittle32(header + 38, 2835);
    StoreLittle32(header + 42, 2835);
    try
    {
        const std::unique_ptr<FileBinary> file = fileManager->Open(path, true);
        file->Write(header, HeaderSize);
        if (bitsPerPixel == 8)
        {
            std::uint8_t palette[PaletteSize];
            for (std::uint32_t k = 0; k < 256; ++k)
            {
                std::memset(palette + 4 * k, static_cast<int>(k), 4);
            }
            file->Write(palette, PaletteSize);
        }
        std::vector<std::uint8_t> row(stride, 0);
        for (std::uint32_t r = 0; r < height; ++r)
        {
            const std::uint8_t* from = pixels.get() + RowBytes() * r;
            std::memcpy(row.data(), from, RowBytes());
            if (bytesPerPixel >= 3)
            {
                for (std::size_t at = 0; at < RowBytes(); at += bytesPerPixel)
                {
                    std::swap(row[at], row[at + 2]);
                }
            }
            file->Write(row.data(), static_cast<std::uint32_t>(stride));
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
