// The GUI in a headless engine, seen in the back buffer: windows land on
// their pixels, layers cover one another whatever the creation order, and a
// text queued before the frame shows in it.
#include "content/FontFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/BackBuffer.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::Describe;
using corvellan::test::Near;
using corvellan::test::Rgb;

const Rgb Black{0, 0, 0};
const Rgb Red{255, 0, 0};
const Rgb Green{0, 255, 0};
const Rgb Blue{0, 0, 255};
const Rgb White{255, 255, 255};

class GUIManagerPixelTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        d3d7::testing::ResetAll();
        win32::testing::ResetWindowHooks();
        settings.saveConfigOnExit = false;
        Start();
        gui().SetScreenSize(800.0f, 600.0f);
    }

    void TearDown() override
    {
        Stop();
        d3d7::testing::ResetAll();
        win32::testing::ResetWindowHooks();
    }

    GUIManager& gui() { return *engine->guiManager; }

    // A coloured window without texture: its quad shows the colour alone.
    GUIWindow* Solid(std::uint32_t flags, Vector2 position, Vector2 size, const Color& color,
                     GUIWindow* parent = nullptr)
    {
        GUIWindow* window = gui().CreateTexturedWindow(flags | GUIWindow::FlagColored | GUIWindow::FlagShown,
                                                       position, size, nullptr, parent, Vector2(1.0f, 1.0f));
        window->SetColor(color);
        return window;
    }

    // The engine's update and render, and the back buffer before the swap.
    void Frame()
    {
        engine->Update();
        engine->Render();
        ASSERT_EQ(backBuffer.Read(static_cast<RenderSystem_D3D7&>(*engine->renderSystem)), "");
    }

    // x from the left, y upwards from the bottom, as the GUI counts.
    Rgb At(std::uint32_t x, std::uint32_t y) const { return backBuffer.Pixel(x, backBuffer.Height() - 1 - y); }

    corvellan::test::BackBuffer backBuffer;
};

// The 800 x 600 virtual screen covers the whole window: an 800 x 600 window
// and a 1024 x 768 desktop in full screen.
TEST_F(GUIManagerPixelTest, AWindowFillsItsRectangle)
{
    struct Mode
    {
        const char* what;
        std::uint32_t width, height;
    };
    for (const Mode& mode : {Mode{"windowed", 800, 600}, Mode{"full screen", 1024, 768}})
    {
        if (mode.width != 800)
        {
            Stop();
            d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
            machine.adapters.at(0).desktop = win32::DesktopMode{mode.width, mode.height, 32, 60};
            d3d7::testing::SetMachine(machine);
            settings.videoMode = "1024x768x32";
            settings.fullscreen = true;
            Start();
            gui().SetScreenSize(800.0f, 600.0f);
        }
        Solid(0, {100, 100}, {200, 100}, Color(1, 0, 0, 1));
        Frame();
        ASSERT_EQ(backBuffer.Width(), mode.width) << mode.what;
        ASSERT_EQ(backBuffer.Height(), mode.height) << mode.what;
        // The rectangle's edges in pixels: 100..300 by 100..200 scaled.
        const std::uint32_t left = 100 * mode.width / 800;
        const std::uint32_t right = 300 * mode.width / 800;
        const std::uint32_t bottom = 100 * mode.height / 600;
        const std::uint32_t top = 200 * mode.height / 600;
        struct Probe
        {
            std::uint32_t x, y;
            Rgb color;
        };
        const std::vector<Probe> probes = {
            {left, bottom, Red},       {right - 1, bottom, Red}, {left, top - 1, Red},
            {right - 1, top - 1, Red}, {(left + right) / 2, (bottom + top) / 2, Red},
            {left - 1, bottom, Black}, {right, bottom, Black},   {left, bottom - 1, Black},
            {left, top, Black},
        };
        for (const Probe& probe : probes)
            EXPECT_TRUE(Near(At(probe.x, probe.y), probe.color))
                << mode.what << " " << probe.x << ", " << probe.y << ": " << Describe(At(probe.x, probe.y));
    }
}

