#include "engine/core/Engine.h"
#include "engine/core/Vector3.h"
#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Image.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace OrvaneEngine
{
namespace
{

TEST(DrawingEngineTest, TheEngineBuildsUpdatesAndDestroysTheDrawingManagers)
{
    corvellan::test::EngineFixture fixture;
    fixture.settings.saveConfigOnExit = false;
    fixture.Start();
    std::unique_ptr<Engine>& engine = fixture.engine;
    ASSERT_NE(engine->cameraManager, nullptr);
    ASSERT_NE(engine->lightManager, nullptr);
    ASSERT_NE(engine->shaderManager, nullptr);
    ASSERT_NE(engine->cameraManager->defaultCamera, nullptr);

    // Render step 2: cameras rebuild their matrices from their settings.
    Camera* camera = engine->cameraManager->defaultCamera;
    camera->position = Vector3(0.0f, 0.0f, 10.0f);
    // Render step 6: the ambient colour reaches the device.
    engine->lightManager->ambientColor = Color(1.0f, 0.0f, 0.0f, 1.0f);
    engine->Update();
    engine->Frame(0);
    EXPECT_FLOAT_EQ(camera->view.m[14], -10.0f);
    EXPECT_EQ(engine->cameraManager->viewportWidth, engine->window->width);
    auto* renderSystem = static_cast<RenderSystem_D3D7*>(engine->renderSystem.get());
    std::uint32_t ambient = 0;
    ASSERT_EQ(renderSystem->d3dDevice->GetRenderState(d3d7::D3DRENDERSTATE_AMBIENT, &ambient), 0);
    EXPECT_EQ(ambient, 0xFFFF0000u);

    // A texture held by the shader manager's texture manager is released with
    // the engine: every stand-in object and GL texture is gone afterwards.
    auto* picture = new Image;
    picture->Create(nullptr, 4, 4, 24);
    engine->shaderManager->GetTextureManager()->CreateTexture(true, false, "kept", "", picture, nullptr);
    engine.reset();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
    EXPECT_EQ(d3d7::testing::GetLiveGlTextureCount(), 0);
}

} // namespace
} // namespace OrvaneEngine
