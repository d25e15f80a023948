#include "content/BackgroundLayersWriter.h"
#include "content/ImageFixtures.h"
#include "content/ParticleFileWriter.h"
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/Texture2D.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"
#include "game/GameData.h"
#include "game/menus/GUIGameCursor.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/VirtualMouse.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

using Mirabel::GUIGameCursor;
using OrvaneEngine::ParticleSystem;
using OrvaneEngine::Vector3;

namespace
{

constexpr std::uint32_t picturePixels = 32;
// Told apart by their pools: the trail's file asks for more particles.
constexpr std::uint32_t trailPool = 40;
constexpr std::uint32_t clickPool = 30;

// A motionless effect: its particles stay where they were emitted, so where
// they are tells where the emitter was. The click's cycle lasts 0.5 s.
corvellan::content::ParticleFileRecord Effect(std::uint32_t pool, float cycle)
{
    corvellan::content::ParticleFileRecord record;
    record.maxParticleCount = pool;
    record.cycleLength = cycle;
    record.gravityOn = 0;
    record.floorOn = 0;
    record.rateKeys = {50.0f, 50.0f, 50.0f, 50.0f, 50.0f, 50.0f};
    record.speedKeys = {};
    return record;
}

// A headless engine on the 800 x 600 virtual screen with the cursor picture
// and the two cursor effects in its data folder; the mouse moved by real
// input events and the clock by 0.1 s a frame.
class GUIGameCursorTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(1000);
        Start();
        engine->guiManager->SetScreenSize(800, 600);
        WriteData();
        cursor = std::make_unique<GUIGameCursor>(engine.get());
        mouse.emplace(engine->window->handle, 600);
    }

    void TearDown() override
    {
        if (mouse && mouse->IsDown() && engine)
        {
            mouse->Button(false);
            engine->Update();
        }
        cursor.reset();
        gameData.reset();
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    void WriteData()
    {
        const std::string data = folder.Join("data");
        std::filesystem::create_directories(data + "/ui/cursors");
        OrvaneEngine::Image picture;
        picture.Create(engine->messageManager.get(), picturePixels, picturePixels, 24);
        for (std::uint32_t i = 0; i < picturePixels * picturePixels * 3; ++i)
            picture.GetPixels()[i] = static_cast<std::uint8_t>(i * 7);
        const std::string jpeg = corvellan::content::EngineImageFile(picture, "jpg");
        ASSERT_FALSE(jpeg.empty());
        std::ofstream(data + "/ui/cursors/cursor.jpg", std::ios::binary) << jpeg;
        std::ofstream(data + "/ui/cursors/cursor_alpha.jpg", std::ios::binary) << jpeg;
        ASSERT_TRUE(corvellan::content::ParticleFileWriter::WriteTo(data + "/ui/menus/particles/cursor_train.psf",
                                                                    Effect(trailPool, 1.0f)));
        ASSERT_TRUE(corvellan::content::ParticleFileWriter::WriteTo(data + "/ui/menus/particles/cursor_click.psf",
                                                                    Effect(clickPool, 0.5f)));
        ASSERT_TRUE(
            corvellan::content::BackgroundLayersWriter::WriteTo(data + "/ui/menus/background/background.ini", {}));
    }

    void LoadEffects()
    {
        gameData = std::make_unique<Mirabel::GameData>(engine.get(), "english");
        gameData->LoadAll();
        cursor->CreateEffects(*gameData);
    }

    void MoveTo(std::int32_t x, std::int32_t y) { ASSERT_TRUE(mouse->MoveTo(x, y)); }

    // A click pressed now and released before the next press.
    void Press()
    {
        if (mouse->IsDown())
        {
            ASSERT_TRUE(mouse->Button(false));
        }
        ASSERT_TRUE(mouse->Button(true));
    }

    void Frame()
    {
        win32::testing::AdvanceFakeMilliseconds(100);
        engine->Update();
        cursor->Update();
        engine->Frame(0);
    }

    // Where the system's live particles are.
    static std::vector<Vector3> Places(ParticleSystem* system)
    {
        std::vector<Vector3> places;
        for (const OrvaneEngine::Particle& particle : system->GetParticles())
            if (!particle.free)
                places.push_back(system->GetSpriteGroup()->GetSprite(particle.sprite).position);
        return places;
    }

    static std::size_t CountAt(ParticleSystem* system, float x, float y)
    {
        std::size_t count = 0;
        for (const Vector3& place : Places(system))
            count += place.x == x && place.y == y && place.z == 0.0f ? 1 : 0;
        return count;
    }

    std::unique_ptr<GUIGameCursor> cursor;
    std::unique_ptr<Mirabel::GameData> gameData;
    std::optional<corvellan::test::VirtualMouse> mouse;
};