// Layer 4 lies under no layer, which lies under layer 8, under layer 16,
// whatever order the windows were made in; a child covers its parent.
TEST_F(GUIManagerPixelTest, LayersCoverOneAnotherWhateverTheCreationOrder)
{
    struct Layer
    {
        std::uint32_t flags;
        Color color;
    };
    const std::vector<Layer> layers = {
        {4, Color(1, 0, 0, 1)}, {0, Color(0, 1, 0, 1)}, {8, Color(0, 0, 1, 1)}, {16, Color(1, 1, 1, 1)}};
    const std::vector<Rgb> expected = {Red, Green, Blue, White};
    for (const bool backFirst : {true, false})
    {
        std::vector<GUIWindow*> made;
        for (std::size_t n = 0; n < layers.size(); ++n)
        {
            const std::size_t i = backFirst ? n : layers.size() - 1 - n;
            // Each layer reaches 100 units further right than the one above
            // it, so every layer shows in its own strip.
            const float left = 100.0f * static_cast<float>(i);
            made.push_back(Solid(layers[i].flags, {left, 0}, {800.0f - left, 100}, layers[i].color));
        }
        GUIWindow* parent = Solid(16, {0, 300}, {200, 100}, Color(1, 0, 0, 1));
        made.push_back(Solid(0, {50, 25}, {100, 50}, Color(0, 1, 0, 1), parent));
        Frame();
        for (std::size_t i = 0; i < layers.size(); ++i)
        {
            const std::uint32_t x = 100 * static_cast<std::uint32_t>(i) + 50;
            EXPECT_TRUE(Near(At(x, 50), expected[i])) << (backFirst ? "back first, " : "front first, ") << "layer "
                                                       << layers[i].flags << ": " << Describe(At(x, 50));
        }
        EXPECT_TRUE(Near(At(25, 350), Red)) << Describe(At(25, 350));
        EXPECT_TRUE(Near(At(100, 350), Green)) << "the child covers its parent: " << Describe(At(100, 350));
        for (GUIWindow* window : made)
            gui().ReleaseWindow(window);
        gui().ReleaseWindow(parent);
    }
}

// The GUI hands its texts to the batches before the models are drawn, so a
// text queued before the frame is drawn in that same frame.
TEST_F(GUIManagerPixelTest, ATextQueuedBeforeTheFrameShowsInIt)
{
    const std::vector<corvellan::content::FontGlyphRecord> glyphs = {{u'I', 0.0f, 0.0f, 1.0f, 1.0f, 0.5f}};
    ASSERT_TRUE(corvellan::content::FontFileWriter::WriteTo(folder.Join("data/box.fnt"), glyphs));
    GUIFont* font = gui().GetFontManager()->CreateFont(1, nullptr, "box.fnt");
    ASSERT_NE(font, nullptr);
    GUIWindow* window = Solid(0, {100, 100}, {200, 100}, Color(0, 0, 1, 1));
    window->AddWideText(0, 1, {20, 10}, Color(1, 1, 1, 1), u"I", 0.0f, 40.0f);
    Frame();
    EXPECT_TRUE(Near(At(130, 130), White)) << "the glyph (120..140, 110..150): " << Describe(At(130, 130));
    EXPECT_TRUE(Near(At(145, 130), Blue)) << Describe(At(145, 130));
    EXPECT_TRUE(Near(At(130, 155), Blue)) << Describe(At(130, 155));

    Frame();
    EXPECT_TRUE(Near(At(130, 130), Blue)) << "a text queued once prints once: " << Describe(At(130, 130));
}

// The loading worker makes windows while the main thread only presents: no
// GL call may come from the worker, and the windows draw on the next frame.
TEST_F(GUIManagerPixelTest, WindowsMadeOnAWorkerDrawOnTheNextFrame)
{
    GUIWindow* source = Solid(0, {0, 0}, {1, 1}, Color(0, 1, 0, 1));
    source->ClearFlags(GUIWindow::FlagShown);
    const std::uint32_t before = d3d7::testing::GetOffThreadGlCalls();
    GUIWindow* quad = nullptr;
    GUIWindow* copy = nullptr;
    std::thread worker([&] {
        quad = Solid(0, {100, 100}, {100, 100}, Color(1, 0, 0, 1));
        copy = gui().CreateWindow(GUIWindow::FlagShown, {400, 100}, {100, 100}, source->model, nullptr);
    });
    engine->modelManager->Present();
    worker.join();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), before);
    ASSERT_NE(quad, nullptr);
    ASSERT_NE(copy, nullptr);
    Frame();
    EXPECT_TRUE(Near(At(150, 150), Red)) << Describe(At(150, 150));
    EXPECT_TRUE(Near(At(450, 150), Green)) << Describe(At(450, 150));
    EXPECT_TRUE(Near(At(300, 150), Black)) << Describe(At(300, 150));
}

} // namespace
} // namespace OrvaneEngine
