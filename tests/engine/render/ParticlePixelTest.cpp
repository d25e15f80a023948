// Particles on the real device (llvmpipe when headless): an "OVPSF" file and
// its shader file from the writers, loaded by the particle-system manager,
// seen through an orthographic camera set up as the GUI's (800 x 600 units,
// near 500, far -500), drawn by the model pass and read back before the
// present. The engine's render steps for these services are run in order.
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "tests/engine/render/DrawFixture.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;
using corvellan::test::Describe;
using corvellan::test::Near;
using corvellan::test::Rgb;

class ParticlePixelTest : public corvellan::test::DrawFixture
{
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        CreateSmall(32, true);
        renderSystem->clearColor = Color(0.0f, 0.0f, 1.0f, 1.0f);
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderSystem.get());
        lights = std::make_unique<LightManager>(&log, renderSystem.get());
        shaders = std::make_unique<ShaderManager>(&log, &files, &timers, &config, renderSystem.get());
        models = std::make_unique<ModelManager>(&log, &files, &timers, renderSystem.get(), cameras.get(),
                                                lights.get(), shaders.get());
        groups = std::make_unique<SpriteGroupManager>(&log, cameras.get(), shaders.get(), models.get());
        particles = std::make_unique<ParticleSystemManager>(&log, &files, &timers, shaders.get(), groups.get());
        gui = cameras->CreateCamera(1);
        gui->nearPlane = 500.0f;
        gui->farPlane = -500.0f;
        gui->width = 800.0f;
        gui->height = 600.0f;
        timers.frameTime = 0.01f;
    }

    void TearDown() override
    {
        particles.reset();
        groups.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
        DrawFixture::TearDown();
    }

    // One still particle of half-size 20 at the emitter, living long, in
    // the game's units: no gravity, no floor.
    static ParticleFileRecord OneStill()
    {
        ParticleFileRecord record;
        record.maxParticleCount = 4;
        record.gravityOn = 0;
        record.floorOn = 0;
        record.smoothEmission = 0;
        record.rateKeys = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        record.lifeKeys = {100.0f, 100.0f, 100.0f, 100.0f, 100.0f, 100.0f};
        record.directionSpreadKeys = {};
        record.sizeKeys = {20.0f, 20.0f, 20.0f, 20.0f, 20.0f, 20.0f};
        return record;
    }

    // data\fx\<name>.psf with data\fx\<name>.srf, untextured, blended or not.
    ParticleSystem* Load(const std::string& name, const ParticleFileRecord& record, bool blended)
    {
        const std::string path = folder.Join("data/fx/" + name);
        EXPECT_TRUE(corvellan::test::WriteFileBytes(path + ".psf", ParticleFileWriter::Build(record)));
        ShaderFileRecord shader;
        shader.flags = blended ? 1 : 0;
        shader.sourceBlend = 4;
        shader.destinationBlend = 5;
        EXPECT_TRUE(corvellan::test::WriteFileBytes(path + ".srf", ShaderFileWriter::Build(shader)));
        ParticleSystem* system = particles->LoadParticleSystem("fx\\" + name + ".psf", gui);
        system->emitterPosition = Vector3(400.0f, 300.0f, 0.0f);
        system->emitting = 1;
        return system;
    }

    // The engine's render steps for these services, then the read-back.
    void Frame()
    {
        cameras->Update();
        particles->Update();
        groups->Update();
        lights->Update();
        shaders->Update();
        models->Render();
        Grab();
        models->Present();
    }

    // The pixel at a point of the 800 x 600 units, y up.
    void Expect(float x, float y, const Rgb& expected, int tolerance = 2)
    {
        const Rgb actual = At(x / 400.0f - 1.0f, y / 300.0f - 1.0f);
        EXPECT_TRUE(Near(actual, expected, tolerance))
            << "at (" << x << ", " << y << "): " << Describe(actual) << ", expected " << Describe(expected);
    }

    static constexpr Rgb Clear{0, 0, 255};

    TimerManager timers;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<SpriteGroupManager> groups;
    std::unique_ptr<ParticleSystemManager> particles;
    Camera* gui = nullptr;
};

TEST_F(ParticlePixelTest, StillParticleIsASquareOfTwiceItsSize)
{
    ParticleSystem* system = Load("white", OneStill(), false);
    Frame();
    EXPECT_EQ(system->GetLiveCount(), 1u);
    EXPECT_EQ(models->drawnModels, 1u);
    Expect(400.0f, 300.0f, {255, 255, 255});
    Expect(383.0f, 283.0f, {255, 255, 255});
    Expect(417.0f, 317.0f, {255, 255, 255});
    Expect(376.0f, 300.0f, Clear);
    Expect(424.0f, 300.0f, Clear);
    Expect(400.0f, 276.0f, Clear);
    Expect(400.0f, 324.0f, Clear);
    Expect(100.0f, 100.0f, Clear);
}

TEST_F(ParticlePixelTest, ColourKeysColourTheSquare)
{
    ParticleFileRecord record = OneStill();
    for (auto& key : record.colorKeys)
        key = {1.0f, 0.0f, 0.0f, 1.0f};
    Load("red", record, false);
    Frame();
    Expect(400.0f, 300.0f, {255, 0, 0});
    Expect(430.0f, 300.0f, Clear);
}

TEST_F(ParticlePixelTest, BlendedSquareMixesWithTheBackground)
{
    ParticleSystem* system = Load("half", OneStill(), true);
    system->SetColor(Color(1.0f, 1.0f, 1.0f, 0.5f));
    Frame();
    Expect(400.0f, 300.0f, {128, 128, 255}, 3);
    Expect(430.0f, 300.0f, Clear);
}

TEST_F(ParticlePixelTest, MovingParticleIsDrawnWhereThisFramesUpdateLeftIt)
{
    ParticleFileRecord record = OneStill();
    record.directionKeys[0] = {1.0f, 0.0f, 0.0f};
    record.cycleLength = 10.0f;
    ParticleSystem* system = Load("mover", record, false);
    // Emitted and moved in the same update: 100 units a second for 0.5 s.
    timers.frameTime = 0.5f;
    Frame();
    Expect(450.0f, 300.0f, {255, 255, 255});
    Expect(400.0f, 300.0f, Clear);
    EXPECT_TRUE(system->IsVisible());
}

} // namespace
} // namespace OrvaneEngine
