#include "content/PuzzleFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{
namespace
{

constexpr std::size_t LongestRepeat = 129;
constexpr std::size_t LongestCopy = 128;
// A mask beyond this is left empty: damaged records may claim any size.
constexpr std::uint64_t LargestPackedMask = 1u << 26;

std::size_t RunLength(const std::uint8_t* bytes, std::size_t size, std::size_t at)
{
    std::size_t length = 1;
    while (at + length < size && length < LongestRepeat && bytes[at + length] == bytes[at])
        ++length;
    return length;
}

std::string Body(const PuzzleFileRecord& record, const PuzzleFileDamage& damage)
{
    std::string body;
    AppendFloat(body, record.boardWidth);
    AppendFloat(body, record.boardHeight);
    AppendLittle32(body, damage.pieceCount.value_or(static_cast<std::uint32_t>(record.pieces.size())));
    for (std::size_t i = 0; i < record.pieces.size(); ++i)
    {
        const PuzzleFilePiece& piece = record.pieces[i];
        const bool damaged = i == damage.damagedPiece;
        AppendLittle32(body, piece.state);
        AppendLittle32(body, static_cast<std::uint32_t>(piece.x));
        AppendLittle32(body, static_cast<std::uint32_t>(piece.y));
        AppendLittle32(body, static_cast<std::uint32_t>(piece.width));
        AppendLittle32(body, static_cast<std::uint32_t>(piece.height));
        const auto neighbours = static_cast<std::uint32_t>(piece.neighbours.size());
        AppendLittle32(body, damaged ? damage.neighbourCount.value_or(neighbours) : neighbours);
        for (std::uint32_t neighbour : piece.neighbours)
            AppendLittle32(body, neighbour);
        const std::string packed = PuzzleFileWriter::PackMask(piece);
        std::string coded = PuzzleFileWriter::EncodeRle(reinterpret_cast<const std::uint8_t*>(packed.data()),
                                                        packed.size());
        if (damaged && damage.maskStream)
            coded = *damage.maskStream;
        const auto length = static_cast<std::uint32_t>(coded.size());
        AppendLittle32(body, damaged ? damage.maskLength.value_or(length) : length);
        body += coded;
    }
    std::string coded = damage.edgeStream ? *damage.edgeStream
                                          : PuzzleFileWriter::EncodeRle(record.edges.data(), record.edges.size());
    AppendLittle32(body, damage.edgeLength.value_or(static_cast<std::uint32_t>(coded.size())));
    body += coded;
    return body;
}

} // namespace

std::string PuzzleFileWriter::EncodeRle(const std::uint8_t* bytes, std::size_t size)
{
    std::string coded;
    std::size_t at = 0;
    while (at < size)
    {
        const std::size_t run = RunLength(bytes, size, at);
        if (run >= 2)
        {
            coded += static_cast<char>(128 + run - 2);
            coded += static_cast<char>(bytes[at]);
            at += run;
            continue;
        }
        // Literals until the next run of two or the longest copy.
        std::size_t end = at + 1;
        while (end < size && end - at < LongestCopy && RunLength(bytes, size, end) < 2)
            ++end;
        coded += static_cast<char>(end - at - 1);
        coded.append(reinterpret_cast<const char*>(bytes + at), end - at);
        at = end;
    }
    return coded;
}

std::string PuzzleFileWriter::PackMask(const PuzzleFilePiece& piece)
{
    if (piece.width <= 0 || piece.height <= 0)
        return {};
    const std::uint64_t pixels = std::uint64_t(piece.width) * std::uint64_t(piece.height);
    if ((pixels + 7) / 8 > LargestPackedMask)
        return {};
    std::string packed((pixels + 7) / 8, '\0');
    for (std::uint64_t p = 0; p < pixels && p < piece.mask.size(); ++p)
    {
        if (piece.mask[p])
            packed[p / 8] = static_cast<char>(packed[p / 8] | (1 << (p % 8)));
    }
    return packed;
}

std::string PuzzleFileWriter::Build(const PuzzleFileRecord& record, const PuzzleFileDamage& damage)
{
    std::string file = VersionedFileWriter::Build("MBPZF", 108, Body(record, damage), damage.header);
    if (damage.cutAt && *damage.cutAt < file.size())
        file.resize(*damage.cutAt);
    return file;
}

bool PuzzleFileWriter::WriteTo(const std::string& path, const PuzzleFileRecord& record,
                               const PuzzleFileDamage& damage)
{
    return WriteFileAtomically(path, Build(record, damage));
}

std::string PuzzleFileWriter::BuildColors(const std::array<std::uint32_t, 9>& colors)
{
    std::string text;
    for (std::size_t i = 0; i < colors.size(); ++i)
        text += std::to_string(colors[i]) + (i % 3 == 2 ? "\r\n" : " ");
    return text;
}

bool PuzzleFileWriter::WriteColors(const std::string& path, const std::array<std::uint32_t, 9>& colors)
{
    return WriteFileAtomically(path, BuildColors(colors));
}

} // namespace corvellan::content
