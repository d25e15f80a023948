#include "content/DataGameObjects.h"

#include "content/DataGameObjectArt.h"
#include "content/DataGameObjectFiles.h"
#include "content/DataStageMap.h"
#include "content/DataStaging.h"
#include "content/FuzzSeeds.h"
#include "content/ModelMeshes.h"
#include "content/ParticleFileWriter.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

const std::string MiniGame = "data\\game_objects\\mini_game\\";
const std::string Depository = "data\\game_objects\\depository\\";
const std::string BoardFolder = "data\\game_objects\\board\\";
const std::string Shared = "data\\game_objects\\textures\\";

constexpr std::uint32_t CompletionFrames = 24;
constexpr float CompletionSpeed = 24.0f;
constexpr float PictureWidth = 512.0f;
constexpr float PictureHeight = 384.0f;
constexpr float PathHalf = 2.0f;

// Reverses every triangle: the face then shows from the other side.
ModelFileRecord Reversed(ModelFileRecord record)
{
    for (std::size_t i = 0; i + 2 < record.indices.size(); i += 3)
        std::swap(record.indices[i + 1], record.indices[i + 2]);
    for (ModelFileVertex& vertex : record.vertices)
        vertex.normal[2] = -vertex.normal[2];
    return record;
}

// A quad (-h..h) whose texture turns `quarters` quarter turns clockwise:
// the up-pointing arrow then points right, down or left.
ModelFileRecord TurnedQuad(float half, std::uint32_t quarters)
{
    ModelFileRecord quad = MakeQuadMesh(-half, -half, half, half);
    for (ModelFileVertex& vertex : quad.vertices)
    {
        float s = vertex.u - 0.5f;
        float t = vertex.v - 0.5f;
        for (std::uint32_t q = 0; q < quarters; ++q)
        {
            const float turned = -t;
            t = s;
            s = turned;
        }
        vertex.u = s + 0.5f;
        vertex.v = t + 0.5f;
    }
    return quad;
}

ParticleFileRecord Effect(std::uint32_t emitterKind, std::uint32_t colour, float size, float life, float rate,
                          float speed)
{
    ParticleFileRecord record;
    record.maxParticleCount = 120;
    record.cycleLength = 1.0f;
    // The GUI camera's z is depth: no gravity, no floor, motion in x and y.
    record.gravityOn = 0;
    record.floorOn = 0;
    record.stopAtRest = 0;
    record.emitterKind = emitterKind;
    record.rateKeys.fill(rate);
    record.lifeKeys.fill(life);
    record.lifeSpreadKeys.fill(life * 0.3f);
    record.directionKeys.fill({0.0f, 1.0f, 0.0f});
    record.directionSpreadKeys.fill({1.0f, 1.0f, 0.0f});
    record.speedKeys.fill(speed);
    record.speedSpreadKeys.fill(speed * 0.5f);
    const float r = static_cast<float>(colour >> 16 & 0xFF) / 255.0f;
    const float g = static_cast<float>(colour >> 8 & 0xFF) / 255.0f;
    const float b = static_cast<float>(colour & 0xFF) / 255.0f;
    const std::array<float, 6> alpha = {0.0f, 0.9f, 0.8f, 0.6f, 0.3f, 0.0f};
    const std::array<float, 6> grow = {0.6f, 1.0f, 1.0f, 0.85f, 0.6f, 0.3f};
    for (std::size_t k = 0; k < 6; ++k)
    {
        record.colorKeys[k] = {r, g, b, alpha[k]};
        record.sizeKeys[k] = size * grow[k];
    }
    record.boxMin = {-4.0f, -4.0f, 0.0f};
    record.boxMax = {4.0f, 4.0f, 0.0f};
    return record;
}

