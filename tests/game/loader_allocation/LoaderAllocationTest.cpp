// The program cannot even make its loader: it says so with its exit status
// and still asks for the statistics page, and no part of the game is made.
#include "game/WinMain.h"
#include "platform/win32/WindowTypes.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/ShellHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/game/loader_allocation/FailingNothrowNew.h"
#include "tests/support/GameDataSet.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

namespace wt = win32::testing;

TEST(LoaderAllocationTest, NoLoaderExitsWithOneAfterTheStatisticsRequest)
{
    corvellan::test::TestGameFolders folders(false);
    ASSERT_TRUE(corvellan::test::GameDataSet::Write(folders.program.Path()));

    corvellan::test::FailNextNothrowNew();
    EXPECT_EQ(WinMain(nullptr, nullptr, "", win32::SW_SHOWNORMAL), 1);
    EXPECT_TRUE(corvellan::test::NothrowNewFailed());

    const auto calls = wt::GetShellExecuteCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].verb, "open");
    EXPECT_EQ(calls[0].file, Mirabel::StatisticsAddress);
    EXPECT_EQ(calls[0].show, win32::SW_SHOW);
    // No game: no window was ever made, nothing was logged, no box shown.
    EXPECT_EQ(wt::GetWindowCount(), 0u);
    EXPECT_FALSE(std::filesystem::exists(folders.UserFolder() + "/Corvellan.html"));
    EXPECT_TRUE(wt::GetMessageBoxCalls().empty());
    wt::ResetShell();
}

} // namespace
