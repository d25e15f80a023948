// The game's play objects and the stage map as the game reads them from the
// built pack: every model, shader and particle system of the group loads
// whole, the track makes a course the train can run, the completion model
// plays, and the map's markers stand for the level lists. Then the checks
// mkdata runs, each refusing the data that would break the game.
#include "content/DataGameObjects.h"
#include "content/DataLevels.h"
#include "content/DataStageMap.h"
#include "content/ModelMeshes.h"
#include "engine/core/BoundingVolume.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStageFunctions.h"
#include "game/TrackGeometry.h"
#include "game/menus/MapFile.h"
#include "tests/content/dataset/DataSetExpectations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;
using corvellan::content::DataGameObjects;
using corvellan::content::DataStageMap;
using corvellan::content::MapFileElement;
using corvellan::content::Point2;
using OrvaneEngine::Model;
using OrvaneEngine::Vector2;
using OrvaneEngine::Vector3;

constexpr std::uint32_t Coloured = 0x20;

struct Box
{
    float x0, y0, x1, y1;
};

struct ModelCase
{
    std::string name;
    std::uint32_t flags;
    std::uint32_t frames;
    // The stored box of the first frame, in x and y.
    Box box;
};

// The group's models with the frame counts and boxes the game relies on.
std::vector<ModelCase> ModelCases()
{
    const std::string mini = "game_objects\\mini_game\\";
    const std::string depository = "game_objects\\depository\\";
    std::vector<ModelCase> cases = {
        {mini + "cell_top.mlf", Coloured, 1, {-0.5f, -0.5f, 0.5f, 0.5f}},
        {mini + "cell_bottom.mlf", Coloured, 1, {-0.5f, -0.5f, 0.5f, 0.5f}},
        {mini + "cell_border.mlf", Coloured, 1, {-0.5f, -0.5f, 0.5f, 0.5f}},
        {mini + "arrow_up.mlf", Coloured, 1, {-8, -8, 8, 8}},
        {mini + "arrow_right.mlf", Coloured, 1, {-8, -8, 8, 8}},
        {mini + "arrow_down.mlf", Coloured, 1, {-8, -8, 8, 8}},
        {mini + "arrow_left.mlf", Coloured, 1, {-8, -8, 8, 8}},
        {depository + "obstacle.mlf", 0, 1, {63, 6, 640, 56}},
        {depository + "hole_bottom.mlf", Coloured, 1, {9, 475, 81, 535}},
        {depository + "hole_top.mlf", Coloured, 1, {9, 475, 81, 535}},
        {"game_objects\\carriage\\carriage.mlf", Coloured, 1, {-22, -20, 22, 20}},
        {"game_objects\\board\\level_complete.mlf", 0, 24, {0, 0, 512, 384}},
    };
    const float points[6][2] = {{715, 30}, {715, 260}, {705, 440}, {640, 505}, {330, 512}, {45, 505}};
    for (int i = 0; i < 6; ++i)
        cases.push_back({depository + "path_00" + std::to_string(i) + ".mlf", 0, 1,
                         {points[i][0] - 2, points[i][1] - 2, points[i][0] + 2, points[i][1] + 2}});
    for (const char* bonus : {"magnet", "pause", "rollback", "tip"})
        cases.push_back({std::string("game_objects\\bonuses\\") + bonus + ".mlf", Coloured, 1, {-18, -18, 18, 18}});
    for (const char* marker : {"start", "finish", "check_point", "path", "path_check_point"})
        cases.push_back({std::string("ui\\menus\\map\\models\\") + marker + ".mlf", Coloured, 6, {-14, -14, 14, 14}});
    return cases;
}

std::vector<std::string> Warnings(const PackedServices& services)
{
    std::vector<std::string> texts = services.Entries(2);
    const std::vector<std::string> warnings = services.Entries(1);
    texts.insert(texts.end(), warnings.begin(), warnings.end());
    return texts;
}