ParticleFileRecord CompletionBurst()
{
    ParticleFileRecord record = Effect(1, 0xFFF3C4, 14.0f, 1.4f, 0.0f, 40.0f);
    record.maxParticleCount = 300;
    // Everything at the start of the cycle, nothing later: one burst.
    record.rateKeys = {600.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    record.smoothEmission = 0;
    record.boxMin = {DataGameObjects::Board.left, DataGameObjects::Board.bottom, 0.0f};
    record.boxMax = {DataGameObjects::Board.right, DataGameObjects::Board.top, 0.0f};
    return record;
}

ParticleFileRecord TipSparks()
{
    ParticleFileRecord record = Effect(2, 0xFFFFFF, 7.0f, 0.6f, 40.0f, 12.0f);
    record.maxParticleCount = 60;
    return record;
}

void StageMiniGame(DataStaging& staging, const std::string& blank)
{
    // The cell's two faces, back to back, each showing from its own side:
    // the top towards the viewer, the bottom once the cell turns over.
    DataGameObjectFiles::StageModel(staging, MiniGame + "cell_top.mlf", MakeQuadMesh(-0.5f, -0.5f, 0.5f, 0.5f, -0.01f),
                                    blank);
    DataGameObjectFiles::StageModel(staging, MiniGame + "cell_bottom.mlf",
                                    Reversed(MakeQuadMesh(-0.5f, -0.5f, 0.5f, 0.5f, 0.01f)), blank);
    const std::string border =
        DataGameObjectFiles::StageTexture(staging, MiniGame + "textures\\cell_border", DataGameObjectArt::CellBorder());
    DataGameObjectFiles::StageModel(staging, MiniGame + "cell_border.mlf",
                                    MakeQuadMesh(-0.5f, -0.5f, 0.5f, 0.5f, -0.02f), border);
    const std::string arrow =
        DataGameObjectFiles::StageTexture(staging, MiniGame + "textures\\arrow", DataGameObjectArt::Arrow());
    const char* directions[] = {"up", "right", "down", "left"};
    for (std::uint32_t k = 0; k < 4; ++k)
        DataGameObjectFiles::StageModel(staging, MiniGame + "arrow_" + directions[k] + ".mlf", TurnedQuad(8.0f, k),
                                        arrow);
    for (std::uint32_t s = 0; s < DataStageMap::LevelsPerStage().size(); ++s)
        DataGameObjectFiles::StageTexture(staging, MiniGame + "textures\\totem_" + std::to_string(s),
                                          DataGameObjectArt::TotemTexture(s));
}

void StageTrack(DataStaging& staging, const std::string& blank)
{
    const std::vector<Point2>& points = DataGameObjects::TrackPoints();
    const std::string fault = DataGameObjects::CheckTrack(points);
    if (!fault.empty())
        throw std::runtime_error(Depository + "path_000.mlf: " + fault);
    const DataArea& panel = DataGameObjects::Panel;
    DataGameObjectFiles::StageModel(staging, Depository + "obstacle.mlf",
                                    MakeQuadMesh(panel.left, panel.bottom, panel.right, panel.top), blank);
    const Point2 end = points.back();
    const std::string back =
        DataGameObjectFiles::StageTexture(staging, Depository + "textures\\hole_bottom", DataGameObjectArt::HoleBack());
    const std::string lip =
        DataGameObjectFiles::StageTexture(staging, Depository + "textures\\hole_top", DataGameObjectArt::HoleLip());
    DataGameObjectFiles::StageModel(staging, Depository + "hole_bottom.mlf",
                                    MakeQuadMesh(end.x - 36.0f, end.y - 30.0f, end.x + 36.0f, end.y + 30.0f), back);
    DataGameObjectFiles::StageModel(staging, Depository + "hole_top.mlf",
                                    MakeQuadMesh(end.x - 36.0f, end.y - 30.0f, end.x + 36.0f, end.y + 30.0f), lip);
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const Point2 p = points[i];
        DataGameObjectFiles::StageModel(staging, Depository + "path_00" + std::to_string(i) + ".mlf",
                                        MakeQuadMesh(p.x - PathHalf, p.y - PathHalf, p.x + PathHalf, p.y + PathHalf),
                                        blank);
    }
    const std::string glow = DataGameObjectFiles::StageTexture(staging, Shared + "glow", DataGameObjectArt::Glow());
    DataGameObjectFiles::StageParticles(staging, Depository + "path_start_effect.psf",
                                        Effect(0, 0xFFD36B, 22.0f, 0.9f, 45.0f, 10.0f), glow);
    DataGameObjectFiles::StageParticles(staging, Depository + "path_finish_effect.psf",
                                        Effect(0, 0x9FE3FF, 24.0f, 0.9f, 45.0f, 14.0f), glow);
}

void StageBoard(DataStaging& staging)
{
    // The board puts the level's picture on the completion model: its own
    // texture only holds the place.
    const std::string placeholder =
        DataGameObjectFiles::StageTexture(staging, BoardFolder + "level_complete", DataGameObjectArt::Blank());
    const ModelFileRecord completion = DataGameObjects::CompletionModel();
    const std::string fault = DataGameObjects::CheckCompletion(completion);
    if (!fault.empty())
        throw std::runtime_error(BoardFolder + "level_complete.mlf: " + fault);
    DataGameObjectFiles::StageModel(staging, BoardFolder + "level_complete.mlf", completion, placeholder);
    const std::string spark =
        DataGameObjectFiles::StageTexture(staging, Shared + "spark", DataGameObjectArt::Spark());
    DataGameObjectFiles::StageParticles(staging, BoardFolder + "level_complete_effect.psf", CompletionBurst(), spark);
    DataGameObjectFiles::StageParticles(staging, BoardFolder + "tip_effect.psf", TipSparks(), spark);
}

} // namespace

const std::vector<Point2>& DataGameObjects::TrackPoints()
{
    // Up the right side, then along the top to the pit at the top left:
    // anticlockwise around the board.
    static const std::vector<Point2> points = {{715, 30}, {715, 260}, {705, 440}, {640, 505}, {330, 512}, {45, 505}};
    return points;
}

