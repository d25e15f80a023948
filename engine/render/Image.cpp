#include "engine/render/Image.h"

#include "engine/core/Color.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace OrvaneEngine
{

namespace
{

bool IsKnownDepth(std::uint32_t bits)
{
    return bits == 8 || bits == 24 || bits == 32;
}

// Grey level of an R, G, B pixel: single-precision weights, summed in double.
std::uint8_t GreyOf(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    const double sum = double{0.222f} * r + double{0.707f} * g + double{0.071f} * b;
    return static_cast<std::uint8_t>(static_cast<int>(sum));
}

// The low 8 bits of v truncated toward zero. A float outside the range of a
// 64-bit integer is a multiple of 256, so its low bits are 0; NaN counts as 0.
std::uint8_t LowByte(double v)
{
    if (std::isnan(v) || !(std::fabs(v) < 9223372036854775808.0))
    {
        return 0;
    }
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(v)));
}

} // namespace

Image::Image() = default;

Image::~Image()
{
    Clear();
}

void Image::Create(MessageManager* newLog, std::uint32_t newWidth, std::uint32_t newHeight,
                   std::uint32_t newBitsPerPixel)
{
    Clear();
    std::uint64_t bits = 0;
    if (__builtin_mul_overflow(std::uint64_t{newWidth}, std::uint64_t{newHeight}, &bits)
        || __builtin_mul_overflow(bits, std::uint64_t{newBitsPerPixel}, &bits)
        || bits / 8 > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()))
    {
        throw std::bad_alloc();
    }
    pixels.reset(new std::uint8_t[static_cast<std::size_t>(bits / 8)]);
    empty = false;
    log = newLog;
    width = newWidth;
    height = newHeight;
    bitsPerPixel = newBitsPerPixel;
}

void Image::Clear()
{
    pixels.reset();
    empty = true;
    width = 0;
    height = 0;
    bitsPerPixel = 0;
}

void Image::SetEmpty(bool flag)
{
    // The buffer is owned, so "empty" and "no pixels" cannot be allowed to drift apart.
    if (flag)
    {
        Clear();
    }
}

void Image::CopyFrom(const Image& source)
{
    if (&source == this)
    {
        return;
    }
    if (source.empty)
    {
        Clear();
        log = source.log;
        return;
    }
    Create(source.log, source.width, source.height, source.bitsPerPixel);
    const std::uint64_t bytes = std::uint64_t{width} * height * bitsPerPixel / 8;
    if (bytes != 0)
    {
        std::memcpy(pixels.get(), source.pixels.get(), static_cast<std::size_t>(bytes));
    }
}

void Image::TakeFrom(Image& other)
{
    pixels = std::move(other.pixels);
    empty = other.empty;
    log = other.log;
    width = other.width;
    height = other.height;
    bitsPerPixel = other.bitsPerPixel;
    other.Clear();
}

void Image::FlipVertical(Image* output)
{
    if (output == this)
    {
        output = nullptr;
    }
    if (empty)
    {
        if (output != nullptr)
        {
            output->CopyFrom(*this);
        }
        return;
    }
    Image temporary;
    Image& target = output != nullptr ? *output : temporary;
    target.Create(log, width, height, bitsPerPixel);
    const std::size_t rowBytes = static_cast<std::size_t>(RowBytes());
    for (std::uint32_t row = 0; row < height; ++row)
    {
        std::memcpy(target.pixels.get() + std::size_t{height - 1 - row} * rowBytes,
                    pixels.get() + std::size_t{row} * rowBytes, rowBytes);
    }
    if (output == nullptr)
    {
        TakeFrom(temporary);
    }
}

void Image::SwapRedBlue(Image* output)
{
    if (output == this)
    {
        output = nullptr;
    }
    if (output != nullptr)
    {
        output->CopyFrom(*this);
    }
    Image& target = output != nullptr ? *output : *this;
    if (target.empty || (target.bitsPerPixel != 24 && target.bitsPerPixel != 32))
    {
        return;
    }
    const std::size_t step = target.BytesPerPixel();
    const std::size_t count = std::size_t{target.width} * target.height;
    std::uint8_t* pixel = target.pixels.get();
    for (std::size_t i = 0; i < count; ++i, pixel += step)
    {
        std::swap(pixel[0], pixel[2]);
    }
}