struct Particles
{
    explicit Particles(PackedServices& s)
        : groups(&s.log, &s.cameras, &s.shaders, &s.models), manager(&s.log, &s.files, &s.timers, &s.shaders, &groups)
    {
    }

    OrvaneEngine::SpriteGroupManager groups;
    OrvaneEngine::ParticleSystemManager manager;
};

TEST(DataSetGameObjectsTest, EveryModelLoadsWholeWithItsFramesAndBox)
{
    PackedServices services;
    for (const ModelCase& c : ModelCases())
    {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Model> model = services.Load(c.name, c.flags);
        ASSERT_NE(model->GetAnimationControl(), nullptr);
        EXPECT_EQ(model->GetAnimationControl()->GetFrameCount(), c.frames);
        const OrvaneEngine::BoundingVolume& box = model->boundingVolume;
        EXPECT_NEAR(box.localMin.x, c.box.x0, 0.01f);
        EXPECT_NEAR(box.localMin.y, c.box.y0, 0.01f);
        EXPECT_NEAR(box.localMax.x, c.box.x1, 0.01f);
        EXPECT_NEAR(box.localMax.y, c.box.y1, 0.01f);
        // Every frame's stored box is the extent of its own vertices.
        const std::vector<OrvaneEngine::Vertex>& morph = model->GetMorphVertices();
        const std::vector<OrvaneEngine::BoundingVolume>& frames = model->GetFrameVolumes();
        if (c.frames > 1 && !frames.empty())
        {
            ASSERT_EQ(frames.size(), c.frames);
            const std::size_t perFrame = morph.size() / c.frames;
            for (std::size_t f = 0; f < frames.size(); ++f)
            {
                Vector3 low = morph[f * perFrame].position;
                Vector3 high = low;
                for (std::size_t i = f * perFrame; i < (f + 1) * perFrame; ++i)
                {
                    low.x = std::min(low.x, morph[i].position.x);
                    low.y = std::min(low.y, morph[i].position.y);
                    high.x = std::max(high.x, morph[i].position.x);
                    high.y = std::max(high.y, morph[i].position.y);
                }
                EXPECT_NEAR(frames[f].localMin.x, low.x, 0.01f) << f;
                EXPECT_NEAR(frames[f].localMin.y, low.y, 0.01f) << f;
                EXPECT_NEAR(frames[f].localMax.x, high.x, 0.01f) << f;
                EXPECT_NEAR(frames[f].localMax.y, high.y, 0.01f) << f;
            }
        }
    }
    // A model that fell back to the box or a shader that could not be read
    // would each have logged.
    EXPECT_EQ(Warnings(services), std::vector<std::string>{});
}

TEST(DataSetGameObjectsTest, EveryShaderNamesTexturesThePackHolds)
{
    PackedServices services;
    std::vector<std::string> names;
    for (const ModelCase& c : ModelCases())
        names.push_back(c.name);
    for (const char* effect : {"depository\\path_start_effect", "depository\\path_finish_effect",
                               "board\\level_complete_effect", "board\\tip_effect"})
        names.push_back(std::string("game_objects\\") + effect + ".psf");
    for (const std::string& name : names)
    {
        SCOPED_TRACE(name);
        const OrvaneEngine::ShaderDescriptor shader(&services.log, &services.files,
                                                    name.substr(0, name.rfind('.')) + ".srf");
        ASSERT_EQ(shader.stageCount, 1u);
        const OrvaneEngine::ShaderStage& stage = shader.stages[0];
        OrvaneEngine::Image* diffuse = nullptr;
        OrvaneEngine::Image* opacity = nullptr;
        services.shaders.GetTextureManager()->LoadImages(
            OrvaneEngine::FindStageTextureFile(services.files, stage.diffuseName),
            OrvaneEngine::FindStageTextureFile(services.files, stage.opacityName), diffuse, opacity);
        std::unique_ptr<OrvaneEngine::Image> keepDiffuse(diffuse);
        std::unique_ptr<OrvaneEngine::Image> keepOpacity(opacity);
        ASSERT_NE(opacity, nullptr);
        EXPECT_EQ(opacity->GetWidth(), diffuse->GetWidth());
        EXPECT_EQ(opacity->GetHeight(), diffuse->GetHeight());
        for (const std::uint32_t side : {diffuse->GetWidth(), diffuse->GetHeight()})
            EXPECT_EQ(side & (side - 1), 0u) << side;
    }
    // The checkerboard stands in only after an error.
    EXPECT_EQ(Warnings(services), std::vector<std::string>{});
}

