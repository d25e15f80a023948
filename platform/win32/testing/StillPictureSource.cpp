#include "platform/win32/testing/StillPictureSource.h"

#include <utility>

namespace win32::testing
{

void StillPictureSource::SetPicture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t> pixels)
{
    pictureWidth = width;
    pictureHeight = height;
    picture = std::move(pixels);
}

void StillPictureSource::ClearPicture()
{
    pictureWidth = pictureHeight = 0;
    picture.clear();
}

bool StillPictureSource::ReadPicture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t>& pixels)
{
    ++reads;
    if (picture.empty() || width != pictureWidth || height != pictureHeight)
        return false;
    pixels = picture;
    return true;
}

} // namespace win32::testing
