// The in-game screens end to end on the built data set, from an empty
// per-user folder: a new game through the map and the tutorial to the first
// level's panel; the in-game menu's restart, confirmed, back to the same
// level; the pause key and RESUME; the level won by the level script on the
// game's own level, its result screen, and on through the map to the next
// level.
#include "framework/GameLogicBase.h"
#include "framework/SoundController.h"
#include "game/GameLogic.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameLogicMenuWindow.h"
#include "game/menus/GUIGameLogicPauseWindow.h"
#include "game/menus/GUIGameLogicRestartWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/game/flow/long/RunPlaces.h"
#include "tests/support/PlayerSteps.h"
#include "tests/support/GameRun.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace corvellan::test
{
namespace
{

using namespace std::chrono_literals;

bool HasBonusLine(const LevelRun& seen)
{
    for (const std::u16string& text : seen.texts)
        for (const char16_t* name : {u"\nMagnet", u"\nPause", u"\nRoll back", u"\nTip"})
            if (text.find(name) != std::u16string::npos)
                return true;
    return false;
}

TEST(InGameRunTest, MapTutorialRestartPauseAndAWonLevelLeadToTheNextLevel)
{
    TestGameFolders folders(false);
    ASSERT_TRUE(RunPlaces::UseBuildFolder(folders));

    GameRun run(120s);
    PlayerSteps player(run);
    bool pausedWhileShown = false;
    LevelRun won;

    player.FirstStart("Ann");
    player.StartFromMainMenu();
    player.PassTutorial();
    player.WaitForLevel(u"1-1", [&] { run.Key("Escape"); });
    run.Then("in-game menu open", [&] { return ExposedGame::IsSettled(run.Game().gameLogicMenuWindow); },
             [&] {
                 player.Press(run.Game().gameLogicMenuWindow, &Mirabel::GUIGameLogicMenuWindow::restartControl);
             })
        .Then("restart question open", [&] { return ExposedGame::IsSettled(run.Game().gameLogicRestartWindow); },
              [&] {
                  player.Press(run.Game().gameLogicRestartWindow, &Mirabel::GUIGameLogicRestartWindow::yesControl);
              });
    // The map comes back; the level is asked for again from there.
    player.PlayFromMap("level again after the restart", u"1-1", 2, [&] { run.Key("P"); });
    run.Then("pause open", [&] { return ExposedGame::IsSettled(run.Game().gameLogicPauseWindow); },
             [&] {
                 pausedWhileShown = player.Level().IsTimerPaused();
                 player.Press(run.Game().gameLogicPauseWindow, &Mirabel::GUIGameLogicPauseWindow::resumeControl);
             });
    player.WaitForLevel(u"1-1");
    run.Then("level playing again", [&] { return !player.Level().IsTimerPaused(); });
    player.WinLevel(won);
    player.ContinueAfterLevel();
    player.PlayFromMap("next level from the map", u"1-2", 3, [&] { win32::testing::PushQuit(); });
    run.Play();

    ASSERT_EQ(run.Pending(), "") << "\n" << run.Trace();
    EXPECT_EQ(run.GetOutcome(), GameRun::Outcome::Ok);
    EXPECT_FALSE(run.ShowedUnknownText());
    EXPECT_TRUE(pausedWhileShown);
    EXPECT_TRUE(HasBonusLine(won));
    // The profile holds the player and the list names it.
    EXPECT_NE(RunPlaces::UserFile(folders, ".prf").value_or("").find(RunPlaces::Utf16Bytes(u"Ann")), std::string::npos);
    EXPECT_NE(RunPlaces::UserFile(folders, "profiles.pmf").value_or("").find(RunPlaces::Utf16Bytes(u"Ann")),
              std::string::npos);
    EXPECT_NE(RunPlaces::UserFile(folders, ".ini").value_or("").find("g_sound_volume"), std::string::npos);
}

} // namespace
} // namespace corvellan::test
