// The menu background of the built data set through the game's own readers:
// the layer list and its layers, the unicorn, the animated foreground, the
// titles of every language, the publisher logo and the cursor; and the
// checks by which mkdata refuses a background the game would stall on.
#include "content/DataBackground.h"
#include "content/DataLayout.h"
#include "content/ModelMeshes.h"
#include "engine/core/FileTextual.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Image.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GameBase.h"
#include "framework/SoundController.h"
#include "game/LevelManager.h"
#include "game/ProfileManager.h"
#include "game/BackgroundLayerList.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "tests/content/dataset/DataSetExpectations.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;
using corvellan::content::DataBackground;
using corvellan::content::DataLayout;
using Mirabel::BackgroundLayerList;

constexpr std::uint32_t Coloured = OrvaneEngine::Model::FlagColored;

struct Box
{
    float x0, y0, x1, y1;
};

Box BoxOf(const OrvaneEngine::BoundingVolume& volume)
{
    return {volume.localMin.x, volume.localMin.y, volume.localMax.x, volume.localMax.y};
}

// The box of the model's last frame, where an appear animation leaves it.
Box LastBox(const OrvaneEngine::Model& model)
{
    const auto& volumes = model.GetFrameVolumes();
    return volumes.empty() ? BoxOf(model.boundingVolume) : BoxOf(volumes.back());
}

void ExpectNear(const Box& box, const Box& wanted, const std::string& what)
{
    EXPECT_NEAR(box.x0, wanted.x0, 0.5f) << what;
    EXPECT_NEAR(box.y0, wanted.y0, 0.5f) << what;
    EXPECT_NEAR(box.x1, wanted.x1, 0.5f) << what;
    EXPECT_NEAR(box.y1, wanted.y1, 0.5f) << what;
}

void ExpectClean(const PackedServices& services)
{
    EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
    EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
}

// The particle systems on the device-free services, as the game loads them.
struct Particles
{
    explicit Particles(PackedServices& s)
        : sprites(&s.log, &s.cameras, &s.shaders, &s.models), systems(&s.log, &s.files, &s.timers, &s.shaders, &sprites)
    {
    }
    OrvaneEngine::SpriteGroupManager sprites;
    OrvaneEngine::ParticleSystemManager systems;
};

TEST(DataSetBackgroundTest, TheLayerListHoldsTheNineLayersTheBackgroundAndTheGameDataBuild)
{
    struct Layer
    {
        const char* model;
        const char* particles;
        bool builtByBackground;
        std::int32_t stage;
    };
    const std::vector<Layer> wanted = {
        {"sky", "_none_", true, 0},
        {"clouds", "_none_", true, 0},
        {"hills", "_none_", false, 0},
        {"birds_path", "birds", false, 0},
        {"village", "_none_", false, 1},
        {"castle", "_none_", false, 2},
        {"castle_glow", "sparkles", false, 2},
        {"tower", "_none_", false, 3},
        {"unicorn", "_none_", false, 0},
    };
    PackedServices services;
    const std::vector<BackgroundLayerList::Layer> layers = BackgroundLayerList::Load(services.files);
    ASSERT_EQ(layers.size(), wanted.size());
    for (std::size_t i = 0; i < layers.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(layers[i].modelName, wanted[i].model);
        EXPECT_EQ(layers[i].particleSystemName, wanted[i].particles);
        EXPECT_EQ(layers[i].builtByBackground, wanted[i].builtByBackground);
        EXPECT_EQ(layers[i].stage, wanted[i].stage);
    }
}

TEST(DataSetBackgroundTest, EveryLayerLoadsAsTheGameLoadsItAndDriftsInALoop)
{
    PackedServices services;
    Particles particles(services);
    for (const BackgroundLayerList::Layer& layer : BackgroundLayerList::Load(services.files))
    {
        SCOPED_TRACE(layer.modelName);
        const std::unique_ptr<OrvaneEngine::Model> model(services.models.LoadModelResource(
            BackgroundLayerList::ModelPath(layer), nullptr, layer.builtByBackground ? 0 : Coloured));
        ASSERT_NE(model, nullptr);
        const OrvaneEngine::AnimationControl* animation = model->GetAnimationControl();
        ASSERT_NE(animation, nullptr);
        EXPECT_GE(animation->GetFrameCount(), 2u);
        EXPECT_LE(animation->GetFrameCount(), 32u);
        EXPECT_GT(animation->speed, 0.0f);
        if (layer.HasParticleSystem())
        {
            OrvaneEngine::ParticleSystem* system = particles.systems.LoadParticleSystemResource(
                BackgroundLayerList::ParticleSystemPath(layer), services.cameras.defaultCamera);
            ASSERT_NE(system, nullptr);
            EXPECT_GT(system->GetMaxParticleCount(), 0u);
            delete system;
        }
        else if (layer.modelName != "unicorn")
        {
            // A picture of the whole screen in a 1024 x 1024 texture, in every frame.
            for (const OrvaneEngine::BoundingVolume& frame : model->GetFrameVolumes())
                ExpectNear(BoxOf(frame), {0, 0, 800, 600}, "frame box");
            const OrvaneEngine::ShaderUser* shader = model->GetShaderUser();
            ASSERT_NE(shader, nullptr);
            OrvaneEngine::Image picture;
            ASSERT_TRUE(picture.Load(&services.log, &services.files, "data\\" + shader->stages[0].diffuseName));
            EXPECT_EQ(picture.GetWidth(), 1024u);
            EXPECT_EQ(picture.GetHeight(), 1024u);
        }
    }
    ExpectClean(services);
}

