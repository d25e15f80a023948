// The level loading screen: "LOADING" first, once the token is free, then
// the load on the worker, and the unicorn for the last level of the game.
#include "content/PhotoPicture.h"
#include "content/PuzzleCutter.h"
#include "engine/render/Image.h"
#include "framework/StageRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIUnicorn.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/MenuHarness.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvellan::test
{
namespace
{

using Mirabel::GUIGameLogicLoadingWindow;

class GUIGameLogicLoadingWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.data.WriteDefault());
        OrvaneEngine::Image picture;
        content::MakePhotoPicture(picture, 256, 128, 3);
        content::PuzzleCutOptions options;
        options.columns = 4;
        options.rows = 2;
        ASSERT_EQ(content::PuzzleCutter::WriteFolder(picture, options, menu.data.DataPath("puzzles\\photo")), "");
        ASSERT_TRUE(menu.StartMenus());
        unicorn = std::make_unique<Mirabel::GUIUnicorn>(menu.engine, menu.sounds.get(), menu.background.get());
        screen = std::make_unique<GUIGameLogicLoadingWindow>(menu.engine, menu.levels.get(), menu.manager.get(),
                                                             unicorn.get());
        menu.updates.push_back([this] { screen->Update(); });
    }

    void Load(std::uint32_t stage, std::uint32_t level)
    {
        record.stageIndex = stage;
        record.levelIndex = level;
        record.puzzleFolder = "photo";
        data = std::make_unique<Mirabel::GameLogicData>(menu.engine, MenuData::Language, &stageRecord, &record);
        screen->Show(data.get());
    }

    MenuHarness menu;
    std::unique_ptr<Mirabel::GUIUnicorn> unicorn;
    std::unique_ptr<GUIGameLogicLoadingWindow> screen;
    GameFramework::StageRecord stageRecord;
    Mirabel::GameLevelRecord record;
    std::unique_ptr<Mirabel::GameLogicData> data;
};

TEST_F(GUIGameLogicLoadingWindowTest, TheLoadWaitsForTheTokenAndForLoadingToBePrinted)
{
    // A menu window still closing holds the token.
    menu.manager->tokenFree = 0;
    Load(0, 0);
    for (int n = 0; n < 20; ++n)
    {
        menu.Step(50);
        EXPECT_FALSE(screen->printed) << n;
        EXPECT_FALSE(screen->IsDone()) << n;
        EXPECT_EQ(screen->result, 0u) << n;
    }
    menu.manager->tokenFree = 1;
    int frames = 0;
    const std::uint32_t offThreadBefore = d3d7::testing::GetOffThreadGlCalls();
    while (!screen->printed && frames < 200)
    {
        menu.Step(50);
        EXPECT_FALSE(screen->IsDone()) << frames;
        EXPECT_EQ(screen->result, 0u) << frames;
        ++frames;
    }
    ASSERT_TRUE(screen->printed);
    EXPECT_TRUE(menu.manager->IsTextPrinted());
    menu.Update(50);
    EXPECT_TRUE(screen->IsDone());
    EXPECT_EQ(screen->result, 1u);
    menu.Render();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThreadBefore);
    screen->Hide();
    menu.Step(50);
    EXPECT_EQ(screen->result, 0u);
}

TEST_F(GUIGameLogicLoadingWindowTest, OnlyTheLastLevelOfTheLastStageLoadsTheUnicorn)
{
    // The fixture's level lists hold two stages of two levels.
    const struct
    {
        std::uint32_t stage;
        std::uint32_t level;
        bool unicorn;
    } rows[] = {{0, 1, false}, {1, 0, false}, {1, 1, true}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(std::to_string(row.stage) + "-" + std::to_string(row.level));
        EXPECT_EQ(unicorn->GetWindow(), nullptr);
        Load(row.stage, row.level);
        ASSERT_TRUE(menu.StepUntil([&] { return screen->result == 1; }, 50, 200));
        EXPECT_EQ(unicorn->GetWindow() != nullptr, row.unicorn);
        screen->Hide();
        menu.Step(50);
    }
}

} // namespace
} // namespace corvellan::test
