// The menu frames, their controls and the menu particle systems of the built
// data set, read through the game's own readers on the device-free
// services: they load cleanly, they have the frames the screens rely on,
// every appear animation ends where its widget stands, and the text areas
// are the places the fit check measured the texts against.
#include "content/DataArtFiles.h"
#include "content/DataLayout.h"
#include "content/DataMenuParts.h"
#include "content/ModelMeshes.h"
#include "engine/core/FileBinary.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/Image.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/ParticleSystemFile.h"
#include "tests/content/dataset/DataSetExpectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;
using corvellan::content::DataLayout;
using corvellan::content::DataRect;
using OrvaneEngine::Model;

const std::string Menus = "ui\\menus\\models\\";
const std::string Controls = "ui\\menus\\models\\controls\\";

// The models the game loads with coloured vertices.
const std::set<std::string>& ColouredModels()
{
    static const std::set<std::string> names = {
        Menus + "main_menu\\window.mlf",      Menus + "small_window\\window.mlf",
        Menus + "big_window\\window.mlf",     Menus + "large_window\\window.mlf",
        Menus + "small_window\\edit.mlf",     Menus + "options\\resolution_text.mlf",
        Menus + "profiles\\text.mlf",         Controls + "button_arrow_up.mlf",
        Controls + "button_arrow_down.mlf",   Controls + "button_arrow_left.mlf",
        Controls + "button_arrow_right.mlf",  Controls + "button_big.mlf",
        Controls + "button_small.mlf",        Controls + "button_game_logic_minimize.mlf",
        Controls + "button_game_logic_maximize.mlf", Controls + "button_game_logic_close.mlf",
        Controls + "totem.mlf",               Controls + "check_box.mlf",
        Controls + "scroll_h.mlf",            Controls + "scroll_h_toddler.mlf",
        Controls + "scroll_v.mlf",            Controls + "scroll_v_toddler.mlf",
    };
    return names;
}

struct Box
{
    float left;
    float bottom;
    float right;
    float top;

    float Width() const { return right - left; }
    float Height() const { return top - bottom; }
};

class DataSetMenuModelsTest : public ::testing::Test
{
protected:
    std::unique_ptr<Model> Load(const std::string& name)
    {
        return services.Load(name, ColouredModels().count(name) != 0 ? Model::FlagColored : 0);
    }

    static std::uint32_t Frames(const Model& model)
    {
        const OrvaneEngine::AnimationControl* animation = model.GetAnimationControl();
        return animation != nullptr ? animation->GetFrameCount() : 1;
    }

    // The box the model shows at frame (the last one by default), as the
    // game poses a model before reading its box.
    Box BoxOf(const std::string& name, std::int32_t frame = -1)
    {
        std::unique_ptr<Model> model = Load(name);
        if (OrvaneEngine::AnimationControl* animation = model->GetAnimationControl())
        {
            const float last = static_cast<float>(animation->GetFrameCount()) - 1.0f - 0.0001f;
            animation->time = frame < 0 ? last : std::min(static_cast<float>(frame), last);
        }
        model->SetFlags(Model::FlagVisible);
        model->Update(false);
        const auto& volume = model->boundingVolume;
        return {volume.worldMin.x, volume.worldMin.y, volume.worldMax.x, volume.worldMax.y};
    }

    std::vector<std::string> Problems() const
    {
        std::vector<std::string> problems = services.Entries(1);
        for (const std::string& error : services.Entries(2))
            problems.push_back(error);
        return problems;
    }

    PackedServices services;
};

void ExpectNear(const Box& actual, const DataRect& expected, const std::string& what)
{
    EXPECT_NEAR(actual.left, expected.left, 0.5f) << what;
    EXPECT_NEAR(actual.bottom, expected.bottom, 0.5f) << what;
    EXPECT_NEAR(actual.right, expected.right, 0.5f) << what;
    EXPECT_NEAR(actual.top, expected.top, 0.5f) << what;
}

bool Inside(const Box& inner, const Box& outer)
{
    return inner.left >= outer.left - 0.5f && inner.right <= outer.right + 0.5f && inner.bottom >= outer.bottom - 0.5f &&
           inner.top <= outer.top + 0.5f;
}

Box FromRect(const DataRect& rect) { return {rect.left, rect.bottom, rect.right, rect.top}; }

