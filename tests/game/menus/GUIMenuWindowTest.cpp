// Menu frames opening and closing over the menu background, one at a time.
#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "tests/support/MenuHarness.h"
#include "tools/GUITextPrinter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIMenuWindow;

constexpr float Step8 = 0.006f;

class GUIMenuWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.data.WriteDefault());
        ASSERT_TRUE(menu.StartMenus());
    }

    GUIMenuWindow& Make(std::uint32_t kind)
    {
        windows.push_back(std::make_unique<GUIMenuWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                          menu.manager.get(), kind, nullptr));
        GUIMenuWindow* window = windows.back().get();
        menu.updates.push_back([window] { window->Update(); });
        return *window;
    }

    static Mirabel::GUIControl& Frame(GUIMenuWindow& window) { return *window.controlList.front(); }

    // Steps until the window is fully open; asks it to open unless it is.
    bool OpenFully(GUIMenuWindow& window, std::uint32_t milliseconds = 50)
    {
        if (!window.IsOpen())
            window.SetOpen(1);
        return menu.StepUntil([&] { return window.color.a > 0.9999f; }, milliseconds, 100);
    }

    MenuHarness menu;
    std::vector<std::unique_ptr<GUIMenuWindow>> windows;
};

TEST_F(GUIMenuWindowTest, ControlsFadeInAfterTheAppearAndOutBeforeTheDisappear)
{
    GUIMenuWindow& window = Make(1);
    window.SetOpen(1);
    menu.Step(100);
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(menu.manager->tokenFree, 0);
    ASSERT_TRUE(menu.StepUntil([&] { return window.IsAnyControlAppearing() == 0; }, 100, 20));
    EXPECT_EQ(window.color.a, 0.0f);
    std::vector<float> alphas;
    for (int n = 0; n < 3; ++n)
    {
        menu.Step(100);
        alphas.push_back(window.color.a);
    }
    EXPECT_NEAR(alphas[0], 0.4f, 1e-5f);
    EXPECT_NEAR(alphas[1], 0.8f, 1e-5f);
    EXPECT_NEAR(alphas[2], 1.0f, 1e-5f);

    window.SetOpen(0);
    EXPECT_FALSE(window.IsOpen());
    const AnimationControl* frame = Frame(window).widget->model->GetAnimationControl();
    std::vector<float> closing;
    int disappearFrame = -1;
    int freedFrame = -1;
    int invisibleFrame = -1;
    for (int n = 0; n < 40 && freedFrame < 0; ++n)
    {
        menu.Step(50);
        closing.push_back(window.color.a);
        if (disappearFrame < 0 && frame->GetCurrentRangeId() == 1)
            disappearFrame = n;
        if (invisibleFrame < 0 && !Frame(window).IsVisible())
            invisibleFrame = n;
        if (menu.manager->tokenFree != 0)
            freedFrame = n;
    }
    ASSERT_GE(closing.size(), 3u);
    EXPECT_NEAR(closing[0], 0.6f, 1e-5f);
    EXPECT_NEAR(closing[1], 0.2f, 1e-5f);
    EXPECT_EQ(closing[2], 0.0f);
    EXPECT_EQ(disappearFrame, 2);
    EXPECT_GT(freedFrame, disappearFrame);
    EXPECT_EQ(freedFrame, invisibleFrame);
}

TEST_F(GUIMenuWindowTest, OnlyTheSmallerFramesPlayWindowSounds)
{
    for (std::uint32_t kind = 0; kind < 4; ++kind)
    {
        SCOPED_TRACE(kind);
        GUIMenuWindow& window = Make(kind);
        const float appearBefore = menu.SoundLastStart(GUIMenuWindow::SoundAppear);
        window.SetOpen(1);
        menu.Step(50);
        EXPECT_EQ(menu.SoundLastStart(GUIMenuWindow::SoundAppear) != appearBefore, kind != 0);
        ASSERT_TRUE(OpenFully(window));
        const float disappearBefore = menu.SoundLastStart(GUIMenuWindow::SoundDisappear);
        window.SetOpen(0);
        menu.Step(50);
        EXPECT_EQ(menu.SoundLastStart(GUIMenuWindow::SoundDisappear) != disappearBefore, kind != 0);
        // Closing a closed window plays nothing.
        ASSERT_TRUE(menu.StepUntil([&] { return menu.manager->tokenFree != 0; }, 50, 60));
        const float closedBefore = menu.SoundLastStart(GUIMenuWindow::SoundDisappear);
        window.SetOpen(0);
        menu.Step(50);
        EXPECT_EQ(menu.SoundLastStart(GUIMenuWindow::SoundDisappear), closedBefore);
    }
}

TEST_F(GUIMenuWindowTest, TheFrameFadesOverItsFirstAndLastFifteenFrames)
{
    GUIMenuWindow& window = Make(1);
    window.SetOpen(1);
    menu.Step(50);
    AnimationControl& frame = *Frame(window).widget->model->GetAnimationControl();
    frame.speed = 0.0f;
    struct Row
    {
        std::int32_t range;
        float frame;
        float alpha;
    };
    const float last = static_cast<float>(frame.GetFrameCount() - 1);
    for (const Row& row : {Row{0, 0.0f, 0.0f}, Row{0, 7.5f, 0.5f}, Row{0, 15.0f, 1.0f}, Row{0, 20.0f, 1.0f},
                           Row{1, 7.5f, 0.5f}})
    {
        SCOPED_TRACE(row.frame);
        if (frame.GetCurrentRangeId() != row.range)
            frame.SetAnimation(row.range);
        // Range 1 runs from the last frame down.
        frame.time = row.range == 0 ? row.frame : last - row.frame;
        frame.Update();
        window.Update();
        EXPECT_NEAR(Frame(window).widget->GetColor().a, row.alpha, Step8);
    }
}

