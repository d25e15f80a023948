#include "platform/d3d7/PresentedPicture.h"
#include "platform/d3d7/testing/SurfaceProbe.h"
#include "platform/win32/PictureRect.h"
#include "tests/platform/d3d7/D3D7PlatformFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class StandInPresentTest : public corvellan::test::D3D7PlatformFixture
{
};

TEST(StandInPictureTest, PictureRectanglesKeepTheAspect)
{
    struct Row
    {
        std::uint32_t pictureWidth;
        std::uint32_t pictureHeight;
        std::uint32_t drawableWidth;
        std::uint32_t drawableHeight;
        bool fullscreen;
        win32::PictureRect expected;
    };
    const Row rows[] = {
        {800, 600, 1920, 1080, true, {240, 0, 1440, 1080}},
        {800, 600, 800, 600, true, {0, 0, 800, 600}},
        {800, 600, 1024, 1024, true, {0, 128, 1024, 768}},
        {800, 600, 1920, 1080, false, {0, 0, 1920, 1080}},
    };
    for (const Row& row : rows)
    {
        const win32::PictureRect rect = win32::FitPicture(row.pictureWidth, row.pictureHeight, row.drawableWidth,
                                                          row.drawableHeight, row.fullscreen);
        EXPECT_EQ(rect.x, row.expected.x);
        EXPECT_EQ(rect.y, row.expected.y);
        EXPECT_EQ(rect.width, row.expected.width);
        EXPECT_EQ(rect.height, row.expected.height);
    }
}

TEST_F(StandInPresentTest, WindowedPresentsWaitOnlyWhenAsked)
{
    MakeWindowedDevice(640, 480);
    const std::uint32_t presents = d3d7::testing::GetPresentCount();
    struct Row
    {
        bool wait;
        std::int32_t interval;
    };
    for (const Row row : {Row{true, 1}, Row{false, 0}, Row{false, 0}, Row{true, 1}})
    {
        if (row.wait)
        {
            ASSERT_EQ(directDraw->WaitForVerticalBlank(d3d7::DDWAITVB_BLOCKBEGIN, nullptr), d3d7::DD_OK);
        }
        ASSERT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
        EXPECT_EQ(d3d7::testing::GetLastSwapInterval(), row.interval);
    }
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 4);
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), 0u);
}

TEST_F(StandInPresentTest, PresentedPictureIsReadableUntilTheNextScene)
{
    MakeWindowedDevice(64, 32);
    ASSERT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_TARGET, 0xFF102030u, 1.0f, 0), d3d7::DD_OK);
    const d3d7::D3DRECT topLeft{0, 0, 1, 1};
    ASSERT_EQ(device->Clear(1, &topLeft, d3d7::D3DCLEAR_TARGET, 0xFFFF8000u, 1.0f, 0), d3d7::DD_OK);
    std::vector<std::uint8_t> pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    EXPECT_FALSE(d3d7::ReadPresentedPicture(pixels, width, height)) << "nothing presented since the clear";

    ASSERT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
    ASSERT_TRUE(d3d7::ReadPresentedPicture(pixels, width, height));
    EXPECT_EQ(width, 64u);
    EXPECT_EQ(height, 32u);
    ASSERT_EQ(pixels.size(), 64u * 32u * 4u);
    // Bottom-up rows of B, G, R, A: the top-left pixel is in the last row.
    const std::vector<std::uint8_t> body = {0x30, 0x20, 0x10, 0xFF};
    const std::vector<std::uint8_t> corner = {0x00, 0x80, 0xFF, 0xFF};
    EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 4), body);
    const std::size_t lastRow = 64u * 31u * 4u;
    EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin() + lastRow, pixels.begin() + lastRow + 4), corner);

    // The picture persists in the back buffer and stays readable across another present.
    ASSERT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
    EXPECT_TRUE(d3d7::ReadPresentedPicture(pixels, width, height));
    EXPECT_EQ(d3d7::testing::ReadColor(back, 0, 0).r, 0xFF);
    ASSERT_EQ(device->BeginScene(), d3d7::DD_OK);
    EXPECT_FALSE(d3d7::ReadPresentedPicture(pixels, width, height));
    ASSERT_EQ(device->EndScene(), d3d7::DD_OK);
}

TEST_F(StandInPresentTest, TheContextOutlivesWindowsThatComeAndGo)
{
    MakeWindowedDevice(32, 32);
    ASSERT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
    ReleaseAll();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
    win32::DestroyWindow(window);
    window = win32::CreateWindowExA(0, kClass, "Second", win32::WS_CAPTION, 0, 0, 320, 200, 0, nullptr,
                                    win32::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, 0u);
    MakeWindowedDevice(320, 200);
    ASSERT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_TARGET, 0xFF00FF00u, 1.0f, 0), d3d7::DD_OK);
    const std::uint32_t presents = d3d7::testing::GetPresentCount();
    ASSERT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1);
    EXPECT_EQ(d3d7::testing::ReadColor(back, 319, 199).g, 0xFF);
}

} // namespace
