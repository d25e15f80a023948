// The game's screen flow on the real game: result codes written through the
// screens, served by the game's dispatch, and what the flow then shows, the
// music channels, the cursor and the profile file.
#include "tests/game/flow/FlowGame.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace
{

using corvellan::test::FlowGame;
using corvellan::test::FlowRun;
using GameFramework::SoundController;

bool Shown(const Mirabel::GUIMenuWindow& window)
{
    return window.IsOpen() || window.openRequest != 0;
}

template <class Screen>
const Mirabel::GUIMenuWindow& Menu(const std::unique_ptr<Screen>& screen)
{
    return dynamic_cast<const Mirabel::GUIMenuWindow&>(*screen);
}

bool Open(FlowRun& run, const Mirabel::GUIMenuWindow& window)
{
    return run.FramesUntil([&window] { return window.IsOpen(); }, 300);
}

// The channel's entry: its track, fade state and rate.
void ExpectChannel(const FlowGame& game, std::uint32_t channel, std::uint32_t track, std::uint32_t fadeState,
                   float rate)
{
    const SoundController::MusicEntry* entry = game.soundController->GetChannelEntry(channel);
    ASSERT_NE(entry, nullptr) << "channel " << channel;
    EXPECT_EQ(entry->trackId, track) << "channel " << channel;
    EXPECT_EQ(entry->fadeState, fadeState) << "channel " << channel;
    EXPECT_FLOAT_EQ(entry->fadeRate, rate) << "channel " << channel;
}

void ExpectMenuMusicRestarted(const FlowGame& game, std::uint32_t levelTrack)
{
    ExpectChannel(game, 1, levelTrack, SoundController::FadeOutThenStop, 1.0f);
    ExpectChannel(game, 0, 0, SoundController::FadeIn, 0.5f);
}

// The current profile's file, as the operating system names it.
std::string ProfilePath(const FlowGame& game)
{
    std::string path = game.Ann().GetProfilesFolderPath(game.Ann().GetFileName());
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string ProfileBytes(const FlowGame& game)
{
    return corvellan::test::ReadFileText(ProfilePath(game)).value_or("");
}

struct FlowCase
{
    const char* name;
    bool levels;
    std::function<void(FlowRun&, FlowGame&)> play;
};

void RunCases(const std::vector<FlowCase>& cases)
{
    for (const FlowCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        FlowRun run(c.levels);
        ASSERT_TRUE(run.RunToMenus());
        c.play(run, *run.game);
    }
}

TEST(GameFlowTest, TheMenusOwnCodesOpenTheGamesOwnScreens)
{
    RunCases({
        {"MainMenu 25 opens the introduction", false,
         [](FlowRun& run, FlowGame& game) {
             game.mainMenuWindow->result = 25;
             run.Pass();
             EXPECT_FALSE(Menu(game.mainMenuWindow).IsOpen());
             EXPECT_TRUE(Shown(*game.introductionWindow));
         }},
        {"MainMenu 24 opens the show-place screen, whose 3 brings the main menu back", false,
         [](FlowRun& run, FlowGame& game) {
             game.mainMenuWindow->result = 24;
             run.Pass();
             EXPECT_FALSE(Menu(game.mainMenuWindow).IsOpen());
             EXPECT_TRUE(game.upgradeWindow->IsActive());
             game.upgradeWindow->result = 3;
             run.Pass();
             EXPECT_FALSE(game.upgradeWindow->IsActive());
             EXPECT_TRUE(Shown(Menu(game.mainMenuWindow)));
         }},
        {"Profiles 3 lets the background follow the new current profile", false,
         [](FlowRun& run, FlowGame& game) {
             EXPECT_EQ(game.menuBackground->GetReachedStages(), 0u);
             GameFramework::ProfileBase* bob = game.profileManager->CreateProfile(u"Bob");
             bob->nextStage = 1;
             game.profileManager->SetCurrentProfile(bob, true);
             game.profilesWindow->result = 3;
             run.Pass();
             EXPECT_EQ(game.menuBackground->GetReachedStages(), 1u);
         }},
        {"HighScores 26 offers relax mode, whose 3 brings the main menu back", false,
         [](FlowRun& run, FlowGame& game) {
             game.mainMenuWindow->result = 10;
             run.Pass();
             ASSERT_TRUE(Open(run, Menu(game.highScoresWindow)));
             game.highScoresWindow->result = 26;
             run.Pass();
             EXPECT_FALSE(Menu(game.highScoresWindow).IsOpen());
             EXPECT_TRUE(Shown(*game.relaxWindow));
             ASSERT_TRUE(Open(run, *game.relaxWindow));
             game.relaxWindow->result = 3;
             run.Pass();
             EXPECT_FALSE(game.relaxWindow->IsOpen());
             EXPECT_TRUE(Shown(Menu(game.mainMenuWindow)));
         }},
        {"StartGameLogic 27 hands the tutorial the profile's first flag", true,
         [](FlowRun& run, FlowGame& game) {
             for (const std::uint8_t flag : {1, 0})
             {
                 game.Ann().tutorialFlag = flag;
                 ASSERT_TRUE(run.OpenMap());
                 game.startGameLogicWindow->result = 27;
                 run.Pass();
                 EXPECT_FALSE(Menu(game.startGameLogicWindow).IsOpen());
                 EXPECT_EQ(game.tutorialWindow->showFlag, flag);
                 EXPECT_EQ(Shown(*game.tutorialWindow), flag != 0);
                 if (flag != 0)
                 {
                     ASSERT_TRUE(Open(run, *game.tutorialWindow));
                     game.tutorialWindow->result = 3;
                     run.Pass();
                     continue;
                 }
                 // Switched off, it never opens and the level is asked for at once.
                 const auto& loading =
                     dynamic_cast<const Mirabel::GUIGameLogicLoadingWindow&>(*game.gameLogicLoadingWindow);
                 EXPECT_TRUE(run.FramesUntil([&loading] { return loading.active; }, 4));
             }
         }},
        {"the tutorial's 3 brings the main menu back", false,
         [](FlowRun& run, FlowGame& game) {
             game.mainMenuWindow->Hide();
             game.tutorialWindow->Show();
             ASSERT_TRUE(Open(run, *game.tutorialWindow));
             game.tutorialWindow->result = 3;
             run.Pass();
             EXPECT_FALSE(game.tutorialWindow->IsOpen());
             EXPECT_TRUE(Shown(Menu(game.mainMenuWindow)));
         }},
    });
}

TEST(GameFlowTest, TheIntroductionEndsItsFlagAndLeadsToTheGame)
{
    // Without a game in progress a new game starts on the map; with one, the continue question.
    for (const bool inProgress : {false, true})
    {
        SCOPED_TRACE(inProgress);
        FlowRun run;
        ASSERT_TRUE(run.RunToMenus());
        FlowGame& game = *run.game;
        game.Ann().gameInProgress = inProgress;
        game.Ann().score = 7;
        game.mainMenuWindow->result = 25;
        run.Pass();
        ASSERT_TRUE(Open(run, *game.introductionWindow));
        const std::string before = ProfileBytes(game);
        ASSERT_GE(before.size(), 4u);
        EXPECT_EQ(before[before.size() - 2], '\1');

        game.introductionWindow->result = 23;
        run.Pass();
        const std::string after = ProfileBytes(game);
        EXPECT_EQ(game.Ann().introductionFlag, 0);
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(after[after.size() - 2], '\0');
        EXPECT_FALSE(game.introductionWindow->IsOpen());
        EXPECT_EQ(game.Ann().score, inProgress ? 7u : 0u);
        EXPECT_EQ(Shown(Menu(game.continueGameLogicWindow)), inProgress);
        EXPECT_EQ(Shown(Menu(game.startGameLogicWindow)), !inProgress);
        if (!inProgress)
        {
            EXPECT_EQ(game.startGameLogicWindow->GetCallerCode(), 2u);
        }
    }
}

TEST(GameFlowTest, TheEndOfTheGameShowsTheClosingTextOnceAndFreesTheUnicorn)
{
    RunCases({
        {"hint flag set", false,
         [](FlowRun& run, FlowGame& game) {
             game.Ann().gameCompleteHintFlag = 1;
             game.Ann().Save();
             game.gameCompleteEffect->Show();
             game.gameCompleteEffect->result = 21;
             run.Pass();
             const auto& complete = dynamic_cast<const Mirabel::GUIGameCompleteWindow&>(*game.gameCompleteWindow);
             EXPECT_TRUE(complete.enabled);
             EXPECT_TRUE(Shown(complete));

             game.menuBackground->SetUnicornEnabled(false);
             game.gameCompleteWindow->result = 1;
             run.Pass();
             EXPECT_EQ(game.Ann().gameCompleteHintFlag, 0);
             EXPECT_EQ(ProfileBytes(game).back(), '\0');
             EXPECT_TRUE(game.menuBackground->IsUnicornEnabled());
             EXPECT_TRUE(game.menuBackground->IsUnicornAllowed());
         }},
        {"hint flag clear", false,
         [](FlowRun& run, FlowGame& game) {
             game.Ann().gameCompleteHintFlag = 0;
             game.Ann().Save();
             game.gameCompleteEffect->result = 21;
             run.Pass();
             const auto& complete = dynamic_cast<const Mirabel::GUIGameCompleteWindow&>(*game.gameCompleteWindow);
             EXPECT_FALSE(complete.enabled);
             EXPECT_FALSE(Shown(complete));

             const std::string before = ProfileBytes(game);
             const std::string modified = before + "x";
             // Rewritten only when the flag was set: a save would drop the mark.
             ASSERT_TRUE(corvellan::test::WriteFileBytes(ProfilePath(game), modified));
             game.menuBackground->SetUnicornEnabled(false);
             game.gameCompleteWindow->result = 1;
             run.Pass();
             EXPECT_EQ(ProfileBytes(game), modified);
             EXPECT_TRUE(game.menuBackground->IsUnicornEnabled());
             EXPECT_TRUE(game.menuBackground->IsUnicornAllowed());
         }},
    });
}

TEST(GameFlowTest, LevelTracksAlternateAndTheMenuTrackReturnsWhenALevelIsLeft)
{
    FlowRun run(true);
    ASSERT_TRUE(run.RunToMenus());
    FlowGame& game = *run.game;

    // Three levels in a row: "game0", "game1", "game0", each while the menu track fades out.
    for (const std::uint32_t track : {1u, 2u, 1u})
    {
        SCOPED_TRACE(track);
        ASSERT_TRUE(run.StartLevel());
        ExpectChannel(game, 1, track, SoundController::FadeIn, 0.1f);
        ExpectChannel(game, 0, 0, SoundController::FadeOutThenStop, 1.0f);
        EXPECT_EQ(game.menuBackground->GetState(), 6u);
        EXPECT_TRUE(game.gameCursor->IsVisible());
        // Left at once, while the menu track still fades out: it must come back.
        game.gameLogicMenuExitWindow->result = 3;
        run.Pass();
        ExpectMenuMusicRestarted(game, track);
        EXPECT_EQ(game.gameLogic, nullptr);
    }
    // Two seconds later the menu track plays at full level, the level track has stopped.
    for (int frame = 0; frame < 25; ++frame)
        run.Frame();
    const SoundController::MusicEntry* menu = game.soundController->GetChannelEntry(0);
    EXPECT_EQ(menu->fadeState, SoundController::NoFade);
    EXPECT_FLOAT_EQ(menu->fadeLevel, 1.0f);
    EXPECT_EQ(game.soundController->GetMusicState(0), 0u);
    EXPECT_EQ(game.soundController->GetMusicState(1), 2u);
}

TEST(GameFlowTest, EveryWayOutOfALevelRestartsTheMenuMusic)
{
    const std::vector<FlowCase> cases = {
        {"GameLogicMenuExit 3", true,
         [](FlowRun&, FlowGame& game) { game.gameLogicMenuExitWindow->result = 3; }},
        {"GameLogicRestart 13", true, [](FlowRun&, FlowGame& game) { game.gameLogicRestartWindow->result = 13; }},
        {"LevelComplete 13", true, [](FlowRun&, FlowGame& game) { game.levelCompleteWindow->result = 13; }},
        {"StageComplete 13", true, [](FlowRun&, FlowGame& game) { game.stageCompleteWindow->result = 13; }},
        {"GameOver 1", true, [](FlowRun&, FlowGame& game) { game.gameOverWindow->result = 1; }},
    };
    for (const FlowCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        FlowRun run(true);
        ASSERT_TRUE(run.RunToMenus());
        ASSERT_TRUE(run.StartLevel());
        // Long enough for the menu track to have stopped.
        for (int frame = 0; frame < 15; ++frame)
            run.Frame();
        EXPECT_EQ(run.game->soundController->GetMusicState(0), 2u);
        c.play(run, *run.game);
        run.Pass();
        ExpectMenuMusicRestarted(*run.game, 1);
        EXPECT_EQ(run.game->soundController->GetMusicState(0), 0u);
    }
}

TEST(GameFlowTest, TheCursorHidesForTheLoadAndTurnsNormalForDialogsAndAWin)
{
    FlowRun run(true);
    ASSERT_TRUE(run.RunToMenus());
    FlowGame& game = *run.game;
    ASSERT_TRUE(run.OpenMap());
    game.startGameLogicWindow->result = 23;
    run.Pass();
    EXPECT_FALSE(game.gameCursor->IsVisible());
    EXPECT_TRUE(dynamic_cast<const Mirabel::GUIGameLogicLoadingWindow&>(*game.gameLogicLoadingWindow).active);
    ASSERT_TRUE(run.FramesUntil([&game] { return game.gameLogic != nullptr; }, 600));
    EXPECT_TRUE(game.gameCursor->IsVisible());

    struct Dialog
    {
        std::uint32_t code;
        std::function<void()> close;
    };
    const Dialog dialogs[] = {
        {16, [&game] { game.gameLogicMenuWindow->result = 19; }},
        {15, [&game] { game.gameLogicPauseWindow->result = 19; }},
        {4, [&game] { game.gameLogicGameExitWindow->result = 19; }},
    };
    for (const Dialog& dialog : dialogs)
    {
        SCOPED_TRACE(dialog.code);
        game.gameCursor->SetCursorKind(1);
        game.gameLogicWindow->result = dialog.code;
        run.Pass();
        EXPECT_EQ(game.gameCursor->GetCursorKind(), 0u);
        dialog.close();
        run.Pass();
    }

    game.gameCursor->SetCursorKind(2);
    game.gameLogic->SetState(GameFramework::GameLogicBase::Won);
    run.Pass();
    EXPECT_EQ(game.gameCursor->GetCursorKind(), 0u);
    EXPECT_TRUE(Shown(Menu(game.levelCompleteWindow)));
}

TEST(GameFlowTest, TheTutorialsContinueAsksTheMapForTheLevelAtOnce)
{
    FlowRun run(true);
    ASSERT_TRUE(run.RunToMenus());
    FlowGame& game = *run.game;
    game.mainMenuWindow->Hide();
    game.tutorialWindow->Show();
    ASSERT_TRUE(Open(run, *game.tutorialWindow));
    game.tutorialWindow->result = 13;
    run.Pass();
    EXPECT_FALSE(game.tutorialWindow->IsOpen());
    EXPECT_EQ(game.startGameLogicWindow->GetCallerCode(), 13u);
    EXPECT_FALSE(Shown(Menu(game.startGameLogicWindow)));
    // The map answers 23 in its next update, and the level loads.
    run.Frame();
    run.Frame();
    EXPECT_TRUE(dynamic_cast<const Mirabel::GUIGameLogicLoadingWindow&>(*game.gameLogicLoadingWindow).active);
    EXPECT_FALSE(game.gameCursor->IsVisible());
}

TEST(GameFlowTest, ClearingZeroesTheOwnCodesAndAPassServesOnlyWhatItFound)
{
    FlowRun run;
    ASSERT_TRUE(run.RunToMenus());
    FlowGame& game = *run.game;
    game.upgradeWindow->result = 9;
    game.gameCompleteEffect->result = 9;
    game.introductionWindow->result = 9;
    game.relaxWindow->result = 9;
    game.tutorialWindow->result = 9;
    game.ClearWindowResults();
    EXPECT_EQ(game.upgradeWindow->result, 0u);
    EXPECT_EQ(game.gameCompleteEffect->result, 0u);
    EXPECT_EQ(game.introductionWindow->result, 0u);
    EXPECT_EQ(game.relaxWindow->result, 0u);
    EXPECT_EQ(game.tutorialWindow->result, 0u);

    // A code that comes up during a pass waits for the next one, and is served once.
    game.mainMenuWindow->result = 24;
    run.Pass();
    ASSERT_TRUE(game.upgradeWindow->IsActive());
    game.duringPass = [&game] { game.upgradeWindow->result = 3; };
    run.Pass();
    game.duringPass = nullptr;
    EXPECT_EQ(game.upgradeServed, 0u);
    EXPECT_EQ(game.upgradeWindow->result, 3u);
    EXPECT_TRUE(game.upgradeWindow->IsActive());
    run.Pass();
    EXPECT_EQ(game.upgradeServed, 1u);
    EXPECT_FALSE(game.upgradeWindow->IsActive());
    EXPECT_EQ(game.upgradeWindow->result, 0u);
    run.Pass();
    EXPECT_EQ(game.upgradeServed, 1u);
}

} // namespace
