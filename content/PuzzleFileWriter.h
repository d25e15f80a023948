#pragma once

#include "content/VersionedFileWriter.h"
#include "game/PuzzleLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

// The layout a "puzzle.pzf" holds is the one the game reads it into; a
// damaged file is made by putting raw values into its fields (any size, any
// state) or through PuzzleFileDamage.
using PuzzleFileRecord = Mirabel::PuzzleLayout;
using PuzzleFilePiece = Mirabel::PuzzleLayout::Piece;

// Departures from a sound file, for readers that must reject damaged ones.
// The piece fields apply to the piece at damagedPiece.
struct PuzzleFileDamage
{
    VersionedFileDamage header;
    std::optional<std::uint32_t> pieceCount;
    std::size_t damagedPiece = 0;
    std::optional<std::uint32_t> neighbourCount;
    std::optional<std::uint32_t> maskLength;
    // Written in place of the coded mask or edge map.
    std::optional<std::string> maskStream;
    std::optional<std::uint32_t> edgeLength;
    std::optional<std::string> edgeStream;
    // The file ends after this many bytes.
    std::optional<std::size_t> cutAt;
};

class PuzzleFileWriter
{
public:
    // The run-length code: repeat codes (128 + n - 2, byte) for runs of 2 to
    // 129 equal bytes, copy codes (n - 1, bytes) for up to 128 others.
    static std::string EncodeRle(const std::uint8_t* bytes, std::size_t size);
    // Packs the mask's pixels into bits, bit 0 first; (width * height + 7) / 8
    // bytes, missing pixels 0.
    static std::string PackMask(const PuzzleFilePiece& piece);

    // The whole file, header included.
    static std::string Build(const PuzzleFileRecord& record, const PuzzleFileDamage& damage = {});
    // Writes the file at path (an operating-system path) whole or not at all.
    static bool WriteTo(const std::string& path, const PuzzleFileRecord& record, const PuzzleFileDamage& damage = {});

    // "puzzle.ini": board, line and tip colour, red, green and blue each.
    static std::string BuildColors(const std::array<std::uint32_t, 9>& colors);
    static bool WriteColors(const std::string& path, const std::array<std::uint32_t, 9>& colors);
};

} // namespace corvellan::content