// The vertices of a model loaded with coloured vertices.
std::vector<OrvaneEngine::ColoredVertex> ColouredVertices(const Model& model)
{
    const OrvaneEngine::VertexBuffer& buffer = *model.GetVertexBuffer();
    std::vector<OrvaneEngine::ColoredVertex> vertices(buffer.GetVertexCount());
    for (std::uint32_t i = 0; i < buffer.GetVertexCount(); ++i)
        std::memcpy(&vertices[i], buffer.GetData() + i * buffer.GetStride(), sizeof(OrvaneEngine::ColoredVertex));
    return vertices;
}

TEST(DataSetGameObjectsTest, TheMiniGameCellTurnsOverAndItsArrowsPointTheirWay)
{
    PackedServices services;
    // The arrow picture points up the texture (v = 1): the middle of the
    // edge whose vertices have v = 1 is the tip, on the arrow's own side.
    const std::map<std::string, Vector2> tips = {
        {"up", {0, 8}}, {"right", {8, 0}}, {"down", {0, -8}}, {"left", {-8, 0}}};
    for (const auto& [direction, tip] : tips)
    {
        SCOPED_TRACE(direction);
        const auto model = services.Load("game_objects\\mini_game\\arrow_" + direction + ".mlf", Coloured);
        Vector2 sum(0, 0);
        int count = 0;
        for (const OrvaneEngine::ColoredVertex& vertex : ColouredVertices(*model))
        {
            if (std::fabs(vertex.v - 1.0f) < 0.001f)
            {
                sum.x += vertex.position.x;
                sum.y += vertex.position.y;
                ++count;
            }
        }
        ASSERT_EQ(count, 2);
        EXPECT_NEAR(sum.x / 2.0f, tip.x, 0.01f);
        EXPECT_NEAR(sum.y / 2.0f, tip.y, 0.01f);
    }

    // The two faces lie back to back and wind opposite ways, so one shows
    // at rest and the other once the cell has turned over.
    std::map<std::string, float> windings;
    for (const std::string face : {"top", "bottom"})
    {
        const auto model = services.Load("game_objects\\mini_game\\cell_" + face + ".mlf", Coloured);
        const std::vector<OrvaneEngine::ColoredVertex> vertices = ColouredVertices(*model);
        const OrvaneEngine::IndexBuffer& indices = *model->GetIndexBuffer();
        ASSERT_EQ(indices.GetIndexSize(), 2u);
        std::uint16_t first[3];
        std::memcpy(first, indices.GetData(), sizeof(first));
        const Vector3& a = vertices.at(first[0]).position;
        const Vector3& b = vertices.at(first[1]).position;
        const Vector3& c = vertices.at(first[2]).position;
        windings[face] = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        EXPECT_NEAR(a.z, face == "top" ? -0.01f : 0.01f, 1e-5f);
    }
    EXPECT_LT(windings["top"] * windings["bottom"], 0.0f);
}

