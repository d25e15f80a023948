// The loader's whole run: a normal life ended by the player, the failure
// path for every kind of exception, the fonts list's damage, and the order
// in which the game is taken down.
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "framework/GameLoaderBase.h"
#include "platform/win32/MessageBox.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/PumpHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameData.h"
#include "tests/support/TestGameFolders.h"
#include "tests/support/TestGameLoader.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using corvellan::test::TestGame;
using corvellan::test::TestGameData;
using corvellan::test::TestGameFolders;
using corvellan::test::TestGameJournal;
using corvellan::test::TestGameLoader;
using GameFramework::GameLoaderBase;
namespace wt = win32::testing;

// Runs the loader, pushing "quit" once the game has presented the given
// number of frames, or after many more passes when it presents none, so a
// fault ends in a failure rather than a hang.
void RunFor(TestGameLoader& loader, int frames)
{
    const std::uint32_t presentsBefore = d3d7::testing::GetPresentCount();
    int passes = 0;
    wt::SetPumpHook([&loader, &passes, frames, presentsBefore] {
        if (loader.GetGame() == nullptr)
            return;
        if (d3d7::testing::GetPresentCount() - presentsBefore >= static_cast<std::uint32_t>(frames) ||
            ++passes > 100 * frames)
            wt::PushQuit();
    });
    loader.Run();
    wt::ResetPumpHook();
}

// Notes whether the player was told before the game was gone.
class CheckingLoader : public TestGameLoader
{
public:
    void DestroyGame() override
    {
        if (!wt::GetMessageBoxCalls().empty())
            boxBeforeDestroy = true;
        TestGameLoader::DestroyGame();
    }

    bool boxBeforeDestroy = false;
};

std::size_t Find(const std::string& text, const std::string& part)
{
    return text.find(part);
}

TEST(GameLoaderBaseTest, AWholeLifeEndsWhenThePlayerQuits)
{
    TestGameFolders folders;
    TestGameLoader loader;
    const std::uint32_t presentsBefore = d3d7::testing::GetPresentCount();
    RunFor(loader, 5);
    // The quit pushed when the queue ran dry after frame 5 is read by that
    // same pump: there is no frame 6.
    EXPECT_EQ(d3d7::testing::GetPresentCount() - presentsBefore, 5u);
    EXPECT_EQ(loader.GetGame(), nullptr);
    EXPECT_EQ(loader.GetOutcome(), GameLoaderBase::Outcome::Ok);
    EXPECT_TRUE(wt::GetMessageBoxCalls().empty());

    const std::string log = folders.LogText();
    const std::size_t end = Find(log, "Corvellan Log end: ");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(log.rfind("Corvellan Log end: "), end);
    const std::string ini = corvellan::test::ReadFileText(folders.UserFolder() + "/Corvellan.ini").value_or("");
    EXPECT_NE(Find(ini, "d_show_statistics"), std::string::npos);
    // The sound controller let go of its variables before the engine saved them.
    EXPECT_NE(Find(ini, "g_music_volume"), std::string::npos);
}

TEST(GameLoaderBaseTest, EveryFailureDestroysTheGameThenTellsThePlayer)
{
    struct Case
    {
        const char* name;
        std::function<void(TestGameLoader&)> arrange;
        std::string boxText;
        bool gameWasRunning;
    };
    const std::vector<Case> cases = {
        {"fatal error in the level manager's factory",
         [](TestGameLoader& loader) {
             loader.options.beforeMake = [](TestGame& game, const std::string& name) {
                 if (name == "level manager")
                     game.GetEngine()->messageManager->Fatal("No level list");
             };
         },
         "No level list", false},
        {"foreign exception in the cursor's factory",
         [](TestGameLoader& loader) {
             loader.options.beforeMake = [](TestGame&, const std::string& name) {
                 if (name == "cursor")
                     throw std::runtime_error("out of cursors");
             };
         },
         "Unhandled exception!", false},
        {"fatal error in the cursor's update",
         [](TestGameLoader& loader) {
             loader.options.onCursorUpdate = [&loader] {
                 loader.GetGame()->GetEngine()->messageManager->Fatal("Cursor lost");
             };
         },
         "Cursor lost", true},
        {"missing fonts list",
         [](TestGameLoader&) {}, "Unhandled exception!", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestGameFolders folders;
        if (std::string(c.name) == "missing fonts list")
            std::remove(folders.program.Join("data/ui/fonts/en.ini").c_str());
        CheckingLoader loader;
        c.arrange(loader);
        RunFor(loader, 1000);
        EXPECT_FALSE(loader.boxBeforeDestroy);
        EXPECT_EQ(loader.GetGame(), nullptr);
        EXPECT_EQ(loader.GetOutcome(), GameLoaderBase::Outcome::Failed);
        const std::vector<wt::MessageBoxCall> boxes = wt::GetMessageBoxCalls();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.boxText);
        EXPECT_EQ(boxes[0].caption, "Fatal Error");
        EXPECT_EQ(boxes[0].type, win32::MB_ICONERROR);

        // Whatever was made was also destroyed, and the log was closed.
        for (const std::string& made : loader.journal.With("make "))
            EXPECT_EQ(loader.journal.Count("delete " + made), 1u) << made;
        const std::string log = folders.LogText();
        EXPECT_NE(Find(log, "Corvellan Log end: "), std::string::npos);
        if (c.boxText != "Unhandled exception!")
        {
            EXPECT_LT(Find(log, "PROGRAM ABORTING: "), Find(log, "Corvellan Log end: "));
        }
        EXPECT_EQ(loader.journal.Count("show Logos"), c.gameWasRunning ? 1u : 0u);
    }
}

