#pragma once

#include "engine/core/Vector2.h"
#include "game/PuzzleLayout.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class Color;
class Image;
class MessageManager;
} // namespace OrvaneEngine

namespace Mirabel
{

// The pixel work of a level load: masks, sample points, piece images and the
// board's pictures. Images are bottom-up (row 0 is the bottom row), like the
// masks and the edge map.
class PuzzlePixels
{
public:
    // The 1024 x 512 board textures hold the picture at their bottom-left.
    static constexpr std::uint32_t BoardWidth = 1024;
    static constexpr std::uint32_t BoardHeight = 512;
    // Every third column and row of a piece.
    static constexpr std::int32_t SampleStep = 3;

    // Pixel p is bit p mod 8 of byte p div 8; packed holds (pixels + 7) / 8 bytes.
    static std::vector<std::uint8_t> UnpackMask(const std::uint8_t* packed, std::uint32_t pixels);
    // The picture positions of every third pixel inside the mask, column by
    // column.
    static std::vector<OrvaneEngine::Vector2> SamplePoints(const PuzzleLayout::Piece& piece);
    // A 32-bit image of the piece's rectangle of the 24-bit picture: opacity 0
    // outside the mask, 255 - edge value inside it.
    static void CutPieceImage(OrvaneEngine::MessageManager* log, const OrvaneEngine::Image& picture,
                              const std::vector<std::uint8_t>& edges, const PuzzleLayout::Piece& piece,
                              OrvaneEngine::Image& image);
    // 1024 x 512, 32 bits, the line colour with opacity = edge value inside
    // the picture and the colour's own opacity beyond it.
    static void MakeOverlay(OrvaneEngine::MessageManager* log, const std::vector<std::uint8_t>& edges,
                            std::uint32_t pictureWidth, std::uint32_t pictureHeight, const OrvaneEngine::Color& line,
                            OrvaneEngine::Image& image);
    // 1024 x 512, 24 bits: the picture at (0, 0) on white.
    static void MakeBoardPicture(const OrvaneEngine::Image& picture, OrvaneEngine::Image& image);
    // The 24-bit source with each channel pulled 80 % towards the pixel's mean.
    static void Desaturate(const OrvaneEngine::Image& source, OrvaneEngine::Image& image);
};

} // namespace Mirabel
