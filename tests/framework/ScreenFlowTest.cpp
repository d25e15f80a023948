// The screen flow: which screen follows which result code, the three
// dispatch passes of a frame, the end of a level and the level keepers.
#include "engine/core/Engine.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageRecord.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/TestGame.h"
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
namespace wt = win32::testing;

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

    struct FakeClock
    {
        FakeClock() { wt::SetFakeMilliseconds(1000); }
        ~FakeClock() { wt::ResetMultimediaTimer(); }
    };

    FakeClock clock;
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