std::string Numbered(const std::string& stem, std::uint32_t i) { return stem + std::to_string(i) + ".mlf"; }

TEST_F(DataSetMenuModelsTest, EveryModelAndParticleSystemLoadsWithItsShaderAndTextures)
{
    std::uint32_t models = 0;
    std::uint32_t systems = 0;
    for (const std::string& entry : ExpectedMenuModelEntries())
    {
        const std::string name = entry.substr(std::string("data\\").size());
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mlf") == 0)
        {
            std::unique_ptr<Model> model = Load(name);
            ASSERT_NE(model, nullptr) << name;
            // A model that fell back to the engine's box is the 2 x 2 x 2 cube.
            const auto& volume = model->boundingVolume;
            EXPECT_FALSE(volume.worldMax.z - volume.worldMin.z > 1.0f) << name;
            ++models;
        }
        else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".psf") == 0)
        {
            OrvaneEngine::ParticleSystemFile file;
            file.Read(*services.files.Open("data\\" + name, false), name);
            ++systems;
        }
    }
    EXPECT_GT(models, 0u);
    EXPECT_EQ(systems, 3u);
    // A missing shader, texture or damaged file would have been logged
    // (and the texture replaced by the checkerboard).
    EXPECT_EQ(Problems(), std::vector<std::string>());
}

TEST_F(DataSetMenuModelsTest, FrameCountsAreThoseTheScreensRelyOn)
{
    std::map<std::string, std::uint32_t> expected;
    for (const char* window : {"main_menu", "small_window", "big_window", "large_window"})
        expected[Menus + window + "\\window.mlf"] = 24;
    for (std::uint32_t i = 0; i < 7; ++i)
        expected[Numbered(Menus + "main_menu\\button_", i)] = 16;
    for (std::uint32_t i = 0; i < 2; ++i)
        expected[Numbered(Menus + "small_window\\button_", i)] = 12;
    for (std::uint32_t i = 0; i < 3; ++i)
        expected[Numbered(Menus + "big_window\\button_", i)] = 12;
    for (std::uint32_t i = 0; i < 4; ++i)
        expected[Numbered(Menus + "profiles\\button_", i)] = 12;
    expected[Menus + "large_window\\button_0.mlf"] = 12;
    expected[Menus + "options\\resolution_button_left.mlf"] = 12;
    expected[Menus + "options\\resolution_button_right.mlf"] = 12;
    expected[Controls + "totem.mlf"] = 16;
    // Everything else is a single frame: the stage map's own button, the
    // image controls, the sliders and boxes, every widget and every part.
    for (const std::string& entry : ExpectedMenuModelEntries())
    {
        const std::string name = entry.substr(std::string("data\\").size());
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mlf") == 0)
            expected.emplace(name, 1);
    }
    for (const auto& [name, frames] : expected)
        EXPECT_EQ(Frames(*Load(name)), frames) << name;
}

TEST_F(DataSetMenuModelsTest, EveryAppearAnimationEndsOnItsWidgetsSize)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::uint32_t i = 0; i < 7; ++i)
        pairs.emplace_back(Numbered(Menus + "main_menu\\button_", i), "button_main_menu");
    for (std::uint32_t i = 0; i < 3; ++i)
        pairs.emplace_back(Numbered(Menus + "big_window\\button_", i), "button_big");
    for (std::uint32_t i = 0; i < 2; ++i)
        pairs.emplace_back(Numbered(Menus + "small_window\\button_", i), "button_big");
    for (std::uint32_t i = 0; i < 2; ++i)
        pairs.emplace_back(Numbered(Menus + "large_window\\button_", i), "button_small");
    for (std::uint32_t i = 0; i < 4; ++i)
        pairs.emplace_back(Numbered(Menus + "profiles\\button_", i), "button_small");
    pairs.emplace_back(Menus + "options\\resolution_button_left.mlf", "button_arrow_left");
    pairs.emplace_back(Menus + "options\\resolution_button_right.mlf", "button_arrow_right");
    for (const char* screen : {"options", "game_logic_menu"})
    {
        pairs.emplace_back(Menus + screen + "\\slider_music.mlf", "scroll_h");
        pairs.emplace_back(Menus + screen + "\\slider_sound.mlf", "scroll_h");
        pairs.emplace_back(Menus + screen + "\\fullscreen_check_box.mlf", "check_box");
    }
    pairs.emplace_back(Menus + "profiles\\scroll.mlf", "scroll_v");
    for (const auto& [appear, widget] : pairs)
    {
        const Box end = BoxOf(appear);
        const Box own = BoxOf(Controls + widget + ".mlf");
        EXPECT_NEAR(end.Width(), own.Width(), 0.5f) << appear;
        EXPECT_NEAR(end.Height(), own.Height(), 0.5f) << appear;
    }
}

