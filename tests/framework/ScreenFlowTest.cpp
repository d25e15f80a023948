// The screen flow: which screen follows which result code, the three
// dispatch passes of a frame, the end of a level and the level keepers.
#include "engine/core/Engine.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageRecord.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameClock.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

using corvellan::test::TestGame;
using corvellan::test::TestGameFolders;
using corvellan::test::TestGameJournal;
using GameFramework::GameLogicBase;
using GameFramework::ProfileBase;
using Entries = std::vector<std::string>;

class ScreenFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetLevels({3, 4});
        Profile(u"Anna");
    }

    // Stages holding the given numbers of levels, in place of the lists.
    void SetLevels(const std::vector<std::uint32_t>& counts)
    {
        GameFramework::LevelManagerBase& levels = *game.GetLevelManager();
        levels.stages.clear();
        levels.levels.clear();
        for (std::uint32_t stage = 0; stage < counts.size(); ++stage)
        {
            auto record = std::make_unique<GameFramework::StageRecord>();
            record->stageIndex = stage;
            record->levelCount = counts[stage];
            levels.stages.push_back(std::move(record));
            levels.levels.emplace_back();
            for (std::uint32_t level = 0; level < counts[stage]; ++level)
            {
                auto levelRecord = std::make_unique<GameFramework::LevelRecord>();
                levelRecord->stageIndex = stage;
                levelRecord->levelIndex = level;
                levels.levels.back().push_back(std::move(levelRecord));
            }
        }
    }

    // A new profile, made current.
    ProfileBase& Profile(const std::u16string& name)
    {
        GameFramework::ProfileManagerBase& profiles = *game.GetProfileManager();
        profiles.SetCurrentProfile(profiles.CreateProfile(name), true);
        return *profiles.currentProfile;
    }

    ProfileBase& Current() const { return *game.GetProfileManager()->currentProfile; }
    GameFramework::ProfileManagerBase& Profiles() const { return *game.GetProfileManager(); }

    // One dispatch pass serving one code; the journal entries it added.
    Entries Serve(const std::string& screen, std::uint32_t code)
    {
        const std::size_t mark = journal.entries.size();
        game.Result(screen) = code;
        game.DispatchWindowResults();
        game.ClearWindowResults();
        return journal.After(mark);
    }

    // A level at the profile's position, through the map and the level's
    // loading screen, as the player starts one.
    void PlayLevel(std::uint32_t stage, std::uint32_t level)
    {
        Current().nextStage = stage;
        Current().nextLevel = level;
        Serve("StartGameLogic", 23);
        Serve("GameLogicLoading", 1);
        ASSERT_NE(game.GetLevel(), nullptr);
    }

    corvellan::test::TestGameClock clock;
    TestGameFolders folders;
    TestGameJournal journal;
    TestGame game{journal, {}};
};

