// Scroll bars: the step buttons with their repeat while held and hovered,
// the children they own, and what reaches those children.
#include "engine/core/Matrix4.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "tests/support/GuiServices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

// A horizontal bar at (100, 100): decrease button, track, increase button.
// The thumb's rectangle (track plus one thumb) touches neither button.
const Vector2 Corner(100.0f, 100.0f);
const Vector2 OnIncrease(330.0f, 110.0f);
const Vector2 OnDecrease(110.0f, 110.0f);
const Vector2 Away(600.0f, 500.0f);

class GUIScrollTest : public ::testing::Test
{
protected:
    GUIScroll* MakeScroll(std::uint32_t flags = 1, const Model* model = nullptr)
    {
        GUIScroll* scroll = services.gui->CreateScroll(flags, Corner, Vector2(240, 20), model, 0, Vector2(20, 0),
                                                       Vector2(200, 0), 11, nullptr);
        scroll->SetThumb(Vector2(20, 20), model);
        scroll->SetDecreaseButton(Vector2(0, 0), Vector2(20, 20), model);
        scroll->SetIncreaseButton(Vector2(220, 0), Vector2(20, 20), model);
        return scroll;
    }

    GuiServices services;
};

struct Hold
{
    Vector2 cursor;
    std::uint32_t frames;
};

TEST_F(GUIScrollTest, AHeldStepButtonStepsAtThePressThenEveryFifteenHundredthsWhileHovered)
{
    services.timers.frameTime = 1.0f / 60.0f;
    const struct
    {
        const char* name;
        std::uint32_t start;
        std::uint32_t step;
        std::vector<Hold> holds; // the first frame presses
        std::vector<std::uint32_t> movedIn;
        std::uint32_t end;
    } rows[] = {
        {"increase for 0.5 s", 0, 1, {{OnIncrease, 30}}, {1, 10, 19, 28}, 4},
        {"increase stops at the last position", 8, 1, {{OnIncrease, 30}}, {1, 10}, 10},
        {"decrease stops at 0", 1, 1, {{OnDecrease, 30}}, {1}, 0},
        {"decrease by more than is left", 2, 3, {{OnDecrease, 2}}, {1}, 0},
        {"increase by 3", 0, 3, {{OnIncrease, 10}}, {1, 10}, 6},
        {"leaving pauses, returning steps at once",
         0,
         1,
         {{OnIncrease, 5}, {Away, 15}, {OnIncrease, 10}},
         {1, 21, 30},
         3},
        {"held onto the button from outside: no press, no step", 0, 1, {{Away, 1}, {OnIncrease, 20}}, {}, 0},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        GUIScroll* scroll = MakeScroll();
        scroll->step = row.step;
        scroll->SetPosition(row.start);
        std::vector<std::uint32_t> movedIn;
        std::uint32_t frame = 0;
        for (const Hold& hold : row.holds)
        {
            for (std::uint32_t i = 0; i < hold.frames; ++i)
            {
                const std::uint32_t before = scroll->GetPosition();
                ++frame;
                ASSERT_TRUE(scroll->Update(hold.cursor, true, frame == 1));
                if (scroll->GetPosition() != before)
                    movedIn.push_back(frame);
            }
        }
        EXPECT_EQ(movedIn, row.movedIn);
        EXPECT_EQ(scroll->GetPosition(), row.end);
        EXPECT_EQ(scroll->IsDragging(), row.movedIn.size() > 0) << "a held step button counts as a drag";
        ASSERT_TRUE(scroll->Update(OnIncrease, false, false));
        EXPECT_FALSE(scroll->IsDragging());
        EXPECT_EQ(scroll->repeatTime, 0.0f);
        services.gui->ReleaseScroll(scroll);
    }
}

