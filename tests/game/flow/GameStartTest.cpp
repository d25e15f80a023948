// The real game from its start to the first menu.
#include "framework/SoundController.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "tests/game/flow/FlowGame.h"

#include <gtest/gtest.h>

namespace
{

using corvellan::test::FlowRun;
using GameFramework::SoundController;

TEST(GameStartTest, TheLogosStartTheBackgroundAndTheMenuMusic)
{
    FlowRun run;
    auto& game = run.Start();
    EXPECT_EQ(game.menuBackground->active, 0);
    EXPECT_EQ(game.soundController->GetChannelEntry(0), nullptr);

    game.logosWindow->result = 1;
    run.Pass();
    EXPECT_EQ(game.menuBackground->active, 1);
    const SoundController::MusicEntry* menu = game.soundController->GetChannelEntry(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->trackId, 0u);
    EXPECT_EQ(menu->fadeState, SoundController::FadeIn);
    EXPECT_FLOAT_EQ(menu->fadeRate, 0.5f);
}

TEST(GameStartTest, WithoutAProfileTheLoadLeadsToTheWelcomeElseToTheMainMenu)
{
    for (const bool profile : {false, true})
    {
        SCOPED_TRACE(profile);
        FlowRun run;
        ASSERT_TRUE(run.RunToMenus(profile));
        const auto& welcome = dynamic_cast<const Mirabel::GUIWelcomeWindow&>(*run.game->welcomeWindow);
        const auto& main = dynamic_cast<const Mirabel::GUIMainMenuWindow&>(*run.game->mainMenuWindow);
        EXPECT_EQ(welcome.IsOpen(), !profile);
        EXPECT_EQ(main.IsOpen(), profile);
        EXPECT_TRUE(run.game->gameCursor->IsVisible());
    }
}

} // namespace
