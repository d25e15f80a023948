#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/engine/gui/pixels/GuiPixelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Describe;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

class WindowPixelsTest : public corvellan::test::GuiPixelFixture
{
protected:
    GUIWindow* Textured(std::uint32_t flags, const Vector2& position, const Vector2& size, const std::string& texture,
                        GUIWindow* parent = nullptr)
    {
        const ShaderDescriptor descriptor = MakeShaderDescriptor(texture, "", true);
        return Gui().CreateTexturedWindow(flags, position, size, &descriptor, parent, Vector2(1.0f, 1.0f));
    }
};

TEST_P(WindowPixelsTest, ATexturedWindowFillsExactlyItsRectangle)
{
    WriteTexture("red.tga", kRed);
    Textured(GUIWindow::FlagShown, Vector2(100.0f, 100.0f), Vector2(200.0f, 100.0f), "red.tga");
    Frame();
    EXPECT_EQ(FillFaults(100.0, 100.0, 200.0, 100.0, kRed), "");
    // y runs up the virtual screen and down the pixel rows.
    EXPECT_TRUE(Near(back.Pixel(0, 0), kBlack)) << Describe(back.Pixel(0, 0));
}

// Nested rectangles, the largest at the back: a probe in each ring sees the
// window of that ring only when every nearer window lies in front of it.
TEST_P(WindowPixelsTest, LayersCoverOneAnotherWhateverTheCreationOrder)
{
    WriteTexture("red.tga", kRed);
    WriteTexture("green.tga", kGreen);
    WriteTexture("blue.tga", kBlue);
    WriteTexture("yellow.tga", kYellow);
    const struct
    {
        std::uint32_t layer;
        const char* texture;
        Rgb color;
    } backToFront[] = {
        {GUIWindow::FlagBackLayer, "red.tga", kRed},
        {0, "green.tga", kGreen},
        {GUIWindow::FlagMiddleLayer, "blue.tga", kBlue},
        {GUIWindow::FlagFrontLayer, "yellow.tga", kYellow},
    };
    for (const bool frontFirst : {false, true})
    {
        std::vector<GUIWindow*> created;
        for (int step = 0; step < 4; ++step)
        {
            const int ring = frontFirst ? 3 - step : step;
            const float inset = 40.0f * static_cast<float>(ring);
            created.push_back(Textured(GUIWindow::FlagShown | backToFront[ring].layer,
                                       Vector2(100.0f + inset, 100.0f + inset),
                                       Vector2(400.0f - 2.0f * inset, 400.0f - 2.0f * inset),
                                       backToFront[ring].texture));
        }
        Frame();
        for (int ring = 0; ring < 4; ++ring)
        {
            const double probe = 120.0 + 40.0 * ring;
            const Rgb seen = At(probe, 300.0);
            EXPECT_TRUE(Near(seen, backToFront[ring].color, 2))
                << "ring " << ring << (frontFirst ? ", front created first: " : ": ") << Describe(seen);
        }
        EXPECT_EQ(FillFaults(220.0, 220.0, 160.0, 160.0, kYellow), "") << frontFirst;
        for (GUIWindow* window : created)
            Gui().ReleaseWindow(window);
    }
}

// A child lies just in front of its parent, and no further: a child of the
// back layer stays behind a window without layer.
TEST_P(WindowPixelsTest, AChildCoversItsParentOnly)
{
    WriteTexture("red.tga", kRed);
    WriteTexture("green.tga", kGreen);
    WriteTexture("white.tga", kWhite);
    GUIWindow* parent = Textured(GUIWindow::FlagShown | GUIWindow::FlagBackLayer, Vector2(100.0f, 100.0f),
                                 Vector2(300.0f, 300.0f), "red.tga");
    // Created before the child, so creation order alone would put it under.
    Textured(GUIWindow::FlagShown, Vector2(300.0f, 100.0f), Vector2(300.0f, 300.0f), "green.tga");
    // Relative to the parent: (150, 150) .. (350, 350) on the screen.
    Textured(GUIWindow::FlagShown, Vector2(50.0f, 50.0f), Vector2(200.0f, 200.0f), "white.tga", parent);
    Frame();
    const struct
    {
        double x, y;
        Rgb color;
    } probes[] = {
        {120.0, 120.0, kRed},   // the parent alone
        {200.0, 200.0, kWhite}, // the child over its parent
        {320.0, 200.0, kGreen}, // the window without layer over the child
        {500.0, 300.0, kGreen},
        {50.0, 50.0, kBlack},
    };
    for (const auto& probe : probes)
        EXPECT_TRUE(Near(At(probe.x, probe.y), probe.color, 2))
            << "(" << probe.x << ", " << probe.y << "): " << Describe(At(probe.x, probe.y));
    EXPECT_EQ(FillFaults(150.0, 150.0, 150.0, 200.0, kWhite), "");
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowPixelsTest, ::testing::ValuesIn(corvellan::test::kGuiScreens),
                         corvellan::test::GuiScreenName);

} // namespace
