#include "content/DataStageMap.h"

#include "content/DataArtFiles.h"
#include "content/DataCanvas.h"
#include "content/DataGameObjectFiles.h"
#include "content/DataLevels.h"
#include "content/DataStaging.h"
#include "content/ModelMeshes.h"

#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr std::uint32_t Start = 0;
constexpr std::uint32_t Finish = 1;
constexpr std::uint32_t CheckPoint = 2;
constexpr std::uint32_t Path = 3;

struct Marker
{
    const char* name;
    Rgba colour;
};

// The markers' models: the four types, then the path with the check-point look.
const std::vector<Marker>& Markers()
{
    static const std::vector<Marker> markers = {
        {"start", ColourOf(0x3FAE4A)}, {"finish", ColourOf(0xD8413A)}, {"check_point", ColourOf(0x3C7BD9)},
        {"path", ColourOf(0xE9D9A6)},  {"path_check_point", ColourOf(0x5FA0F0)},
    };
    return markers;
}

constexpr std::uint32_t Cell = 64;
constexpr std::uint32_t AtlasColumns = 4;
constexpr std::uint32_t AtlasRows = 2;

void DrawMarkerShape(DataCanvas& canvas, const std::string& name, Point2 c, float r, const Rgba& fill,
                     const Rgba& line)
{
    if (name == "check_point" || name == "path_check_point")
    {
        canvas.FillPolygon({{c.x, c.y - r}, {c.x + r, c.y}, {c.x, c.y + r}, {c.x - r, c.y}}, line);
        const float i = r - 4.0f;
        canvas.FillPolygon({{c.x, c.y - i}, {c.x + i, c.y}, {c.x, c.y + i}, {c.x - i, c.y}}, fill);
        if (name == "path_check_point")
            canvas.FillCircle(c, r * 0.3f, line);
        return;
    }
    const float radius = name == "path" ? r * 0.72f : r;
    canvas.FillCircle(c, radius, line);
    canvas.FillCircle(c, radius - 4.0f, fill);
    if (name == "start")
        canvas.FillPolygon({{c.x - 7.0f, c.y - 10.0f}, {c.x + 11.0f, c.y}, {c.x - 7.0f, c.y + 10.0f}}, line);
    else if (name == "finish")
    {
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                if ((row + column) % 2 == 0)
                    canvas.FillRoundedBox(c.x - 12.0f + 6.0f * column, c.y - 12.0f + 6.0f * row,
                                          c.x - 6.0f + 6.0f * column, c.y - 6.0f + 6.0f * row, 0.5f, line);
    }
}

// Six looks in a 4 x 2 net of 64-pixel cells.
DataCanvas MarkerAtlas(const Marker& marker)
{
    DataCanvas canvas(Cell * AtlasColumns, Cell * AtlasRows);
    const Rgba dark = ColourOf(0x2B2118);
    const Rgba grey = ColourOf(0x77736C);
    const Rgba gold = ColourOf(0xF4C542);
    for (std::uint32_t frame = 0; frame < DataStageMap::MarkerFrames; ++frame)
    {
        const Point2 c{(static_cast<float>(frame % AtlasColumns) + 0.5f) * Cell,
                       (static_cast<float>(frame / AtlasColumns) + 0.5f) * Cell};
        const float r = 26.0f;
        switch (frame)
        {
        case 0: // open
            DrawMarkerShape(canvas, marker.name, c, r, marker.colour, dark);
            break;
        case 1: // passed: faded, with a tick
            DrawMarkerShape(canvas, marker.name, c, r, MixColour(marker.colour, grey, 0.55f), dark);
            canvas.StrokePolyline({{c.x - 8.0f, c.y}, {c.x - 2.0f, c.y + 7.0f}, {c.x + 10.0f, c.y - 8.0f}}, 4.0f,
                                  ColourOf(0xFFFFFF));
            break;
        case 2: // highlighted: lit, with a glow
            canvas.FillRadialGradient(c, 31.0f, ColourOf(0xFFF6C0, 0.9f), ColourOf(0xFFF6C0, 0.0f));
            DrawMarkerShape(canvas, marker.name, c, r - 2.0f, MixColour(marker.colour, ColourOf(0xFFFFFF), 0.45f),
                            dark);
            break;
        case 3: // current: a golden ring around it
            canvas.StrokeCircle(c, 29.0f, 4.0f, gold);
            DrawMarkerShape(canvas, marker.name, c, r - 3.0f, marker.colour, gold);
            break;
        case 4: // unavailable
            DrawMarkerShape(canvas, marker.name, c, r, ColourOf(0x55524D, 0.8f), ColourOf(0x33312E, 0.8f));
            break;
        default: // shadow
            DrawMarkerShape(canvas, marker.name, c, r, ColourOf(0x000000, 0.45f), ColourOf(0x000000, 0.45f));
            break;
        }
    }
    return canvas;
}

