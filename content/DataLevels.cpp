#include "content/DataLevels.h"

#include "content/DataLevelSource.h"
#include "content/DataStaging.h"
#include "content/ImageFixtures.h"
#include "content/PuzzleFileWriter.h"
#include "engine/render/Image.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

std::array<std::uint32_t, 9> PuzzleColours(std::uint32_t palette)
{
    // Board tint from the lightest colour, lines from the darkest, the tip
    // from the accent, so each board matches its picture.
    const PicturePalette& colours = DataPictures::Palette(palette);
    std::array<std::uint32_t, 9> values{};
    const std::uint32_t picks[] = {colours[4], colours[0], colours[3]};
    for (std::size_t i = 0; i < 3; ++i)
    {
        values[3 * i] = picks[i] >> 16 & 0xFF;
        values[3 * i + 1] = picks[i] >> 8 & 0xFF;
        values[3 * i + 2] = picks[i] & 0xFF;
    }
    return values;
}

std::optional<std::vector<DataStage>>& Table()
{
    static std::optional<std::vector<DataStage>> table;
    return table;
}

} // namespace

void DataLevels::Load(const std::string& sourceFolder)
{
    Table() = DataLevelSource::Read(sourceFolder + "/levels/stages.ini");
}

const std::vector<DataStage>& DataLevels::Stages()
{
    const std::optional<std::vector<DataStage>>& table = Table();
    if (!table)
        throw std::logic_error("the stage table is read by DataLevels::Load first");
    return *table;
}

std::vector<LevelListStage> DataLevels::LevelLists()
{
    std::vector<LevelListStage> lists;
    for (const DataStage& stage : Stages())
    {
        LevelListStage& list = lists.emplace_back();
        list.gridSize = stage.gridSize;
        for (const DataLevel& level : stage.levels)
            list.levels.push_back({level.folder, 5 * level.Pieces() + 20, 7 * level.Pieces() + 30});
    }
    return lists;
}

PuzzleCutOptions DataLevels::CutOptions(const DataStage& stage, const DataLevel& level, std::uint32_t seed)
{
    PuzzleCutOptions options;
    options.columns = level.columns;
    options.rows = level.rows;
    options.seed = seed;
    // Rounded to the nearest piece.
    options.blocked = (level.Pieces() * stage.blockedPercent + 50) / 100;
    // A blocked piece opens through a normal neighbour; apart, each has one.
    options.blockedApart = true;
    options.jitter = true;
    options.rampWidth = 2;
    options.colors = PuzzleColours(level.palette);
    return options;
}

std::string DataLevels::CheckPuzzle(const PuzzleFileRecord& record, std::uint32_t width, std::uint32_t height)
{
    if (record.pieces.empty() || record.pieces.size() > MostPieces)
        return std::to_string(record.pieces.size()) + " pieces; a puzzle has 1 to " + std::to_string(MostPieces);
    std::vector<std::uint8_t> covered(std::size_t{width} * height, 0);
    for (std::size_t i = 0; i < record.pieces.size(); ++i)
    {
        const PuzzleFilePiece& piece = record.pieces[i];
        const std::string name = "piece " + std::to_string(i);
        if (piece.x < 0 || piece.y < 0 || piece.width <= 0 || piece.height <= 0 ||
            std::int64_t{piece.x} + piece.width > width || std::int64_t{piece.y} + piece.height > height ||
            piece.mask.size() != static_cast<std::size_t>(piece.width) * static_cast<std::size_t>(piece.height))
            return name + ": the rectangle or its mask leaves the picture";
        for (std::int32_t row = 0; row < piece.height; ++row)
        {
            for (std::int32_t column = 0; column < piece.width; ++column)
            {
                if (piece.mask[static_cast<std::size_t>(row) * static_cast<std::size_t>(piece.width) +
                               static_cast<std::size_t>(column)] == 0)
                    continue;
                std::uint8_t& pixel = covered[static_cast<std::size_t>(piece.y + row) * width +
                                              static_cast<std::size_t>(piece.x + column)];
                if (pixel != 0)
                    return name + ": overlaps another piece";
                pixel = 1;
            }
        }
        bool normalNeighbour = false;
        for (const std::uint32_t next : piece.neighbours)
        {
            if (next >= record.pieces.size())
                return name + ": a neighbour that is no piece";
            if (piece.state != 0 && record.pieces[next].state != 0)
                return name + ": blocked beside the blocked piece " + std::to_string(next);
            normalNeighbour = normalNeighbour || record.pieces[next].state == 0;
        }
        if (piece.state != 0 && !normalNeighbour)
            return name + ": blocked without a normal neighbour";
    }
    if (std::find(covered.begin(), covered.end(), 0) != covered.end())
        return "a pixel no piece covers";
    return {};
}

std::string DataLevels::LevelListName(const std::string& name) { return "data\\levels\\" + name; }

std::string DataLevels::PuzzleDataName(const std::string& folder, const std::string& name)
{
    return "data\\puzzles\\" + folder + "\\" + name;
}

std::vector<std::pair<std::string, std::string>> DataLevels::MakePuzzle(const DataStage& stage,
                                                                        const DataLevel& level, std::uint32_t seed)
{
    const PuzzleCutOptions options = CutOptions(stage, level, seed);
    const std::string pzf = PuzzleDataName(level.folder, "puzzle.pzf");
    if (level.Pieces() > MostPieces)
        throw std::runtime_error(pzf + ": " + std::to_string(level.Pieces()) + " pieces, more than " +
                                 std::to_string(MostPieces));
    PuzzleFileRecord record;
    std::string fault = PuzzleCutter::Cut(PictureWidth, PictureHeight, options, record);
    if (fault.empty())
        fault = CheckPuzzle(record, PictureWidth, PictureHeight);
    if (!fault.empty())
        throw std::runtime_error(pzf + ": " + fault);
    OrvaneEngine::Image picture;
    DataPictures::Draw(picture, PictureWidth, PictureHeight, level.family, level.palette, seed);
    const std::string jpeg = EngineImageFile(picture, "jpg", 90);
    if (jpeg.empty())
        throw std::runtime_error(PuzzleDataName(level.folder, "theme.jpg") + ": the picture cannot be encoded");
    return {{"theme.jpg", jpeg},
            {"puzzle.pzf", PuzzleFileWriter::Build(record)},
            {"puzzle.ini", PuzzleFileWriter::BuildColors(options.colors)}};
}

void DataLevels::Stage(DataStaging& staging)
{
    const std::vector<LevelListStage> lists = LevelLists();
    // The stage map holds a totem for at most eight stages.
    if (lists.empty() || lists.size() > MostStages)
        throw std::runtime_error(LevelListName("stages_info.ini") + ": " + std::to_string(lists.size()) +
                                 " stages; the game plays 1 to " + std::to_string(MostStages));
    staging.Write(LevelListName("stages_info.ini"), LevelListWriter::BuildStages(lists));
    for (std::size_t i = 0; i < lists.size(); ++i)
        staging.Write(LevelListName("stage" + std::to_string(i) + ".ini"), LevelListWriter::BuildStage(lists[i]));
    std::uint32_t seed = 1;
    for (const DataStage& stage : Stages())
    {
        for (const DataLevel& level : stage.levels)
        {
            for (const auto& [name, bytes] : MakePuzzle(stage, level, seed++))
                staging.Write(PuzzleDataName(level.folder, name), bytes);
        }
    }
}

} // namespace corvellan::content
