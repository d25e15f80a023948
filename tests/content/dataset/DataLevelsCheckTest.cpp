// The puzzle check mkdata runs on every cut before it packs the folder: a
// sound cut passes, and each kind of puzzle the game could not play whole
// is refused with the piece named.
#include "content/DataLevels.h"
#include "content/PuzzleCutter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

using corvellan::content::DataLevels;
using corvellan::content::PuzzleCutOptions;
using corvellan::content::PuzzleCutter;
using corvellan::content::PuzzleFileRecord;

constexpr std::uint32_t Width = 120;
constexpr std::uint32_t Height = 80;

PuzzleFileRecord Cut(std::uint32_t columns, std::uint32_t rows)
{
    PuzzleCutOptions options;
    options.columns = columns;
    options.rows = rows;
    options.seed = 3;
    PuzzleFileRecord record;
    EXPECT_EQ(PuzzleCutter::Cut(Width, Height, options, record), "");
    return record;
}

TEST(DataLevelsCheckTest, RefusesEveryPuzzleTheGameCouldNotPlayWhole)
{
    struct Case
    {
        const char* name;
        std::function<void(PuzzleFileRecord&)> breakIt;
        const char* fault; // a part of the reason; empty for a puzzle that passes
    };
    const std::vector<Case> cases = {
        {"a sound cut", [](PuzzleFileRecord&) {}, ""},
        {"one blocked piece with normal neighbours", [](PuzzleFileRecord& r) { r.pieces[0].state = 1; }, ""},
        {"two blocked pieces side by side",
         [](PuzzleFileRecord& r) {
             r.pieces[0].state = 1;
             r.pieces[r.pieces[0].neighbours.front()].state = 1;
         },
         "blocked beside the blocked piece"},
        {"a blocked piece with no neighbour",
         [](PuzzleFileRecord& r) {
             r.pieces[0].state = 1;
             r.pieces[0].neighbours.clear();
         },
         "piece 0: blocked without a normal neighbour"},
        {"a neighbour past the pieces", [](PuzzleFileRecord& r) { r.pieces[1].neighbours.push_back(99); },
         "piece 1: a neighbour that is no piece"},
        {"a rectangle past the picture's right edge", [](PuzzleFileRecord& r) { r.pieces[2].x += Width; },
         "piece 2: the rectangle or its mask leaves the picture"},
        {"a mask shorter than its rectangle", [](PuzzleFileRecord& r) { r.pieces[2].mask.pop_back(); },
         "piece 2: the rectangle or its mask leaves the picture"},
        {"two masks over one pixel",
         [](PuzzleFileRecord& r) {
             r.pieces[1] = r.pieces[0];
             r.pieces[1].neighbours.clear();
         },
         "piece 1: overlaps another piece"},
        {"a pixel left uncovered", [](PuzzleFileRecord& r) { std::fill(r.pieces[3].mask.begin(), r.pieces[3].mask.end(), 0); },
         "a pixel no piece covers"},
        {"no pieces", [](PuzzleFileRecord& r) { r.pieces.clear(); }, "0 pieces"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        PuzzleFileRecord record = Cut(3, 2);
        c.breakIt(record);
        const std::string fault = DataLevels::CheckPuzzle(record, Width, Height);
        if (std::string(c.fault).empty())
            EXPECT_EQ(fault, "");
        else
            EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
    }

    // More pieces than the game's pages hold.
    EXPECT_NE(DataLevels::CheckPuzzle(Cut(61, 1), Width, Height).find("61 pieces"), std::string::npos);
    EXPECT_EQ(DataLevels::CheckPuzzle(Cut(10, 6), Width, Height), "");
}

} // namespace
