// Steady frames of buttons, check boxes and a scroll bar whose step button
// is held allocate nothing: the manager walks its registries and the widgets
// only change their own fields and their models' frames.
#include "engine/core/TimerManager.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/support/GuiServices.h"
#include "tests/support/allocation/AllocationCount.h"

#include <gtest/gtest.h>

#include <memory>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::GuiServices;

TEST(WidgetFrameAllocationTest, SteadyFramesOfHeldWidgetsAllocateNothing)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    std::unique_ptr<Model> quad = services.Box(Vector3(0, 0, 0), Vector3(1, 1, 0));
    services.timers.frameTime = 0.05f;

    // The cursor rests on the overlap of a button, a check box and the
    // scroll bar's increase button.
    gui.CreateButton(1, Vector2(300, 280), Vector2(50, 50), quad.get(), nullptr);
    gui.CreateCheckBox(3, Vector2(310, 290), Vector2(50, 50), quad.get(), nullptr);
    GUIScroll* scroll =
        gui.CreateScroll(3, Vector2(100, 300), Vector2(240, 20), quad.get(), 0, Vector2(20, 0), Vector2(200, 0), 1000,
                         nullptr);
    scroll->SetThumb(Vector2(20, 20), quad.get());
    scroll->SetDecreaseButton(Vector2(0, 0), Vector2(20, 20), quad.get());
    scroll->SetIncreaseButton(Vector2(220, 0), Vector2(20, 20), quad.get());
    const win32::HWND window = services.window->handle;
    ASSERT_TRUE(win32::testing::PushMouseMotion(window, 330, 599 - 310, 1, 1));
    ASSERT_TRUE(win32::testing::PushMouseButton(window, 0, true, 330, 599 - 310));

    long counted = 0;
    for (int frame = 0; frame < 12; ++frame)
    {
        services.window->Update();
        services.controls->Update();
        const long before = corvellan::test::AllocationCount();
        gui.Update();
        gui.Render();
        const long during = corvellan::test::AllocationCount() - before;
        services.controls->EndFrame();
        if (frame >= 3)
            counted += during;
    }
    EXPECT_GT(scroll->GetPosition(), 3u) << "the increase button was held throughout";
    EXPECT_EQ(counted, 0);
}

} // namespace
} // namespace OrvaneEngine
