// The play screens' models as the game reads them from the built pack: each
// loads with its pictures and the frames its screen relies on, the panel's
// places are the ones the texts were measured against, the level scene lets
// the board, the track and the statistics show through, the tutorial's mouse
// presses where its pieces are, and the stage map's totems stand beside
// their stages. And the checks mkdata makes before it packs them.
#include "content/DataLayout.h"
#include "content/DataScreenModels.h"
#include "content/ModelMeshes.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Image.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "game/menus/MapFile.h"
#include "tests/content/dataset/DataSetExpectations.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;
using corvellan::content::DataLayout;
using corvellan::content::DataRect;
using corvellan::content::DataScreenModels;

const std::string Models = "ui\\menus\\models\\";
constexpr std::uint32_t Coloured = 0x20;

struct Box
{
    float x0, y0, x1, y1;

    float Width() const { return x1 - x0; }
    float Height() const { return y1 - y0; }
    bool Holds(float x, float y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

Box BoxOf(const OrvaneEngine::BoundingVolume& volume)
{
    return {volume.worldMin.x, volume.worldMin.y, volume.worldMax.x, volume.worldMax.y};
}

Box FrameBox(const OrvaneEngine::Model& model, std::uint32_t frame)
{
    const auto& volumes = model.GetFrameVolumes();
    return BoxOf(volumes.empty() ? model.boundingVolume : volumes.at(frame));
}

std::uint32_t FrameCount(const OrvaneEngine::Model& model)
{
    const OrvaneEngine::AnimationControl* animation = model.GetAnimationControl();
    return animation != nullptr ? animation->GetFrameCount() : 1;
}

// The models of these screens as the game data loads them, with the frames
// each screen relies on.
struct ScreenModel
{
    std::string name;
    std::uint32_t frames;
    bool coloured;
};

std::vector<ScreenModel> ScreenModels()
{
    std::vector<ScreenModel> models;
    for (const char* name :
         {"background", "main_panel", "menu_button", "level_name_text_area", "level_name", "level_name_title_text_area",
          "score_text_area", "score", "score_title_text_area", "minimize_button", "maximize_window_button",
          "maximize_fullscreen_button", "close_button"})
        models.push_back({std::string("game_logic\\") + name, 1, false});
    models.push_back({"start_game\\map", 1, true});
    models.push_back({"start_game\\relax_check_box", 1, false});
    for (int stage = 0; stage < 8; ++stage)
        models.push_back({"start_game\\totem_" + std::to_string(stage), 1, false});
    // More than 20 frames, or the ending never reaches the unicorn.
    for (int effect = 0; effect < 3; ++effect)
        models.push_back({"start_game\\game_complete_effect_" + std::to_string(effect), 60, true});
    models.push_back({"level_complete\\frame", 1, true});
    // One frame: with more, the control totem would play its looks as an appear animation.
    models.push_back({"level_complete\\totem", 1, true});
    models.push_back({"tutorial\\background", 1, true});
    models.push_back({"tutorial\\closed_element", 1, true});
    for (int element = 0; element < 4; ++element)
        models.push_back({"tutorial\\element_" + std::to_string(element), 96, true});
    // At least 92: the last press ends at frame 91.
    models.push_back({"tutorial\\mouse", 96, true});
    // No button, the right one, the left one.
    models.push_back({"tutorial\\mouse_control", 3, true});
    return models;
}

class DataSetScreenModelsTest : public testing::Test
{
protected:
    // Kept until the test ends, so that the boxes read stay valid.
    OrvaneEngine::Model* Load(const std::string& stem, std::uint32_t flags = 0)
    {
        loaded.push_back(services.Load(Models + stem + ".mlf", flags));
        return loaded.back().get();
    }

    // Read for the test, or kept by the manager.
    struct Pictures
    {
        const OrvaneEngine::Image* diffuse = nullptr;
        const OrvaneEngine::Image* opacity = nullptr;
        std::unique_ptr<OrvaneEngine::Image> ownDiffuse;
        std::unique_ptr<OrvaneEngine::Image> ownOpacity;
    };
    // The pictures a texture shows, as the texture manager read them.
    Pictures PicturesOf(const OrvaneEngine::Texture2D& texture)
    {
        OrvaneEngine::Image* diffuse = nullptr;
        OrvaneEngine::Image* opacity = nullptr;
        bool loaded = false;
        Pictures pictures;
        if (!services.shaders.GetTextureManager()->GetImages(&texture, diffuse, opacity, loaded))
            return pictures;
        pictures.diffuse = diffuse;
        pictures.opacity = opacity;
        if (loaded)
        {
            pictures.ownDiffuse.reset(diffuse);
            pictures.ownOpacity.reset(opacity);
        }
        return pictures;
    }

    std::vector<OrvaneEngine::Texture2D*> Textures() const
    {
        std::vector<OrvaneEngine::Texture2D*> textures;
        services.shaders.GetTextureManager()->GetTextures(textures);
        return textures;
    }

    // The texture whose diffuse picture is this file.
    Pictures PicturesOf(const std::string& pictureName)
    {
        for (const OrvaneEngine::Texture2D* texture : Textures())
        {
            if (texture->GetKey().find(pictureName) != std::string::npos)
                return PicturesOf(*texture);
        }
        ADD_FAILURE() << "no texture shows " << pictureName;
        return {};
    }

    void ExpectCleanLog() const
    {
        EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
        EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
    }

    PackedServices services;
    std::vector<std::unique_ptr<OrvaneEngine::Model>> loaded;
};

TEST_F(DataSetScreenModelsTest, EveryModelLoadsWithItsFramesAndWholePictures)
{
    for (const ScreenModel& expected : ScreenModels())
    {
        SCOPED_TRACE(expected.name);
        const OrvaneEngine::Model* model = Load(expected.name, expected.coloured ? Coloured : 0);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(FrameCount(*model), expected.frames);
        // Every frame's stored box is a real one, not the fallback's.
        for (std::uint32_t frame = 0; frame < expected.frames; ++frame)
        {
            const Box box = FrameBox(*model, frame);
            EXPECT_GT(box.Width(), 0.0f) << frame;
            EXPECT_GT(box.Height(), 0.0f) << frame;
        }
    }

    // Every picture was read whole (not the checkerboard), at a power-of-two
    // size the device takes as it is, its opacity the same size.
    const std::vector<OrvaneEngine::Texture2D*> textures = Textures();
    EXPECT_EQ(textures.size(), 11u);
    for (const OrvaneEngine::Texture2D* texture : textures)
    {
        SCOPED_TRACE(texture->GetKey());
        Pictures pictures = PicturesOf(*texture);
        ASSERT_NE(pictures.diffuse, nullptr);
        EXPECT_TRUE(OrvaneEngine::TextureManager::IsPowerOfTwo(pictures.diffuse->GetWidth()));
        EXPECT_TRUE(OrvaneEngine::TextureManager::IsPowerOfTwo(pictures.diffuse->GetHeight()));
        if (pictures.opacity != nullptr)
        {
            EXPECT_EQ(pictures.opacity->GetWidth(), pictures.diffuse->GetWidth());
            EXPECT_EQ(pictures.opacity->GetHeight(), pictures.diffuse->GetHeight());
        }
    }
    ExpectCleanLog();
}

TEST_F(DataSetScreenModelsTest, ThePanelsTextsStandWhereTheyWereMeasured)
{
    struct Place
    {
        const char* model;
        DataRect place;
    };
    const std::vector<Place> places = {
        {"game_logic\\level_name_title_text_area", DataLayout::PanelLevelTitle},
        {"game_logic\\level_name_text_area", DataLayout::PanelLevelValue},
        {"game_logic\\score_title_text_area", DataLayout::PanelScoreTitle},
        {"game_logic\\score_text_area", DataLayout::PanelScoreValue},
        {"game_logic\\main_panel", DataLayout::PanelStrip},
    };
    for (const Place& expected : places)
    {
        SCOPED_TRACE(expected.model);
        const OrvaneEngine::Model* model = Load(expected.model);
        ASSERT_NE(model, nullptr);
        const Box box = FrameBox(*model, 0);
        EXPECT_NEAR(box.x0, expected.place.left, 0.5f);
        EXPECT_NEAR(box.y0, expected.place.bottom, 0.5f);
        EXPECT_NEAR(box.x1, expected.place.right, 0.5f);
        EXPECT_NEAR(box.y1, expected.place.top, 0.5f);
    }

    // The values: the last level "4-4" and a score of six digits, in the
    // value font, each within its place.
    services.LoadFonts("en");
    const OrvaneEngine::GUIFont* font = services.fonts.GetFont(DataLayout::PanelValueFontId);
    ASSERT_NE(font, nullptr);
    EXPECT_LE(font->MeasureText(u"4-4", 0.0f).x, DataLayout::PanelLevelValue.Width());
    EXPECT_LE(font->MeasureText(u"888888", 0.0f).x, DataLayout::PanelScoreValue.Width());

    // Every place and button lies on the strip, and none covers another.
    std::vector<Box> boxes;
    for (const char* name : {"menu_button", "level_name_title_text_area", "level_name", "score_title_text_area",
                             "score", "minimize_button", "maximize_window_button", "close_button"})
    {
        const OrvaneEngine::Model* model = Load(std::string("game_logic\\") + name);
        ASSERT_NE(model, nullptr) << name;
        boxes.push_back(FrameBox(*model, 0));
        const Box& box = boxes.back();
        const DataRect& strip = DataLayout::PanelStrip;
        EXPECT_TRUE(box.x0 >= strip.left && box.x1 <= strip.right && box.y0 >= strip.bottom && box.y1 <= strip.top)
            << name;
    }
    for (std::size_t a = 0; a < boxes.size(); ++a)
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            EXPECT_TRUE(boxes[a].x1 <= boxes[b].x0 + 0.01f || boxes[b].x1 <= boxes[a].x0 + 0.01f) << a << " " << b;
    // The two mode boxes take turns in one place.
    const Box window = FrameBox(*Load("game_logic\\maximize_window_button"), 0);
    const Box fullscreen = FrameBox(*Load("game_logic\\maximize_fullscreen_button"), 0);
    EXPECT_NEAR(window.x0, fullscreen.x0, 0.01f);
    EXPECT_NEAR(window.y1, fullscreen.y1, 0.01f);
    ExpectCleanLog();
}

TEST_F(DataSetScreenModelsTest, AppearModelsHaveTheirWidgetsSize)
{
    // A one-frame appear model only places its widget, which keeps its own
    // size: the two must agree, or the widget stands where the place is not.
    struct Pair
    {
        const char* appear;
        const char* widget;
        std::uint32_t widgetFlags;
    };
    const std::vector<Pair> pairs = {
        {"game_logic\\menu_button", "controls\\button_small", Coloured},
        {"game_logic\\minimize_button", "controls\\button_game_logic_minimize", Coloured},
        {"game_logic\\maximize_window_button", "controls\\button_game_logic_maximize", Coloured},
        {"game_logic\\maximize_fullscreen_button", "controls\\button_game_logic_maximize", Coloured},
        {"game_logic\\close_button", "controls\\button_game_logic_close", Coloured},
        {"start_game\\relax_check_box", "controls\\check_box", Coloured},
        {"level_complete\\totem", "controls\\totem", Coloured},
    };
    for (const Pair& pair : pairs)
    {
        SCOPED_TRACE(pair.appear);
        const OrvaneEngine::Model* appear = Load(pair.appear);
        const OrvaneEngine::Model* widget = Load(pair.widget, pair.widgetFlags);
        ASSERT_NE(appear, nullptr);
        ASSERT_NE(widget, nullptr);
        const Box a = FrameBox(*appear, FrameCount(*appear) - 1);
        const Box w = FrameBox(*widget, FrameCount(*widget) - 1);
        EXPECT_NEAR(a.Width(), w.Width(), 0.5f);
        EXPECT_NEAR(a.Height(), w.Height(), 0.5f);
    }
    ExpectCleanLog();
}

TEST_F(DataSetScreenModelsTest, TheLevelSceneShowsTheBoardTheTrackAndTheStatistics)
{
    const OrvaneEngine::Model* scene = Load("game_logic\\background");
    ASSERT_NE(scene, nullptr);
    const Box box = FrameBox(*scene, 0);
    EXPECT_NEAR(box.x0, 0.0f, 0.01f);
    EXPECT_NEAR(box.y0, 0.0f, 0.01f);
    EXPECT_NEAR(box.x1, 800.0f, 0.01f);
    EXPECT_NEAR(box.y1, 600.0f, 0.01f);

    // The picture fills the lower-left 800 x 600 of its texture, one texel a
    // unit, so screen point (x, y) is the pixel (x, y) counted from the
    // picture's bottom row.
    Pictures pictures = PicturesOf("game_logic\\background.jpg");
    ASSERT_NE(pictures.opacity, nullptr);
    const OrvaneEngine::Image& opacity = *pictures.opacity;
    ASSERT_EQ(opacity.GetWidth(), 1024u);
    ASSERT_EQ(opacity.GetHeight(), 1024u);
    const std::uint32_t bytes = opacity.GetBitsPerPixel() / 8;
    const auto alpha = [&](float x, float y) {
        const std::size_t at = (static_cast<std::size_t>(y) * opacity.GetWidth() + static_cast<std::size_t>(x)) * bytes;
        return static_cast<float>(opacity.GetPixels()[at]) / 255.0f;
    };

    struct Point
    {
        const char* where;
        float x, y;
        float alpha;
    };
    // The track P0..P5 of the level layout; the groove is 50 wide.
    const float track[6][2] = {{715, 30}, {715, 260}, {705, 440}, {640, 505}, {330, 512}, {45, 505}};
    std::vector<Point> points = {
        {"the board's middle", 319, 255, 0.0f},     {"the board's lower left", 70, 70, 0.0f},
        {"the board's upper right", 568, 440, 0.0f}, {"the statistics", 115, 476, 0.0f},
        {"the statistics' corner", 6, 524, 0.0f},   {"between the board and the track", 630, 250, 1.0f},
        {"the right edge", 780, 300, 1.0f},         {"the left edge", 30, 250, 1.0f},
        {"above the track", 400, 580, 1.0f},        {"under the board", 300, 40, 1.0f},
    };
    // The groove; where it runs through the statistics, those win.
    const auto groove = [](float x, float y) { return x <= 230.0f && y >= 470.0f && y <= 530.0f ? 0.0f : 0.35f; };
    for (int k = 0; k < 6; ++k)
        points.push_back({"a track point", track[k][0], track[k][1], groove(track[k][0], track[k][1])});
    for (int k = 0; k < 5; ++k)
    {
        const float x = (track[k][0] + track[k + 1][0]) / 2;
        const float y = (track[k][1] + track[k + 1][1]) / 2;
        points.push_back({"between two track points", x, y, groove(x, y)});
    }
    for (const Point& point : points)
        EXPECT_NEAR(alpha(point.x, point.y), point.alpha, 0.08f) << point.where << " (" << point.x << ", " << point.y << ")";
    ExpectCleanLog();
}

TEST_F(DataSetScreenModelsTest, TheTutorialMousePressesWherePiecesAreAndCarriesThem)
{
    const OrvaneEngine::Model* mouse = Load("tutorial\\mouse", Coloured);
    const OrvaneEngine::Model* picture = Load("tutorial\\mouse_control", Coloured);
    const OrvaneEngine::Model* closed = Load("tutorial\\closed_element", Coloured);
    ASSERT_NE(mouse, nullptr);
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(closed, nullptr);
    std::vector<const OrvaneEngine::Model*> elements;
    for (int k = 0; k < 4; ++k)
        elements.push_back(Load("tutorial\\element_" + std::to_string(k), Coloured));
    for (const OrvaneEngine::Model* element : elements)
        ASSERT_NE(element, nullptr);
    const std::uint32_t frames = FrameCount(*mouse);
    ASSERT_GE(frames, 92u);

    // The mouse picture stands with its lower-left corner on the path's box
    // and the pointer's tip at its top-left corner.
    for (std::uint32_t look = 0; look < FrameCount(*picture); ++look)
    {
        const Box box = FrameBox(*picture, look);
        EXPECT_NEAR(box.x0, 0.0f, 0.01f) << look;
        EXPECT_NEAR(box.y0, 0.0f, 0.01f) << look;
    }
    const float tipAbove = FrameBox(*picture, 0).Height();
    const auto tip = [&](std::uint32_t f) {
        const Box box = FrameBox(*mouse, f);
        return std::pair<float, float>(box.x0, box.y0 + tipAbove);
    };
    // The piece under the pointer at frame f, or -1.
    const auto under = [&](std::uint32_t f) {
        const auto [x, y] = tip(f);
        for (std::size_t k = 0; k < elements.size(); ++k)
            if (FrameBox(*elements[k], f).Holds(x, y))
                return static_cast<int>(k);
        return -1;
    };

    // The presses the game shows (intervals include both ends): each left
    // press takes a piece or puts the one it carries, in turn.
    const std::uint32_t left[9][2] = {{4, 6}, {19, 21}, {24, 26}, {34, 36}, {39, 41},
                                      {59, 61}, {74, 76}, {79, 81}, {89, 91}};
    for (const auto& press : left)
        for (std::uint32_t f = press[0]; f <= press[1]; ++f)
            EXPECT_GE(under(f), 0) << "left press at frame " << f;

    // Between a take and the next put, the piece rides under the pointer.
    const std::uint32_t carries[][2] = {{6, 19}, {26, 34}, {41, 52}, {61, 74}, {81, 89}};
    for (const auto& carry : carries)
    {
        const int piece = under(carry[0]);
        ASSERT_GE(piece, 0) << carry[0];
        for (std::uint32_t f = carry[0]; f <= carry[1]; ++f)
            EXPECT_EQ(under(f), piece) << "frame " << f;
        // It moves: a carry that stays put shows nothing.
        const Box from = FrameBox(*elements[piece], carry[0]);
        const Box to = FrameBox(*elements[piece], carry[1]);
        EXPECT_GT(std::hypot(to.x0 - from.x0, to.y0 - from.y0), 50.0f) << carry[0];
    }

    // The right press (52-54) drops the carried piece back where it was taken.
    const int dropped = under(53);
    ASSERT_GE(dropped, 0);
    const Box taken = FrameBox(*elements[dropped], 39);
    const Box back = FrameBox(*elements[dropped], 58);
    EXPECT_NEAR(back.x0, taken.x0, 0.5f);
    EXPECT_NEAR(back.y0, taken.y0, 0.5f);

    // The blocked place stays blocked until it vanishes (frames 75-80): no
    // piece is put on it before, and the last piece is put on it after.
    const Box blocked = FrameBox(*closed, 0);
    const float cx = (blocked.x0 + blocked.x1) / 2;
    const float cy = (blocked.y0 + blocked.y1) / 2;
    for (std::size_t k = 0; k < elements.size(); ++k)
        for (std::uint32_t f = 0; f < 75; ++f)
            EXPECT_FALSE(FrameBox(*elements[k], f).Holds(cx, cy) && under(f) != static_cast<int>(k))
                << "piece " << k << " lies on the blocked place at frame " << f;
    const int last = under(90);
    ASSERT_GE(last, 0);
    EXPECT_TRUE(FrameBox(*elements[last], frames - 1).Holds(cx, cy));
    ExpectCleanLog();
}

TEST_F(DataSetScreenModelsTest, EachPlayedStagesTotemStandsBesideItsFirstMarker)
{
    std::uint32_t stageCount = 0;
    const std::vector<Mirabel::MapFile::Element> elements =
        Mirabel::MapFile::Read(&services.files, Mirabel::MapFile::Path, stageCount);
    ASSERT_EQ(stageCount + 1, ExpectedStages().size());
    const OrvaneEngine::Model* map = Load("start_game\\map", Coloured);
    ASSERT_NE(map, nullptr);
    const Box mapBox = FrameBox(*map, 0);
    // The map fills the large window's text area above its buttons.
    const corvellan::content::DataWindow& large = DataLayout::Window("large");
    EXPECT_GE(mapBox.x0, large.textArea.left);
    EXPECT_LE(mapBox.x1, large.textArea.right);
    EXPECT_GE(mapBox.y0, large.buttons.top);
    EXPECT_LE(mapBox.y1, large.textArea.top);
    for (const Mirabel::MapFile::Element& element : elements)
        EXPECT_TRUE(mapBox.Holds(element.matrix.m[3], element.matrix.m[7]))
            << "marker of stage " << element.stage << " level " << element.index << " off the map";

    for (std::uint32_t stage = 0; stage < 8; ++stage)
    {
        SCOPED_TRACE(stage);
        const OrvaneEngine::Model* totem = Load("start_game\\totem_" + std::to_string(stage));
        ASSERT_NE(totem, nullptr);
        const Box box = FrameBox(*totem, 0);
        // Square, or the mini game's 300 x 300 picture lands out of shape.
        EXPECT_NEAR(box.Width(), box.Height(), 0.01f);
        if (stage >= ExpectedStages().size())
        {
            // The game shows all eight: an unplayed stage's waits off screen.
            EXPECT_TRUE(box.x1 <= 0.0f || box.y1 <= 0.0f || box.x0 >= 800.0f || box.y0 >= 600.0f);
            continue;
        }
        EXPECT_NEAR(box.Width(), 48.0f, 0.01f);
        EXPECT_TRUE(mapBox.Holds(box.x0, box.y0) && mapBox.Holds(box.x1, box.y1));
        // Beside the stage's first marker: near it, and not over any marker.
        const auto first = std::find_if(elements.begin(), elements.end(), [&](const Mirabel::MapFile::Element& e) {
            return e.stage == stage && e.index == 0;
        });
        ASSERT_NE(first, elements.end());
        const float mx = first->matrix.m[3];
        const float my = first->matrix.m[7];
        EXPECT_LT(std::hypot((box.x0 + box.x1) / 2 - mx, (box.y0 + box.y1) / 2 - my), 90.0f);
        for (const Mirabel::MapFile::Element& element : elements)
            EXPECT_FALSE(box.Holds(element.matrix.m[3], element.matrix.m[7]))
                << "marker of stage " << element.stage << " level " << element.index;
    }
    ExpectCleanLog();
}

TEST(DataScreenModelsSeedTest, TheImageSeedIsThePacksOwnPicture)
{
    TempFolder seeds("corvellan-seeds");
    DataScreenModels::WriteSeeds(seeds.Path());
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::PackFile pack(&log, BuiltPackPath());
    std::uint32_t size = 0;
    const auto packed = pack.ReadEntry("data\\ui\\menus\\models\\tutorial\\closed_element.jpg", size);
    ASSERT_NE(packed, nullptr);
    const std::optional<std::string> seed = ReadFileText(seeds.Join("image_jpeg/data_closed_element.jpg"));
    ASSERT_TRUE(seed.has_value());
    EXPECT_EQ(*seed, std::string(reinterpret_cast<const char*>(packed.get()), size));
}

// mkdata refuses what would stall the ending or show totems of stages that
// are not played, naming the model.
TEST(DataScreenModelsCheckTest, RefusesEffectsTooShortToReachFullOpacity)
{
    const auto effect = [](std::uint32_t frames) {
        std::vector<corvellan::content::ModelFileRecord> meshes;
        for (std::uint32_t f = 0; f < frames; ++f)
            meshes.push_back(corvellan::content::MakeQuadMesh(0, 0, 10.0f + static_cast<float>(f), 10));
        return frames == 1 ? meshes.front() : corvellan::content::MakeMorphModel(meshes, 20.0f);
    };
    struct Case
    {
        std::uint32_t frames;
        bool accepted;
    };
    for (const Case& test : {Case{60, true}, Case{21, true}, Case{20, false}, Case{12, false}, Case{1, false}})
    {
        const std::string fault = DataScreenModels::CheckGameCompleteEffect("effect.mlf", effect(test.frames));
        EXPECT_EQ(fault.empty(), test.accepted) << test.frames << ": " << fault;
        if (!test.accepted)
        {
            EXPECT_EQ(fault.rfind("effect.mlf: " + std::to_string(test.frames) + " frames", 0), 0u) << fault;
        }
    }
}

TEST(DataScreenModelsCheckTest, RefusesTotemPlacesThatDoNotSuitTheStages)
{
    const auto onScreen = [](int s) {
        const float x = 100.0f + 60.0f * static_cast<float>(s);
        return DataRect{x, 200.0f, x + 48.0f, 248.0f};
    };
    const DataRect away{-200.0f, -200.0f, -152.0f, -152.0f};
    const auto places = [&](std::uint32_t played) {
        std::vector<DataRect> boxes;
        for (std::uint32_t s = 0; s < 8; ++s)
            boxes.push_back(s < played ? onScreen(static_cast<int>(s)) : away);
        return boxes;
    };
    struct Case
    {
        const char* name;
        std::function<void(std::vector<DataRect>&)> change;
        std::uint32_t stages;
        const char* fault;  // a part of the message; empty when accepted
    };
    const std::vector<Case> cases = {
        {"four stages, four places", [](std::vector<DataRect>&) {}, 4, ""},
        {"eight stages, eight places", [&](std::vector<DataRect>& b) { b = places(8); }, 8, ""},
        {"an unplayed stage's totem on screen", [&](std::vector<DataRect>& b) { b[5] = onScreen(5); }, 4,
         "totem_5.mlf: no stage 5 is played"},
        {"one half off the left edge", [&](std::vector<DataRect>& b) { b[6] = {-24.0f, 100.0f, 24.0f, 148.0f}; }, 4,
         "totem_6.mlf: no stage 6"},
        {"a played stage's totem off screen", [&](std::vector<DataRect>& b) { b[2] = away; }, 4,
         "totem_2.mlf: stage 2 is played"},
        {"a place that is not square", [](std::vector<DataRect>& b) { b[1].top += 10.0f; }, 4,
         "totem_1.mlf: the totem's place is 48.0 x 58.0"},
        {"an unplayed place that is not square", [](std::vector<DataRect>& b) { b[7].right += 1.0f; }, 4,
         "totem_7.mlf"},
        {"more stages than totems", [&](std::vector<DataRect>& b) { b = places(8); }, 9, "9 stages, but only 8"},
        {"seven places", [](std::vector<DataRect>& b) { b.pop_back(); }, 4, "7 totem places"},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        std::vector<DataRect> boxes = places(4);
        test.change(boxes);
        const std::string fault = DataScreenModels::CheckTotems(boxes, test.stages);
        if (std::string(test.fault).empty())
        {
            EXPECT_EQ(fault, "");
        }
        else
        {
            EXPECT_NE(fault.find(test.fault), std::string::npos) << fault;
        }
    }
}

} // namespace
