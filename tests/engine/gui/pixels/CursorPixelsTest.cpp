#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/engine/gui/pixels/GuiPixelFixture.h"

#include <gtest/gtest.h>

using namespace OrvaneEngine;
using corvellan::test::Describe;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};

using CursorPixelsTest = corvellan::test::GuiPixelFixture;

TEST_P(CursorPixelsTest, TheTexturedCursorCoversTheFrontLayer)
{
    WriteTexture("blue.tga", kBlue);
    WriteTexture("yellow.tga", kYellow);
    const ShaderDescriptor cursorLook = MakeShaderDescriptor("yellow.tga", "", true);
    GUICursor* cursor = Gui().CreateCursor(&cursorLook, 32.0f);
    ASSERT_NE(cursor, nullptr);
    cursor->visible = true;
    const ShaderDescriptor windowLook = MakeShaderDescriptor("blue.tga", "", true);
    // Made after the cursor, so creation order alone would put it on top.
    Gui().CreateTexturedWindow(GUIWindow::FlagShown | GUIWindow::FlagFrontLayer, Vector2(300.0f, 200.0f),
                               Vector2(300.0f, 200.0f), &windowLook, nullptr, Vector2(1.0f, 1.0f));

    // The middle of the window: the mode's pixel (width / 2, height / 2).
    ASSERT_TRUE(win32::testing::PushMouseMotion(engine->window->handle, static_cast<std::int32_t>(WindowWidth() / 2),
                                                static_cast<std::int32_t>(WindowHeight() / 2), 0, 0));
    Frame();
    const Vector2 hotSpot = Gui().GetCursorPosition();
    const std::uint32_t height = GetParam().height;
    ASSERT_FLOAT_EQ(hotSpot.x, 400.0f);
    ASSERT_FLOAT_EQ(hotSpot.y, 600.0f * static_cast<float>(height - height / 2 - 1) / static_cast<float>(height));
    ASSERT_FLOAT_EQ(cursor->position.x, hotSpot.x);
    // The square hangs down and right of the hot spot, inside the window.
    EXPECT_EQ(FillFaults(hotSpot.x, hotSpot.y - 32.0, 32.0, 32.0, kYellow), "");
    EXPECT_TRUE(Near(At(320.0, 220.0), kBlue, 2)) << Describe(At(320.0, 220.0));

    cursor->visible = false;
    Frame();
    EXPECT_TRUE(Near(At(hotSpot.x + 16.0, hotSpot.y - 16.0), kBlue, 2))
        << Describe(At(hotSpot.x + 16.0, hotSpot.y - 16.0));
}

INSTANTIATE_TEST_SUITE_P(Screens, CursorPixelsTest, ::testing::ValuesIn(corvellan::test::kGuiScreens),
                         corvellan::test::GuiScreenName);

} // namespace
