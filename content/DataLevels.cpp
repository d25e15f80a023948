#include "content/DataLevels.h"

#include "content/DataStaging.h"
#include "content/ImageFixtures.h"
#include "content/PuzzleFileWriter.h"
#include "engine/render/Image.h"

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

} // namespace

const std::vector<DataStage>& DataLevels::Stages()
{
    using F = PictureFamily;
    // No two levels share a family and a palette.
    static const std::vector<DataStage> stages = {
        {3, 0,
         {{"meadow", 4, 3, F::Landscape, 0}, {"harbour", 4, 3, F::Landscape, 1},
          {"lantern_festival", 5, 3, F::Skyline, 2}}},
        {3, 10,
         {{"glass_garden", 5, 3, F::StainedGlass, 3}, {"desert_dunes", 5, 4, F::Landscape, 4},
          {"night_city", 5, 4, F::Skyline, 5}}},
        {4, 15,
         {{"koi_pond", 5, 4, F::Mandala, 6}, {"mountain_lake", 6, 4, F::Landscape, 5},
          {"patchwork", 6, 4, F::Patchwork, 0}, {"aurora", 6, 5, F::StarField, 3}}},
        {4, 15,
         {{"coral_reef", 6, 5, F::StainedGlass, 1}, {"clockwork", 7, 5, F::Mandala, 2},
          {"autumn_forest", 7, 5, F::Patchwork, 4}, {"star_chart", 8, 5, F::StarField, 6}}},
    };
    return stages;
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
    const std::string fault = PuzzleCutter::Cut(PictureWidth, PictureHeight, options, record);
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
