#pragma once

#include "content/PuzzleFileWriter.h"

#include <array>
#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Image;
}

namespace corvellan::content
{

struct PuzzleCutOptions
{
    std::uint32_t columns = 3;
    std::uint32_t rows = 2;
    std::uint32_t seed = 1;
    std::uint32_t blocked = 0;
    // No two blocked pieces touch.
    bool blockedApart = false;
    // The seed moves the inner grid lines by up to a tenth of a cell.
    bool jitter = true;
    // Pixels of lower edge values beside each cut (0: the cut alone).
    std::uint32_t rampWidth = 0;
    // Board, line and tip colour.
    std::array<std::uint32_t, 9> colors{255, 255, 255, 40, 40, 40, 255, 220, 0};
};

// Cuts a picture into a grid of pieces with one round knob on every inner
// edge, and writes a puzzle folder the game loads. Deterministic for a seed.
class PuzzleCutter
{
public:
    static constexpr std::uint32_t MaxPictureWidth = 1024;
    static constexpr std::uint32_t MaxPictureHeight = 512;
    // Board places take the level index + 1 up to here; the outline and the
    // cover come next.
    static constexpr std::uint32_t MaxPieces = 200;
    static constexpr std::int32_t MaxCellSide = 1024;

    // The record of a picture of that size, or the reason the request was
    // refused (the record is then unspecified).
    static std::string Cut(std::uint32_t width, std::uint32_t height, const PuzzleCutOptions& options,
                           PuzzleFileRecord& record);
    // Cuts the picture (24 bits, or 8 for a grey JPEG) and writes "theme.jpg", "puzzle.pzf" and
    // "puzzle.ini" into folder (an operating-system path). Empty on success.
    static std::string WriteFolder(OrvaneEngine::Image& picture, const PuzzleCutOptions& options,
                                   const std::string& folder, PuzzleFileRecord* record = nullptr);
};

} // namespace corvellan::content