TEST_F(ScreenFlowTest, EachHandlerActsOnItsCodesInOrder)
{
    game.CreateWindows();
    const auto running = [this] { game.StartLevel(); };
    struct Row
    {
        const char* screen;
        std::uint32_t code;
        std::function<void()> before;
        Entries entries;
        std::function<void()> check;
    };
    const Row rows[] = {
        {"Logos", 1, {}, {"hide Logos", "show Loading(game data)"}, {}},
        {"Welcome", 3, {}, {"hide Welcome", "show MainMenu"}, {}},
        {"Welcome", 4, {}, {"hide Welcome", "show Exit(1)"}, {}},
        {"Exit", 2, {}, {"hide Exit", "show Welcome"}, {}},
        {"Exit", 3, {}, {"hide Exit", "show MainMenu"}, {}},
        {"Exit", 6, {}, {"hide Exit", "show NewProfile(0)"}, {}},
        {"MainMenu", 5, {}, {"hide MainMenu", "show Profiles"}, {}},
        {"MainMenu", 23, [this] { Current().gameInProgress = true; },
         {"hide MainMenu", "show ContinueGameLogic"}, {}},
        {"MainMenu", 23,
         [this] {
             Current().gameInProgress = false;
             Current().score = 40;
             Current().gameCounter = 1;
         },
         {"hide MainMenu", "show StartGameLogic(2)"},
         [this] {
             EXPECT_EQ(Current().gameCounter, 3u);
             EXPECT_EQ(Current().score, 0u);
         }},
        {"MainMenu", 10, {}, {"hide MainMenu", "show HighScores(2, null)"}, {}},
        {"MainMenu", 11, {}, {"hide MainMenu", "show Options"}, {}},
        {"MainMenu", 12, {}, {"hide MainMenu", "show Help"}, {}},
        {"MainMenu", 4, {}, {"hide MainMenu", "show Exit(2)"}, {}},
        {"Profiles", 6, {}, {"hide Profiles", "show NewProfile(1)"}, {}},
        {"Profiles", 7, [this] { game.GetProfilesWindow()->selectedName = u"Bob"; },
         {"hide Profiles", "show RenameProfile(1, \"Bob\")"}, {}},
        {"Profiles", 8, {}, {"hide Profiles", "show DeleteProfile(\"Bob\")"}, {}},
        {"Profiles", 3, {}, {"hide Profiles", "show MainMenu"}, {}},
        {"NewProfile", 9, {}, {"hide NewProfile", "show ProfileNameConflict(3)"}, {}},
        {"NewProfile", 5, {}, {"hide NewProfile", "show Profiles"}, {}},
        {"NewProfile", 4, {}, {"hide NewProfile", "show Exit(3)"}, {}},
        {"RenameProfile", 9, {}, {"hide RenameProfile", "show ProfileNameConflict(4)"}, {}},
        {"RenameProfile", 5, {}, {"hide RenameProfile", "show Profiles"}, {}},
        {"DeleteProfile", 5, {}, {"hide DeleteProfile", "show Profiles"}, {}},
        {"DeleteProfile", 6, {}, {"hide DeleteProfile", "show NewProfile(1)"}, {}},
        {"ProfileNameConflict", 6, {}, {"hide ProfileNameConflict", "show NewProfile(0)"}, {}},
        {"ProfileNameConflict", 7, {}, {"hide ProfileNameConflict", "show RenameProfile(0, \"\")"}, {}},
        {"StartGameLogic", 3, {}, {"hide StartGameLogic", "show MainMenu"}, {}},
        {"StartGameLogic", 23, [this] { Current().nextStage = 1, Current().nextLevel = 2; },
         {"factory level data 1", "make level data 1", "hide StartGameLogic", "show GameLogicLoading(level data 1)"},
         {}},
        {"GameLogicLoading", 1,
         [this] {
             game.GetCursor()->SetVisible(false);
             Current().gameCounter = 2;
         },
         {"hide GameLogicLoading", "factory level logic", "make level logic", "show GameLogic(level logic)"},
         [this] {
             EXPECT_TRUE(game.GetCursor()->IsVisible());
             ASSERT_NE(game.GetLevel(), nullptr);
             EXPECT_EQ(game.GetLevel()->GetLevelRecord()->stageIndex, 1u);
             EXPECT_EQ(game.GetLevel()->GetLevelRecord()->levelIndex, 2u);
             EXPECT_EQ(game.GetLevel()->GetStageRecord()->stageIndex, 1u);
             EXPECT_EQ(game.GetLevel()->GetGameCounter(), 2u);
         }},
        {"ContinueGameLogic", 14, {}, {"hide ContinueGameLogic", "show StartGameLogic(7)"}, {}},
        {"ContinueGameLogic", 13,
         [this] {
             Current().gameInProgress = true;
             Current().score = 70;
         },
         {"hide ContinueGameLogic", "show StartGameLogic(7)"},
         [this] {
             EXPECT_FALSE(Current().gameInProgress);
             EXPECT_EQ(Current().score, 0u);
             EXPECT_EQ(Current().gameCounter, 3u);
         }},
        {"ContinueGameLogic", 3, {}, {"hide ContinueGameLogic", "show MainMenu"}, {}},
        {"HighScores", 3, {}, {"hide HighScores", "show MainMenu"}, {}},
        {"Options", 3, {}, {"hide Options", "show MainMenu"}, {}},
        {"Help", 3, {}, {"hide Help", "show MainMenu"}, {}},
        {"GameLogic", 16, running, {"show GameLogicMenu"},
         [this] {
             EXPECT_FALSE(game.GetPanel()->IsActive());
             EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Paused);
         }},
        {"GameLogic", 15, running, {"show GameLogicPause"},
         [this] {
             EXPECT_FALSE(game.GetPanel()->IsActive());
             EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Paused);
         }},
        {"GameLogic", 4, running, {"show GameLogicGameExit"},
         [this] {
             EXPECT_FALSE(game.GetPanel()->IsActive());
             EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Paused);
         }},
        {"GameLogicPause", 19, [this] { game.GetLevel()->SetPaused(true); game.GetPanel()->SetActive(false); },
         {"hide GameLogicPause"},
         [this] {
             EXPECT_TRUE(game.GetPanel()->IsActive());
             EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Running);
         }},
        {"GameLogicMenu", 19, [this] { game.GetLevel()->SetPaused(true); game.GetPanel()->SetActive(false); },
         {"hide GameLogicMenu"},
         [this] {
             EXPECT_TRUE(game.GetPanel()->IsActive());
             EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Running);
         }},
        {"GameLogicMenu", 18, {}, {"hide GameLogicMenu", "show GameLogicMenuExit"}, {}},
        {"GameLogicMenu", 17, {}, {"hide GameLogicMenu", "show GameLogicRestart"}, {}},
        {"GameLogicMenuExit", 16, {}, {"hide GameLogicMenuExit", "show GameLogicMenu"}, {}},
        {"GameLogicMenuExit", 3, running,
         {"hide GameLogicMenuExit", "hide GameLogic", "delete level logic", "show MainMenu"},
         [this] { EXPECT_EQ(game.GetLevel(), nullptr); }},
        {"GameLogicRestart", 16, {}, {"hide GameLogicRestart", "show GameLogicMenu"}, {}},
        {"GameLogicRestart", 13, running,
         {"hide GameLogicRestart", "hide GameLogic", "delete level logic", "show StartGameLogic(6)"}, {}},
        {"GameLogicGameExit", 19, [this] { game.StartLevel(); game.GetLevel()->SetPaused(true); },
         {"hide GameLogicGameExit"},
         [this] { EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Running); }},
        {"LevelComplete", 13, running,
         {"hide LevelComplete", "hide GameLogic", "delete level logic", "show StartGameLogic(8)"}, {}},
        {"LevelComplete", 20, running, {"hide LevelComplete", "show StageComplete(0:0)"},
         [this] { EXPECT_NE(game.GetLevel(), nullptr); }},
        {"StageComplete", 13, running,
         {"hide StageComplete", "hide GameLogic", "delete level logic", "show StartGameLogic(9)"}, {}},
        {"GameComplete", 1, [this] { Current().score = 500; }, {"hide GameComplete", "show HighScores(10, Anna=500)"},
         {}},
        {"GameComplete", 1, [this] { Current().score = 0; }, {"hide GameComplete", "show MainMenu"}, {}},
        {"GameOver", 1,
         [this] {
             game.StartLevel();
             game.GetLevel()->SetScore(50);
             Current().score = 200;
         },
         {"hide GameOver", "show HighScores(11, Anna=250)", "hide GameLogic", "delete level logic"}, {}},
        {"GameOver", 1,
         [this] {
             game.StartLevel();
             Current().score = 0;
         },
         {"hide GameOver", "show MainMenu", "hide GameLogic", "delete level logic"}, {}},
        // Codes a handler does not list.
        {"Logos", 3, {}, {}, {}},
        {"MainMenu", 13, {}, {}, {}},
        {"HighScores", 1, {}, {}, {}},
        {"GameLogic", 19, running, {}, {}},
        {"GameLogicGameExit", 3, running, {}, {}},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.screen) + " " + std::to_string(row.code));
        if (row.before)
            row.before();
        EXPECT_EQ(Serve(row.screen, row.code), row.entries);
        if (row.check)
            row.check();
        EXPECT_FALSE(game.IsExiting());
    }
}

