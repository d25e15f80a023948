// A load that fails on the worker thread ends the game as any fatal error
// does: the game is taken down, the log is closed and the box tells the player.
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/PumpHooks.h"
#include "platform/win32/testing/ThreadHooks.h"
#include "tests/support/TestGameFolders.h"
#include "tests/support/TestGameLoader.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <thread>

namespace
{

using corvellan::test::TestGame;
using corvellan::test::TestGameFolders;
using corvellan::test::TestGameLoader;
using GameFramework::GameLoaderBase;
namespace wt = win32::testing;

TEST(LoadingFailureTest, AnErrorOnTheWorkerReachesTheFatalBoxAfterTheJoin)
{
    struct Case
    {
        const char* name;
        std::function<void(TestGameLoader&)> fail;
        const char* boxText;
    };
    const Case cases[] = {
        {"fatal error",
         [](TestGameLoader& loader) { loader.GetGame()->GetEngine()->messageManager->Fatal("Game data broken"); },
         "Game data broken"},
        {"out of memory", [](TestGameLoader&) { throw std::bad_alloc(); }, "Unhandled exception!"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestGameFolders folders;
        const std::uint32_t liveBefore = wt::GetLiveThreadCount();
        TestGameLoader loader;
        std::thread::id loadThread;
        std::uint32_t liveWhileLoading = 0;
        loader.options.loadingScreensLoad = true;
        loader.options.onGameDataLoad = [&] {
            loadThread = std::this_thread::get_id();
            liveWhileLoading = wt::GetLiveThreadCount();
            c.fail(loader);
        };
        bool logosDone = false;
        int passes = 0;
        wt::SetPumpHook([&] {
            if (loader.GetGame() == nullptr)
                return;
            if (!logosDone)
                logosDone = true, loader.GetTestGame()->Result("Logos") = 1;
            else if (++passes > 1000)
                wt::PushQuit();
        });

        loader.Run();
        wt::ResetPumpHook();

        EXPECT_NE(loadThread, std::thread::id{});
        EXPECT_NE(loadThread, std::this_thread::get_id());
        EXPECT_EQ(liveWhileLoading, liveBefore + 1);
        EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);
        EXPECT_EQ(loader.GetGame(), nullptr);
        EXPECT_EQ(loader.GetOutcome(), GameLoaderBase::Outcome::Failed);
        const std::vector<wt::MessageBoxCall> boxes = wt::GetMessageBoxCalls();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.boxText);
        EXPECT_NE(folders.LogText().find("Corvellan Log end: "), std::string::npos);
        EXPECT_EQ(loader.journal.Count("show Welcome"), 0u) << "nothing after the failed load";
        wt::ResetMessageBoxes();
    }
}

} // namespace
