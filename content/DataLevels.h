#pragma once

#include "content/DataPictures.h"
#include "content/LevelListWriter.h"
#include "content/PuzzleCutter.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvellan::content
{

class DataStaging;

struct DataLevel
{
    std::string folder;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    PictureFamily family = PictureFamily::Landscape;
    std::uint32_t palette = 0;

    std::uint32_t Pieces() const { return columns * rows; }
};

struct DataStage
{
    std::uint32_t gridSize = 0;
    // The share of pieces that start blocked, in percent.
    std::uint32_t blockedPercent = 0;
    std::vector<DataLevel> levels;
};

// The game's stages and levels, and the puzzle folder each level plays, as
// the source folder's levels/stages.ini holds them.
class DataLevels
{
public:
    // Every puzzle picture has this size, so one completion model fits every board.
    static constexpr std::uint32_t PictureWidth = 512;
    static constexpr std::uint32_t PictureHeight = 384;
    // The game holds at most this many pieces in a board's texture pages.
    static constexpr std::uint32_t MostPieces = 60;
    static constexpr std::uint32_t MostStages = 8;

    // Reads and checks <sourceFolder>/levels/stages.ini, the table every
    // other call then serves; throws std::runtime_error naming the file and
    // the line of the first fault, and keeps the table it had.
    static void Load(const std::string& sourceFolder);
    // Throws std::logic_error before the first Load.
    static const std::vector<DataStage>& Stages();
    // Arcade: 5 s a piece and 20 s more; relax: 7 s a piece and 30 s more.
    static std::vector<LevelListStage> LevelLists();
    static PuzzleCutOptions CutOptions(const DataStage& stage, const DataLevel& level, std::uint32_t seed);
    // "data\levels\<name>" and "data\puzzles\<folder>\<name>".
    static std::string LevelListName(const std::string& name);
    static std::string PuzzleDataName(const std::string& folder, const std::string& name);

    // Empty when the puzzle keeps the rules the game trusts it to keep,
    // else the first fault: every rectangle inside the picture, the masks
    // covering every pixel exactly once, at most MostPieces pieces, and no
    // blocked piece beside another blocked one or without a neighbour, for
    // a blocked place opens only through a normal neighbour.
    static std::string CheckPuzzle(const PuzzleFileRecord& record, std::uint32_t width, std::uint32_t height);

    // Stages the level lists and every puzzle folder; throws
    // std::runtime_error naming the file and the reason when one cannot be made.
    static void Stage(DataStaging& staging);
    // The files of one puzzle folder: "theme.jpg", "puzzle.pzf" and
    // "puzzle.ini", in that order, each with its bytes.
    static std::vector<std::pair<std::string, std::string>> MakePuzzle(const DataStage& stage, const DataLevel& level,
                                                                       std::uint32_t seed);
};

} // namespace corvellan::content