TEST_F(ScreenFlowTest, AWonLevelMovesTheProfileOnAndShowsLevelComplete)
{
    game.CreateWindows();
    struct Case
    {
        const char* name;
        std::uint32_t stage;
        std::uint32_t level;
        std::uint32_t nextStage;
        std::uint32_t nextLevel;
        bool last;
    };
    for (const Case& c : {Case{"inside a stage", 0, 1, 0, 2, false}, Case{"a stage's last", 0, 2, 1, 0, false},
                          Case{"the game's last", 1, 3, 1, 3, true}})
    {
        SCOPED_TRACE(c.name);
        Current().score = 100;
        Current().gameCounter = 3;
        Current().results.clear();
        PlayLevel(c.stage, c.level);
        GameLogicBase& level = *game.GetLevel();
        level.SetScore(40);
        level.SetState(GameLogicBase::Won);
        const std::size_t mark = journal.entries.size();
        game.DispatchWindowResults();
        game.ClearWindowResults();

        EXPECT_EQ(journal.After(mark), Entries{"show LevelComplete(" + std::to_string(c.stage) + ":" +
                                               std::to_string(c.level) + ", 0.00)"});
        EXPECT_EQ(Current().nextStage, c.nextStage);
        EXPECT_EQ(Current().nextLevel, c.nextLevel);
        EXPECT_EQ(Current().GetReachedStage(), c.nextStage);
        EXPECT_EQ(Current().GetReachedLevel(), c.nextLevel);
        EXPECT_EQ(Current().GetReachedEnd(), c.last);
        EXPECT_EQ(Current().gameInProgress, !c.last);
        EXPECT_EQ(Current().gameCounter, level.GetGameCounter());
        EXPECT_EQ(Current().score, 140u);
        EXPECT_EQ(level.GetScore(), 0u);
        ASSERT_EQ(Current().results.size(), 1u);
        EXPECT_EQ(Current().results[0]->stage, c.stage);
        EXPECT_EQ(Current().results[0]->level, c.level);
        EXPECT_EQ(Current().results[0]->mode, Current().mode);
        EXPECT_FALSE(game.GetPanel()->IsActive());
        EXPECT_EQ(game.GetLevel(), &level) << "the level stays until LevelComplete reports";
        EXPECT_EQ(game.GetPanel()->GetGameLogic(), &level);
        EXPECT_FALSE(level.HasStateChanged());

        // Served once: the next frame's passes find nothing to do.
        EXPECT_EQ(Serve("LevelComplete", 0), Entries{});
        Serve("LevelComplete", 13);
    }
}

