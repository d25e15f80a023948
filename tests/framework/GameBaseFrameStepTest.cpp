// One frame of the application object: lost and regained focus, the
// delayed window-mode change and the framework's console commands.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/SleepHooks.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using corvellan::test::TestGame;
using corvellan::test::TestGameFolders;
using corvellan::test::TestGameJournal;
using GameFramework::GameLogicBase;
namespace wt = win32::testing;

class GameBaseFrameStepTest : public ::testing::Test
{
protected:
    // The loader's loop for one frame: every waiting message, then the step.
    void Frame()
    {
        win32::MSG message{};
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE))
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
        game.FrameStep();
    }

    void Focus(bool gained)
    {
        wt::PushWindowEvent(game.GetEngine()->window->handle,
                            gained ? wt::WindowEvent::FocusGained : wt::WindowEvent::FocusLost);
    }

    std::string Log() const
    {
        std::string text;
        const OrvaneEngine::MessageManager& log = *game.GetEngine()->messageManager;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
            text += log.GetMessage(static_cast<std::uint32_t>(i)).text + "\n";
        return text;
    }

    TestGameFolders folders;
    TestGameJournal journal;
    TestGame game{journal, {}};
};

TEST_F(GameBaseFrameStepTest, LosingFocusInARunningLevelPausesItBehindThePauseScreen)
{
    game.StartLevel();
    GameLogicBase& level = *game.GetLevel();
    Frame();
    ASSERT_EQ(level.GetState(), GameLogicBase::Running);
    wt::ResetSleep();
    wt::SetSleepRecording(true);

    Focus(false);
    std::uint32_t presents = d3d7::testing::GetPresentCount();
    Frame();
    EXPECT_EQ(level.GetState(), GameLogicBase::Paused);
    EXPECT_FALSE(game.GetPanel()->IsActive());
    EXPECT_EQ(journal.Count("show GameLogicPause"), 1u);
    EXPECT_TRUE(game.IsMusicPaused());
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1) << "the pause screen is drawn at once";
    EXPECT_TRUE(wt::GetSleepCalls().empty());

    presents = d3d7::testing::GetPresentCount();
    Frame();
    Frame();
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents);
    EXPECT_EQ(wt::GetSleepCalls(), (std::vector<std::uint32_t>{100, 100}));
    EXPECT_EQ(journal.Count("show GameLogicPause"), 1u);

    Focus(true);
    Frame();
    EXPECT_FALSE(game.IsMusicPaused());
    EXPECT_EQ(level.GetState(), GameLogicBase::Paused);
    EXPECT_TRUE(level.IsTimerPaused());
}

TEST_F(GameBaseFrameStepTest, LosingFocusKeepsTheTimerStateOfALevelThatIsNotRunning)
{
    struct Case
    {
        const char* name;
        std::int32_t state;
        bool timerPaused;
    };
    for (const Case& c : {Case{"paused by the menu", GameLogicBase::Paused, true},
                          Case{"won", GameLogicBase::Won, true},
                          Case{"running clock in another state", GameLogicBase::Lost, false}})
    {
        SCOPED_TRACE(c.name);
        game.StartLevel();
        GameLogicBase& level = *game.GetLevel();
        level.SetState(c.state);
        level.PauseTimer(c.timerPaused);
        Frame();
        wt::ResetSleep();
        wt::SetSleepRecording(true);

        Focus(false);
        const std::uint32_t presents = d3d7::testing::GetPresentCount();
        Frame();
        EXPECT_TRUE(level.IsTimerPaused());
        EXPECT_EQ(level.GetState(), c.state);
        EXPECT_EQ(d3d7::testing::GetPresentCount(), presents);
        EXPECT_EQ(wt::GetSleepCalls(), std::vector<std::uint32_t>{100});
        EXPECT_EQ(journal.Count("show GameLogicPause"), 0u);

        Focus(true);
        Frame();
        EXPECT_EQ(level.IsTimerPaused(), c.timerPaused);
        EXPECT_FALSE(game.IsMusicPaused());
    }
}

TEST_F(GameBaseFrameStepTest, AWindowModeRequestIsServedAfterTwoFrames)
{
    OrvaneEngine::Config& config = *game.GetEngine()->config;
    Frame();
    config.SetCommandFlag("v_window_change_mode", false);
    Frame();
    EXPECT_FALSE(config.GetCommandFlag("v_window_change_mode")) << "still pending in frame N";
    EXPECT_TRUE(config.GetCommandFlag("g_update_video_mode"));
    Frame();
    EXPECT_TRUE(config.GetCommandFlag("v_window_change_mode"));
    EXPECT_FALSE(config.GetCommandFlag("g_update_video_mode")) << "requested at the end of N+1";
    Frame();
    EXPECT_TRUE(config.GetCommandFlag("g_update_video_mode")) << "served in N+2";
    EXPECT_EQ(game.GetVideoModeChangeCounter(), 0u);
    EXPECT_EQ(Log().find("Reseting Direct3D device"), std::string::npos) << "the mode did not change";
}

TEST_F(GameBaseFrameStepTest, DebugCommandsWriteTheirLines)
{
    OrvaneEngine::Config& config = *game.GetEngine()->config;
    config.Execute("d_get_used_video_memory_size");
    config.Execute("d_get_manages_occupation");
    config.Execute("d_get_loaded_textures");
    Frame();
    const std::string log = Log();
    for (const char* line : {"Video Memory Used: ", " Mb", "Shader users count: ", "Shaders count: ",
                             "Textures count: ", "Models count: ", "Sounds count: ", "Texture 0: "})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_TRUE(config.GetCommandFlag("d_get_loaded_textures"));
    Frame();
    EXPECT_EQ(Log().find("Video Memory Used: "), std::string::npos) << "served once";
}

} // namespace