TEST(DataSetBackgroundTest, TheAnimatedUnicornIsASixteenFrameNetWhereItsLayerStands)
{
    PackedServices services;
    const std::unique_ptr<OrvaneEngine::Model> layer =
        services.Load("ui\\menus\\background\\models\\unicorn.mlf", Coloured);
    const std::unique_ptr<OrvaneEngine::Model> unicorn =
        services.Load("ui\\menus\\background\\models\\unicorn_animated.mlf");
    EXPECT_EQ(unicorn->GetAnimationControl()->GetFrameCount(), 1u);
    ExpectNear(BoxOf(unicorn->boundingVolume), BoxOf(layer->GetFrameVolumes().front()), "place");
    const OrvaneEngine::ShaderUser* shader = unicorn->GetShaderUser();
    ASSERT_NE(shader, nullptr);
    ASSERT_GE(shader->stageCount, 1u);
    const OrvaneEngine::ShaderStage& stage = shader->stages[0];
    EXPECT_EQ(stage.animationType, OrvaneEngine::ShaderStage::NetAnimation);
    EXPECT_EQ(stage.columns, 4u);
    EXPECT_EQ(stage.rows, 4u);
    EXPECT_EQ(stage.frameCount, 16u);
    EXPECT_FLOAT_EQ(stage.speed, 15.0f);
    ExpectClean(services);
}

TEST(DataSetBackgroundTest, TheForegroundAppearsInItsFramesAndLeavesThePanelAroundTheTextArea)
{
    struct Part
    {
        const char* name;
        std::uint32_t frames;
    };
    const std::vector<Part> parts = {{"frame", 30},      {"logo_brackwell", 30}, {"mount_title", 20},
                                     {"mount_text", 20}, {"text_appear", 20},    {"text", 20}};
    PackedServices services;
    services.timers.frameTime = 0.04f;
    const std::string folder = "ui\\menus\\models\\background\\";
    for (const Part& part : parts)
    {
        SCOPED_TRACE(part.name);
        const std::unique_ptr<OrvaneEngine::Model> model = services.Load(folder + part.name + ".mlf");
        OrvaneEngine::AnimationControl* animation = model->GetAnimationControl();
        EXPECT_EQ(animation->GetFrameCount(), part.frames);
        // The background waits for each to move past its first frame.
        animation->speed = 25.0f;
        animation->Play();
        animation->Update();
        EXPECT_GT(animation->time, 0.0001f);
    }

    const corvellan::content::DataRect& area = DataLayout::TitleArea;
    const std::unique_ptr<OrvaneEngine::Model> textArea = services.Load(folder + "text_area.mlf");
    ExpectNear(BoxOf(textArea->boundingVolume), {area.left, area.bottom, area.right, area.top}, "text area");
    const std::unique_ptr<OrvaneEngine::Model> panel = services.Load(folder + "text.mlf");
    const Box risen = LastBox(*panel);
    EXPECT_LE(risen.x0, area.left);
    EXPECT_LE(risen.y0, area.bottom);
    EXPECT_GE(risen.x1, area.right);
    EXPECT_GE(risen.y1, area.top);
    ExpectClean(services);
}

TEST(DataSetBackgroundTest, EveryLanguageHasATitleListOfTwoModelsThatLoad)
{
    PackedServices services;
    for (const std::string& code : AllLanguageCodes())
    {
        SCOPED_TRACE(code);
        const std::string folder = "data\\ui\\menus\\models\\background\\";
        const std::unique_ptr<OrvaneEngine::FileTextual> list = services.files.OpenTextual(
            folder + "title_" + code + ".ini", false, OrvaneEngine::FileTextual::EncodingAnsi);
        const std::int32_t count = list->GetInt();
        EXPECT_EQ(count, 2);
        for (std::int32_t k = 0; k < count; ++k)
        {
            const std::string name = "ui\\menus\\models\\background\\title_" + code + "_" + std::to_string(k) + ".mlf";
            const std::unique_ptr<OrvaneEngine::Model> title = services.Load(name);
            EXPECT_GT(title->boundingVolume.localMax.x - title->boundingVolume.localMin.x, 50.0f) << name;
        }
    }
    ExpectClean(services);
}