TEST(GameLoaderBaseTest, DamagedFontsListsStopTheStartBeforeAnyFont)
{
    struct Case
    {
        const char* name;
        std::string list;
    };
    const std::vector<Case> cases = {
        {"huge count", "4000000000 0\n"},
        {"count just above the limit", "257 0\n"},
        {"record cut short", "2 0\nui\\fonts\\capitals.fnt ui\\fonts\\atlas.tga 32bit 24 0.4 1.1 1 0\n"
                             "ui\\fonts\\digits.fnt ui\\fonts\\atlas.tga 32bit 16\n"},
        {"no console font", "0\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestGameFolders folders;
        ASSERT_TRUE(TestGameData::WriteFontsList(folders.program.Path(), c.list));
        TestGameLoader loader;
        testing::internal::CaptureStderr();
        loader.Run();
        const std::string errors = testing::internal::GetCapturedStderr();
        // The reader's own text names the list: the count was refused, not allocated.
        EXPECT_NE(Find(errors, "Fonts list data\\ui\\fonts\\en.ini"), std::string::npos) << errors;
        EXPECT_EQ(loader.GetOutcome(), GameLoaderBase::Outcome::Failed);
        const std::vector<wt::MessageBoxCall> boxes = wt::GetMessageBoxCalls();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Unhandled exception!");
        EXPECT_NE(Find(folders.LogText(), "Corvellan Log end: "), std::string::npos);
    }
}

TEST(GameLoaderBaseTest, FontsListRecordsBecomeFontsByPosition)
{
    TestGameFolders folders;
    TestGameJournal journal;
    {
        TestGame game(journal, {});
        OrvaneEngine::GUIFontManager& fonts = *game.GetEngine()->guiManager->GetFontManager();
        EXPECT_EQ(game.GetFontCount(), 2u);
        EXPECT_EQ(game.GetConsoleFontId(), 1u);
        OrvaneEngine::GUIFont* capitals = fonts.GetFont(0);
        OrvaneEngine::GUIFont* digits = fonts.GetFont(1);
        ASSERT_NE(capitals, nullptr);
        ASSERT_NE(digits, nullptr);
        EXPECT_EQ(fonts.GetFont(2), nullptr);
        EXPECT_FLOAT_EQ(capitals->glyphHeight, 24.0f);
        EXPECT_FLOAT_EQ(capitals->spaceRatio, 0.4f);
        EXPECT_FLOAT_EQ(capitals->advanceFactor, 1.1f);
        EXPECT_FALSE(capitals->fixedPitch);
        EXPECT_TRUE(capitals->HasGlyph(u'a')) << "add lower case 1 copies the capitals";
        EXPECT_FLOAT_EQ(digits->glyphHeight, 16.0f);
        EXPECT_FLOAT_EQ(digits->spaceRatio, 0.3f);
        EXPECT_FLOAT_EQ(digits->advanceFactor, 0.9f);
        EXPECT_TRUE(digits->fixedPitch);
    }
    {
        // "-1" is no; a count of 0 makes no font at all.
        ASSERT_TRUE(TestGameData::WriteFontsList(
            folders.program.Path(), "1 0 ui\\fonts\\capitals.fnt ui\\fonts\\atlas.tga 32bit 24 0.4 1.1 -1 -1\n"));
        TestGame game(journal, {});
        OrvaneEngine::GUIFont* capitals = game.GetEngine()->guiManager->GetFontManager()->GetFont(0);
        ASSERT_NE(capitals, nullptr);
        EXPECT_FALSE(capitals->HasGlyph(u'a'));
        EXPECT_FALSE(capitals->fixedPitch);
    }
    {
        ASSERT_TRUE(TestGameData::WriteFontsList(folders.program.Path(), "0 0\n"));
        TestGame game(journal, {});
        EXPECT_EQ(game.GetFontCount(), 0u);
        EXPECT_EQ(game.GetEngine()->guiManager->GetFontManager()->GetFont(0), nullptr);
    }
}

TEST(GameLoaderBaseTest, TheGameIsTakenDownInItsFixedOrder)
{
    TestGameFolders folders;
    TestGameLoader loader;
    wt::SetPumpHook([&loader] {
        TestGame* game = loader.GetTestGame();
        if (game != nullptr && game->GetLevel() == nullptr)
        {
            game->StartLevel();
            game->StartLevel();
            wt::PushQuit();
        }
    });
    loader.Run();
    wt::ResetPumpHook();
    const std::vector<std::string> expected = {
        "level logic", "LevelComplete", "StageComplete", "GameComplete", "GameOver", "GameLogicGameExit",
        "GameLogicRestart", "GameLogicMenuExit", "GameLogicMenu", "GameLogicPause", "GameLogic", "Help", "Options",
        "HighScores", "ContinueGameLogic", "StartGameLogic", "ProfileNameConflict", "Profiles", "NewProfile",
        "RenameProfile", "DeleteProfile", "MainMenu", "Exit", "Welcome", "GameLogicLoading", "Loading", "Logos",
        "cursor", "profile manager", "level manager", "game data", "level data 2", "level data 1"};
    std::vector<std::string> deleted = loader.journal.With("delete ");
    // The first level's logic went when the second started.
    ASSERT_FALSE(deleted.empty());
    EXPECT_EQ(deleted.front(), "level logic");
    deleted.erase(deleted.begin());
    EXPECT_EQ(deleted, expected);
}

} // namespace
