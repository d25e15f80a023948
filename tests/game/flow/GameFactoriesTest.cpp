// What the game's factories make, with what, and how it all goes at the end.
#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ObjectManager.h"
#include "engine/render/ShaderManager.h"
#include "framework/DataKeeper.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIGameLoadingWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUILogosWindow.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "tests/game/flow/FlowGame.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{

using corvellan::test::FlowGame;
using corvellan::test::FlowRun;
using namespace Mirabel;

TEST(GameFactoriesTest, EveryProductIsTheGamesClassMadeWithTheGamesServices)
{
    FlowRun run(true);
    FlowGame& game = run.Start();
    // The background comes with the loading screen and stays.
    GUIBackgroundWindow* background = game.menuBackground.get();
    ASSERT_NE(background, nullptr);
    const auto& loading = dynamic_cast<const GUIGameLoadingWindow&>(*game.loadingWindow);
    EXPECT_EQ(loading.background, background);
    EXPECT_EQ(loading.cursor, game.Cursor());
    EXPECT_NE(dynamic_cast<const GUILogosWindow*>(game.logosWindow.get()), nullptr);
    EXPECT_NE(dynamic_cast<const GUIGameCursor*>(game.gameCursor.get()), nullptr);
    EXPECT_NE(dynamic_cast<const LevelManager*>(game.levelManager.get()), nullptr);
    EXPECT_NE(dynamic_cast<const ProfileManager*>(game.profileManager.get()), nullptr);
    EXPECT_NE(dynamic_cast<const GameData*>(game.gameData.get()), nullptr);
    EXPECT_EQ(game.welcomeWindow, nullptr);

    ASSERT_TRUE(run.RunToMenus());
    EXPECT_EQ(game.menuBackground.get(), background);
    EXPECT_TRUE(game.ownObjectsBeforeScreens);
    EXPECT_EQ(game.menuWindowManager->background, background);

    const auto& levelLoading = dynamic_cast<const GUIGameLogicLoadingWindow&>(*game.gameLogicLoadingWindow);
    EXPECT_EQ(levelLoading.levelManager, game.levelManager.get());
    EXPECT_EQ(levelLoading.menuWindowManager, game.menuWindowManager.get());
    EXPECT_EQ(levelLoading.unicorn, game.unicorn.get());
    EXPECT_NE(dynamic_cast<const GUIStageCompleteWindow*>(game.stageCompleteWindow.get()), nullptr);
    const auto& map = dynamic_cast<const GUIStartGameLogicWindow&>(*game.startGameLogicWindow);
    EXPECT_EQ(game.relaxWindow->profileManager, game.profileManager.get());
    EXPECT_EQ(game.tutorialWindow->profileManager, game.profileManager.get());
    EXPECT_NE(dynamic_cast<const GUIGameLogicWindow*>(game.gameLogicWindow.get()), nullptr);

    // Every menu frame hangs under the background's top window.
    const std::pair<const char*, const GUIMenuWindow*> menus[] = {
        {"welcome", dynamic_cast<const GUIWelcomeWindow*>(game.welcomeWindow.get())},
        {"exit", dynamic_cast<const GUIExitWindow*>(game.exitWindow.get())},
        {"main menu", dynamic_cast<const GUIMainMenuWindow*>(game.mainMenuWindow.get())},
        {"profiles", dynamic_cast<const GUIProfilesWindow*>(game.profilesWindow.get())},
        {"new profile", dynamic_cast<const GUINewProfileWindow*>(game.newProfileWindow.get())},
        {"rename profile", dynamic_cast<const GUIRenameProfileWindow*>(game.renameProfileWindow.get())},
        {"delete profile", dynamic_cast<const GUIDeleteProfileWindow*>(game.deleteProfileWindow.get())},
        {"name conflict", dynamic_cast<const GUIProfileNameConflictWindow*>(game.profileNameConflictWindow.get())},
        {"map", &map},
        {"continue", dynamic_cast<const GUIContinueGameLogicWindow*>(game.continueGameLogicWindow.get())},
        {"high scores", dynamic_cast<const GUIHighScoresWindow*>(game.highScoresWindow.get())},
        {"options", dynamic_cast<const GUIOptionsWindow*>(game.optionsWindow.get())},
        {"help", dynamic_cast<const GUIHelpWindow*>(game.helpWindow.get())},
        {"pause", dynamic_cast<const GUIGameLogicPauseWindow*>(game.gameLogicPauseWindow.get())},
        {"level menu", dynamic_cast<const GUIGameLogicMenuWindow*>(game.gameLogicMenuWindow.get())},
        {"menu exit", dynamic_cast<const GUIGameLogicMenuExitWindow*>(game.gameLogicMenuExitWindow.get())},
        {"restart", dynamic_cast<const GUIGameLogicRestartWindow*>(game.gameLogicRestartWindow.get())},
        {"game exit", dynamic_cast<const GUIGameLogicGameExitWindow*>(game.gameLogicGameExitWindow.get())},
        {"level complete", dynamic_cast<const GUILevelCompleteWindow*>(game.levelCompleteWindow.get())},
        {"game complete", dynamic_cast<const GUIGameCompleteWindow*>(game.gameCompleteWindow.get())},
        {"game over", dynamic_cast<const GUIGameOverWindow*>(game.gameOverWindow.get())},
        {"introduction", game.introductionWindow.get()},
        {"relax", game.relaxWindow.get()},
        {"tutorial", game.tutorialWindow.get()},
    };
    for (const auto& [name, menu] : menus)
    {
        SCOPED_TRACE(name);
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(menu->frameWindow, nullptr);
        EXPECT_EQ(menu->frameWindow->parent, background->GetTopWindow());
    }
    EXPECT_EQ(game.upgradeWindow->GetTextWindow()->parent, background->GetTopWindow());

    // The level is the game's, over the level data prepared for the profile's level.
    ASSERT_TRUE(run.StartLevel());
    const auto* logic = dynamic_cast<const GameLogic*>(game.gameLogic.get());
    ASSERT_NE(logic, nullptr);
    const auto* levelData = dynamic_cast<const GameLogicData*>(game.levelData.get());
    ASSERT_NE(levelData, nullptr);
    EXPECT_EQ(static_cast<const GameFramework::LevelRecord*>(levelData->GetLevelRecord()),
              game.levelManager->levels[0][0].get());
    EXPECT_EQ(logic->GetLevelRecord(), game.levelManager->levels[0][0].get());
}