TEST_F(DataSetMenuModelsTest, FramesAndTextAreasStandAtTheLayoutsPlaces)
{
    struct Window
    {
        const char* folder;
        const char* layout;
        std::uint32_t buttons;
        const char* widget;
    };
    const std::vector<Window> windows = {{"main_menu", "main_menu", 7, "button_main_menu"},
                                         {"small_window", "small", 2, "button_big"},
                                         {"big_window", "big", 3, "button_big"},
                                         {"large_window", "large", 2, "button_small"}};
    for (const Window& window : windows)
    {
        const corvellan::content::DataWindow& layout = DataLayout::Window(window.layout);
        const std::string folder = Menus + window.folder + "\\";
        ExpectNear(BoxOf(folder + "window.mlf"), layout.frame, folder + "window.mlf");
        // It unfolds from a strip across the open frame's middle.
        const Box folded = BoxOf(folder + "window.mlf", 0);
        EXPECT_LT(folded.Height(), 0.25f * (layout.frame.top - layout.frame.bottom)) << folder;
        EXPECT_NEAR(folded.bottom + folded.top, layout.frame.bottom + layout.frame.top, 1.0f) << folder;
        ExpectNear(BoxOf(folder + "window_area.mlf"), layout.textArea, folder + "window_area.mlf");

        // Where each button's label is printed once the button has appeared:
        // its widget's text area, moved with the widget to the appear model's end.
        const Box face = BoxOf(Controls + window.widget + ".mlf");
        const Box text = BoxOf(Controls + window.widget + "_text_area.mlf");
        EXPECT_TRUE(Inside(text, face)) << window.widget;
        for (std::uint32_t i = 0; i < window.buttons; ++i)
        {
            const Box end = BoxOf(Numbered(folder + "button_", i));
            const float dx = end.left - face.left;
            const float dy = end.bottom - face.bottom;
            const Box label{text.left + dx, text.bottom + dy, text.right + dx, text.top + dy};
            EXPECT_TRUE(Inside(label, FromRect(layout.buttons))) << folder << "button_" << i;
            EXPECT_TRUE(Inside(end, FromRect(layout.frame))) << folder << "button_" << i;
        }
    }

    // The widths the fit check measured each button's labels against.
    const std::vector<std::pair<std::string, std::string>> labels = {
        {"button_big", "OK"}, {"button_big", "OPTIONS_DEFAULTS"}, {"button_small", "BACK"},
        {"button_small", "PROFILES_RENAME"}, {"button_main_menu", "MAIN_MENU_START"}};
    std::map<std::string, float> widest;
    for (const auto& [widget, key] : labels)
    {
        const corvellan::content::DataTextPlace* place = DataLayout::PlaceOf(key);
        ASSERT_NE(place, nullptr) << key;
        EXPECT_GE(BoxOf(Controls + widget + "_text_area.mlf").Width() + 0.5f, place->width) << key;
        widest[widget] = std::max(widest[widget], place->width);
    }
    for (const auto& [widget, width] : widest)
        EXPECT_NEAR(BoxOf(Controls + widget + "_text_area.mlf").Width(), width, 0.5f) << widget;
}

TEST_F(DataSetMenuModelsTest, MainMenuButtonsSlideInOneAfterAnotherFromTheTop)
{
    // button_6 (START) stands at the top, button_0 (EXIT) at the foot, and
    // each button starts moving after the one above it.
    float previousBottom = 1e9f;
    std::int32_t previousStart = -1;
    for (std::int32_t k = 6; k >= 0; --k)
    {
        const std::string name = Numbered(Menus + "main_menu\\button_", static_cast<std::uint32_t>(k));
        const Box end = BoxOf(name);
        EXPECT_LT(end.top, previousBottom + 0.5f) << name;
        previousBottom = end.bottom;
        const Box first = BoxOf(name, 0);
        EXPECT_LT(first.right, 0.0f) << name << " starts off the screen";
        std::int32_t start = 0;
        while (start < 15 && BoxOf(name, start + 1).left == first.left)
            ++start;
        EXPECT_GT(start, previousStart) << name;
        previousStart = start;
    }
}

