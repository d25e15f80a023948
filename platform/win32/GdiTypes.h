#pragma once

// The values the screen capture passes to and gets back from the drawing
// calls of the window system: objects, the header of a device-independent
// bitmap and the flags that go with it.

#include <cstdint>

namespace win32
{

struct BitmapObject;

// Any object a device context can hold; only bitmaps exist here.
using HGDIOBJ = void*;
using HBITMAP = BitmapObject*;

// Rows stored without compression.
inline constexpr std::uint32_t BI_RGB = 0;
// A colour table of RGB entries, not palette indices.
inline constexpr std::uint32_t DIB_RGB_COLORS = 0;
// Copies the source rectangle as it is.
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020u;

// The 40-byte header of a device-independent bitmap. A positive height means
// the rows are stored bottom-up.
struct BITMAPINFOHEADER
{
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    std::int32_t xPelsPerMeter;
    std::int32_t yPelsPerMeter;
    std::uint32_t colorsUsed;
    std::uint32_t colorsImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header is stored byte for byte");

struct RGBQUAD
{
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t reserved;
};

// The header followed by the first entry of the colour table (none is used
// above 8 bits per pixel).
struct BITMAPINFO
{
    BITMAPINFOHEADER header;
    RGBQUAD colors[1];
};

// The bytes of one row of a device-independent bitmap: whole 32-bit words.
constexpr std::uint64_t DibRowBytes(std::uint64_t width, std::uint32_t bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

} // namespace win32