TEST_F(GUIGameCursorTest, KindsHaveTheirSystemCursorsAndEachItsOwnPicture)
{
    EXPECT_EQ(cursor->GetCursorKind(), GUIGameCursor::KindNormal);
    EXPECT_EQ(win32::testing::GetCurrentCursorId(), 1000);
    EXPECT_FALSE(cursor->IsVisible()) << "shown by whoever needs it";

    const struct
    {
        std::uint32_t kind;
        std::uint16_t systemCursor;
    } kinds[] = {{GUIGameCursor::KindTip, 107}, {GUIGameCursor::KindMagnet, 106}, {GUIGameCursor::KindNormal, 1000}};
    std::set<const OrvaneEngine::GUICursor*> pictures;
    for (const auto& row : kinds)
    {
        SCOPED_TRACE(row.kind);
        cursor->SetCursorKind(row.kind);
        EXPECT_EQ(win32::testing::GetCurrentCursorId(), row.systemCursor);
        const OrvaneEngine::GUICursor* custom = cursor->GetCursors().at(row.kind).customCursor;
        ASSERT_NE(custom, nullptr);
        pictures.insert(custom);
        const OrvaneEngine::ShaderUser* look = custom->GetModel()->GetShaderUser();
        ASSERT_EQ(look->stageCount, 1u);
        EXPECT_EQ(look->stages[0].diffuseName, "ui\\cursors\\cursor.jpg");
        EXPECT_EQ(look->stages[0].opacityName, "ui\\cursors\\cursor_alpha.jpg");
        EXPECT_EQ(look->stages[0].addressU, 0u) << "clamped";
        EXPECT_EQ(look->stages[0].addressV, 0u) << "clamped";
        const OrvaneEngine::Texture2D* texture = look->GetShader()->GetStageTexture(0, 0);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->width, picturePixels);
        // The square's far corner lies 40 units right of and below the hot spot.
        OrvaneEngine::VertexBuffer* vertices = custom->GetModel()->GetVertexBuffer();
        const OrvaneEngine::Vertex corner = vertices->LockVertices(0, 1)[0];
        vertices->Unlock();
        EXPECT_EQ(corner.position.x, 40.0f);
        EXPECT_EQ(corner.position.y, -40.0f);
    }
    EXPECT_EQ(pictures.size(), 3u);

    // Shown, the kind's own picture stands for the pointer.
    cursor->SetVisible(true);
    EXPECT_TRUE(cursor->GetCursors().at(GUIGameCursor::KindNormal).customCursor->visible);
    cursor->SetCursorKind(GUIGameCursor::KindMagnet);
    EXPECT_FALSE(cursor->GetCursors().at(GUIGameCursor::KindNormal).customCursor->visible);
    EXPECT_TRUE(cursor->GetCursors().at(GUIGameCursor::KindMagnet).customCursor->visible);
}

TEST_F(GUIGameCursorTest, BeforeTheEffectsExistNothingMovesOrFires)
{
    const std::uint32_t systems = engine->particleSystemManager->GetParticleSystemCount();
    cursor->SetVisible(true);
    MoveTo(300, 200);
    Press();
    Frame();
    Frame();
    cursor->SetEffectsEnabled(false);
    cursor->Show(false);
    cursor->Show(true);
    cursor->SetEffectsEnabled(true);
    Press();
    Frame();
    EXPECT_EQ(cursor->GetTrail(), nullptr);
    EXPECT_EQ(cursor->GetClick(), nullptr);
    EXPECT_EQ(engine->particleSystemManager->GetParticleSystemCount(), systems);
}