TEST_F(ScreenFlowTest, ALostLevelEndsTheGameInProgress)
{
    game.CreateWindows();
    Current().gameInProgress = true;
    PlayLevel(0, 1);
    game.GetLevel()->SetState(GameLogicBase::Lost);
    const std::size_t mark = journal.entries.size();
    game.DispatchWindowResults();
    game.ClearWindowResults();
    EXPECT_EQ(journal.After(mark), Entries{"show GameOver"});
    EXPECT_FALSE(Current().gameInProgress);
    EXPECT_FALSE(game.GetPanel()->IsActive());
    EXPECT_NE(game.GetLevel(), nullptr);
}

TEST_F(ScreenFlowTest, OnlyAChangedStateOfAnEndedLevelIsServed)
{
    game.CreateWindows();
    PlayLevel(0, 0);
    GameLogicBase& level = *game.GetLevel();
    level.SetPaused(true);
    ASSERT_TRUE(level.HasStateChanged());
    EXPECT_EQ(Serve("GameLogic", 0), Entries{});
    EXPECT_FALSE(level.HasStateChanged());

    level.SetPaused(false);
    level.SetState(GameLogicBase::Won);
    level.ClearStateChanged();
    EXPECT_EQ(Serve("GameLogic", 0), Entries{}) << "no change flag, no level end";
}

TEST_F(ScreenFlowTest, ACodeIsServedOnceByTheFrameAfterItWasSet)
{
    game.CreateWindows();
    game.Result("MainMenu") = 5;
    game.FrameStep();
    EXPECT_EQ(journal.Count("show Profiles"), 1u);
    EXPECT_EQ(game.Result("MainMenu"), 0u);
    game.FrameStep();
    EXPECT_EQ(journal.Count("show Profiles"), 1u);
}

TEST_F(ScreenFlowTest, ACodeSetDuringAPassIsServedByTheNextPassOnce)
{
    game.CreateWindows();
    // MainMenu comes before Profiles in the dispatch order: a code it gets
    // while Profiles is served would be cleared unseen after the pass.
    bool reported = false;
    journal.onShow = [this, &reported](const std::string& screen) {
        if (screen == "MainMenu" && !reported)
        {
            reported = true;
            game.Result("MainMenu") = 5;
        }
    };
    game.Result("Profiles") = 3;
    const std::size_t mark = journal.entries.size();
    game.FrameStep();
    EXPECT_EQ(journal.After(mark), (Entries{"hide Profiles", "show MainMenu", "hide MainMenu", "show Profiles"}));
}

