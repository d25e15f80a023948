#pragma once

#include <cstdint>
#include <vector>

namespace Mirabel
{

// The contents of a puzzle file. A layout the reader accepted has every
// rectangle inside the picture, every neighbour a piece of the puzzle, every
// mask and the edge map decoded to their full sizes; a writer may put any
// values here.
struct PuzzleLayout
{
    struct Piece
    {
        // 0 normal, 1 blocked.
        std::uint32_t state = 0;
        // The corner on the rectangle's lowest picture row (row 0 is the bottom).
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::vector<std::uint32_t> neighbours;
        // One byte per pixel of the rectangle, index row * width + column;
        // non-zero inside the piece.
        std::vector<std::uint8_t> mask;
    };

    float boardWidth = 0.0f;
    float boardHeight = 0.0f;
    std::vector<Piece> pieces;
    // One byte per picture pixel, index row * picture width + column.
    std::vector<std::uint8_t> edges;
};

} // namespace Mirabel
