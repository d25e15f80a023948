#pragma once

#include "platform/win32/DeviceContext.h"

#include <cstdint>
#include <vector>

namespace win32
{

// What a window's device context reads its picture from: the drawing device
// hangs one on the window it presents to, so that a block copy from the
// window gets what was last shown there (the window itself keeps nothing
// once it has been swapped).
class PictureSource
{
public:
    virtual ~PictureSource() = default;

    // The picture last shown, only when it is exactly width x height: rows
    // bottom-up, 4 bytes per pixel in B, G, R, A order. False (pixels then
    // undefined) when nothing of that size has been shown.
    virtual bool ReadPicture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t>& pixels) = 0;
};

inline void SetPictureSource(HDC context, PictureSource* source)
{
    if (context != nullptr)
        context->pictureSource = source;
}

inline PictureSource* GetPictureSource(HDC context)
{
    return context != nullptr ? static_cast<PictureSource*>(context->pictureSource) : nullptr;
}

} // namespace win32