TEST_F(GUIScrollTest, ItsChildrenAreItsOwnAndNotTheManagers)
{
    std::unique_ptr<Model> quad = services.Box(Vector3(0, 0, 0), Vector3(1, 1, 0));
    const std::uint32_t modelsBefore = services.models.GetModelCount();
    GUIManager& gui = *services.gui;
    for (const std::uint32_t flags : {1u, 3u})
    {
        SCOPED_TRACE(flags);
        GUIScroll* scroll = MakeScroll(flags, quad.get());
        EXPECT_EQ(gui.GetScrolls().GetObjects(), std::vector<GUIScroll*>({scroll}));
        EXPECT_EQ(gui.GetButtons().GetCount(), 0u);
        EXPECT_EQ(gui.GetWindows().GetCount(), 0u);
        GUIButton* thumb = scroll->GetThumb();
        GUIButton* increase = scroll->GetIncreaseButton();
        GUIButton* decrease = scroll->GetDecreaseButton();
        EXPECT_EQ(scroll->GetChildren(), std::vector<GUIWindow*>({thumb, decrease, increase}));
        EXPECT_EQ(thumb->level, 2);
        EXPECT_FLOAT_EQ(thumb->depth, scroll->depth - 0.02f);
        EXPECT_EQ(thumb->hoverEvent, 8u);
        EXPECT_EQ(thumb->pressEvent, 9u);
        for (GUIButton* button : {increase, decrease})
        {
            EXPECT_EQ(button->flags, flags == 3 ? 3u : 1u);
            EXPECT_EQ(button->parent, scroll);
            EXPECT_EQ(button->hoverEvent, 10u);
            EXPECT_EQ(button->pressEvent, 11u);
            EXPECT_TRUE(button->autoFit);
        }
        EXPECT_EQ(increase->position.x, 220.0f);
        EXPECT_EQ(increase->size.x, 20.0f);
        // The manager drives them through the bar.
        gui.Render();
        const Vector3 placed = increase->model->worldMatrix.TransformPoint(Vector3(0, 0, 0));
        EXPECT_FLOAT_EQ(placed.x, Corner.x + 220.0f);
        EXPECT_FLOAT_EQ(placed.y, Corner.y);
        gui.ReleaseScroll(scroll);
        EXPECT_EQ(gui.GetScrolls().GetCount(), 0u);
        EXPECT_EQ(services.models.GetModelCount(), modelsBefore) << "the bar and its three children released theirs";
    }
    // Left to the manager's end: freed once, with the bar.
    MakeScroll(3, quad.get());
    GUIWindow* label = gui.CreateWindow(1, Vector2(5, 5), Vector2(10, 10), quad.get(), gui.GetScrolls().GetObjects()[0]);
    services.gui.reset();
    EXPECT_EQ(services.models.GetModelCount(), modelsBefore);
    (void)label;
}

TEST_F(GUIScrollTest, EnablingAndColourReachEveryChild)
{
    std::unique_ptr<Model> quad = services.Box(Vector3(0, 0, 0), Vector3(1, 1, 0));
    GUIScroll* scroll = MakeScroll(3, quad.get());
    services.timers.frameTime = 1.0f / 60.0f;
    const Color red(1.0f, 0.0f, 0.0f, 0.5f);
    scroll->SetColor(red);
    for (GUIWindow* window : std::vector<GUIWindow*>{scroll, scroll->GetThumb(), scroll->GetIncreaseButton(),
                                                     scroll->GetDecreaseButton()})
    {
        const Color color = window->GetColor();
        // Stored in 8 bits a channel.
        EXPECT_NEAR(color.r, red.r, 1.0f / 255.0f);
        EXPECT_NEAR(color.g, red.g, 1.0f / 255.0f);
        EXPECT_NEAR(color.a, red.a, 1.0f / 255.0f);
    }

    scroll->SetEnabled(false);
    EXPECT_FALSE(scroll->IsEnabled());
    EXPECT_EQ(scroll->state, GUISlider::StateDisabled);
    for (GUIButton* button : {scroll->GetThumb(), scroll->GetIncreaseButton(), scroll->GetDecreaseButton()})
        EXPECT_EQ(button->state, GUIButton::StateDisabled);
    for (const Vector2& cursor : {OnIncrease, OnDecrease, Vector2(200, 110)})
    {
        EXPECT_FALSE(scroll->Update(cursor, true, true));
        EXPECT_FALSE(scroll->IsDragging());
        EXPECT_EQ(scroll->GetPosition(), 0u);
    }
    scroll->SetEnabled(true);
    for (GUIButton* button : {scroll->GetThumb(), scroll->GetIncreaseButton(), scroll->GetDecreaseButton()})
        EXPECT_EQ(button->state, GUIButton::StateNormal);
    EXPECT_TRUE(scroll->Update(OnIncrease, true, true));
    EXPECT_EQ(scroll->GetPosition(), 1u);

    // A hidden bar forgets a held button's repeat.
    scroll->Update(OnIncrease, true, false);
    ASSERT_NE(scroll->repeatTime, 0.0f);
    scroll->ClearFlags(GUIWindow::FlagShown);
    EXPECT_FALSE(scroll->Update(OnIncrease, true, false));
    EXPECT_EQ(scroll->repeatTime, 0.0f);
}

} // namespace

} // namespace corvellan::test
