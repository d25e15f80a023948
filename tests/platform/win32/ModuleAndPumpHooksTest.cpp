#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Module.h"
#include "platform/win32/Shell.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/ModuleHooks.h"
#include "platform/win32/testing/PumpHooks.h"
#include "platform/win32/testing/ShellHooks.h"
#include "tests/platform/win32/WindowFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;
namespace wt = win32::testing;

class ModuleFileNameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(programFolder);
        wt::SetModuleFileName(programFolder + "/corvellan");
    }
    void TearDown() override
    {
        wt::ResetModuleFileName();
        wt::ResetShell();
    }

    corvellan::test::TempFolder folder;
    const std::string programFolder = folder.Join("bin");
};

TEST_F(ModuleFileNameTest, EverythingThatFollowsTheProgramFolderFollowsTheHook)
{
    EXPECT_EQ(win32::GetModuleFileNameA(nullptr), programFolder + "/corvellan");
    EXPECT_EQ(OrvaneEngine::GetExecutableFolder(), programFolder);

    // Relative paths of the file layer.
    std::ofstream(programFolder + "/beside.txt") << "x";
    EXPECT_TRUE(OrvaneEngine::FileManager::ExistsOnDisk("beside.txt"));
    EXPECT_FALSE(OrvaneEngine::FileManager::ExistsOnDisk("missing.txt"));

    // The log's relative folder.
    {
        OrvaneEngine::MessageManager log("Run", true, false, "Logs", "");
        log.Message("written");
    }
    EXPECT_TRUE(fs::exists(programFolder + "/Logs/Run.html"));

    // The delete guard protects the program's folder and leaves what is in it deletable.
    wt::SetDeleteRecording(true);
    const std::string protectedList = programFolder + std::string(1, '\0');
    win32::SHFILEOPSTRUCTA refused{};
    refused.wFunc = win32::FO_DELETE;
    refused.pFrom = protectedList.c_str();
    EXPECT_NE(win32::SHFileOperationA(&refused), 0);
    const std::string fileList = programFolder + "/beside.txt" + std::string(1, '\0');
    win32::SHFILEOPSTRUCTA allowed{};
    allowed.wFunc = win32::FO_DELETE;
    allowed.pFrom = fileList.c_str();
    EXPECT_EQ(win32::SHFileOperationA(&allowed), 0);
    EXPECT_EQ(wt::GetRecordedDeletes(), std::vector<std::string>{programFolder + "/beside.txt"});
}

TEST_F(ModuleFileNameTest, ResetGivesTheRunningProgramBack)
{
    wt::ResetModuleFileName();
    const std::string name = win32::GetModuleFileNameA(nullptr);
    EXPECT_EQ(fs::path(name), fs::canonical("/proc/self/exe"));
    EXPECT_NE(OrvaneEngine::GetExecutableFolder(), programFolder);
}

class PumpHookTest : public corvellan::test::WindowFixture
{
protected:
    void TearDown() override
    {
        wt::ResetPumpHook();
        WindowFixture::TearDown();
    }
};

TEST_F(PumpHookTest, EventsPushedFromTheHookArriveInTheSamePump)
{
    const win32::HWND window = Make();
    ASSERT_NE(window, 0);
    Pump();
    received.clear();

    int calls = 0;
    wt::SetPumpHook([&] {
        ++calls;
        if (calls == 1)
        {
            EXPECT_TRUE(wt::PushKey(window, "A", true));
        }
        // A peek from inside the hook does not call it again.
        win32::MSG inner{};
        win32::PeekMessageA(&inner, 0, 0, 0, win32::PM_NOREMOVE);
    });

    // A loop the test does not own: it peeks until the queue is dry, then
    // runs a frame. The key pushed when the first frame's queue ran dry is
    // taken by that same loop, as a message arriving between two polls
    // would be; the queue then runs dry again.
    win32::MSG message{};
    const int callsAfterFrame[2] = {2, 3};
    const std::size_t keysAfterFrame[2] = {1, 1};
    for (int frame = 0; frame < 2; ++frame)
    {
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
        EXPECT_EQ(calls, callsAfterFrame[frame]) << "once per dry queue";
        EXPECT_EQ(ReceivedOf(win32::WM_KEYDOWN).size(), keysAfterFrame[frame]) << "frame " << frame;
    }

    // A queue that still holds a message is not empty: no call.
    ASSERT_NE(win32::PostMessageA(window, win32::WM_KEYUP, 0, 0), 0);
    ASSERT_NE(win32::PeekMessageA(&message, 0, 0, 0, win32::PM_NOREMOVE), 0);
    EXPECT_EQ(calls, 3);

    wt::ResetPumpHook();
    Pump();
    EXPECT_EQ(calls, 3);
}

} // namespace
