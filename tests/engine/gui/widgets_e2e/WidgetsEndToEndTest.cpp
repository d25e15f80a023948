// Widgets on a headless engine, driven by real mouse events and the fake
// millisecond clock, one engine frame at a time.
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

class WidgetsEndToEndTest : public EngineTestFixture
{
protected:
    WidgetsEndToEndTest() : EngineTestFixture(Options{true})
    {
        win32::testing::SetFakeMilliseconds(clock);
        Start();
        engine->guiManager->SetScreenSize(800.0f, 600.0f);
        RunFrame();
    }
    ~WidgetsEndToEndTest() override
    {
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    // One frame of the program, the clock moved on by the given time.
    void RunFrame(std::uint32_t milliseconds = 16)
    {
        clock += milliseconds;
        win32::testing::SetFakeMilliseconds(clock);
        engine->Update();
        engine->Frame(0);
    }

    // The cursor at a point of the 800 x 600 virtual screen (y up).
    void MoveTo(std::int32_t x, std::int32_t y)
    {
        const std::int32_t row = 599 - y;
        ASSERT_TRUE(win32::testing::PushMouseMotion(Handle(), x, row, x - lastX, row - lastRow));
        lastX = x;
        lastRow = row;
    }
    void Button(bool down) { ASSERT_TRUE(win32::testing::PushMouseButton(Handle(), 0, down, lastX, lastRow)); }
    win32::HWND Handle() const { return engine->window->handle; }

    std::uint32_t clock = 100000;
    std::int32_t lastX = 0;
    std::int32_t lastRow = 0;
};

TEST_F(WidgetsEndToEndTest, ATapOnAButtonClicksItInTheNextFrame)
{
    GUIButton* button = engine->guiManager->CreateButton(1, Vector2(400, 400), Vector2(100, 50), nullptr, nullptr);
    MoveTo(450, 425);
    RunFrame();
    EXPECT_EQ(button->state, GUIButton::StateHover);
    Button(true);
    Button(false);
    RunFrame();
    EXPECT_EQ(button->state, GUIButton::StatePressed);
    EXPECT_FALSE(button->clicked);
    RunFrame();
    EXPECT_TRUE(button->clicked);
    EXPECT_EQ(button->state, GUIButton::StateHover);
    RunFrame();
    EXPECT_FALSE(button->clicked);
}

TEST_F(WidgetsEndToEndTest, AScrollBarIsDraggedToItsMiddleThenSteppedToItsEnd)
{
    // Track x 120..300 on screen, thumb 20 wide; the increase button right
    // of it at 320..340.
    GUIScroll* scroll = engine->guiManager->CreateScroll(1, Vector2(100, 300), Vector2(240, 20), nullptr, 0,
                                                         Vector2(20, 0), Vector2(200, 0), 11, nullptr);
    scroll->SetThumb(Vector2(20, 20), nullptr);
    scroll->SetDecreaseButton(Vector2(0, 0), Vector2(20, 20), nullptr);
    scroll->SetIncreaseButton(Vector2(220, 0), Vector2(20, 20), nullptr);

    // Grab the thumb at its centre and drag it to the centre of position 5.
    MoveTo(130, 310);
    RunFrame();
    Button(true);
    RunFrame();
    EXPECT_TRUE(scroll->IsDragging());
    EXPECT_EQ(scroll->GetPosition(), 0u);
    MoveTo(175, 310);
    RunFrame();
    MoveTo(220, 310);
    RunFrame();
    EXPECT_EQ(scroll->GetPosition(), 5u);
    Button(false);
    RunFrame();
    EXPECT_FALSE(scroll->IsDragging());
    EXPECT_EQ(scroll->GetPosition(), 5u);

    // Hold the increase button for a second of frames: a step at the press,
    // then one every 0.15 s, up to the last position.
    MoveTo(330, 310);
    RunFrame();
    EXPECT_EQ(scroll->GetPosition(), 5u);
    Button(true);
    RunFrame();
    EXPECT_EQ(scroll->GetPosition(), 6u);
    for (std::uint32_t elapsed = 0; elapsed < 1000; elapsed += 20)
        RunFrame(20);
    EXPECT_EQ(scroll->GetPosition(), 10u);
    EXPECT_TRUE(scroll->IsDragging());
    Button(false);
    RunFrame();
    EXPECT_FALSE(scroll->IsDragging());
}

} // namespace

} // namespace corvellan::test
