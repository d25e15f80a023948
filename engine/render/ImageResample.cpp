#include "engine/render/Image.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace OrvaneEngine
{

namespace
{

__extension__ using Wide = unsigned __int128;

// Source position of target index i in fixed point (scale units per source
// pixel): (source − 1) × i × scale / (target − 1). A target side of 1 maps to 0.
std::uint64_t MapFixed(std::uint32_t sourceSize, std::uint32_t targetSize, std::uint32_t i, std::uint32_t scale)
{
    if (targetSize <= 1 || sourceSize == 0)
    {
        return 0;
    }
    const Wide product = Wide{sourceSize - 1u} * i * scale;
    return static_cast<std::uint64_t>(product / (targetSize - 1u));
}

std::uint32_t Clamped(std::int64_t index, std::uint32_t size)
{
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(index, 0, std::int64_t{size} - 1));
}

struct Plane
{
    const std::uint8_t* pixels;
    std::uint32_t width;
    std::size_t bytesPerPixel;

    std::uint32_t At(std::uint32_t column, std::uint32_t row, std::size_t byte) const
    {
        return pixels[(std::size_t{row} * width + column) * bytesPerPixel + byte];
    }
};

void SampleNearest(const Plane& source, std::uint32_t sourceWidth, std::uint32_t sourceHeight, Image& target)
{
    const std::uint32_t targetWidth = target.GetWidth();
    const std::uint32_t targetHeight = target.GetHeight();
    const std::size_t bytes = source.bytesPerPixel;
    std::uint8_t* out = target.GetPixels();
    for (std::uint32_t y = 0; y < targetHeight; ++y)
    {
        const auto row = static_cast<std::uint32_t>(MapFixed(sourceHeight, targetHeight, y, 1));
        for (std::uint32_t x = 0; x < targetWidth; ++x, out += bytes)
        {
            const auto column = static_cast<std::uint32_t>(MapFixed(sourceWidth, targetWidth, x, 1));
            std::memcpy(out, source.pixels + (std::size_t{row} * source.width + column) * bytes, bytes);
        }
    }
}

void SampleBilinear(const Plane& source, std::uint32_t sourceWidth, std::uint32_t sourceHeight, Image& target)
{
    const std::uint32_t targetWidth = target.GetWidth();
    const std::uint32_t targetHeight = target.GetHeight();
    const std::size_t bytes = source.bytesPerPixel;
    std::uint8_t* out = target.GetPixels();
    for (std::uint32_t y = 0; y < targetHeight; ++y)
    {
        std::uint64_t fy = MapFixed(sourceHeight, targetHeight, y, 256);
        // The last row is sampled just below the last source row, never below row 0.
        if (y == targetHeight - 1 && fy > 0)
        {
            --fy;
        }
        const auto iy = static_cast<std::uint32_t>(fy >> 8);
        const std::uint32_t ty = fy & 255;
        for (std::uint32_t x = 0; x < targetWidth; ++x, out += bytes)
        {
            const std::uint64_t fx = MapFixed(sourceWidth, targetWidth, x, 256);
            const auto ix = static_cast<std::uint32_t>(fx >> 8);
            const std::uint32_t tx = fx & 255;
            // A neighbour of weight 0 is not read: the last column and row have no neighbour.
            for (std::size_t byte = 0; byte < bytes; ++byte)
            {
                std::uint32_t sum = (256 - tx) * (256 - ty) * source.At(ix, iy, byte);
                if (ty != 0)
                {
                    sum += (256 - tx) * ty * source.At(ix, iy + 1, byte);
                }
                if (tx != 0)
                {
                    sum += tx * (256 - ty) * source.At(ix + 1, iy, byte);
                    if (ty != 0)
                    {
                        sum += tx * ty * source.At(ix + 1, iy + 1, byte);
                    }
                }
                out[byte] = static_cast<std::uint8_t>(sum >> 16);
            }
        }
    }
}

void SampleCubic(const Plane& source, std::uint32_t sourceWidth, std::uint32_t sourceHeight, Image& target)
{
    const std::uint32_t targetWidth = target.GetWidth();
    const std::uint32_t targetHeight = target.GetHeight();
    const std::size_t bytes = source.bytesPerPixel;
    std::uint8_t* out = target.GetPixels();
    for (std::uint32_t y = 0; y < targetHeight; ++y)
    {
        const std::uint64_t fy = MapFixed(sourceHeight, targetHeight, y, 128);
        const auto iy = static_cast<std::int64_t>(fy >> 7);
        const auto ty = static_cast<std::int32_t>(fy & 127);
        std::uint32_t rows[4];
        for (int j = 0; j < 4; ++j)
        {
            rows[j] = Clamped(iy - 1 + j, sourceHeight);
        }
        for (std::uint32_t x = 0; x < targetWidth; ++x, out += bytes)
        {
            const std::uint64_t fx = MapFixed(sourceWidth, targetWidth, x, 128);
            const auto ix = static_cast<std::int64_t>(fx >> 7);
            const auto tx = static_cast<std::int32_t>(fx & 127);
            std::uint32_t columns[4];
            for (int j = 0; j < 4; ++j)
            {
                columns[j] = Clamped(ix - 1 + j, sourceWidth);
            }
            for (std::size_t byte = 0; byte < bytes; ++byte)
            {
                std::int32_t rowValues[4];
                for (int j = 0; j < 4; ++j)
                {
                    const std::uint32_t row = rows[j];
                    rowValues[j] = CubicInterpolate(
                        static_cast<std::int32_t>(source.At(columns[0], row, byte)),
                        static_cast<std::int32_t>(source.At(columns[1], row, byte)),
                        static_cast<std::int32_t>(source.At(columns[2], row, byte)),
                        static_cast<std::int32_t>(source.At(columns[3], row, byte)), tx);
                }
                const std::int32_t value = CubicInterpolate(rowValues[0], rowValues[1], rowValues[2], rowValues[3], ty);
                out[byte] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            }
        }
    }
}

} // namespace

