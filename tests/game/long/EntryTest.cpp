// Whole runs of the game through its entry point, in process: a normal end
// closed by the player, the fatal ends of the start-up and of the load, and
// the statistics request that follows every one of them.
#include "game/WinMain.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/WindowTypes.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/PumpHooks.h"
#include "platform/win32/testing/ShellHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GameDataSet.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{

using corvellan::test::GameDataSet;
using corvellan::test::TestGameFolders;
namespace wt = win32::testing;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Runs the program on a fake clock that moves 0.1 s with every frame
// presented, pushing the quit request once it has presented `frames`
// frames, or after many more passes when it presents none, so that a fault
// ends in a failure rather than a hang.
int RunGame(std::uint32_t frames = 3)
{
    const std::uint32_t presentsBefore = d3d7::testing::GetPresentCount();
    std::uint32_t presentsSeen = 0;
    int passes = 0;
    bool pushed = false;
    wt::SetFakeMilliseconds(100000);
    wt::SetPumpHook([&] {
        const std::uint32_t presents = d3d7::testing::GetPresentCount() - presentsBefore;
        if (presents != presentsSeen)
        {
            presentsSeen = presents;
            wt::AdvanceFakeMilliseconds(100);
        }
        if (!pushed && (presents >= frames || ++passes > 100000))
            pushed = wt::PushQuit();
    });
    const int status = WinMain(nullptr, nullptr, "", win32::SW_SHOWNORMAL);
    wt::ResetPumpHook();
    wt::ResetMultimediaTimer();
    return status;
}

class EntryTest : public ::testing::Test
{
protected:
    void TearDown() override { wt::ResetShell(); }

    // The one statistics request of a run, after the window had gone.
    void ExpectOneStatisticsRequest(std::size_t boxesBefore) const
    {
        const std::vector<wt::ShellExecuteCall> calls = wt::GetShellExecuteCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].verb, "open");
        EXPECT_EQ(calls[0].file, Mirabel::StatisticsAddress);
        EXPECT_EQ(calls[0].show, win32::SW_SHOW);
        EXPECT_EQ(calls[0].windowsOpen, 0u);
        EXPECT_EQ(calls[0].messageBoxesBefore, boxesBefore);
    }
};

TEST_F(EntryTest, ANormalEndClosedByThePlayerExitsWithZero)
{
    TestGameFolders folders(false);
    ASSERT_TRUE(GameDataSet::Write(folders.program.Path()));

    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(wt::GetMessageBoxCalls().empty());
    ExpectOneStatisticsRequest(0);

    const std::string log = folders.LogText();
    EXPECT_TRUE(Contains(log, "Corvellan Log end: "));
    EXPECT_FALSE(Contains(log, "Game::Create"));
    EXPECT_TRUE(Contains(log, "Level Manager: Found"));
}

TEST_F(EntryTest, AFatalEndExitsWithOneAfterThePlayerWasTold)
{
    struct Case
    {
        const char* name;
        std::function<void(const std::string& root)> damage;
        std::string boxText;
    };
    const Case cases[] = {
        {"no data set at all", [](const std::string&) {}, "data\\ui\\fonts\\en.ini"},
        {"no stage list",
         [](const std::string& root) {
             GameDataSet::Write(root);
             std::remove((root + "/data/levels/stages_info.ini").c_str());
         },
         "stages_info.ini"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        {
            TestGameFolders folders(false);
            c.damage(folders.program.Path());

            EXPECT_EQ(RunGame(), 1);
            const std::vector<wt::MessageBoxCall> boxes = wt::GetMessageBoxCalls();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].caption, "Fatal Error");
            EXPECT_TRUE(Contains(boxes[0].text, c.boxText)) << boxes[0].text;
            EXPECT_FALSE(Contains(boxes[0].text, "Unhandled exception!"));
            ExpectOneStatisticsRequest(1);
            const std::string log = folders.LogText();
            EXPECT_TRUE(Contains(log, "PROGRAM ABORTING: ")) << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
            EXPECT_TRUE(Contains(log, "Corvellan Log end: "));
        }
        wt::ResetShell();
    }
}

TEST_F(EntryTest, TheLoadRunsBehindTheLoadingScreenAndItsFatalErrorEndsTheRun)
{
    {
        TestGameFolders folders(false);
        ASSERT_TRUE(GameDataSet::Write(folders.program.Path()));
        // The logos, then the background's start-up up to where it waits
        // for the load, take a few seconds of the fake clock.
        EXPECT_EQ(RunGame(300), 0);
        // The load ran to its last resource.
        EXPECT_TRUE(Contains(folders.LogText(), "upgrade.psf"));
    }
    wt::ResetShell();

    TestGameFolders folders(false);
    ASSERT_TRUE(GameDataSet::Write(folders.program.Path()));
    ASSERT_TRUE(GameDataSet::WriteFile(folders.program.Path(), "data/ui/menus/background/background.ini", "-1\r\n"));
    EXPECT_EQ(RunGame(), 1);
    const std::vector<wt::MessageBoxCall> boxes = wt::GetMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Fatal Error");
    EXPECT_TRUE(Contains(boxes[0].text, "data\\ui\\menus\\background\\background.ini")) << boxes[0].text;
    ExpectOneStatisticsRequest(1);
}

} // namespace