void Image::ConvertBitsPerPixel(std::uint32_t bits, Image* output)
{
    if (output == this)
    {
        output = nullptr;
    }
    if (empty || bits == bitsPerPixel || !IsKnownDepth(bits) || !IsKnownDepth(bitsPerPixel))
    {
        if (output != nullptr)
        {
            output->CopyFrom(*this);
        }
        return;
    }
    Image temporary;
    Image& target = output != nullptr ? *output : temporary;
    target.Create(log, width, height, bits);
    const std::size_t count = std::size_t{width} * height;
    const std::uint8_t* from = pixels.get();
    std::uint8_t* to = target.pixels.get();
    const std::size_t fromStep = BytesPerPixel();
    const std::size_t toStep = bits / 8;
    for (std::size_t i = 0; i < count; ++i, from += fromStep, to += toStep)
    {
        if (bitsPerPixel == 8)
        {
            std::memset(to, from[0], toStep);
        }
        else if (bits == 8)
        {
            to[0] = bitsPerPixel == 32 ? from[3] : GreyOf(from[0], from[1], from[2]);
        }
        else
        {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            if (bits == 32)
            {
                to[3] = 255;
            }
        }
    }
    if (output == nullptr)
    {
        TakeFrom(temporary);
    }
}

void Image::Paste(std::uint32_t x, std::uint32_t y, const Image& source, Image* output)
{
    if (output == this)
    {
        output = nullptr;
    }
    // A source of another depth, or one that is also the target, is pasted from a copy.
    const Image* from = &source;
    Image copy;
    if (source.bitsPerPixel != bitsPerPixel || &source == this || &source == output)
    {
        copy.CopyFrom(source);
        copy.ConvertBitsPerPixel(bitsPerPixel);
        from = &copy;
    }
    if (output != nullptr)
    {
        output->CopyFrom(*this);
    }
    Image& target = output != nullptr ? *output : *this;
    if (target.empty || from->empty || from->bitsPerPixel != target.bitsPerPixel)
    {
        return;
    }
    // x >= width rather than x + 1 > width: the sum wraps at the largest coordinate.
    const std::uint32_t copiedWidth = x >= target.width ? 0 : std::min(from->width, target.width - x);
    const std::uint32_t copiedHeight = y >= target.height ? 0 : std::min(from->height, target.height - y);
    if (copiedWidth == 0 || copiedHeight == 0)
    {
        return;
    }
    const std::size_t bytesPerPixel = target.BytesPerPixel();
    for (std::uint32_t row = 0; row < copiedHeight; ++row)
    {
        std::memcpy(target.pixels.get() + (std::size_t{y + row} * target.width + x) * bytesPerPixel,
                    from->pixels.get() + std::size_t{row} * from->width * bytesPerPixel,
                    std::size_t{copiedWidth} * bytesPerPixel);
    }
}

void Image::Fill(const Color& color, Image* output)
{
    if (output == this)
    {
        output = nullptr;
    }
    if (output != nullptr)
    {
        if (empty)
        {
            output->CopyFrom(*this);
            return;
        }
        output->Create(log, width, height, bitsPerPixel);
    }
    Image& target = output != nullptr ? *output : *this;
    if (target.empty || !IsKnownDepth(target.bitsPerPixel))
    {
        return;
    }
    std::uint8_t value[4] = {LowByte(color.r * 255.0f), LowByte(color.g * 255.0f), LowByte(color.b * 255.0f),
                             LowByte(color.a * 255.0f)};
    if (target.bitsPerPixel == 8)
    {
        value[0] = LowByte(255.0 * (double{0.222f} * color.r + double{0.707f} * color.g + double{0.071f} * color.b));
    }
    const std::size_t step = target.BytesPerPixel();
    const std::size_t count = std::size_t{target.width} * target.height;
    std::uint8_t* pixel = target.pixels.get();
    for (std::size_t i = 0; i < count; ++i, pixel += step)
    {
        std::memcpy(pixel, value, step);
    }
}

void Image::MakeCheckerboard(MessageManager* newLog)
{
    Create(newLog, 64, 64, 24);
    Fill(Color(0.0f, 0.0f, 0.0f, 1.0f));
    Image cell;
    cell.Create(newLog, 8, 8, 32);
    cell.Fill(Color(1.0f, 1.0f, 0.0f, 1.0f));
    for (std::uint32_t i = 0; i < 8; ++i)
    {
        for (std::uint32_t j = 0; j < 8; ++j)
        {
            if ((i + j) % 2 == 0)
            {
                Paste(8 * i, 8 * j, cell);
            }
        }
    }
}

} // namespace OrvaneEngine