TEST_F(GUIGameCursorTest, EffectsAreClonesOfTheGameDataDrawnInFrontAndGoWithTheCursor)
{
    const std::uint32_t systems = engine->particleSystemManager->GetParticleSystemCount();
    LoadEffects();
    EXPECT_EQ(engine->particleSystemManager->GetParticleSystemCount(), systems + 2);

    const struct
    {
        ParticleSystem* effect;
        const ParticleSystem* source;
        std::uint32_t pool;
        std::uint8_t looping;
        std::uint8_t emitting;
    } effects[] = {
        {cursor->GetTrail(), gameData->cursorTrain, trailPool, 1, 1},
        {cursor->GetClick(), gameData->cursorClick, clickPool, 0, 0},
    };
    for (const auto& row : effects)
    {
        SCOPED_TRACE(row.pool);
        ASSERT_NE(row.effect, nullptr);
        EXPECT_NE(row.effect, row.source);
        EXPECT_EQ(row.effect->GetMaxParticleCount(), row.pool);
        EXPECT_EQ(row.effect->GetName(), row.source->GetName());
        EXPECT_EQ(row.effect->GetModel()->GetFlags() & 2048u, 2048u);
        EXPECT_EQ(row.effect->GetModel()->depth, -21.0f);
        EXPECT_TRUE(row.effect->IsVisible());
        EXPECT_EQ(row.effect->looping, row.looping);
        EXPECT_EQ(row.effect->emitting, row.emitting);
    }
    EXPECT_FALSE(gameData->cursorTrain->emitting) << "the game data's own systems never run";

    cursor.reset();
    EXPECT_EQ(engine->particleSystemManager->GetParticleSystemCount(), systems);
}

TEST_F(GUIGameCursorTest, TrailFollowsThePointerBelowAndRightOfIt)
{
    LoadEffects();
    cursor->Show(true);
    ParticleSystem* trail = cursor->GetTrail();
    const struct
    {
        std::int32_t x;
        std::int32_t y;
    } points[] = {{100, 500}, {400, 300}, {790, 20}};
    for (const auto& point : points)
    {
        SCOPED_TRACE(point.x);
        MoveTo(point.x, point.y);
        Frame();
        const OrvaneEngine::Vector2 pointer = engine->guiManager->GetCursorPosition();
        ASSERT_EQ(pointer.x, static_cast<float>(point.x));
        ASSERT_EQ(pointer.y, static_cast<float>(point.y));
        const float x = pointer.x + 12.0f;
        const float y = pointer.y - 18.0f;
        EXPECT_EQ(trail->emitterPosition.x, x);
        EXPECT_EQ(trail->emitterPosition.y, y);
        EXPECT_EQ(trail->emitterPosition.z, 0.0f);
        EXPECT_GT(CountAt(trail, x, y), 0u) << "the trail emits where the pointer is";
    }
    EXPECT_EQ(cursor->GetClick()->emitting, 0) << "moving is no click";
}

TEST_F(GUIGameCursorTest, EachPressFiresOneBurstAtThePointer)
{
    LoadEffects();
    cursor->Show(true);
    ParticleSystem* click = cursor->GetClick();

    MoveTo(200, 300);
    Press();
    Frame();
    EXPECT_EQ(click->emitterPosition.x, 200.0f);
    EXPECT_EQ(click->emitterPosition.y, 300.0f);
    EXPECT_EQ(click->emitting, 1);
    EXPECT_NEAR(click->cycleTime, 0.1f, 0.001f) << "the burst started in this frame";
    const std::size_t first = CountAt(click, 200, 300);
    EXPECT_GT(first, 0u);

    // A press in the very next frame starts the burst again from there.
    MoveTo(500, 100);
    Press();
    Frame();
    EXPECT_EQ(click->emitterPosition.x, 500.0f);
    EXPECT_EQ(click->emitterPosition.y, 100.0f);
    EXPECT_NEAR(click->cycleTime, 0.1f, 0.001f);
    EXPECT_GT(CountAt(click, 500, 100), 0u);
    EXPECT_EQ(CountAt(click, 200, 300), first) << "the first burst's particles stay where they were";

    // Held down, the button fires nothing more: the burst runs out.
    MoveTo(600, 400);
    for (int frame = 0; frame < 6; ++frame)
        Frame();
    EXPECT_EQ(click->emitting, 0);
    EXPECT_EQ(click->emitterPosition.x, 500.0f);
    EXPECT_EQ(CountAt(click, 600, 400), 0u);

    // Released and pressed again: one more burst.
    Press();
    Frame();
    EXPECT_EQ(click->emitting, 1);
    EXPECT_EQ(click->emitterPosition.x, 600.0f);
    EXPECT_GT(CountAt(click, 600, 400), 0u);
}