TEST_F(GUIMenuWindowTest, TwoWindowsShownTogetherOpenOneAfterTheOther)
{
    GUIMenuWindow& first = Make(2);
    GUIMenuWindow& second = Make(2);
    first.SetOpen(1);
    second.SetOpen(1);
    ASSERT_TRUE(menu.StepUntil([&] { return first.color.a > 0.9999f; }, 50, 60));
    EXPECT_TRUE(first.IsOpen());
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(Frame(second).IsVisible());

    first.SetOpen(0);
    int gone = -1;
    int opened = -1;
    for (int n = 0; n < 60 && opened < 0; ++n)
    {
        menu.Step(50);
        if (gone < 0 && !Frame(first).IsVisible())
            gone = n;
        if (second.IsOpen())
            opened = n;
    }
    EXPECT_GE(gone, 0);
    EXPECT_EQ(opened, gone);
}

TEST_F(GUIMenuWindowTest, AWindowHiddenWhileWaitingOpensOnceTheTokenIsFree)
{
    GUIMenuWindow& first = Make(1);
    GUIMenuWindow& waiting = Make(1);
    ASSERT_TRUE(OpenFully(first));
    waiting.SetOpen(1);
    menu.Step(50);
    waiting.SetOpen(0);
    EXPECT_EQ(waiting.openRequest, 1);
    first.SetOpen(0);
    ASSERT_TRUE(menu.StepUntil([&] { return waiting.IsOpen(); }, 50, 60));
    EXPECT_FALSE(Frame(first).IsVisible());
}

TEST_F(GUIMenuWindowTest, AWindowClosedWhileItAppearsStillGoesAndFreesTheToken)
{
    GUIMenuWindow& hasty = Make(2);
    GUIMenuWindow& next = Make(2);
    hasty.SetOpen(1);
    menu.Step(50);
    ASSERT_TRUE(hasty.IsOpen());
    menu.Step(50);
    ASSERT_TRUE(hasty.IsAnyControlAppearing());
    hasty.SetOpen(0);
    // The disappear animation takes (frames - 1) / 32 s; one frame more is allowed.
    const auto frames = static_cast<int>(Frame(hasty).widget->model->GetAnimationControl()->GetFrameCount());
    const int budget = static_cast<int>((frames - 1) / 32.0f / 0.05f) + 2;
    EXPECT_TRUE(menu.StepUntil([&] { return menu.manager->tokenFree != 0; }, 50, budget));
    EXPECT_FALSE(Frame(hasty).IsVisible());
    next.SetOpen(1);
    menu.Step(50);
    EXPECT_TRUE(next.IsOpen());
    EXPECT_TRUE(OpenFully(next));
}

TEST_F(GUIMenuWindowTest, APanelWindowRaisesThePanelFirstAndLowersItAfterClosing)
{
    GUIMenuWindow& pause = Make(2);
    Mirabel::GUIBackgroundWindow& background = *menu.background;
    // A level has started: the background has faded out and hidden its text.
    background.Reset();
    ASSERT_TRUE(menu.StepUntil([&] { return background.IsTextAreaHidden(); }, 50, 20));
    pause.needsTextAreaPanel = 1;
    pause.SetOpen(1);
    std::vector<std::uint32_t> states{background.GetState()};
    for (int n = 0; n < 60 && !pause.IsAnyControlAppearing(); ++n)
    {
        menu.Step(50);
        if (background.GetState() != states.back())
            states.push_back(background.GetState());
        if (!pause.IsAnyControlAppearing())
        {
            EXPECT_FALSE(Frame(pause).IsVisible()) << n;
        }
    }
    EXPECT_EQ(states, (std::vector<std::uint32_t>{6, 7, 8}));
    EXPECT_TRUE(pause.IsAnyControlAppearing());
    ASSERT_TRUE(OpenFully(pause));
    EXPECT_TRUE(background.IsTextAreaBusy());

    pause.lowerPanelAfterClose = 1;
    pause.SetOpen(0);
    bool frameGoneBeforeLowering = true;
    for (int n = 0; n < 60 && background.IsTextAreaBusy(); ++n)
    {
        menu.Step(50);
        if (!background.IsTextAreaBusy())
            frameGoneBeforeLowering = !Frame(pause).IsVisible();
    }
    EXPECT_FALSE(background.IsTextAreaBusy());
    EXPECT_TRUE(frameGoneBeforeLowering);
    EXPECT_EQ(pause.panelPhase, 0);
    EXPECT_EQ(pause.lowerPanelAfterClose, 0);
}

TEST_F(GUIMenuWindowTest, TheTitleGoesToTheBackgroundsPrinterWhenTheWindowStartsToAppear)
{
    GUIMenuWindow& window = Make(0);
    window.SetTitle("MAIN_MENU_WELCOME");
    EXPECT_EQ(window.GetTitle(), u"Welcome");
    window.SetTitleText(u"Options");
    window.SetOpen(1);
    menu.Step(50);
    EXPECT_EQ(menu.background->GetPrinter().GetText(), u"Options");
}

} // namespace
} // namespace corvellan::test
