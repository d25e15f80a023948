#include "engine/gui/GUIWindow.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/engine/gui/pixels/GuiPixelFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <exception>
#include <thread>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Rgb;

namespace
{

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

using LoadingThreadPixelsTest = corvellan::test::GuiPixelFixture;

// A loading worker makes windows (a new texture, and a copy of a model)
// while the main thread only presents: no GL call may happen on the worker,
// and the windows draw once the main thread renders again.
TEST_P(LoadingThreadPixelsTest, WindowsMadeOnAWorkerDrawOnTheNextFrame)
{
    WriteTexture("red.tga", kRed);
    WriteTexture("blue.tga", kBlue);
    const ShaderDescriptor blue = MakeShaderDescriptor("blue.tga", "", true);
    // Hidden and never placed: its model is the unit square as created.
    GUIWindow* source =
        Gui().CreateTexturedWindow(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), &blue, nullptr, Vector2(1.0f, 1.0f));
    ASSERT_NE(source, nullptr);
    Frame();
    const std::uint32_t offThread = d3d7::testing::GetOffThreadGlCalls();

    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::vector<GUIWindow*> made;
    std::thread worker([&] {
        try
        {
            const ShaderDescriptor red = MakeShaderDescriptor("red.tga", "", true);
            made.push_back(Gui().CreateTexturedWindow(GUIWindow::FlagShown, Vector2(100.0f, 100.0f),
                                                      Vector2(200.0f, 100.0f), &red, nullptr, Vector2(1.0f, 1.0f)));
            made.push_back(Gui().CreateWindow(GUIWindow::FlagShown, Vector2(400.0f, 300.0f), Vector2(150.0f, 100.0f),
                                              source->model, nullptr));
        }
        catch (...)
        {
            failure = std::current_exception();
        }
        done = true;
    });
    do
        engine->modelManager->Present();
    while (!done);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);

    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThread);
    ASSERT_EQ(made.size(), 2u);
    Frame();
    EXPECT_EQ(FillFaults(100.0, 100.0, 200.0, 100.0, kRed), "");
    EXPECT_EQ(FillFaults(400.0, 300.0, 150.0, 100.0, kBlue), "");
}

INSTANTIATE_TEST_SUITE_P(Screens, LoadingThreadPixelsTest, ::testing::ValuesIn(corvellan::test::kGuiScreens),
                         corvellan::test::GuiScreenName);

} // namespace
