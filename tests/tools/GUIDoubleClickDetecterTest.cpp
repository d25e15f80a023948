#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/VirtualMouse.h"
#include "tests/support/gtest/EngineTestFixture.h"
#include "tools/GUIDoubleClickDetecter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using GameTools::GUIDoubleClickDetecter;
using OrvaneEngine::GUIWindow;
using OrvaneEngine::Vector2;

namespace
{

// What happens in one 0.1 s frame.
enum class Act
{
    Idle,
    PressW,
    PressV,
    PressOutside,
    Release,
    RemoveW,
    RemoveAndAddW,
    HideW,
};

// Two registered windows side by side on the 800 x 600 window, the mouse
// moved by real input events and the clock by 0.1 s a frame.
class GUIDoubleClickDetecterTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(1000);
        Start();
        // The game's virtual screen, as its start-up sets it.
        engine->guiManager->SetScreenSize(800, 600);
        w = engine->guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(100, 100), Vector2(100, 100), nullptr,
                                             nullptr);
        v = engine->guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(300, 100), Vector2(100, 100), nullptr,
                                             nullptr);
        detecter = std::make_unique<GUIDoubleClickDetecter>(engine.get());
        detecter->AddWindow(w);
        detecter->AddWindow(v);
        mouse.emplace(engine->window->handle, 600);
    }

    void TearDown() override
    {
        // The mouse outlives the engine: a button left down would swallow
        // the next test's first press.
        if (mouse && mouse->IsDown() && engine)
        {
            mouse->Button(false);
            engine->Update();
        }
        detecter.reset();
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    void MoveTo(std::int32_t x, std::int32_t y) { ASSERT_TRUE(mouse->MoveTo(x, y)); }
    void Button(bool down) { ASSERT_TRUE(mouse->Button(down)); }

    // Runs the acts a frame each; the frames (counted from 0) that reported
    // a double click, and the window named in each.
    std::vector<std::pair<int, GUIWindow*>> Run(const std::vector<Act>& acts)
    {
        std::vector<std::pair<int, GUIWindow*>> clicks;
        for (std::size_t frame = 0; frame < acts.size(); ++frame)
        {
            switch (acts[frame])
            {
            case Act::Idle:
                break;
            case Act::PressW:
                MoveTo(150, 150);
                Button(true);
                break;
            case Act::PressV:
                MoveTo(350, 150);
                Button(true);
                break;
            case Act::PressOutside:
                MoveTo(600, 500);
                Button(true);
                break;
            case Act::Release:
                Button(false);
                break;
            case Act::RemoveW:
                detecter->RemoveWindow(w);
                break;
            case Act::RemoveAndAddW:
                detecter->RemoveWindow(w);
                detecter->AddWindow(w);
                break;
            case Act::HideW:
                w->ClearFlags(GUIWindow::FlagShown);
                break;
            }
            win32::testing::AdvanceFakeMilliseconds(100);
            engine->Update();
            detecter->Update();
            if (detecter->IsDoubleClick())
                clicks.emplace_back(static_cast<int>(frame), detecter->GetWindow());
            engine->Frame(0);
        }
        return clicks;
    }

    GUIWindow* w = nullptr;
    GUIWindow* v = nullptr;
    std::unique_ptr<GUIDoubleClickDetecter> detecter;
    std::optional<corvellan::test::VirtualMouse> mouse;
};

TEST_F(GUIDoubleClickDetecterTest, Sequences)
{
    using A = Act;
    const struct
    {
        const char* name;
        std::vector<Act> acts;
        // The frame of the double click on W, or -1 for none.
        int clickFrame;
    } cases[] = {
        {"press, release, press, release on W", {A::Idle, A::PressW, A::Release, A::PressW, A::Release, A::Idle}, 4},
        {"the whole double click within 0.5 s",
         {A::PressW, A::Idle, A::Release, A::Idle, A::PressW, A::Release},
         5},
        {"the second press at 0.7 s",
         {A::PressW, A::Release, A::Idle, A::Idle, A::Idle, A::Idle, A::Idle, A::PressW, A::Release, A::Idle},
         -1},
        {"first press on W, second on V", {A::PressW, A::Release, A::PressV, A::Release, A::Idle}, -1},
        {"second press outside every window", {A::PressW, A::Release, A::PressOutside, A::Release, A::Idle}, -1},
        {"W unregistered and registered again between the presses",
         {A::PressW, A::Release, A::RemoveAndAddW, A::PressW, A::Release, A::Idle},
         -1},
        {"W hidden", {A::HideW, A::PressW, A::Release, A::PressW, A::Release, A::Idle}, -1},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        const auto clicks = Run(row.acts);
        if (row.clickFrame < 0)
        {
            EXPECT_TRUE(clicks.empty());
            continue;
        }
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_EQ(clicks[0].first, row.clickFrame);
        EXPECT_EQ(clicks[0].second, w);
    }
}

TEST_F(GUIDoubleClickDetecterTest, SecondWindowStartsItsOwnCount)
{
    Run({Act::PressW, Act::Release, Act::PressV});
    EXPECT_EQ(detecter->GetWindow(), v);
    EXPECT_EQ(detecter->GetClickCount(), 1u);
    EXPECT_EQ(Run({Act::Release, Act::PressV, Act::Release}), (std::vector<std::pair<int, GUIWindow*>>{{2, v}}));
}

TEST_F(GUIDoubleClickDetecterTest, PressOutsideDropsThePendingClick)
{
    Run({Act::PressW, Act::Release, Act::PressOutside});
    EXPECT_EQ(detecter->GetWindow(), nullptr);
    EXPECT_EQ(detecter->GetClickCount(), 0u);
}

TEST_F(GUIDoubleClickDetecterTest, RemovedWindowIsNoLongerNamed)
{
    Run({Act::PressW, Act::Release});
    ASSERT_EQ(detecter->GetWindow(), w);
    detecter->RemoveWindow(v);
    EXPECT_EQ(detecter->GetWindow(), w) << "another window's removal leaves the click";
    detecter->RemoveWindow(w);
    EXPECT_EQ(detecter->GetWindow(), nullptr);
    EXPECT_EQ(detecter->GetClickCount(), 0u);
    // Its owner may now release it.
    engine->guiManager->ReleaseWindow(w);
    w = nullptr;
    EXPECT_TRUE(Run({Act::Idle, Act::Release, Act::Idle}).empty());
}

} // namespace