std::string DataGameObjects::CheckTrack(const std::vector<Point2>& points)
{
    if (points.size() != TrackPointCount)
        return std::to_string(points.size()) + " track points, not " + std::to_string(TrackPointCount);
    const Point2 board{(Board.left + Board.right) / 2.0f, (Board.bottom + Board.top) / 2.0f};
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const Point2 p = points[i];
        if (Board.Holds(p, TrackClearance) || Panel.Holds(p, TrackClearance))
            return "point " + std::to_string(i) + " lies on the board or the panel";
        for (std::size_t j = 0; j < i; ++j)
            if (points[j].x == p.x && points[j].y == p.y)
                return "points " + std::to_string(j) + " and " + std::to_string(i) + " are the same";
        if (i == 0)
            continue;
        const Point2 a = points[i - 1];
        const float dx = p.x - a.x;
        const float dy = p.y - a.y;
        const float length = std::hypot(dx, dy);
        if (!(length >= ShortestSegment))
            return "segment " + std::to_string(i - 1) + " is " + std::to_string(length) + " long, under " +
                   std::to_string(ShortestSegment);
        // The left of travel is (-dy, dx).
        if (-dy * (board.x - a.x) + dx * (board.y - a.y) <= 0.0f)
            return "the board lies right of segment " + std::to_string(i - 1);
    }
    return {};
}

ModelFileRecord DataGameObjects::CompletionModel()
{
    // A shine runs across the picture: a ripple bends the grid's columns
    // as it passes, and the picture stands flat at the first and last frames.
    constexpr std::uint32_t Columns = 16;
    constexpr std::uint32_t Rows = 12;
    std::vector<ModelFileRecord> frames;
    for (std::uint32_t f = 0; f < CompletionFrames; ++f)
    {
        ModelFileRecord grid = MakeGridMesh(Columns, Rows, 0.0f, 0.0f, PictureWidth, PictureHeight);
        const float t = static_cast<float>(f) / static_cast<float>(CompletionFrames - 1);
        const float sweep = -96.0f + (PictureWidth + 192.0f) * t;
        const float strength = std::sin(3.1415927f * t);
        for (ModelFileVertex& vertex : grid.vertices)
        {
            // The texture is the 1024 x 512 "puzzle_theme_" page; the picture is its corner.
            vertex.u *= PictureWidth / 1024.0f;
            vertex.v *= PictureHeight / 512.0f;
            float& x = vertex.position[0];
            const float y = vertex.position[1];
            if (x <= 0.0f || x >= PictureWidth)
                continue;
            // The front leans with the height, so the shine runs diagonally.
            const float d = (x - sweep - 0.25f * y) / 48.0f;
            x += 7.0f * strength * d * std::exp(-d * d);
        }
        frames.push_back(grid);
    }
    return MakeMorphModel(frames, CompletionSpeed);
}

std::string DataGameObjects::CheckCompletion(const ModelFileRecord& record)
{
    if ((record.flags & 0x2) == 0 || record.frameCount < 2)
        return "not animated: the level would never complete";
    if (!(record.speed > 0.0f))
        return "an animation speed of " + std::to_string(record.speed) + ": the level would never complete";
    return {};
}

void DataGameObjects::Stage(DataStaging& staging)
{
    const std::string blank = DataGameObjectFiles::StageTexture(staging, Shared + "blank", DataGameObjectArt::Blank());
    StageMiniGame(staging, blank);
    StageTrack(staging, blank);
    const std::string carriage = DataGameObjectFiles::StageTexture(staging, "data\\game_objects\\carriage\\textures\\carriage",
                                                                   DataGameObjectArt::Carriage());
    DataGameObjectFiles::StageModel(staging, "data\\game_objects\\carriage\\carriage.mlf",
                                    MakeQuadMesh(-22.0f, -20.0f, 22.0f, 20.0f), carriage);
    for (const char* name : {"magnet", "pause", "rollback", "tip"})
    {
        const std::string folder = "data\\game_objects\\bonuses\\";
        const std::string texture =
            DataGameObjectFiles::StageTexture(staging, folder + "textures\\" + name, DataGameObjectArt::Bonus(name));
        DataGameObjectFiles::StageModel(staging, folder + name + ".mlf", MakeQuadMesh(-18.0f, -18.0f, 18.0f, 18.0f),
                                        texture);
    }
    StageBoard(staging);
    DataStageMap::Stage(staging);
}

void DataGameObjects::WriteSeeds(const std::string& folder)
{
    const auto seed = [&](const std::string& target, const std::string& name, const std::string& bytes) {
        if (!WriteSeed(folder, target, name, bytes))
            throw std::runtime_error(folder + "/" + target + "/" + name + ": cannot write the seed");
    };
    seed("map_file", "data_map.gmf", DataStageMap::Build());
    seed("particle_file", "data_tip_effect.psf", ParticleFileWriter::Build(TipSparks()));
}

} // namespace corvellan::content