TEST(DataSetGameObjectsTest, EffectsLoadWithTheirEmitters)
{
    PackedServices services;
    Particles particles(services);
    const std::map<std::string, std::uint32_t> kinds = {
        {"game_objects\\depository\\path_start_effect.psf", 0},
        {"game_objects\\depository\\path_finish_effect.psf", 0},
        {"game_objects\\board\\level_complete_effect.psf", 1},
        {"game_objects\\board\\tip_effect.psf", 2},
    };
    for (const auto& [name, kind] : kinds)
    {
        SCOPED_TRACE(name);
        std::unique_ptr<OrvaneEngine::ParticleSystem> system(particles.manager.LoadParticleSystemResource(name));
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->emitterKind, kind);
        if (kind == 1)
        {
            // The burst covers the board.
            EXPECT_NEAR(system->emitterBox.localMin.x, 63.0f, 0.01f);
            EXPECT_NEAR(system->emitterBox.localMin.y, 63.0f, 0.01f);
            EXPECT_NEAR(system->emitterBox.localMax.x, 575.0f, 0.01f);
            EXPECT_NEAR(system->emitterBox.localMax.y, 447.0f, 0.01f);
        }
    }
    EXPECT_EQ(Warnings(services), std::vector<std::string>{});
}

TEST(DataSetGameObjectsTest, TheTrackRunsAroundTheBoardClearOfThePanel)
{
    PackedServices services;
    std::vector<Vector2> centres;
    for (int i = 0; i < 6; ++i)
    {
        const auto model = services.Load("game_objects\\depository\\path_00" + std::to_string(i) + ".mlf");
        centres.emplace_back(model->boundingVolume.center.x, model->boundingVolume.center.y);
    }
    const Mirabel::TrackPath path = Mirabel::BuildTrackPath(centres);
    ASSERT_EQ(path.points.size(), 6u) << "the points are not distinct";
    const Vector3 boardCentre(319.0f, 255.0f, 0.0f);
    for (std::size_t i = 0; i < path.lengths.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_GE(path.lengths[i], 60.0f);
        // Negative on the left of travel, where a carried piece grows to its board size.
        EXPECT_LT(path.planes[i].GetDistance(boardCentre), 0.0f);
    }
    for (const Vector2& p : path.points)
    {
        EXPECT_FALSE(p.x > 63 - 20 && p.x < 575 + 20 && p.y > 63 - 20 && p.y < 447 + 20) << p.x << "," << p.y;
        EXPECT_FALSE(p.x > 63 - 20 && p.x < 640 + 20 && p.y > 6 - 20 && p.y < 56 + 20) << p.x << "," << p.y;
    }
    // Relax mode ends at P4: a shorter track that is still usable.
    centres.pop_back();
    EXPECT_NEAR(Mirabel::BuildTrackPath(centres).length, 812.0f, 5.0f);
    EXPECT_NEAR(path.length, 1097.0f, 5.0f);

    // The pit stands where the track ends.
    const auto hole = services.Load("game_objects\\depository\\hole_bottom.mlf", Coloured);
    EXPECT_NEAR(hole->boundingVolume.center.x, path.points.back().x, 0.01f);
    EXPECT_NEAR(hole->boundingVolume.center.y, path.points.back().y, 0.01f);
}

TEST(DataSetGameObjectsTest, TheCompletionModelPlaysOverTheBoardPicture)
{
    PackedServices services;
    const auto model = services.Load("game_objects\\board\\level_complete.mlf");
    OrvaneEngine::AnimationControl* animation = model->GetAnimationControl();
    ASSERT_NE(animation, nullptr);
    // Animated at a speed above 0, or the board's completion never ends.
    EXPECT_EQ(animation->GetFrameCount(), 24u);
    EXPECT_FLOAT_EQ(animation->speed, 24.0f);
    // The picture's corner of the 1024 x 512 theme page, in every frame.
    float highU = 0.0f;
    float highV = 0.0f;
    for (const OrvaneEngine::Vertex& vertex : model->GetMorphVertices())
    {
        EXPECT_GE(vertex.u, 0.0f);
        EXPECT_GE(vertex.v, 0.0f);
        highU = std::max(highU, vertex.u);
        highV = std::max(highV, vertex.v);
    }
    EXPECT_FLOAT_EQ(highU, 0.5f);
    EXPECT_FLOAT_EQ(highV, 0.75f);
}

