#pragma once

#include "game/PuzzleLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Mirabel
{

// The body of a "puzzle.pzf" file (what follows the 13-byte header), checked
// in full before the level uses any of it.
class PuzzleFile
{
public:
    static constexpr const char* Magic = "MBPZF";
    static constexpr std::uint32_t Version = 108;
    static constexpr std::uint32_t MaxPictureWidth = 1024;
    static constexpr std::uint32_t MaxPictureHeight = 512;
    // A piece's image with its 2-pixel margins must fit a texture page.
    static constexpr std::int32_t MaxCellSide = 1024;
    static constexpr std::int32_t CellGrowth = 4;
    // The pieces' rectangles together cover at most this many pictures. Cut
    // pieces overlap only by their knobs, well below it; beyond it a small
    // file could claim gigabytes of masks and piece images.
    static constexpr std::uint64_t MaxCoverage = 16;

    // Empty when the picture can hold a puzzle, else the text naming path.
    static std::string CheckPicture(std::uint32_t width, std::uint32_t height, const std::string& path);

    // Fills layout from the body and returns an empty text, or returns the
    // text (naming path and, where it applies, the piece) of the first fault.
    // Counts and lengths are checked against the bytes present before
    // anything is allocated for them. The picture's size must have passed
    // CheckPicture.
    static std::string Parse(const std::uint8_t* body, std::size_t size, std::uint32_t pictureWidth,
                             std::uint32_t pictureHeight, const std::string& path, PuzzleLayout& layout);
};

} // namespace Mirabel
