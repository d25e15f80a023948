#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Image;
}

namespace Mirabel
{

// One image handed to the packer under a name, which the packer overwrites
// with the image's name in the pack. The caller owns the image.
struct PackRecord
{
    std::string name;
    OrvaneEngine::Image* image = nullptr;
};

// One image while it is placed on a page. A cell is the image with a margin
// of 2 pixels on every side, so filtering never reaches a neighbour's pixels.
struct PackItem
{
    static constexpr std::int32_t Margin = 2;

    std::string name;
    PackRecord* source = nullptr;
    std::uint32_t rowLevel = 0;
    std::uint8_t rightSideFree = 1;
    std::uint8_t lowerSideFree = 1;
    std::uint32_t pageIndex = 0;
    // The cell's corner on its page, and its far edges.
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t rightEdge = 0;
    std::int32_t lowerEdge = 0;
    float uMin = 0.0f;
    float vMin = 0.0f;
    float uMax = 0.0f;
    float vMax = 0.0f;
    // The image's size, taken from the source when there is one; placement
    // reads only these, so it can run over plain rectangles.
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The packer's order: true when a's image area is larger than b's.
bool ComparePackItemArea(const PackItem* a, const PackItem* b);

} // namespace Mirabel