// Frame f shows cell f of the net; only the texture box moves.
ModelFileRecord MarkerModel()
{
    const float half = DataStageMap::MarkerSize / 2.0f;
    const float inset = 0.5f;
    std::vector<ModelFileRecord> frames;
    for (std::uint32_t frame = 0; frame < DataStageMap::MarkerFrames; ++frame)
    {
        const float column = static_cast<float>(frame % AtlasColumns);
        const float row = static_cast<float>(frame / AtlasColumns);
        const float width = static_cast<float>(Cell * AtlasColumns);
        const float height = static_cast<float>(Cell * AtlasRows);
        const float u0 = (column * Cell + inset) / width;
        const float u1 = ((column + 1.0f) * Cell - inset) / width;
        // Rows of the net count from the top of the picture, v from its bottom.
        const float v1 = 1.0f - (row * Cell + inset) / height;
        const float v0 = 1.0f - ((row + 1.0f) * Cell - inset) / height;
        frames.push_back(DataArtFiles::Quad({-half, -half, half, half}, {u0, v0, u1, v1}));
    }
    return MakeMorphModel(frames, 0.0f);
}

} // namespace

const std::vector<Point2>& DataStageMap::MarkerPositions()
{
    // Stage 0 from the lower left, 1 along the bottom, 2 up the right, 3
    // back across the top to the finish.
    static const std::vector<Point2> places = {
        {120, 150}, {185, 170}, {250, 150}, {320, 180}, {390, 160}, {460, 185}, {540, 170},
        {620, 210}, {660, 280}, {610, 340}, {530, 360}, {450, 400}, {360, 420}, {270, 430},
    };
    return places;
}

std::vector<std::uint32_t> DataStageMap::LevelsPerStage()
{
    std::vector<std::uint32_t> counts;
    for (const DataStage& stage : DataLevels::Stages())
        counts.push_back(static_cast<std::uint32_t>(stage.levels.size()));
    return counts;
}

std::vector<MapFileElement> DataStageMap::Elements(const std::vector<std::uint32_t>& levelsPerStage)
{
    std::uint32_t total = 0;
    for (const std::uint32_t count : levelsPerStage)
        total += count;
    const std::vector<Point2>& places = MarkerPositions();
    if (total > places.size())
        throw std::runtime_error(std::string(FileName) + ": " + std::to_string(total) + " levels, places for " +
                                 std::to_string(places.size()) + " markers");
    std::vector<MapFileElement> elements;
    for (std::size_t stage = 0; stage < levelsPerStage.size(); ++stage)
    {
        for (std::uint32_t level = 0; level < levelsPerStage[stage]; ++level)
        {
            const auto k = static_cast<std::uint32_t>(elements.size());
            std::uint32_t type = Path;
            if (k == 0)
                type = Start;
            else if (k + 1 == total)
                type = Finish;
            else if (level == 0)
                type = CheckPoint;
            elements.push_back(MapFileWriter::At(type, places[k].x, places[k].y));
        }
    }
    return elements;
}

std::string DataStageMap::Check(const std::vector<MapFileElement>& elements,
                                const std::vector<std::uint32_t>& levelsPerStage)
{
    if (elements.empty())
        return "no markers";
    if (elements.front().type != Start)
        return "the first marker is not the start";
    if (elements.back().type != Finish)
        return "the last marker is not the finish";
    std::vector<std::uint32_t> perStage(1, 0);
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        const std::uint32_t type = elements[i].type;
        if (type > Path || ((type == Start) != (i == 0)) || ((type == Finish) != (i + 1 == elements.size())))
            return "marker " + std::to_string(i) + ": type " + std::to_string(type) + " out of place";
        if (type == CheckPoint)
            perStage.push_back(0);
        ++perStage.back();
    }
    if (perStage.size() > DataLevels::MostStages)
        return std::to_string(perStage.size()) + " stages; the map shows totems for at most " +
               std::to_string(DataLevels::MostStages);
    if (perStage.size() != levelsPerStage.size())
        return std::to_string(perStage.size()) + " stages on the map, " + std::to_string(levelsPerStage.size()) +
               " in the level lists";
    for (std::size_t s = 0; s < perStage.size(); ++s)
    {
        if (perStage[s] != levelsPerStage[s])
            return "stage " + std::to_string(s) + ": " + std::to_string(perStage[s]) + " markers, " +
                   std::to_string(levelsPerStage[s]) + " levels in its list";
    }
    return {};
}

std::string DataStageMap::Build()
{
    const std::vector<std::uint32_t> levels = LevelsPerStage();
    const std::vector<MapFileElement> elements = Elements(levels);
    const std::string fault = Check(elements, levels);
    if (!fault.empty())
        throw std::runtime_error(std::string(FileName) + ": " + fault);
    return MapFileWriter::Build(elements);
}

void DataStageMap::Stage(DataStaging& staging)
{
    staging.Write(FileName, Build());
    const ModelFileRecord model = MarkerModel();
    for (const Marker& marker : Markers())
    {
        const std::string texture = DataGameObjectFiles::StageTexture(
            staging, std::string("data\\ui\\menus\\map\\textures\\") + marker.name, MarkerAtlas(marker));
        DataGameObjectFiles::StageModel(staging, std::string("data\\ui\\menus\\map\\models\\") + marker.name + ".mlf",
                                        model, texture);
    }
}

} // namespace corvellan::content
