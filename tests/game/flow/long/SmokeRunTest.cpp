// The whole game played headless, in this process, by the program's own
// loop on the built data set cut to two stages of one level each: the first
// start, the introduction, the map and the tutorial, both levels won by the
// level script with the map's totem game solved after each stage, the ending
// and the high scores; then a second game lost after one piece, the high
// scores again and the relax offer, the main menu with its music, and the
// exit.
#include "framework/GameLogicBase.h"
#include "framework/SoundController.h"
#include "game/Game.h"
#include "game/GameLogic.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "platform/win32/testing/ShellHooks.h"
#include "tests/game/flow/long/RunPlaces.h"
#include "tests/support/PlayerSteps.h"
#include "tests/support/GameRun.h"
#include "tests/support/LevelScripts.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace corvellan::test
{
namespace
{

using namespace std::chrono_literals;
using Mirabel::GUIContinueGameLogicWindow;
using Mirabel::GUIGameCompleteWindow;
using Mirabel::GUIMainMenuWindow;

TEST(SmokeRunTest, PlaysTheWholeGameThenLosesOneAndExits)
{
    TestGameFolders folders(false);
    ASSERT_TRUE(RunPlaces::UseTwoShortStages(folders));
    win32::testing::ResetShell();

    GameRun run(240s);
    PlayerSteps player(run);
    LevelRun first;
    LevelRun second;
    bool closingTextEnabled = false;
    bool ownRowHighlighted = false;
    bool relaxOffered = false;
    LevelRun lost;
    bool placedOne = false;
    const GameFramework::SoundController::MusicEntry* menuMusic = nullptr;
    std::uint32_t menuTrack = 99;
    std::uint32_t menuMusicState = 99;

    // 1-2: the first start, the introduction, the map, the tutorial.
    player.FirstStart("Ann");
    player.StartFromMainMenu();
    player.PassTutorial();
    // 3-4: the first level won, its stage's totem game solved.
    player.WaitForLevel(u"1-1");
    player.WinLevel(first);
    player.ContinueAfterLevel();
    player.SolveTotem();
    player.PlayFromMap("second stage's level from the map", u"2-1", 2);
    player.WinLevel(second);
    player.ContinueAfterLevel();
    player.SolveTotem();
    // The closing text, a page a press, then the high scores.
    run.Then("game complete open", [&] { return ExposedGame::IsSettled(run.Game().gameCompleteWindow); },
             [&] {
                 closingTextEnabled =
                     ExposedGame::As<GUIGameCompleteWindow>(run.Game().gameCompleteWindow).enabled;
             })
        .Repeat("game complete passed", [&] { return ExposedGame::IsSettled(run.Game().highScoresWindow); },
                [&] {
                    if (ExposedGame::IsSettled(run.Game().gameCompleteWindow))
                        player.Press(run.Game().gameCompleteWindow, &GUIGameCompleteWindow::continueControl);
                })
        .Then("high scores open after the game", [&] { return ExposedGame::IsSettled(run.Game().highScoresWindow); },
              [&] {
                  ownRowHighlighted = run.Shows(u"Ann", Mirabel::GUIHighScoresWindow::HighlightFont);
                  player.Press(run.Game().highScoresWindow, &Mirabel::GUIHighScoresWindow::okControl);
              });
    // 6: a second game: one piece placed, then lost.
    run.Then("main menu open for the second game",
             [&] { return ExposedGame::IsSettled(run.Game().mainMenuWindow); },
             [&] { player.PressMainMenu(GUIMainMenuWindow::Start); })
        .Then("map or continue question open",
              [&] {
                  return ExposedGame::IsSettled(run.Game().continueGameLogicWindow) ||
                         ExposedGame::IsSettled(run.Game().startGameLogicWindow);
              },
              [&] {
                  if (ExposedGame::IsSettled(run.Game().continueGameLogicWindow))
                      player.Press(run.Game().continueGameLogicWindow, &GUIContinueGameLogicWindow::newGameControl);
              });
    player.PlayFromMap("second game's level from the map", u"", 3);
    run.Then("level lost after one piece", [] { return true; },
             [&] {
                 LevelScripts scripts(player.Level(), run.Engine(), [&](std::uint32_t ms) { run.Frame(ms); },
                                      PlayerSteps::LevelTimeLimit);
                 // A piece whose place is open: a blocked one cannot be placed yet.
                 const Mirabel::GameLogic& level = player.Level();
                 std::int64_t open = -1;
                 while (open < 0 && scripts.Step(LevelScripts::WaitingFrame))
                     for (const Mirabel::PuzzleElement* piece : level.GetTrack()->GetTrainPieces())
                         if (level.GetBoard()->GetPlaces()[piece->GetIndex()]->GetState() == 0)
                             open = piece->GetIndex();
                 placedOne = open >= 0 && scripts.Place(static_cast<std::uint32_t>(open));
                 lost = scripts.Lose();
                 scripts.Mouse().Button(1, false);
             })
        .Then("game over open", [&] { return ExposedGame::IsSettled(run.Game().gameOverWindow); },
              [&] { player.Press(run.Game().gameOverWindow, &Mirabel::GUIGameOverWindow::continueControl); })
        .Then("high scores open after the lost game",
              [&] { return ExposedGame::IsSettled(run.Game().highScoresWindow); },
              [&] { player.Press(run.Game().highScoresWindow, &Mirabel::GUIHighScoresWindow::okControl); })
        .Then("relax offer open", [&] { return ExposedGame::IsSettled(run.Game().relaxWindow); },
              [&] {
                  relaxOffered = true;
                  player.Click(*run.Game().relaxWindow->noControl);
              })
        // 7: the main menu with its music, and the exit.
        .Then("main menu open after the offer", [&] { return ExposedGame::IsSettled(run.Game().mainMenuWindow); },
              [&] {
                  menuMusic = run.Game().soundController->GetChannelEntry(Mirabel::Game::MenuChannel);
                  if (menuMusic != nullptr)
                      menuTrack = menuMusic->trackId;
                  menuMusicState = run.Game().soundController->GetMusicState(Mirabel::Game::MenuChannel);
                  player.PressMainMenu(GUIMainMenuWindow::Exit);
              })
        .Then("exit question open", [&] { return ExposedGame::IsSettled(run.Game().exitWindow); },
              [&] { player.Press(run.Game().exitWindow, &Mirabel::GUIExitWindow::yesControl); });
    run.Play();

    ASSERT_EQ(run.Pending(), "") << "\n" << run.Trace();
    EXPECT_EQ(run.GetOutcome(), GameRun::Outcome::Ok);
    EXPECT_FALSE(run.ShowedUnknownText());
    EXPECT_TRUE(player.introductionSeen);
    EXPECT_EQ(first.states.back(), GameFramework::GameLogicBase::Won);
    EXPECT_EQ(second.states.back(), GameFramework::GameLogicBase::Won);
    EXPECT_TRUE(closingTextEnabled) << "the first completion shows the closing text";
    EXPECT_TRUE(ownRowHighlighted);
    EXPECT_TRUE(placedOne);
    EXPECT_EQ(lost.states.back(), GameFramework::GameLogicBase::Lost);
    EXPECT_TRUE(relaxOffered);
    EXPECT_EQ(menuTrack, Mirabel::Game::MenuTrack);
    EXPECT_EQ(menuMusicState, GameFramework::SoundController::Playing);
    // The game itself asks the shell for nothing: the program's entry makes
    // the one statistics request after the loader returns.
    EXPECT_TRUE(win32::testing::GetShellExecuteCalls().empty());
    EXPECT_NE(folders.LogText().find("Log end"), std::string::npos);
}

} // namespace
} // namespace corvellan::test
