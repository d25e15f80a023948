#pragma once

#include "platform/win32/PictureSource.h"

#include <cstdint>
#include <vector>

namespace win32::testing
{

// A picture source that shows one fixed picture, for capture tests that
// need no drawing device.
class StillPictureSource : public PictureSource
{
public:
    // Rows bottom-up, B, G, R, A; width x height x 4 bytes.
    void SetPicture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t> pixels);
    // Nothing shown from now on.
    void ClearPicture();
    std::uint32_t GetReadCount() const { return reads; }

    bool ReadPicture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t>& pixels) override;

private:
    std::uint32_t pictureWidth = 0;
    std::uint32_t pictureHeight = 0;
    std::vector<std::uint8_t> picture;
    std::uint32_t reads = 0;
};

} // namespace win32::testing