TEST_F(ScreenFlowTest, TheUpdateOrderPutsTheLevelBeforeLevelComplete)
{
    game.CreateWindows();
    game.StartLevel();
    journal.recordUpdates = true;
    const std::size_t mark = journal.entries.size();
    game.UpdateWindows();
    EXPECT_EQ(journal.After(mark),
              (Entries{"update Logos",
                       "update Loading",
                       "update Welcome",
                       "update Exit",
                       "update MainMenu",
                       "update Profiles",
                       "update NewProfile",
                       "update RenameProfile",
                       "update DeleteProfile",
                       "update ProfileNameConflict",
                       "update GameLogicLoading",
                       "update StartGameLogic",
                       "update ContinueGameLogic",
                       "update HighScores",
                       "update Options",
                       "update Help",
                       "update GameLogic",
                       "update GameLogicPause",
                       "update GameLogicMenu",
                       "update GameLogicMenuExit",
                       "update GameLogicRestart",
                       "update GameLogicGameExit",
                       "update level logic",
                       "update LevelComplete",
                       "update StageComplete",
                       "update GameComplete",
                       "update GameOver"}));
}

TEST_F(ScreenFlowTest, ThePreviousLevelsKeeperStaysUntilTheOneAfterNextIsPrepared)
{
    game.CreateWindows();
    const auto prepare = [this] {
        Serve("StartGameLogic", 23);
        return game.GetLevelData();
    };
    GameFramework::DataKeeper* first = prepare();
    EXPECT_EQ(game.GetPreviousLevelData(), nullptr);
    GameFramework::DataKeeper* second = prepare();
    EXPECT_EQ(game.GetPreviousLevelData(), first);
    EXPECT_EQ(journal.Count("delete level data 1"), 0u);
    GameFramework::DataKeeper* third = prepare();
    EXPECT_EQ(journal.Count("delete level data 1"), 1u);
    EXPECT_EQ(journal.Count("delete level data 2"), 0u);
    EXPECT_EQ(game.GetPreviousLevelData(), second);
    EXPECT_EQ(game.GetLevelData(), third);
}

TEST_F(ScreenFlowTest, AProfilePositionOutsideTheListsFallsBackToTheFirstLevel)
{
    SetLevels({3, 4});
    game.CreateWindows();
    for (const char* screen : {"StartGameLogic", "GameLogicLoading"})
    {
        SCOPED_TRACE(screen);
        Current().nextStage = 5;
        Current().nextLevel = 9;
        if (std::string(screen) == "StartGameLogic")
            Serve(screen, 23);
        else
            Serve(screen, 1);
        EXPECT_EQ(Current().nextStage, 0u);
        EXPECT_EQ(Current().nextLevel, 0u);
    }
    ASSERT_NE(game.GetLevel(), nullptr);
    EXPECT_EQ(game.GetLevel()->GetLevelRecord(), game.GetLevelManager()->levels[0][0].get());

    // A level beyond its stage's count is as stale as a stage beyond the list.
    Current().nextStage = 0;
    Current().nextLevel = 3;
    Serve("GameLogicLoading", 1);
    EXPECT_EQ(Current().nextLevel, 0u);
}

TEST_F(ScreenFlowTest, APauseAskedForAsTheLevelEndsIsIgnored)
{
    game.CreateWindows();
    for (std::uint32_t code : {15u, 16u, 4u})
    {
        SCOPED_TRACE(code);
        PlayLevel(0, 0);
        game.GetLevel()->SetState(GameLogicBase::Won);
        game.Result("GameLogic") = code;
        const std::size_t mark = journal.entries.size();
        game.DispatchWindowResults();
        game.ClearWindowResults();
        EXPECT_EQ(journal.After(mark), Entries{"show LevelComplete(0:0, 0.00)"});
        EXPECT_EQ(game.GetLevel()->GetState(), GameLogicBase::Won);
        Serve("LevelComplete", 13);
    }
}

