#include "engine/core/Color.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderStage.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Describe;
using corvellan::test::Mesh;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

// Shader users drawn through the device: one full-screen quad per frame.
class ShaderPixelTest : public corvellan::test::DrawFixture
{
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        config.useMipMapping = true;
        config.showMipMaps = false;
        CreateSmall();
        shaders = std::make_unique<ShaderManager>(&log, &files, &timers, &config, renderSystem.get());
    }

    void TearDown() override
    {
        shaders.reset();
        DrawFixture::TearDown();
    }

    // A picture under the data folder, given bottom row first.
    void WritePicture(const std::string& name, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                      const std::vector<Color>& pixels)
    {
        Image picture;
        picture.Create(&log, width, height, bits);
        Image cell;
        for (std::uint32_t i = 0; i < width * height; ++i)
        {
            cell.Create(&log, 1, 1, bits);
            cell.Fill(pixels[i % pixels.size()]);
            picture.Paste(i % width, i / width, cell);
        }
        ASSERT_TRUE(picture.Save(&files, "data\\" + name));
        log.ClearMessages();
    }

    static ShaderDescriptor OneStage(std::uint32_t flags, std::uint32_t stageFlags, const std::string& diffuse,
                                     const std::string& opacity = "")
    {
        ShaderDescriptor descriptor(flags);
        descriptor.SetBlendFactor(0, BlendSrcAlpha);
        descriptor.SetBlendFactor(1, BlendInvSrcAlpha);
        descriptor.AddStage(stageFlags, 0, 1, 1, 0, 0.0f, diffuse, opacity, 0);
        return descriptor;
    }

    Rgb DrawUser(ShaderUser* user)
    {
        user->Update();
        user->Apply();
        DrawFrame({&quad});
        return At(0.0f, 0.0f);
    }

    TimerManager timers;
    std::unique_ptr<ShaderManager> shaders;
    Mesh quad;
};

TEST_F(ShaderPixelTest, BlendedAndUnblendedUsersOfOneTexture)
{
    WritePicture("half.tga", 2, 2, 32, {Color(1.0f, 1.0f, 0.0f, 0.502f)});
    quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    renderSystem->clearColor = Color(0.0f, 0.0f, 1.0f, 1.0f);
    ShaderUser* blended = shaders->AddShaderUser(OneStage(ShaderDescriptor::Blended, 0, "half.tga", "half.tga"));
    ShaderUser* opaque = shaders->AddShaderUser(OneStage(0, 0, "half.tga", "half.tga"));
    EXPECT_EQ(shaders->GetTextureManager()->GetTextureCount(), 1u);
    EXPECT_TRUE(Near(DrawUser(blended), Rgb{128, 128, 127}, 2)) << Describe(At(0.0f, 0.0f));
    EXPECT_TRUE(Near(DrawUser(opaque), Rgb{255, 255, 0})) << Describe(At(0.0f, 0.0f));
}

TEST_F(ShaderPixelTest, GridCellsShowWithoutTheirNeighbours)
{
    // Bottom row first: bottom-left blue, bottom-right white, top-left red, top-right green.
    // Cells large enough that the inset keeps bilinear sampling off the neighbours.
    Image grid;
    grid.Create(&log, 512, 512, 24);
    const Color colors[4] = {Color(0, 0, 1, 1), Color(1, 1, 1, 1), Color(1, 0, 0, 1), Color(0, 1, 0, 1)};
    for (std::uint32_t cell = 0; cell < 4; ++cell)
    {
        Image part;
        part.Create(&log, 256, 256, 24);
        part.Fill(colors[cell]);
        grid.Paste((cell % 2) * 256, (cell / 2) * 256, part);
    }
    ASSERT_TRUE(grid.Save(&files, "data\\grid.tga"));
    quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    ShaderUser* user = shaders->AddShaderUser(MakeAnimatedShaderDescriptor(2, 2, "grid.tga", "", true));
    const Rgb expected[4] = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{255, 255, 255}};
    for (std::uint32_t frame = 0; frame < 4; ++frame)
    {
        user->animationTime[0] = static_cast<float>(frame);
        DrawUser(user);
        for (const float x : {-0.999f, 0.0f, 0.999f})
            for (const float y : {-0.999f, 0.0f, 0.999f})
                EXPECT_TRUE(Near(At(x, y), expected[frame], 2)) << frame << " at " << x << "," << y << Describe(At(x, y));
    }
}

TEST_F(ShaderPixelTest, AMipFilterOnATextureWithoutMipLevelsShowsTheTexture)
{
    config.useMipMapping = false;
    WritePicture("flat.tga", 4, 4, 24, {Color(0.0f, 0.502f, 1.0f, 1.0f)});
    quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    ShaderUser* user = shaders->AddShaderUser(OneStage(0, ShaderStage::MipMapped, "flat.tga"));
    EXPECT_TRUE(Near(DrawUser(user), Rgb{0, 128, 255})) << Describe(At(0.0f, 0.0f));
    EXPECT_EQ(renderSystem->stageFilter[0], TextureFilterTrilinear);
}

TEST_F(ShaderPixelTest, AOneStageUserIsNotModulatedByTheStageBeforeIt)
{
    ASSERT_GE(renderSystem->textureStageCount, 2u);
    WritePicture("white.tga", 2, 2, 24, {Color(1, 1, 1, 1)});
    WritePicture("green.tga", 2, 2, 24, {Color(0, 1, 0, 1)});
    WritePicture("magenta.tga", 2, 2, 24, {Color(1, 0, 1, 1)});
    quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    ShaderDescriptor two = OneStage(0, 0, "white.tga");
    two.AddStage(0, 0, 1, 1, 0, 0.0f, "green.tga", "", 0);
    ShaderUser* both = shaders->AddShaderUser(two);
    ShaderUser* one = shaders->AddShaderUser(OneStage(0, 0, "magenta.tga"));
    EXPECT_TRUE(Near(DrawUser(both), Rgb{0, 255, 0})) << Describe(At(0.0f, 0.0f));
    EXPECT_TRUE(Near(DrawUser(one), Rgb{255, 0, 255})) << Describe(At(0.0f, 0.0f));
}

TEST_F(ShaderPixelTest, AUserMadeOnTheLoadingWorkerDrawsOnTheMainThread)
{
    WritePicture("loaded.tga", 8, 8, 24, {Color(1.0f, 0.502f, 0.0f, 1.0f)});
    quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    const std::uint32_t offThread = d3d7::testing::GetOffThreadGlCalls();
    ShaderUser* user = nullptr;
    std::thread worker([&] { user = shaders->AddShaderUser(OneStage(0, ShaderStage::MipMapped, "loaded.tga")); });
    worker.join();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThread);
    ASSERT_NE(user, nullptr);
    EXPECT_TRUE(Near(DrawUser(user), Rgb{255, 128, 0})) << Describe(At(0.0f, 0.0f));
}

} // namespace
