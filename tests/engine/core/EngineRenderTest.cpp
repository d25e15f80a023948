#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/AviReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace OrvaneEngine;

namespace
{

class EngineRenderTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        d3d7::testing::ResetAll();
        win32::testing::ResetWindowHooks();
        settings.videoMode = "640x480x32";
    }
    void TearDown() override
    {
        d3d7::testing::ResetAll();
        win32::testing::ResetWindowHooks();
    }

    static void Pump()
    {
        win32::MSG message{};
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
    }
    std::string Page() const { return LogText(); }
};

TEST_F(EngineRenderTest, TheDeviceLivesAsLongAsTheEngine)
{
    {
        Engine engine(settings);
        ASSERT_NE(engine.renderSystem, nullptr);
        EXPECT_TRUE(engine.renderSystem->ready);
        engine.Update();
        engine.Frame(0);
        EXPECT_EQ(d3d7::testing::GetPresentCount(), 1u);
    }
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
    const std::string page = Page();
    EXPECT_NE(page.find("Initialization of Direct3D subsystem..."), std::string::npos);
    EXPECT_EQ(page.find("PROGRAM ABORTING"), std::string::npos);
}

TEST_F(EngineRenderTest, EveryFrameFirstChecksTheDevice)
{
    Engine engine(settings);
    d3d7::testing::LoseSurfaces(d3d7::DDERR_NOEXCLUSIVEMODE);
    engine.Update();
    engine.Frame(0);
    EXPECT_FALSE(engine.renderSystem->ready);
    const auto presents = d3d7::testing::GetPresentCount();
    engine.Frame(0);
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents) << "nothing is presented while the device is lost";

    d3d7::testing::LoseSurfaces(d3d7::DD_OK);
    engine.Update();
    engine.Frame(0);
    EXPECT_TRUE(engine.renderSystem->ready);
}

TEST_F(EngineRenderTest, PrintScreenSavesThePresentedFrameOnce)
{
    Engine engine(settings);
    engine.renderSystem->clearColor = Color{1.0f, 0.0f, 0.0f, 1.0f};
    ASSERT_TRUE(win32::testing::PushKey(engine.window->handle, "PrintScreen", true));
    Pump();
    engine.Update();
    engine.Frame(0);
    engine.Update();
    engine.Frame(0);

    const std::string shots = folder.Join("ScreenCaptures");
    ASSERT_TRUE(std::filesystem::exists(shots + "/picture000.bmp"));
    EXPECT_FALSE(std::filesystem::exists(shots + "/picture001.bmp")) << "a held key is one press";

    Image shot;
    ASSERT_TRUE(shot.Load(engine.messageManager.get(), engine.fileManager.get(), "ScreenCaptures\\picture000.bmp"));
    ASSERT_EQ(shot.GetWidth(), 640u);
    ASSERT_EQ(shot.GetHeight(), 480u);
    const std::uint32_t bytes = shot.GetBitsPerPixel() / 8;
    const std::uint8_t* pixels = shot.GetPixels();
    std::uint32_t wrong = 0;
    for (std::uint32_t i = 0; i < 640u * 480u; ++i)
        wrong += pixels[i * bytes] != 255 || pixels[i * bytes + 1] != 0 || pixels[i * bytes + 2] != 0;
    EXPECT_EQ(wrong, 0u);
}

TEST_F(EngineRenderTest, AMovieRecordsOneFramePerEngineFrame)
{
    {
        Engine engine(settings);
        engine.config->Execute("sc_start_movie_record");
        for (int frame = 0; frame < 3; ++frame)
        {
            engine.Update();
            engine.Frame(0);
        }
    }
    const auto avi = corvellan::test::ReadAviFile(folder.Join("ScreenCaptures/movie000.avi"));
    EXPECT_EQ(corvellan::test::CheckAviConsistency(avi), "");
    EXPECT_EQ(avi.width, 640);
    EXPECT_EQ(avi.height, 480);
    EXPECT_EQ(avi.frames.size(), 3u);
}

} // namespace