TEST(DataSetGameObjectsTest, TheMapHasOneMarkerPerLevelStageByStage)
{
    PackedServices services;
    std::uint32_t checkPoints = 0;
    const std::vector<Mirabel::MapFile::Element> elements =
        Mirabel::MapFile::Read(&services.files, Mirabel::MapFile::Path, checkPoints);
    const std::vector<ExpectedStage>& stages = ExpectedStages();
    ASSERT_EQ(checkPoints + 1, stages.size());
    std::vector<std::uint32_t> perStage(stages.size(), 0);
    for (const auto& element : elements)
    {
        ASSERT_LT(element.stage, stages.size());
        EXPECT_EQ(element.index, perStage[element.stage]);
        ++perStage[element.stage];
    }
    for (std::size_t s = 0; s < stages.size(); ++s)
        EXPECT_EQ(perStage[s], stages[s].levels.size()) << s;

    // Start first, finish last, a check point opening every later stage.
    using Mirabel::MapFile;
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        SCOPED_TRACE(i);
        std::uint32_t type = MapFile::TypePath;
        if (i == 0)
            type = MapFile::TypeStart;
        else if (i + 1 == elements.size())
            type = MapFile::TypeFinish;
        else if (elements[i].index == 0)
            type = MapFile::TypeCheckPoint;
        EXPECT_EQ(elements[i].type, type);
        // On the map picture (the large window above its buttons), and
        // apart from the marker before it.
        const float x = elements[i].matrix.m[3];
        const float y = elements[i].matrix.m[7];
        EXPECT_GT(x, 60.0f + 14.0f);
        EXPECT_LT(x, 740.0f - 14.0f);
        EXPECT_GT(y, 95.0f + 14.0f);
        EXPECT_LT(y, 480.0f - 14.0f);
        if (i > 0)
        {
            EXPECT_GT(std::hypot(x - elements[i - 1].matrix.m[3], y - elements[i - 1].matrix.m[7]), 28.0f);
        }
    }
    EXPECT_EQ(Warnings(services), std::vector<std::string>{});
}

TEST(DataSetGameObjectsTest, TheTotemPicturesFillTheirCornerWithTheSilhouetteAsAlpha)
{
    PackedServices services;
    OrvaneEngine::TextureManager& textures = *services.shaders.GetTextureManager();
    for (std::size_t s = 0; s < ExpectedStages().size(); ++s)
    {
        SCOPED_TRACE(s);
        const std::string name = "data\\game_objects\\mini_game\\textures\\totem_" + std::to_string(s);
        OrvaneEngine::Image* diffuse = nullptr;
        OrvaneEngine::Image* opacity = nullptr;
        textures.LoadImages(name + ".jpg", name + "_alpha.jpg", diffuse, opacity);
        std::unique_ptr<OrvaneEngine::Image> keepDiffuse(diffuse);
        std::unique_ptr<OrvaneEngine::Image> keepOpacity(opacity);
        ASSERT_NE(diffuse, nullptr);
        ASSERT_NE(opacity, nullptr);
        EXPECT_EQ(diffuse->GetWidth(), 512u);
        EXPECT_EQ(diffuse->GetHeight(), 512u);
        // Opaque somewhere within the 300 x 300 the mini game shows, clear
        // everywhere outside it.
        std::uint32_t inside = 0;
        std::uint32_t outside = 0;
        for (std::uint32_t v = 0; v < 512; v += 4)
        {
            for (std::uint32_t u = 0; u < 512; u += 4)
            {
                // Row 0 is the picture's bottom.
                const std::size_t at = (static_cast<std::size_t>(v) * 512 + u) * (opacity->GetBitsPerPixel() / 8);
                const bool opaque = opacity->GetPixels()[at] > 128;
                (u < 300 && v < 300 ? inside : outside) += opaque ? 1 : 0;
            }
        }
        EXPECT_GT(inside, 75u * 75u / 5u);
        EXPECT_EQ(outside, 0u);
    }
    EXPECT_EQ(Warnings(services), std::vector<std::string>{});
}