TEST_F(GUIGameCursorTest, DisabledEffectsNeitherFollowNorFire)
{
    LoadEffects();
    cursor->Show(true);
    ParticleSystem* trail = cursor->GetTrail();
    ParticleSystem* click = cursor->GetClick();
    MoveTo(100, 100);
    Frame();

    cursor->SetEffectsEnabled(false);
    EXPECT_FALSE(cursor->AreEffectsEnabled());
    EXPECT_EQ(trail->emitting, 0);
    MoveTo(300, 300);
    Press();
    Frame();
    EXPECT_EQ(trail->emitterPosition.x, 112.0f);
    EXPECT_EQ(click->emitting, 0);
    EXPECT_EQ(CountAt(click, 300, 300), 0u);

    cursor->SetEffectsEnabled(true);
    EXPECT_EQ(trail->emitting, 1);
    Press();
    Frame();
    EXPECT_EQ(trail->emitterPosition.x, 312.0f);
    EXPECT_EQ(click->emitting, 1);
}

TEST_F(GUIGameCursorTest, HidingStopsTheTrailAndShowingRestartsItOnlyWithEffects)
{
    // Effects switched off before they exist stay off when they come.
    cursor->SetEffectsEnabled(false);
    LoadEffects();
    ParticleSystem* trail = cursor->GetTrail();
    EXPECT_EQ(trail->emitting, 0);

    // Every way the pointer is shown or hidden: by the game cursor, and
    // through the framework's base, which the frame step holds.
    enum class Act
    {
        Show,
        Hide,
        ShowThroughBase,
        HideThroughBase,
        Enable,
        Disable,
    };
    GameFramework::GUIGameCursorBase& base = *cursor;
    const struct
    {
        Act act;
        std::uint8_t emitting;
    } steps[] = {
        {Act::Show, 0},           {Act::Enable, 1},          {Act::Hide, 0},    {Act::Show, 1},
        {Act::HideThroughBase, 0}, {Act::ShowThroughBase, 1}, {Act::Disable, 0}, {Act::HideThroughBase, 0},
        {Act::ShowThroughBase, 0}, {Act::Show, 0},            {Act::Enable, 1},
    };
    bool visible = false;
    for (std::size_t i = 0; i < std::size(steps); ++i)
    {
        SCOPED_TRACE(i);
        switch (steps[i].act)
        {
        case Act::Show:
        case Act::Hide:
            visible = steps[i].act == Act::Show;
            cursor->Show(visible);
            break;
        case Act::ShowThroughBase:
        case Act::HideThroughBase:
            visible = steps[i].act == Act::ShowThroughBase;
            base.SetVisible(visible);
            break;
        case Act::Enable:
        case Act::Disable:
            cursor->SetEffectsEnabled(steps[i].act == Act::Enable);
            break;
        }
        EXPECT_EQ(cursor->IsVisible(), visible);
        EXPECT_EQ(trail->emitting, steps[i].emitting);
    }

    // Switching custom cursors hides and shows the pointer again: the trail
    // carries on.
    Frame();
    ASSERT_EQ(engine->config->Execute("ui_custom_cursor 0"), OrvaneEngine::Config::ExecuteDone);
    Frame();
    EXPECT_FALSE(cursor->AreCustomCursorsOn());
    EXPECT_TRUE(cursor->IsVisible());
    EXPECT_EQ(trail->emitting, 1);
}

} // namespace
