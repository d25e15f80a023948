#include "platform/d3d7/TextureFormats.h"

#include "platform/d3d7/DeviceTypes.h"

#include <SDL_opengl.h>

namespace d3d7::detail
{
namespace
{

DDPIXELFORMAT Rgb(std::uint32_t bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t alpha)
{
    DDPIXELFORMAT format;
    format.size = sizeof(DDPIXELFORMAT);
    format.flags = DDPF_RGB | (alpha != 0 ? DDPF_ALPHAPIXELS : 0);
    format.rgbBitCount = bits;
    format.redMask = red;
    format.greenMask = green;
    format.blueMask = blue;
    format.alphaMask = alpha;
    return format;
}

bool Masks(const DDPIXELFORMAT& format, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
           std::uint32_t alpha)
{
    const std::uint32_t givenAlpha = (format.flags & DDPF_ALPHAPIXELS) ? format.alphaMask : 0;
    return format.redMask == red && format.greenMask == green && format.blueMask == blue && givenAlpha == alpha;
}

} // namespace

std::vector<DDPIXELFORMAT> StandardTextureFormats()
{
    DDPIXELFORMAT luminance;
    luminance.size = sizeof(DDPIXELFORMAT);
    luminance.flags = DDPF_LUMINANCE;
    luminance.rgbBitCount = 8;
    luminance.redMask = 0xFF;
    DDPIXELFORMAT compressed;
    compressed.size = sizeof(DDPIXELFORMAT);
    compressed.flags = DDPF_FOURCC;
    compressed.fourCC = 0x31545844; // "DXT1"
    return {
        Rgb(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000),
        Rgb(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0),
        Rgb(16, 0xF800, 0x07E0, 0x001F, 0),
        Rgb(16, 0x7C00, 0x03E0, 0x001F, 0x8000),
        Rgb(16, 0x0F00, 0x00F0, 0x000F, 0xF000),
        luminance,
        compressed,
    };
}

bool DescribeTextureFormat(const DDPIXELFORMAT& format, TextureUpload& upload)
{
    if (format.flags & DDPF_LUMINANCE)
    {
        if (format.rgbBitCount != 8 || (format.flags & (DDPF_RGB | DDPF_FOURCC | DDPF_ALPHAPIXELS)))
            return false;
        upload = TextureUpload{GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE, 1};
        return true;
    }
    if (!(format.flags & DDPF_RGB) || (format.flags & (DDPF_FOURCC | DDPF_BUMPDUDV)))
        return false;
    // 8888 is B, G, R, A in memory; the 16-bit formats are packed words.
    if (format.rgbBitCount == 32 && Masks(format, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000))
        upload = TextureUpload{GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, 4};
    else if (format.rgbBitCount == 32 && Masks(format, 0x00FF0000, 0x0000FF00, 0x000000FF, 0))
        upload = TextureUpload{GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE, 4};
    else if (format.rgbBitCount == 16 && Masks(format, 0xF800, 0x07E0, 0x001F, 0))
        upload = TextureUpload{GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2};
    else if (format.rgbBitCount == 16 && Masks(format, 0x7C00, 0x03E0, 0x001F, 0x8000))
        upload = TextureUpload{GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, 2};
    else if (format.rgbBitCount == 16 && Masks(format, 0x0F00, 0x00F0, 0x000F, 0xF000))
        upload = TextureUpload{GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, 2};
    else
        return false;
    return true;
}

} // namespace d3d7::detail
