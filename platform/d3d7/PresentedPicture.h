#pragma once

#include <cstdint>
#include <vector>

namespace d3d7
{

// The picture last presented, at the display mode's size: rows bottom-up,
// 4 bytes per pixel in B, G, R, A order. It can be read from the present
// until the next clear or scene; false outside that time. Main thread only.
// The screen capture reads the window through it.
bool ReadPresentedPicture(std::vector<std::uint8_t>& pixels, std::uint32_t& width, std::uint32_t& height);

} // namespace d3d7
