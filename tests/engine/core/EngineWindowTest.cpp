#include "engine/core/Config.h"
#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "platform/win32/Messages.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace OrvaneEngine;
namespace wt = win32::testing;

namespace
{

class EngineWindowTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        wt::ResetWindowHooks();
        settings.videoMode = "640x480x32";
    }
    void TearDown() override { wt::ResetWindowHooks(); }

    static void Pump()
    {
        win32::MSG message{};
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
    }
};

TEST_F(EngineWindowTest, WindowAndControlsLiveAsLongAsTheEngine)
{
    {
        Engine engine(settings);
        ASSERT_NE(engine.window, nullptr);
        ASSERT_NE(engine.controls, nullptr);
        EXPECT_TRUE(win32::IsWindow(engine.window->handle));
        EXPECT_EQ(wt::GetWindowTitle(engine.window->handle), "Test 1.03");
        EXPECT_EQ(engine.window->width, 640u);
        EXPECT_EQ(engine.window->height, 480u);
        EXPECT_FALSE(engine.window->fullscreen);
        engine.controls->ShowCursor(false);
        engine.Update();
        EXPECT_LT(wt::GetDisplayCounter(), 0);
    }
    EXPECT_GE(wt::GetDisplayCounter(), 0) << "the cursor is shown again";
    EXPECT_EQ(wt::GetWindowCount(), 0u);
    EXPECT_FALSE(wt::IsVideoStarted());
}

TEST_F(EngineWindowTest, WindowUpdatesBeforeTheInputStep)
{
    Engine engine(settings);
    engine.controls->BlockInput();
    // The lock holds for a typed character only when the window has moved it
    // in before the input step runs.
    ASSERT_TRUE(wt::PushText(engine.window->handle, "a"));
    Pump();
    engine.Update();
    EXPECT_TRUE(engine.controls->IsBlocked());
    engine.Frame(0);
    engine.Update();
    EXPECT_FALSE(engine.controls->IsBlocked());
}

TEST_F(EngineWindowTest, PrintScreenRequestIsServedInTheSameFrame)
{
    Engine engine(settings);
    ASSERT_TRUE(wt::PushKey(engine.window->handle, "PrintScreen", true));
    Pump();
    engine.Update();
    EXPECT_TRUE(engine.config->GetCommandFlag("sc_take_screenshot"));
    const std::string shot = folder.Join("ScreenCaptures/picture000.bmp");
    ASSERT_FALSE(std::filesystem::exists(shot));
    engine.Frame(0);
    // The key of this frame became a request that this frame's capture step
    // served: the picture is on disk and no request is left for the next frame.
    EXPECT_TRUE(std::filesystem::exists(shot));
    EXPECT_TRUE(engine.config->GetCommandFlag("sc_take_screenshot"));
}

TEST_F(EngineWindowTest, ClosingTheWindowEndsTheLoop)
{
    Engine engine(settings);
    ASSERT_TRUE(wt::PushWindowEvent(engine.window->handle, wt::WindowEvent::Close));
    Pump();
    EXPECT_TRUE(engine.IsExiting());
    EXPECT_TRUE(win32::IsWindow(engine.window->handle));
}

} // namespace
