#pragma once

// The pixel formats texture surfaces can have, and how each goes to GL.
// Platform-internal.

#include "platform/d3d7/Types.h"

#include <cstdint>
#include <vector>

namespace d3d7::detail
{

struct TextureUpload
{
    // GL's internal format, and the format and type of the surface memory.
    unsigned internalFormat = 0;
    unsigned format = 0;
    unsigned type = 0;
    std::uint32_t bytesPerPixel = 0;
};

// What a device offers, in its order: 32-bit ARGB 8888 and XRGB 8888,
// 16-bit RGB 565, ARGB 1555 and ARGB 4444, 8-bit luminance, and one
// compressed FourCC format.
std::vector<DDPIXELFORMAT> StandardTextureFormats();

// False for a format no texture surface can be made of here (compressed,
// bump maps, masks of its own).
bool DescribeTextureFormat(const DDPIXELFORMAT& format, TextureUpload& upload);

} // namespace d3d7::detail
