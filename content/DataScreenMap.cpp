#include "content/DataScreenMap.h"

#include "content/DataLevels.h"
#include "content/DataScreenFiles.h"
#include "content/DataScreenModels.h"
#include "content/DataStageMap.h"
#include "content/ModelMeshes.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace corvellan::content
{

namespace
{

const std::string StartGame = "start_game\\";
const std::string LevelComplete = "level_complete\\";

// A totem stands this far from its stage's first marker, and keeps this
// far from the middle of every marker.
constexpr float TotemRise = 56.0f;
constexpr float MarkerReach = 18.0f;
constexpr Point2 RelaxLabel{195.0f, 23.0f};
constexpr auto Around = &DataScreenFiles::Around;

// Old parchment with hills, woods and a lake, the route dotted through the
// markers and a pedestal under every totem.
DataCanvas MapPicture(const std::vector<DataRect>& totems)
{
    constexpr std::uint32_t W = 512;
    constexpr std::uint32_t H = 256;
    const DataRect& r = DataScreenMap::MapRect;
    const float sx = static_cast<float>(W) / r.Width();
    const float sy = static_cast<float>(H) / (r.top - r.bottom);
    const auto at = [&](const Point2& p) { return Point2{(p.x - r.left) * sx, (r.top - p.y) * sy}; };

    DataCanvas canvas(W, H);
    canvas.Shade([](float x, float y, const Rgba&) {
        const float paper = DataCanvas::Fractal(x / 30.0f, y / 30.0f, 1401);
        const float edge = std::min(std::min(x, 512.0f - x), std::min(y, 256.0f - y)) / 24.0f;
        Rgba colour = MixColour(ColourOf(0xD9C28E), ColourOf(0xF0E0B4), paper);
        return MixColour(ColourOf(0x8A6A3A), colour, std::min(edge, 1.0f));
    });
    canvas.FillEllipse({380.0f, 70.0f}, 60.0f, 26.0f, ColourOf(0x7FA8B8, 0.8f));
    for (int hill = 0; hill < 7; ++hill)
    {
        const float x = 40.0f + 70.0f * static_cast<float>(hill);
        const float y = 40.0f + 30.0f * DataCanvas::Unit(static_cast<std::uint32_t>(hill), 1, 1402);
        canvas.FillPolygon({{x - 22.0f, y + 14.0f}, {x, y - 14.0f}, {x + 22.0f, y + 14.0f}}, ColourOf(0x9C8A5A, 0.7f));
    }
    for (int tree = 0; tree < 40; ++tree)
    {
        const float x = 20.0f + 472.0f * DataCanvas::Unit(static_cast<std::uint32_t>(tree), 2, 1403);
        const float y = 120.0f + 120.0f * DataCanvas::Unit(static_cast<std::uint32_t>(tree), 3, 1403);
        canvas.FillCircle({x, y}, 5.0f, ColourOf(0x4F7A3A, 0.55f));
    }
    const std::vector<Point2>& markers = DataStageMap::MarkerPositions();
    for (std::size_t i = 0; i + 1 < markers.size(); ++i)
    {
        const Point2 a = at(markers[i]);
        const Point2 b = at(markers[i + 1]);
        const float length = std::hypot(b.x - a.x, b.y - a.y);
        for (float t = 0.0f; t < length; t += 7.0f)
            canvas.FillCircle({a.x + (b.x - a.x) * t / length, a.y + (b.y - a.y) * t / length}, 1.6f,
                              ColourOf(0x6A3A1A, 0.85f));
    }
    for (const DataRect& totem : totems)
    {
        if (totem.right < r.left)
            continue;
        const Point2 base = at({(totem.left + totem.right) * 0.5f, totem.bottom});
        canvas.FillEllipse(base, 22.0f * sx, 5.0f * sy, ColourOf(0x5A4630, 0.6f));
    }
    return canvas;
}

DataCanvas Glow()
{
    DataCanvas canvas(128, 128);
    canvas.FillRadialGradient({64.0f, 64.0f}, 62.0f, ColourOf(0xFFF4C8), ColourOf(0xFFB040, 0.0f));
    canvas.FillRadialGradient({64.0f, 64.0f}, 20.0f, ColourOf(0xFFFFFF), ColourOf(0xFFFFFF, 0.0f));
    return canvas;
}

DataCanvas Star()
{
    DataCanvas canvas(128, 128);
    std::vector<Point2> points;
    for (int k = 0; k < 8; ++k)
    {
        const float angle = static_cast<float>(k) * std::numbers::pi_v<float> / 4.0f;
        const float radius = k % 2 == 0 ? 60.0f : 16.0f;
        points.push_back({64.0f + radius * std::cos(angle), 64.0f + radius * std::sin(angle)});
    }
    canvas.FillRadialGradient({64.0f, 64.0f}, 40.0f, ColourOf(0xFFE890, 0.7f), ColourOf(0xFFE890, 0.0f));
    canvas.FillPolygon(points, ColourOf(0xFFFBE0));
    return canvas;
}

DataCanvas Plaque()
{
    DataCanvas canvas(256, 128);
    canvas.FillRoundedBox(2.0f, 2.0f, 254.0f, 126.0f, 16.0f, ColourOf(0x5A3A1C, 0.85f));
    canvas.FillRoundedBox(8.0f, 8.0f, 248.0f, 120.0f, 12.0f, ColourOf(0x2A1E14, 0.8f));
    canvas.StrokePolyline({{20.0f, 14.0f}, {236.0f, 14.0f}}, 2.0f, ColourOf(0xD9B25E, 0.8f));
    canvas.StrokePolyline({{20.0f, 114.0f}, {236.0f, 114.0f}}, 2.0f, ColourOf(0xD9B25E, 0.8f));
    return canvas;
}

// Light gathers in the middle of the screen: a ring of glows opens out, a
// swarm of stars rises, and a radiance swells and fades. They run at 20
// frames a second; the game fades each in over its first ten frames and
// out over its last ten.
ModelFileRecord Effect(std::uint32_t effect)
{
    constexpr Point2 centre{400.0f, 300.0f};
    const float pi = std::numbers::pi_v<float>;
    std::vector<ModelFileRecord> frames;
    for (std::uint32_t f = 0; f < DataScreenMap::EffectFrames; ++f)
    {
        const float t = static_cast<float>(f) / static_cast<float>(DataScreenMap::EffectFrames - 1);
        std::vector<ScreenQuad> quads;
        if (effect == 0)
        {
            for (int k = 0; k < 12; ++k)
            {
                const float angle = 2.0f * pi * static_cast<float>(k) / 12.0f + t * pi;
                const float radius = 30.0f + 300.0f * t;
                const float size = 70.0f - 30.0f * t;
                quads.push_back({Around({centre.x + radius * std::cos(angle), centre.y + radius * 0.7f * std::sin(angle)},
                                        size, size)});
            }
        }
        else if (effect == 1)
        {
            for (int k = 0; k < 20; ++k)
            {
                const float phase = DataCanvas::Unit(static_cast<std::uint32_t>(k), 5, 1501);
                const float x = 80.0f + 640.0f * static_cast<float>(k) / 19.0f + 30.0f * std::sin(6.0f * t + phase * 6.0f);
                const float y = 40.0f + 560.0f * std::fmod(t + phase, 1.0f);
                const float size = 24.0f + 20.0f * phase;
                quads.push_back({Around({x, y}, size, size)});
            }
        }
        else
        {
            const float size = 120.0f + 560.0f * std::sin(t * pi * 0.5f);
            quads.push_back({Around(centre, size, size * 0.75f)});
        }
        frames.push_back(DataScreenFiles::Quads(quads));
    }
    return MakeMorphModel(frames, 20.0f);
}

} // namespace

std::vector<Point2> DataScreenMap::StageStarts()
{
    std::vector<Point2> starts;
    std::size_t first = 0;
    for (const DataStage& stage : DataLevels::Stages())
    {
        starts.push_back(DataStageMap::MarkerPositions().at(first));
        first += stage.levels.size();
    }
    return starts;
}

std::vector<DataRect> DataScreenMap::TotemBoxes(const std::vector<Point2>& stageStarts)
{
    // Above the stage's first marker when there is room, else below, right
    // or left of it: inside the map and clear of every marker.
    const std::vector<Point2>& markers = DataStageMap::MarkerPositions();
    const auto fits = [&](const DataRect& box) {
        if (box.left < MapRect.left || box.right > MapRect.right || box.bottom < MapRect.bottom ||
            box.top > MapRect.top)
            return false;
        for (const Point2& marker : markers)
        {
            if (marker.x + MarkerReach > box.left && marker.x - MarkerReach < box.right &&
                marker.y + MarkerReach > box.bottom && marker.y - MarkerReach < box.top)
                return false;
        }
        return true;
    };
    std::vector<DataRect> boxes;
    for (std::uint32_t s = 0; s < TotemPlaces; ++s)
    {
        DataRect box{OffScreen.x, OffScreen.y, OffScreen.x + TotemSize, OffScreen.y + TotemSize};
        if (s < stageStarts.size())
        {
            const Point2& start = stageStarts[s];
            for (const Point2& step : {Point2{0.0f, 1.0f}, Point2{0.0f, -1.0f}, Point2{1.0f, 0.0f}, Point2{-1.0f, 0.0f}})
            {
                box = Around({start.x + step.x * TotemRise, start.y + step.y * TotemRise}, TotemSize, TotemSize);
                if (fits(box))
                    break;
            }
        }
        boxes.push_back(box);
    }
    return boxes;
}

void DataScreenMap::Stage(DataStaging& staging)
{
    const std::vector<DataRect> boxes = TotemBoxes(StageStarts());
    DataScreenFiles::StagePicture(staging, StartGame + "map.mlf", MapRect, MapPicture(boxes), false);

    // Left of its label, which the screens print at (195, 23) 19 high, and
    // clear of the back button above it.
    DataScreenFiles::StageArea(staging, StartGame + "relax_check_box.mlf",
                               {RelaxLabel.x - 4.0f - CheckBoxSize, RelaxLabel.y - 4.0f, RelaxLabel.x - 4.0f,
                                RelaxLabel.y - 4.0f + CheckBoxSize});

    const std::string totemFault =
        DataScreenModels::CheckTotems(boxes, static_cast<std::uint32_t>(DataLevels::Stages().size()));
    if (!totemFault.empty())
        throw std::runtime_error(totemFault);
    for (std::uint32_t s = 0; s < boxes.size(); ++s)
        DataScreenFiles::StageArea(staging, StartGame + "totem_" + std::to_string(s) + ".mlf", boxes[s]);

    DataScreenFiles::StageTexture(staging, StartGame + "glow", Glow(), true);
    DataScreenFiles::StageTexture(staging, StartGame + "star", Star(), true);
    for (std::uint32_t effect = 0; effect < 3; ++effect)
    {
        const std::string name = StartGame + "game_complete_effect_" + std::to_string(effect) + ".mlf";
        const ModelFileRecord record = Effect(effect);
        const std::string fault = DataScreenModels::CheckGameCompleteEffect(DataScreenFiles::DataName(name), record);
        if (!fault.empty())
            throw std::runtime_error(fault);
        DataScreenFiles::StageModel(staging, name, record, effect == 1 ? "star" : "glow", true);
    }

    // The level-complete lines stand at (249, 148) to (492, 245); the plaque
    // lies behind them and the totem to their right.
    DataScreenFiles::StagePicture(staging, LevelComplete + "frame.mlf", {236.0f, 132.0f, 618.0f, 262.0f}, Plaque(),
                                  true);
    DataScreenFiles::StageArea(staging, LevelComplete + "totem.mlf",
                               Around({556.0f, 197.0f}, LevelCompleteTotemSize, LevelCompleteTotemSize));
}

} // namespace corvellan::content
