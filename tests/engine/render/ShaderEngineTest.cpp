#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace OrvaneEngine
{
namespace
{

TEST(ShaderEngineTest, TheEngineUpdatesRegisteredUsersEveryFrame)
{
    corvellan::test::EngineFixture fixture;
    fixture.settings.saveConfigOnExit = false;
    fixture.Start();
    std::unique_ptr<Engine>& engine = fixture.engine;
    ASSERT_NE(engine->shaderManager, nullptr);
    TextureManager* textures = engine->shaderManager->GetTextureManager();
    ASSERT_NE(textures, nullptr);

    ShaderUser* grid = engine->shaderManager->AddShaderUser(MakeAnimatedShaderDescriptor(4, 2, "grid.tga", "", true));
    EXPECT_EQ(textures->GetTextureCount(), 1u);
    grid->stages[0].speed = 8.0f;
    grid->animationTime[0] = 0.95f;
    engine->Update();
    engine->timerManager->frameTime = 0.0625f;
    engine->Frame(0);
    EXPECT_FLOAT_EQ(grid->animationTime[0], 1.45f);
    EXPECT_NEAR(grid->stages[0].offsetU, 0.25125f, 1e-6f);

    // The engine's end releases the user and its texture (the sanitizer build
    // reports anything left).
    engine.reset();
}

} // namespace
} // namespace OrvaneEngine
