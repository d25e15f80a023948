#include "content/FuzzSeeds.h"
#include "content/PuzzleCutter.h"
#include "content/PuzzleFileWriter.h"

#include <cstdint>
#include <limits>
#include <string>

namespace corvellan::content
{
namespace
{

// The fuzz target cuts against a 64 x 32 picture.
constexpr std::uint32_t PictureWidth = 64;
constexpr std::uint32_t PictureHeight = 32;

PuzzleFileRecord CutSeed(std::uint32_t columns, std::uint32_t rows, std::uint32_t seed, std::uint32_t blocked,
                         std::uint32_t ramp)
{
    PuzzleCutOptions options;
    options.columns = columns;
    options.rows = rows;
    options.seed = seed;
    options.blocked = blocked;
    options.rampWidth = ramp;
    PuzzleFileRecord record;
    PuzzleCutter::Cut(PictureWidth, PictureHeight, options, record);
    return record;
}

} // namespace

bool WritePuzzleFileSeeds(const std::string& folder)
{
    const std::string target = "puzzle_file";
    bool written = true;
    auto write = [&](const std::string& name, const PuzzleFileRecord& record, const PuzzleFileDamage& damage = {}) {
        written = WriteSeed(folder, target, name + ".pzf", PuzzleFileWriter::Build(record, damage)) && written;
    };

    const PuzzleFileRecord grid = CutSeed(4, 2, 1, 2, 1);
    write("one_piece", CutSeed(1, 1, 1, 0, 0));
    write("blocked", grid);
    write("long_runs", CutSeed(2, 1, 3, 0, 0));
    write("ramps", CutSeed(8, 4, 4, 5, 3));

    PuzzleFileDamage damage;
    damage.header.magic = "MBPZX";
    write("wrong_magic", grid, damage);
    damage = {};
    damage.header.version = 107;
    write("version_107", grid, damage);
    damage = {};
    damage.header.sizeField = static_cast<std::uint32_t>(PuzzleFileWriter::Build(grid).size() + 1);
    write("size_over", grid, damage);
    damage = {};
    damage.cutAt = PuzzleFileWriter::Build(grid).size() / 2;
    write("cut_short", grid, damage);

    PuzzleFileRecord none = grid;
    none.pieces.clear();
    write("no_pieces", none);
    damage = {};
    damage.pieceCount = 0xFFFFFFFF;
    damage.edgeStream = std::string(71, '\0');
    write("huge_count", none, damage);
    damage = {};
    damage.neighbourCount = 1u << 30;
    write("huge_neighbours", grid, damage);
    damage = {};
    damage.maskLength = 0x7FFFFFFF;
    write("mask_past_end", grid, damage);
    damage = {};
    damage.edgeLength = 1000000;
    write("edges_past_end", grid, damage);
    damage = {};
    damage.maskStream = std::string("\x03\x41\x42", 3);
    write("mask_inside_run", grid, damage);
    damage = {};
    damage.edgeStream = std::string("\xFF", 1);
    write("edge_repeat_without_byte", grid, damage);

    struct Change
    {
        const char* name;
        void (*apply)(PuzzleFileRecord&);
    };
    const Change changes[] = {
        {"width_0", [](PuzzleFileRecord& r) { r.pieces[1].width = 0; }},
        {"height_minus_5", [](PuzzleFileRecord& r) { r.pieces[1].height = -5; }},
        {"width_1021", [](PuzzleFileRecord& r) { r.pieces[1].width = 1021; }},
        {"past_right", [](PuzzleFileRecord& r) { r.pieces[2].x = 64 - r.pieces[2].width + 1; }},
        {"y_minus_1", [](PuzzleFileRecord& r) { r.pieces[2].y = -1; }},
        {"neighbour_n", [](PuzzleFileRecord& r) { r.pieces[0].neighbours.push_back(8); }},
        {"state_2", [](PuzzleFileRecord& r) { r.pieces[3].state = 2; }},
        {"board_nan", [](PuzzleFileRecord& r) { r.boardWidth = std::numeric_limits<float>::quiet_NaN(); }},
        {"edges_short", [](PuzzleFileRecord& r) { r.edges.pop_back(); }},
        {"edges_long", [](PuzzleFileRecord& r) { r.edges.push_back(7); }},
    };
    for (const Change& change : changes)
    {
        PuzzleFileRecord record = grid;
        change.apply(record);
        write(change.name, record);
    }
    return written;
}

} // namespace corvellan::content