std::int32_t CubicInterpolate(std::int32_t p0, std::int32_t p1, std::int32_t p2, std::int32_t p3, std::int32_t t)
{
    // Wrapping 32-bit arithmetic, so that no input can be undefined behaviour;
    // the filter's own inputs (bytes, and row values of -64..318) never wrap.
    const auto u0 = static_cast<std::uint32_t>(p0);
    const auto u1 = static_cast<std::uint32_t>(p1);
    const auto u2 = static_cast<std::uint32_t>(p2);
    const auto u3 = static_cast<std::uint32_t>(p3);
    const auto ut = static_cast<std::uint32_t>(t);
    const std::uint32_t a = (u3 - u2) - (u0 - u1);
    const std::uint32_t b = (u0 - u1) - a;
    const std::uint32_t c = u2 - u0;
    const std::uint32_t sum = (((a * ut) + (b << 7)) * ut + (c << 14)) * ut + (u1 << 21);
    return static_cast<std::int32_t>(sum) >> 21;
}

void Image::Resample(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter, Image& output)
{
    if (&output == this)
    {
        Resize(newWidth, newHeight, filter);
        return;
    }
    if (empty || (newWidth == width && newHeight == height))
    {
        output.CopyFrom(*this);
        return;
    }
    output.Create(log, newWidth, newHeight, bitsPerPixel);
    if (width == 0 || height == 0 || BytesPerPixel() == 0)
    {
        // Nothing to sample from.
        std::memset(output.GetPixels(), 0, static_cast<std::size_t>(std::uint64_t{newWidth} * newHeight * bitsPerPixel / 8));
        return;
    }
    const Plane source{pixels.get(), width, BytesPerPixel()};
    switch (filter)
    {
    case 1:
        SampleBilinear(source, width, height, output);
        break;
    case 2:
        SampleCubic(source, width, height, output);
        break;
    default:
        SampleNearest(source, width, height, output);
        break;
    }
}

void Image::Resize(std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter)
{
    Image temporary;
    Resample(newWidth, newHeight, filter, temporary);
    TakeFrom(temporary);
}

} // namespace OrvaneEngine