TEST(DataSetBackgroundTest, PublisherZeroIsPresentAndPublisherOneAbsent)
{
    PackedServices services;
    const std::string textures = "data\\ui\\menus\\textures\\";
    EXPECT_TRUE(services.files.Exists(textures + "publisher_0_logo_small.jpg"));
    EXPECT_TRUE(services.files.Exists(textures + "publisher_0_logo_small_alpha.jpg"));
    EXPECT_FALSE(services.files.Exists(textures + "publisher_1_logo_big.jpg"));
    EXPECT_FALSE(services.files.Exists(textures + "publisher_1_logo_small.jpg"));

    // The logos screen shows 800 x 600 of a 1024 x 1024 texture.
    OrvaneEngine::Image big;
    ASSERT_TRUE(big.Load(&services.log, &services.files, "data\\ui\\menus\\textures\\publisher_0_logo_big.jpg"));
    EXPECT_EQ(big.GetWidth(), 1024u);
    EXPECT_EQ(big.GetHeight(), 1024u);

    const std::unique_ptr<OrvaneEngine::Model> logo =
        services.Load("ui\\menus\\models\\background\\logo_additional_0.mlf");
    const OrvaneEngine::ShaderUser* shader = logo->GetShaderUser();
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->stages[0].diffuseName, "ui\\menus\\textures\\publisher_0_logo_small.jpg");
    EXPECT_EQ(shader->stages[0].opacityName, "ui\\menus\\textures\\publisher_0_logo_small_alpha.jpg");
    ExpectClean(services);
}

TEST(DataSetBackgroundTest, TheCursorHasItsTipAtTheTopLeft)
{
    PackedServices services;
    OrvaneEngine::Image picture;
    OrvaneEngine::Image opacity;
    ASSERT_TRUE(picture.Load(&services.log, &services.files, "data\\ui\\cursors\\cursor.jpg"));
    ASSERT_TRUE(opacity.Load(&services.log, &services.files, "data\\ui\\cursors\\cursor_alpha.jpg"));
    for (const OrvaneEngine::Image* image : {&picture, &opacity})
    {
        EXPECT_EQ(image->GetWidth(), 64u);
        EXPECT_EQ(image->GetHeight(), 64u);
    }
    // Row 0 is the bottom; the quad hangs from its top-left corner, UV (0, 1).
    const auto alpha = [&](std::uint32_t x, std::uint32_t rowFromTop) {
        const std::uint32_t bytes = opacity.GetBitsPerPixel() / 8;
        return opacity.GetPixels()[(std::size_t{63 - rowFromTop} * 64 + x) * bytes];
    };
    EXPECT_GT(alpha(2, 4), 200);
    EXPECT_LT(alpha(60, 60), 30);
    EXPECT_LT(alpha(60, 2), 30);
    ExpectClean(services);
}

