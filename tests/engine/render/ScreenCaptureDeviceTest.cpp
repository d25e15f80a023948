#include "engine/core/Color.h"
#include "engine/render/Image.h"
#include "engine/render/ScreenCapture.h"
#include "tests/engine/render/D3D7Fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace OrvaneEngine;

namespace
{

// Screenshots of what the real device presented (llvmpipe when headless).
class ScreenCaptureDeviceTest : public corvellan::test::D3D7Fixture
{
protected:
    void TearDown() override
    {
        capture.reset();
        D3D7Fixture::TearDown();
    }

    void CreateOnDesktop(const std::string& mode, bool fullscreen)
    {
        d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
        Create(mode, fullscreen);
        ASSERT_TRUE(renderSystem->ready);
        capture = std::make_unique<ScreenCapture>(&log, &files, &config, window.get());
    }

    void PresentCleared(const Color& color)
    {
        renderSystem->clearColor = color;
        renderSystem->BeginScene();
        renderSystem->EndScene();
        renderSystem->SwapBuffers();
    }

    // Takes a screenshot as the engine's frame does after its present, and
    // reads it back.
    void Shoot(Image& image, const std::string& name)
    {
        ASSERT_EQ(config.Execute("sc_take_screenshot"), Config::ExecuteDone);
        capture->Update();
        ASSERT_TRUE(image.Load(&log, &files, folder.Path() + "\\ScreenCaptures\\" + name));
    }

    static void ExpectEveryPixel(const Image& image, std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        ASSERT_EQ(image.GetBitsPerPixel(), 24u);
        const std::uint8_t* pixels = image.GetPixels();
        const std::size_t count = std::size_t{image.GetWidth()} * image.GetHeight();
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < count; ++i)
            wrong += pixels[i * 3] != r || pixels[i * 3 + 1] != g || pixels[i * 3 + 2] != b ? 1 : 0;
        EXPECT_EQ(wrong, 0u);
    }

    std::unique_ptr<ScreenCapture> capture;
};

TEST_F(ScreenCaptureDeviceTest, AWindowedShotIsTheFrameJustPresented)
{
    CreateOnDesktop("640x480x32", false);
    PresentCleared(Color(0.0f, 0.0f, 1.0f, 1.0f));
    PresentCleared(Color(1.0f, 0.0f, 0.0f, 1.0f));
    Image image;
    Shoot(image, "picture000.bmp");
    EXPECT_EQ(image.GetWidth(), 640u);
    EXPECT_EQ(image.GetHeight(), 480u);
    ExpectEveryPixel(image, 255, 0, 0);
}

TEST_F(ScreenCaptureDeviceTest, DesktopFullscreenShotsKeepTheModeSize)
{
    CreateOnDesktop("640x480x32", true);
    PresentCleared(Color(0.0f, 1.0f, 0.0f, 1.0f));
    Image image;
    Shoot(image, "picture000.bmp");
    EXPECT_EQ(image.GetWidth(), 640u);
    EXPECT_EQ(image.GetHeight(), 480u);
    ExpectEveryPixel(image, 0, 255, 0);
}

TEST_F(ScreenCaptureDeviceTest, NothingPresentedGivesNoShot)
{
    CreateOnDesktop("640x480x32", false);
    log.ClearMessages();
    ASSERT_EQ(config.Execute("sc_take_screenshot"), Config::ExecuteDone);
    capture->Update();
    EXPECT_TRUE(HasEntry(2, "Failed to print image from screen"));
    EXPECT_FALSE(std::filesystem::exists(folder.Join("ScreenCaptures/picture000.bmp")));
}

} // namespace
