// The menu background on a headless engine, driven frame by frame.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "tests/support/MenuHarness.h"
#include "tools/GUITextPrinter.h"

#include <gtest/gtest.h>

#include <string>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using content::BackgroundLayerEntry;

class GUIBackgroundWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(menu.data.WriteDefault()); }

    MenuHarness menu;
};

TEST_F(GUIBackgroundWindowTest, StartUpWalksItsStatesOnlyOnceActive)
{
    menu.Start();
    Mirabel::GUIBackgroundWindow& background = *menu.background;
    for (int frame = 0; frame < 10; ++frame)
        menu.Step(50);
    EXPECT_EQ(background.GetState(), 0u);
    EXPECT_FALSE(background.GetForegroundWindows().front()->visible);

    background.active = 1;
    std::vector<std::uint32_t> states{background.GetState()};
    for (int frame = 0; frame < 400 && !background.IsWaitingForGameData(); ++frame)
    {
        menu.Step(50);
        if (background.GetState() != states.back())
            states.push_back(background.GetState());
    }
    EXPECT_EQ(states, (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_TRUE(background.IsWaitingForGameData());
    EXPECT_TRUE(background.IsTextPrinted());
    EXPECT_EQ(background.GetPrinter().GetText(), u"LOADING");
    EXPECT_EQ(menu.manager->tokenFree, 0);

    background.SetGameData(&menu.LoadGameData());
    menu.Step(50);
    EXPECT_EQ(background.GetState(), 4u);
    menu.Step(50);
    EXPECT_EQ(menu.manager->tokenFree, 1);
    EXPECT_EQ(background.GetState(), 5u);
    menu.Step(50);
    EXPECT_EQ(background.GetState(), 6u);
}

} // namespace
} // namespace corvellan::test