TEST_F(ScreenFlowTest, TheEndOfTheLoadMakesTheScreensAndOpensWelcomeOrTheMainMenu)
{
    GameFramework::ProfileManagerBase& profiles = *game.GetProfileManager();
    const Entries screens{"GameLogicLoading", "Welcome", "Exit", "MainMenu", "Profiles", "NewProfile",
                          "RenameProfile", "DeleteProfile", "ProfileNameConflict", "StartGameLogic",
                          "ContinueGameLogic", "HighScores", "Options", "Help", "GameLogic", "GameLogicPause",
                          "GameLogicMenu", "GameLogicMenuExit", "GameLogicRestart", "GameLogicGameExit",
                          "LevelComplete", "StageComplete", "GameComplete", "GameOver"};
    struct Case
    {
        const char* name;
        std::function<void()> before;
        const char* first;
    };
    ProfileBase* anna = profiles.currentProfile;
    const Case cases[] = {
        {"no profile",
         [&profiles] {
             profiles.SetCurrentProfile(nullptr, false);
             profiles.profiles.clear();
         },
         "show Welcome"},
        // Profiles that the list file does not name as current: the menus
        // need one, so the first becomes current.
        {"profiles, none current",
         [&profiles, &anna] {
             anna = profiles.CreateProfile(u"Anna");
             profiles.CreateProfile(u"Bob");
             profiles.SetCurrentProfile(nullptr, false);
         },
         "show MainMenu"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.before();
        game.GetCursor()->SetVisible(false);
        const Entries entries = Serve("Loading", 1);
        ASSERT_GE(entries.size(), 2u);
        EXPECT_EQ(entries.front(), "hide Loading");
        EXPECT_EQ(entries.back(), c.first);
        Entries made;
        for (const std::string& entry : entries)
        {
            if (entry.rfind("factory ", 0) == 0)
                made.push_back(entry.substr(8));
        }
        EXPECT_EQ(made, screens);
        EXPECT_TRUE(game.GetCursor()->IsVisible());
    }
    EXPECT_EQ(profiles.currentProfile, anna);
}

TEST_F(ScreenFlowTest, AWholeGameRunsFromTheLogosToTheExit)
{
    Profiles().SetCurrentProfile(nullptr, false);
    Profiles().profiles.clear();
    // A screen reports in its Update; the next frame serves it.
    const auto report = [this](const char* screen, std::uint32_t code) {
        game.Result(screen) = code;
        game.FrameStep();
    };
    const auto win = [this](GameLogicBase::State end) {
        game.GetLevel()->SetScore(100);
        game.GetLevel()->SetState(end);
        game.FrameStep();
    };

    report("Logos", 1);
    game.GetLoadingWindow()->RunLoading();
    report("Loading", 1);
    Profiles().SetCurrentProfile(Profiles().CreateProfile(u"Anna"), true);
    report("Welcome", 3);
    report("MainMenu", 23);
    // The last level of the game.
    Current().nextStage = 1;
    Current().nextLevel = 3;
    report("StartGameLogic", 23);
    report("GameLogicLoading", 1);
    win(GameLogicBase::Won);
    report("LevelComplete", 20);
    report("StageComplete", 13);
    // The game's own effect shows GameComplete after the last stage.
    game.GetGameCompleteWindow()->Show();
    report("GameComplete", 1);
    report("HighScores", 3);
    report("MainMenu", 23);
    report("StartGameLogic", 23);
    report("GameLogicLoading", 1);
    win(GameLogicBase::Lost);
    report("GameOver", 1);
    report("HighScores", 3);
    report("MainMenu", 4);
    report("Exit", 22);

    EXPECT_EQ(journal.With("show "), (Entries{"Logos",
                                              "Loading(game data)",
                                              "Welcome",
                                              "MainMenu",
                                              "StartGameLogic(2)",
                                              "GameLogicLoading(level data 1)",
                                              "GameLogic(level logic)",
                                              "LevelComplete(1:3, 0.00)",
                                              "StageComplete(1:3)",
                                              "StartGameLogic(9)",
                                              "GameComplete",
                                              "HighScores(10, Anna=100)",
                                              "MainMenu",
                                              "StartGameLogic(2)",
                                              "GameLogicLoading(level data 2)",
                                              "GameLogic(level logic)",
                                              "GameOver",
                                              "HighScores(11, Anna=100)",
                                              "MainMenu",
                                              "Exit(2)"}));
    EXPECT_EQ(game.GetLevel(), nullptr);
    EXPECT_TRUE(game.IsExiting());
}

// The request ends the program after the frame; the screen stays shown
// until then. Each case needs a game that is not exiting yet.
class QuitCodeTest : public ScreenFlowTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(QuitCodeTest, AsksForTheExitAndLeavesItsScreenShown)
{
    game.CreateWindows();
    EXPECT_EQ(Serve(GetParam(), 22), Entries{});
    EXPECT_TRUE(game.IsExiting());
}

INSTANTIATE_TEST_SUITE_P(Screens, QuitCodeTest, ::testing::Values("Exit", "GameLogicGameExit"));

} // namespace