// On the built pack the background builds its own layers and walks its
// start-up (frame and logo, then mounts and titles, then "LOADING") up to
// where it waits for the game resources: every animation it waits on plays.
TEST(DataSetBackgroundTest, TheStartUpReachesTheWaitForTheGameResources)
{
    EngineFixture fixture(EngineFixture::Options{true});
    CopyPackInto(fixture.folder);
    fixture.settings.packFolder = "Data";
    std::uint32_t clock = 100000;
    win32::testing::SetFakeMilliseconds(clock);
    OrvaneEngine::Engine& engine = fixture.Start();
    engine.guiManager->SetScreenSize(800.0f, 600.0f);
    std::uint32_t fonts = 0;
    std::uint32_t console = 0;
    GameFramework::GameBase::LoadFontsList(*engine.fileManager, *engine.guiManager->GetFontManager(), "en", fonts,
                                           console);
    engine.guiManager->GetTextManager()->LoadTexts("ui\\texts\\en\\loading.ini");
    {
        GameFramework::SoundController sounds(&engine, 1.0f, 1.0f);
        Mirabel::LevelManager levels(&engine);
        Mirabel::ProfileManager profiles(&engine, &sounds, fixture.folder.Join("profiles"));
        Mirabel::GUIBackgroundWindow background(&engine, &sounds, &levels, &profiles, "en");
        // Frame, maker logo, publisher logo 0, the two mounts and the two titles.
        EXPECT_EQ(background.GetForegroundWindows().size(), 7u);

        background.active = 1;
        std::vector<std::uint32_t> states{background.GetState()};
        for (int frame = 0; frame < 600 && !background.IsWaitingForGameData(); ++frame)
        {
            clock += 40;
            win32::testing::SetFakeMilliseconds(clock);
            engine.Update();
            background.Update();
            engine.Frame(0);
            if (background.GetState() != states.back())
                states.push_back(background.GetState());
        }
        EXPECT_EQ(states, (std::vector<std::uint32_t>{0, 1, 2, 3}));
        for (const OrvaneEngine::GUIWindow* window : background.GetForegroundWindows())
            EXPECT_TRUE(window->visible);
        const OrvaneEngine::GUIWindow& area = *background.GetTextAreaWindow();
        const corvellan::content::DataRect& place = DataLayout::TitleArea;
        EXPECT_NEAR(area.position.x, place.left, 0.5f);
        EXPECT_NEAR(area.position.y, place.bottom, 0.5f);
        EXPECT_NEAR(area.size.x, place.right - place.left, 0.5f);
        EXPECT_NEAR(area.size.y, place.top - place.bottom, 0.5f);
    }
    fixture.Stop();
    win32::testing::ResetMultimediaTimer();
    EXPECT_EQ(fixture.LogText().find("Error"), std::string::npos) << fixture.LogText();
    EXPECT_EQ(fixture.LogText().find("Warning"), std::string::npos) << fixture.LogText();
}

// mkdata refuses, naming the file, a background the game could not start or end on.
TEST(DataSetBackgroundTest, TheBackgroundChecksRefuseWhatWouldStallTheGame)
{
    using corvellan::content::BackgroundLayerEntry;
    using corvellan::content::ModelFileRecord;
    using corvellan::content::ShaderFileRecord;
    using corvellan::content::ShaderFileStage;
    const auto refused = [](const std::function<void()>& check, const std::string& file) {
        try
        {
            check();
        }
        catch (const std::runtime_error& error)
        {
            return std::string(error.what()).find(file) != std::string::npos;
        }
        return false;
    };

    EXPECT_NO_THROW(DataBackground::CheckLayers("list", DataBackground::Layers()));
    std::vector<BackgroundLayerEntry> noneOwn = DataBackground::Layers();
    for (BackgroundLayerEntry& layer : noneOwn)
        layer.builtByBackground = false;
    EXPECT_TRUE(refused([&] { DataBackground::CheckLayers("x\\background.ini", noneOwn); }, "x\\background.ini"));
    EXPECT_TRUE(refused([&] { DataBackground::CheckLayers("x\\empty.ini", {}); }, "x\\empty.ini"));

    const ModelFileRecord quad = corvellan::content::MakeQuadMesh(0, 0, 10, 10);
    const ModelFileRecord moving = corvellan::content::MakeMorphModel({quad, quad}, 25.0f);
    ModelFileRecord still = moving;
    still.speed = 0.0f;
    EXPECT_NO_THROW(DataBackground::CheckAnimated("frame.mlf", moving));
    EXPECT_TRUE(refused([&] { DataBackground::CheckAnimated("static.mlf", quad); }, "static.mlf"));
    EXPECT_TRUE(
        refused([&] { DataBackground::CheckAnimated("one.mlf", corvellan::content::MakeMorphModel({quad}, 25.0f)); },
                "one.mlf"));
    EXPECT_TRUE(refused([&] { DataBackground::CheckAnimated("still.mlf", still); }, "still.mlf"));

    struct NetCase
    {
        std::uint32_t type, columns, rows, frames;
        bool accepted;
    };
    const std::vector<NetCase> nets = {
        {1, 4, 4, 16, true}, {0, 4, 4, 16, false}, {1, 4, 4, 1, false}, {1, 2, 2, 16, false}, {1, 4, 4, 15, false}};
    for (const NetCase& net : nets)
    {
        ShaderFileRecord shader;
        ShaderFileStage stage;
        stage.animationType = net.type;
        stage.columns = net.columns;
        stage.rows = net.rows;
        stage.frameCount = net.frames;
        shader.stages.push_back(stage);
        EXPECT_EQ(!refused([&] { DataBackground::CheckUnicorn("unicorn.mlf", shader); }, "unicorn.mlf"), net.accepted)
            << net.type << " " << net.columns << "x" << net.rows << " " << net.frames;
    }
    EXPECT_TRUE(refused([] { DataBackground::CheckUnicorn("bare.mlf", ShaderFileRecord{}); }, "bare.mlf"));
}

} // namespace
