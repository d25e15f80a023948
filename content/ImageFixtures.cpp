#include "content/ImageFixtures.h"

#include "content/LittleEndian.h"
#include "engine/core/FileManager.h"
#include "engine/render/Image.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvellan::content
{

namespace
{

std::uint32_t GetLittle32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
    {
        value |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + i])} << (8 * i);
    }
    return value;
}

} // namespace

std::string EngineImageFile(OrvaneEngine::Image& image, const std::string& extension, std::uint32_t quality)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvellan-image-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
    {
        return {};
    }
    const std::string folder = pattern;
    bool saved = false;
    {
        OrvaneEngine::FileManager files(nullptr, folder, "");
        const std::string name = "picture." + extension;
        if (extension == "bmp")
        {
            saved = image.SaveBMP(&files, name);
        }
        else if (extension == "tga")
        {
            saved = image.SaveTGA(&files, name);
        }
        else
        {
            saved = image.SaveJPEG(&files, name, quality);
        }
    }
    std::string bytes;
    if (saved)
    {
        std::ifstream in(folder + "/picture." + extension, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return bytes;
}

std::string Bmp8(std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& indices,
                 const std::vector<std::uint32_t>& palette)
{
    const std::uint32_t stride = (width + 3) & ~3u;
    std::string bytes(54 + 1024 + std::size_t{stride} * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    SetLittle32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    SetLittle32(bytes, 10, 54 + 1024);
    SetLittle32(bytes, 14, 40);
    SetLittle32(bytes, 18, width);
    SetLittle32(bytes, 22, height);
    SetLittle16(bytes, 26, 1);
    SetLittle16(bytes, 28, 8);
    SetLittle32(bytes, 34, stride * height);
    SetLittle32(bytes, 38, 2835);
    SetLittle32(bytes, 42, 2835);
    for (std::size_t k = 0; k < palette.size() && k < 256; ++k)
    {
        // Blue, green, red, reserved.
        SetLittle32(bytes, 54 + 4 * k, palette[k] & 0xFFFFFF);
    }
    for (std::uint32_t row = 0; row < height; ++row)
    {
        for (std::uint32_t x = 0; x < width; ++x)
        {
            bytes[54 + 1024 + std::size_t{row} * stride + x] = static_cast<char>(indices[std::size_t{row} * width + x]);
        }
    }
    return bytes;
}

std::string BmpWithGap(OrvaneEngine::Image& image, std::uint32_t gap)
{
    std::string bytes = EngineImageFile(image, "bmp");
    if (bytes.empty())
    {
        return bytes;
    }
    const std::uint32_t offset = GetLittle32(bytes, 10);
    bytes.insert(offset, std::string(gap, '\x5A'));
    SetLittle32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    SetLittle32(bytes, 10, offset + gap);
    return bytes;
}

std::string Tga(std::uint32_t width, std::uint32_t height, const TgaLayout& layout, const std::string& stored)
{
    std::string bytes(18, '\0');
    const bool mapped = layout.mapLength != 0;
    bytes[0] = static_cast<char>(layout.id.size());
    bytes[1] = mapped ? 1 : 0;
    const std::uint8_t type = layout.depth == 8 ? (mapped ? 1 : 3) : 2;
    bytes[2] = static_cast<char>(type | (layout.runLength ? 8 : 0));
    SetLittle16(bytes, 5, layout.mapLength);
    bytes[7] = static_cast<char>(layout.mapEntryBits);
    SetLittle16(bytes, 12, width);
    SetLittle16(bytes, 14, height);
    bytes[16] = static_cast<char>(layout.depth);
    bytes[17] = layout.topLeft ? 0x20 : 0x00;
    bytes += layout.id;
    bytes += std::string(std::size_t{layout.mapLength} * ((layout.mapEntryBits + 7u) / 8u), '\0');
    bytes += layout.runLength ? RunLengthPackets(stored, std::max<std::size_t>(layout.depth / 8, 1)) : stored;
    return bytes;
}

std::string TgaFromImage(const OrvaneEngine::Image& image, const TgaLayout& layout)
{
    const std::uint32_t width = image.GetWidth();
    const std::uint32_t height = image.GetHeight();
    const std::size_t imageBytes = image.GetBitsPerPixel() / 8;
    std::string stored;
    for (std::uint32_t i = 0; i < height; ++i)
    {
        const std::uint32_t row = layout.topLeft ? height - 1 - i : i;
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const std::uint8_t* p = image.GetPixels() + (std::size_t{row} * width + x) * imageBytes;
            switch (layout.depth)
            {
            case 8:
                stored += static_cast<char>(p[0]);
                break;
            case 16:
            {
                const std::uint32_t alpha = imageBytes == 4 && p[3] >= 128 ? 0x8000 : 0;
                const std::uint32_t v = alpha | ((p[0] >> 3u) << 10) | ((p[1] >> 3u) << 5) | (p[2] >> 3u);
                stored += static_cast<char>(v & 0xFF);
                stored += static_cast<char>(v >> 8);
                break;
            }
            default:
                stored += static_cast<char>(p[2]);
                stored += static_cast<char>(p[1]);
                stored += static_cast<char>(p[0]);
                if (layout.depth == 32)
                {
                    stored += static_cast<char>(imageBytes == 4 ? p[3] : 255);
                }
                break;
            }
        }
    }
    return Tga(width, height, layout, stored);
}

std::string RunLengthPackets(const std::string& pixels, std::size_t pixelBytes)
{
    const std::size_t count = pixels.size() / pixelBytes;
    auto same = [&](std::size_t a, std::size_t b) {
        return pixels.compare(a * pixelBytes, pixelBytes, pixels, b * pixelBytes, pixelBytes) == 0;
    };
    std::string packets;
    std::size_t i = 0;
    while (i < count)
    {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run))
        {
            ++run;
        }
        if (run >= 2)
        {
            packets += static_cast<char>(0x80 | (run - 1));
            packets.append(pixels, i * pixelBytes, pixelBytes);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1)))
        {
            ++raw;
        }
        packets += static_cast<char>(raw - 1);
        packets.append(pixels, i * pixelBytes, raw * pixelBytes);
        i += raw;
    }
    return packets;
}

} // namespace corvellan::content