TEST_F(DataSetMenuModelsTest, ScrollBarPartsAndTheProfileListFitTogether)
{
    struct Scroll
    {
        std::string name;
        bool horizontal;
    };
    for (const Scroll& scroll : {Scroll{"scroll_h", true}, Scroll{"scroll_v", false}})
    {
        const Box bar = BoxOf(Controls + scroll.name + ".mlf");
        const Box thumb = BoxOf(Controls + scroll.name + "_toddler.mlf");
        const Box low = BoxOf(Controls + scroll.name + "_toddler_min.mlf");
        const Box high = BoxOf(Controls + scroll.name + "_toddler_max.mlf");
        const Box increase = BoxOf(Controls + scroll.name + "_button_increase.mlf");
        const Box decrease = BoxOf(Controls + scroll.name + "_button_decrease.mlf");
        SCOPED_TRACE(scroll.name);
        for (const Box& part : {thumb, low, high, increase, decrease})
            EXPECT_TRUE(Inside(part, bar));
        EXPECT_NEAR(low.Width(), thumb.Width(), 0.5f);
        EXPECT_NEAR(high.Height(), thumb.Height(), 0.5f);
        // The thumb has room to run, between the two step buttons.
        if (scroll.horizontal)
        {
            EXPECT_GT(high.left - low.left, 100.0f);
            EXPECT_LE(decrease.right, low.left + 0.5f);
            EXPECT_GE(increase.left, high.right - 0.5f);
        }
        else
        {
            EXPECT_GT(high.bottom - low.bottom, 100.0f);
            EXPECT_LE(decrease.top, low.bottom + 0.5f);
            EXPECT_GE(increase.bottom, high.top - 0.5f);
        }
    }
    // The step buttons' own models are the arrows' size.
    EXPECT_NEAR(BoxOf(Controls + "button_arrow_left.mlf").Width(),
                BoxOf(Controls + "scroll_h_button_decrease.mlf").Width(), 0.5f);
    EXPECT_NEAR(BoxOf(Controls + "button_arrow_up.mlf").Height(),
                BoxOf(Controls + "scroll_v_button_increase.mlf").Height(), 0.5f);

    // Seven name rows of 20 at the list's foot + 163 - 22 i, inside the list.
    const Box names = BoxOf(Menus + "profiles\\text.mlf");
    EXPECT_GE(names.Height(), 185.0f);
    EXPECT_LE(names.bottom + 163.0f + 20.0f, names.top + 0.5f);
    EXPECT_GE(names.bottom + 163.0f - 22.0f * 6.0f, names.bottom);
    EXPECT_NEAR(BoxOf(Menus + "profiles\\scroll.mlf").Height(), names.Height(), 0.5f);

    const Box totem = BoxOf(Controls + "totem.mlf");
    EXPECT_NEAR(totem.Width(), totem.Height(), 0.5f);
}

