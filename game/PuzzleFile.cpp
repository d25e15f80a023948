#include "game/PuzzleFile.h"

#include "game/GameLogicData.h"
#include "game/PuzzlePixels.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace Mirabel
{
namespace
{

constexpr std::size_t FixedPieceBytes = 7 * 4;

class BodyReader
{
public:
    BodyReader(const std::uint8_t* bytes_, std::size_t size_) : bytes(bytes_), size(size_) {}

    std::size_t Left() const { return size - position; }

    bool U32(std::uint32_t& value)
    {
        if (Left() < 4)
            return false;
        value = std::uint32_t{bytes[position]} | std::uint32_t{bytes[position + 1]} << 8 |
                std::uint32_t{bytes[position + 2]} << 16 | std::uint32_t{bytes[position + 3]} << 24;
        position += 4;
        return true;
    }

    bool I32(std::int32_t& value)
    {
        std::uint32_t raw = 0;
        if (!U32(raw))
            return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }

    bool F32(float& value)
    {
        std::uint32_t raw = 0;
        if (!U32(raw))
            return false;
        value = std::bit_cast<float>(raw);
        return true;
    }

    // The next length bytes, or null when fewer are left.
    const std::uint8_t* Take(std::uint32_t length)
    {
        if (Left() < length)
            return nullptr;
        const std::uint8_t* start = bytes + position;
        position += length;
        return start;
    }

private:
    const std::uint8_t* bytes;
    std::size_t size;
    std::size_t position = 0;
};

class Faults
{
public:
    explicit Faults(const std::string& path_) : path(path_) {}

    std::string File(const std::string& what) const { return "Damaged puzzle file \"" + path + "\": " + what; }
    std::string Piece(std::size_t index, const std::string& what) const
    {
        return File("piece " + std::to_string(index) + " " + what);
    }

private:
    const std::string& path;
};

std::string ParsePiece(BodyReader& reader, const Faults& faults, std::size_t index, std::uint32_t pieceCount,
                       std::uint32_t pictureWidth, std::uint32_t pictureHeight, std::uint64_t& covered,
                       PuzzleLayout::Piece& piece)
{
    std::uint32_t neighbourCount = 0;
    if (!reader.U32(piece.state) || !reader.I32(piece.x) || !reader.I32(piece.y) || !reader.I32(piece.width) ||
        !reader.I32(piece.height) || !reader.U32(neighbourCount))
        return faults.Piece(index, "is cut short");
    if (piece.state > 1)
        return faults.Piece(index, "has the unknown state " + std::to_string(piece.state));
    if (piece.width < 1 || piece.height < 1 || piece.width > PuzzleFile::MaxCellSide - PuzzleFile::CellGrowth ||
        piece.height > PuzzleFile::MaxCellSide - PuzzleFile::CellGrowth)
        return faults.Piece(index, "has the size " + std::to_string(piece.width) + " x " +
                                       std::to_string(piece.height) + "; a piece is 1 to " +
                                       std::to_string(PuzzleFile::MaxCellSide - PuzzleFile::CellGrowth) +
                                       " pixels wide and high");
    if (piece.x < 0 || piece.y < 0 || std::int64_t{piece.x} + piece.width > pictureWidth ||
        std::int64_t{piece.y} + piece.height > pictureHeight)
        return faults.Piece(index, "lies outside the picture");
    covered += static_cast<std::uint64_t>(piece.width) * static_cast<std::uint64_t>(piece.height);
    if (covered > PuzzleFile::MaxCoverage * pictureWidth * pictureHeight)
        return faults.Piece(index, "takes the pieces past " + std::to_string(PuzzleFile::MaxCoverage) +
                                       " times the picture's area");
    if (neighbourCount > reader.Left() / 4)
        return faults.Piece(index, "has more neighbours than the file holds");
    piece.neighbours.resize(neighbourCount);
    for (std::uint32_t& neighbour : piece.neighbours)
    {
        reader.U32(neighbour);
        if (neighbour >= pieceCount)
            return faults.Piece(index, "names the neighbour " + std::to_string(neighbour) + " of " +
                                           std::to_string(pieceCount) + " pieces");
    }

    std::uint32_t codedLength = 0;
    const std::uint8_t* coded = reader.U32(codedLength) ? reader.Take(codedLength) : nullptr;
    if (!coded)
        return faults.Piece(index, "has a mask longer than the file");
    const std::uint32_t pixels = static_cast<std::uint32_t>(piece.width) * static_cast<std::uint32_t>(piece.height);
    std::vector<std::uint8_t> packed((pixels + 7) / 8);
    if (!GameLogicData::DecodeRle(coded, codedLength, packed.data(), static_cast<std::uint32_t>(packed.size())))
        return faults.Piece(index, "has a mask that does not decode to " + std::to_string(packed.size()) + " bytes");
    piece.mask = PuzzlePixels::UnpackMask(packed.data(), pixels);
    return {};
}

} // namespace

std::string PuzzleFile::CheckPicture(std::uint32_t width, std::uint32_t height, const std::string& path)
{
    if (width >= 1 && height >= 1 && width <= MaxPictureWidth && height <= MaxPictureHeight)
        return {};
    return "Picture \"" + path + "\" is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels; a puzzle picture is 1 x 1 to " + std::to_string(MaxPictureWidth) + " x " +
           std::to_string(MaxPictureHeight);
}

std::string PuzzleFile::Parse(const std::uint8_t* body, std::size_t size, std::uint32_t pictureWidth,
                              std::uint32_t pictureHeight, const std::string& path, PuzzleLayout& layout)
{
    const Faults faults(path);
    BodyReader reader(body, size);
    layout = PuzzleLayout{};
    std::uint32_t pieceCount = 0;
    if (!reader.F32(layout.boardWidth) || !reader.F32(layout.boardHeight) || !reader.U32(pieceCount))
        return faults.File("the board is cut short");
    if (!std::isfinite(layout.boardWidth) || !std::isfinite(layout.boardHeight) || !(layout.boardWidth > 0.0f) ||
        !(layout.boardHeight > 0.0f))
        return faults.File("the board size is not a positive number");
    if (pieceCount > reader.Left() / FixedPieceBytes)
        return faults.File(std::to_string(pieceCount) + " pieces do not fit in the file");

    layout.pieces.resize(pieceCount);
    std::uint64_t covered = 0;
    for (std::size_t i = 0; i < pieceCount; ++i)
    {
        std::string fault =
            ParsePiece(reader, faults, i, pieceCount, pictureWidth, pictureHeight, covered, layout.pieces[i]);
        if (!fault.empty())
            return fault;
    }

    std::uint32_t codedLength = 0;
    const std::uint8_t* coded = reader.U32(codedLength) ? reader.Take(codedLength) : nullptr;
    if (!coded)
        return faults.File("the edge map is longer than the file");
    layout.edges.resize(std::size_t{pictureWidth} * pictureHeight);
    if (!GameLogicData::DecodeRle(coded, codedLength, layout.edges.data(),
                                  static_cast<std::uint32_t>(layout.edges.size())))
        return faults.File("the edge map does not decode to " + std::to_string(pictureWidth) + " x " +
                           std::to_string(pictureHeight) + " bytes");
    return {};
}

} // namespace Mirabel