TEST(DataSetGameObjectsTest, MkdataRefusesATrackTheTrainCannotRun)
{
    const std::vector<Point2> sound = DataGameObjects::TrackPoints();
    struct Case
    {
        const char* name;
        std::function<void(std::vector<Point2>&)> breakIt;
        const char* fault;
    };
    const std::vector<Case> cases = {
        {"the game's track", [](std::vector<Point2>&) {}, ""},
        {"five points", [](std::vector<Point2>& p) { p.pop_back(); }, "5 track points"},
        {"two points the same", [](std::vector<Point2>& p) { p[3] = p[1]; }, "points 1 and 3 are the same"},
        {"a segment of 59", [](std::vector<Point2>& p) { p[1] = {p[0].x, p[0].y + 59.0f}; }, "segment 0 is"},
        {"clockwise: the board on the right", [](std::vector<Point2>& p) { std::reverse(p.begin(), p.end()); },
         "the board lies right of segment 0"},
        {"a point on the board", [](std::vector<Point2>& p) { p[2] = {560.0f, 300.0f}; }, "point 2 lies on the board"},
        {"a point on the panel", [](std::vector<Point2>& p) { p[0] = {600.0f, 30.0f}; }, "point 0 lies on the board or the panel"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<Point2> points = sound;
        c.breakIt(points);
        const std::string fault = DataGameObjects::CheckTrack(points);
        if (std::string(c.fault).empty())
            EXPECT_EQ(fault, "");
        else
            EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
    }
}

TEST(DataSetGameObjectsTest, MkdataRefusesACompletionModelThatNeverEnds)
{
    EXPECT_EQ(DataGameObjects::CheckCompletion(DataGameObjects::CompletionModel()), "");
    corvellan::content::ModelFileRecord still = corvellan::content::MakeQuadMesh(0, 0, 512, 384);
    EXPECT_NE(DataGameObjects::CheckCompletion(still).find("never complete"), std::string::npos);
    corvellan::content::ModelFileRecord stopped = DataGameObjects::CompletionModel();
    stopped.speed = 0.0f;
    EXPECT_NE(DataGameObjects::CheckCompletion(stopped).find("speed of 0"), std::string::npos);
}

TEST(DataSetGameObjectsTest, MkdataRefusesAMapOutOfStepWithTheLevelLists)
{
    const std::vector<std::uint32_t> levels = {3, 3, 4, 4};
    struct Case
    {
        const char* name;
        std::vector<std::uint32_t> mapLevels;
        std::function<void(std::vector<MapFileElement>&)> breakIt;
        const char* fault;
    };
    const auto none = [](std::vector<MapFileElement>&) {};
    const std::vector<Case> cases = {
        {"in step", levels, none, ""},
        {"a level missing from stage 2", {3, 3, 3, 4}, none, "stage 2: 3 markers, 4 levels"},
        {"a stage missing", {3, 3, 4}, none, "3 stages on the map, 4 in the level lists"},
        {"nine stages", {1, 1, 1, 1, 1, 1, 1, 1, 2}, none, "9 stages; the map shows totems for at most 8"},
        {"no start", levels, [](std::vector<MapFileElement>& e) { e.front().type = 3; }, "not the start"},
        {"no finish", levels, [](std::vector<MapFileElement>& e) { e.back().type = 3; }, "not the finish"},
        {"a second start", levels, [](std::vector<MapFileElement>& e) { e[1].type = 0; }, "marker 1: type 0"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<MapFileElement> elements = DataStageMap::Elements(c.mapLevels);
        c.breakIt(elements);
        const std::string fault = DataStageMap::Check(elements, c.name == std::string("nine stages") ? c.mapLevels : levels);
        if (std::string(c.fault).empty())
            EXPECT_EQ(fault, "");
        else
            EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
    }
    // More levels than the map has places for stops the build.
    EXPECT_THROW(DataStageMap::Elements({8, 8}), std::runtime_error);
    // The game's own lists and map agree.
    corvellan::content::DataLevels::Load(CORVELLAN_CONTENT_SOURCE);
    EXPECT_EQ(DataStageMap::Check(DataStageMap::Elements(DataStageMap::LevelsPerStage()), levels), "");
}

} // namespace