TEST_F(DataSetMenuModelsTest, TotemFrameTwoSIsStageSFilledAndTheNextItsEmptyPlace)
{
    OrvaneEngine::Image picture;
    ASSERT_TRUE(picture.Load(&services.log, &services.files, "data\\ui\\menus\\models\\controls\\totem.tga"));
    ASSERT_EQ(picture.GetBitsPerPixel(), 32u);
    const std::uint32_t width = picture.GetWidth();
    const std::uint32_t height = picture.GetHeight();
    // How much coloured paint the frame's corner of the picture holds: the
    // alpha-weighted spread between the strongest and weakest channel.
    const auto paint = [&](float u0, float v0, float u1, float v1) {
        double sum = 0.0;
        std::uint32_t count = 0;
        for (auto y = static_cast<std::uint32_t>(v0 * height); y < static_cast<std::uint32_t>(v1 * height); ++y)
        {
            for (auto x = static_cast<std::uint32_t>(u0 * width); x < static_cast<std::uint32_t>(u1 * width); ++x)
            {
                const std::uint8_t* p = picture.GetPixels() + 4 * (static_cast<std::size_t>(y) * width + x);
                const int spread = std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
                sum += spread * p[3] / 255.0;
                ++count;
            }
        }
        return count > 0 ? sum / count : 0.0;
    };

    std::unique_ptr<Model> totem = Load(Controls + "totem.mlf");
    ASSERT_EQ(Frames(*totem), 16u);
    std::vector<double> paints;
    std::set<std::pair<int, int>> corners;
    for (std::uint32_t frame = 0; frame < 16; ++frame)
    {
        totem->GetAnimationControl()->time = static_cast<float>(frame);
        totem->SetFlags(Model::FlagVisible);
        totem->Update(false);
        OrvaneEngine::VertexBuffer* buffer = totem->GetVertexBuffer();
        ASSERT_TRUE(buffer->IsColored());
        const auto* vertices = reinterpret_cast<const OrvaneEngine::ColoredVertex*>(buffer->GetData());
        float u0 = 1.0f, v0 = 1.0f, u1 = 0.0f, v1 = 0.0f;
        for (std::uint32_t i = 0; i < buffer->GetVertexCount(); ++i)
        {
            u0 = std::min(u0, vertices[i].u);
            v0 = std::min(v0, vertices[i].v);
            u1 = std::max(u1, vertices[i].u);
            v1 = std::max(v1, vertices[i].v);
        }
        corners.emplace(static_cast<int>(u0 * 100.0f + 0.5f), static_cast<int>(v0 * 100.0f + 0.5f));
        paints.push_back(paint(u0, v0, u1, v1));
    }
    // Sixteen looks, each its own part of the picture.
    EXPECT_EQ(corners.size(), 16u);
    for (std::uint32_t s = 0; s < 8; ++s)
        EXPECT_GT(paints[2 * s], 2.0 * paints[2 * s + 1]) << "stage " << s;
}

TEST_F(DataSetMenuModelsTest, CursorEffectsAreATrailAndASingleBurst)
{
    const auto read = [&](const std::string& name) {
        OrvaneEngine::ParticleSystemFile file;
        file.Read(*services.files.Open("data\\ui\\menus\\particles\\" + name + ".psf", false), name);
        return file;
    };
    const OrvaneEngine::ParticleSystemFile trail = read("cursor_train");
    const OrvaneEngine::ParticleSystemFile click = read("cursor_click");
    const OrvaneEngine::ParticleSystemFile upgrade = read("upgrade");
    for (const auto* file : {&trail, &click, &upgrade})
    {
        // Drawn through the GUI camera, where z is depth: nothing may fall.
        EXPECT_EQ(file->settings.gravityOn, 0);
        EXPECT_EQ(file->settings.floorOn, 0);
    }
    EXPECT_EQ(trail.settings.smoothEmission, 1);
    for (const float rate : trail.settings.rateKeys)
        EXPECT_GT(rate, 0.0f);
    // The burst: only the first key emits, each cycle started once.
    EXPECT_EQ(click.settings.smoothEmission, 0);
    EXPECT_GT(click.settings.rateKeys[0], 0.0f);
    EXPECT_LE(click.settings.rateKeys[0], static_cast<float>(click.maxParticleCount));
    for (std::size_t k = 1; k < click.settings.rateKeys.size(); ++k)
        EXPECT_EQ(click.settings.rateKeys[k], 0.0f) << k;
}

TEST(DataMenuPartsTest, MkdataRefusesAMenuFrameThatCannotOpen)
{
    using corvellan::content::DataArtFiles;
    using corvellan::content::DataMenuParts;
    const DataRect frame{100, 100, 300, 200};
    struct Case
    {
        std::uint32_t frames;
        bool refused;
    };
    for (const Case c : {Case{1, true}, Case{2, true}, Case{15, true}, Case{16, false}, Case{24, false}})
    {
        const std::string name = "data\\ui\\menus\\models\\large_window\\window.mlf";
        const corvellan::content::ModelFileRecord model =
            c.frames == 1 ? DataArtFiles::Quad(frame) : DataMenuParts::Unfold(frame, c.frames);
        if (!c.refused)
        {
            EXPECT_NO_THROW(DataMenuParts::CheckFrameModel(name, model)) << c.frames;
            continue;
        }
        try
        {
            DataMenuParts::CheckFrameModel(name, model);
            ADD_FAILURE() << c.frames << " frames were taken";
        }
        catch (const std::runtime_error& error)
        {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
}

} // namespace