// Records what the GUI, model and shader managers still hold when it goes.
class LastKeeper : public GameFramework::DataKeeper
{
public:
    struct Counts
    {
        std::uint32_t windows = 1;
        std::uint32_t models = 1;
        std::uint32_t shaderUsers = 1;
    };

    LastKeeper(OrvaneEngine::Engine* engine, Counts& counts) : DataKeeper(engine, "en", false), counts(counts) {}
    ~LastKeeper() override
    {
        counts.windows = engine->guiManager->GetWindows().GetCount();
        counts.models = engine->modelManager->GetModelCount();
        counts.shaderUsers = engine->shaderManager->GetShaderUserCount();
    }

private:
    Counts& counts;
};

TEST(GameFactoriesTest, ShutdownAfterALevelLeavesNothingForTheEngine)
{
    FlowRun run(true);
    ASSERT_TRUE(run.RunToMenus());
    FlowGame& game = *run.game;
    ASSERT_TRUE(run.StartLevel());
    game.gameLogicMenuExitWindow->result = 3;
    run.Pass();
    ASSERT_TRUE(run.StartLevel());
    for (int frame = 0; frame < 10; ++frame)
        run.Frame();

    // The previous level's keeper is the last thing the game deletes before the engine.
    LastKeeper::Counts counts;
    game.previousLevelData = std::make_unique<LastKeeper>(game.GetEngine(), counts);
    // Only the fonts are left, each a model and a shader user of the GUI's font manager, which the engine ends.
    const std::uint32_t fonts = game.GetFontCount();
    ASSERT_GT(fonts, 0u);
    run.Stop();
    EXPECT_EQ(counts.windows, 0u);
    EXPECT_EQ(counts.models, fonts);
    EXPECT_EQ(counts.shaderUsers, fonts);
}

} // namespace
