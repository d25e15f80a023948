#include "platform/win32/Threads.h"
#include "platform/win32/testing/ThreadHooks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace
{

namespace wt = win32::testing;

// A procedure that holds its thread until the test lets it go.
struct Gate
{
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::atomic<int> runs{0};

    static std::uint32_t Procedure(void* parameter)
    {
        auto* gate = static_cast<Gate*>(parameter);
        gate->opened.wait();
        ++gate->runs;
        return 1;
    }
};

class ThreadsTest : public ::testing::Test
{
protected:
    void TearDown() override { wt::ResetThreads(); }
};

TEST_F(ThreadsTest, AZeroWaitAnswersTimedOutUntilTheProcedureHasReturned)
{
    Gate gate;
    const std::uint32_t liveBefore = wt::GetLiveThreadCount();
    win32::HANDLE thread = win32::CreateThread(&Gate::Procedure, &gate);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore + 1);

    EXPECT_EQ(win32::WaitForSingleObject(thread, 0), win32::WAIT_TIMEOUT);
    EXPECT_EQ(win32::WaitForSingleObject(thread, 1), win32::WAIT_TIMEOUT);
    gate.open.set_value();
    EXPECT_EQ(win32::WaitForSingleObject(thread, win32::INFINITE), win32::WAIT_OBJECT_0);
    EXPECT_EQ(gate.runs, 1);
    EXPECT_EQ(win32::WaitForSingleObject(thread, 0), win32::WAIT_OBJECT_0) << "an ended thread stays signalled";

    EXPECT_TRUE(win32::CloseHandle(thread));
    EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);
}

TEST_F(ThreadsTest, ClosingARunningThreadWaitsForItsEnd)
{
    Gate gate;
    const std::uint32_t liveBefore = wt::GetLiveThreadCount();
    win32::HANDLE thread = win32::CreateThread(&Gate::Procedure, &gate);
    ASSERT_NE(thread, nullptr);
    // The procedure can only end once the gate opens; CloseHandle must join it
    // rather than leave a thread running on freed state.
    std::thread opener([&gate] { gate.open.set_value(); });
    EXPECT_TRUE(win32::CloseHandle(thread));
    EXPECT_EQ(gate.runs, 1);
    EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);
    opener.join();

    EXPECT_FALSE(win32::CloseHandle(nullptr));
}

TEST_F(ThreadsTest, ARefusedCreationRunsNothingAndOnlyTheNextOneIsRefused)
{
    Gate gate;
    gate.open.set_value();
    const std::uint32_t liveBefore = wt::GetLiveThreadCount();
    wt::RefuseNextThread();
    EXPECT_EQ(win32::CreateThread(&Gate::Procedure, &gate), nullptr);
    EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);

    win32::HANDLE thread = win32::CreateThread(&Gate::Procedure, &gate);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(win32::CloseHandle(thread));
    EXPECT_EQ(gate.runs, 1);
}

} // namespace
