// One frame of the application object: lost and regained focus, the
// delayed window-mode change and the framework's console commands.
#include "engine/core/Config.h"
#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "content/WavWriter.h"
#include "framework/SoundController.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/d3d7/Results.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/SleepHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameClock.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
    void Frame() { game.Frame(); }

    void Focus(bool gained)
    {
        wt::PushWindowEvent(game.GetEngine()->window->handle,
                            gained ? wt::WindowEvent::FocusGained : wt::WindowEvent::FocusLost);
    }

    // Messages are kept for one frame: this is the last frame's.
    std::string Log() const
    {
        std::string text;
        const OrvaneEngine::MessageManager& log = *game.GetEngine()->messageManager;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
            text += log.GetMessage(static_cast<std::uint32_t>(i)).text + "\n";
        return text;
    }

    corvellan::test::TestGameClock clock;
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

TEST_F(GameBaseFrameStepTest, LosingFocusInAMenuPausesTheMusicUntilItFadesBackIn)
{
    const std::string tone = corvellan::content::WavWriter::Simple(
        corvellan::content::WavFormat{}, corvellan::content::Samples16(std::vector<std::int16_t>(22050, 8000)));
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folders.program.Join("data/music/menu.wav"), tone));
    GameFramework::SoundController& sounds = *game.GetSoundController();
    sounds.AddMusic(0, "music\\menu.wav", true);
    sounds.PlayMusic(0, 0, false, 0.0f);
    // The device mixes only when a test asks, so what it plays can be read.
    auto* soundSystem = static_cast<OrvaneEngine::SoundSystem_DS7*>(game.GetEngine()->soundSystem.get());
    ASSERT_NE(soundSystem, nullptr);
    dsound::IDirectSound* device = soundSystem->GetDevice();
    dsound::testing::SetDevicePaused(device, true);
    auto loudest = [device] {
        int peak = 0;
        for (const std::int16_t sample : dsound::testing::Mix(device, 2205))
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        return peak;
    };
    Frame();
    ASSERT_EQ(sounds.GetMusicState(0), GameFramework::SoundController::Playing);
    EXPECT_GT(loudest(), 0);
    wt::ResetSleep();
    wt::SetSleepRecording(true);

    Focus(false);
    const std::uint32_t presents = d3d7::testing::GetPresentCount();
    Frame();
    EXPECT_EQ(sounds.GetMusicState(0), GameFramework::SoundController::Paused) << "paused at once";
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents);
    EXPECT_EQ(wt::GetSleepCalls(), std::vector<std::uint32_t>{100});
    Frame();
    EXPECT_EQ(sounds.GetMusicState(0), GameFramework::SoundController::Paused);
    EXPECT_EQ(loudest(), 0) << "silent while unfocused";

    Focus(true);
    Frame();
    EXPECT_EQ(sounds.GetMusicState(0), GameFramework::SoundController::Playing);
    const GameFramework::SoundController::MusicEntry* entry = sounds.GetChannelEntry(0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->fadeState, GameFramework::SoundController::FadeIn);
    EXPECT_FLOAT_EQ(entry->fadeRate, 0.5f);
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1);

    // Half the level after one second of 0.1 s frames.
    const float start = entry->fadeLevel;
    for (int frame = 0; frame < 10; ++frame)
    {
        wt::AdvanceFakeMilliseconds(100);
        Frame();
    }
    EXPECT_NEAR(entry->fadeLevel - start, 0.5f, 0.001f);
}

TEST_F(GameBaseFrameStepTest, AltEnterChangesTheModeTwoFramesLater)
{
    OrvaneEngine::Config& config = *game.GetEngine()->config;
    const win32::HWND window = game.GetEngine()->window->handle;
    Frame();
    const bool fullscreen = config.fullscreen;
    ASSERT_TRUE(wt::PushKey(window, "Left Alt", true));
    ASSERT_TRUE(wt::PushKey(window, "Return", true));
    Frame();
    EXPECT_FALSE(config.GetCommandFlag("v_window_change_mode"));
    Frame();
    EXPECT_FALSE(config.GetCommandFlag("g_update_video_mode"));
    EXPECT_EQ(journal.Count("reset device"), 0u);
    Frame();
    EXPECT_EQ(journal.Count("reset device"), 1u);
    EXPECT_NE(config.fullscreen, fullscreen);
    EXPECT_TRUE(config.GetCommandFlag("v_window_change_mode")) << "a held key toggles once";
    ASSERT_TRUE(wt::PushKey(window, "Return", false));
    ASSERT_TRUE(wt::PushKey(window, "Left Alt", false));
    Frame();
}

TEST_F(GameBaseFrameStepTest, LostSurfacesAreRestoredAndAWrongModeResetsTheDevice)
{
    OrvaneEngine::Config& config = *game.GetEngine()->config;
    config.Execute("v_fullscreen 0");
    config.Execute("g_update_video_mode");
    Frame();
    ASSERT_EQ(journal.Count("reset device"), 1u) << "the mode changed";
    Frame();

    d3d7::testing::LoseSurfaces(d3d7::DD_OK);
    Frame();
    Frame();
    Frame();
    EXPECT_EQ(journal.Count("reset device"), 1u);
    EXPECT_FALSE(d3d7::testing::AreSurfacesLost());

    // Windowed, a wrong mode raises the reset, which the next frame runs;
    // a key held through it no longer counts until it is released.
    const OrvaneEngine::Controls& controls = *game.GetEngine()->controls;
    ASSERT_TRUE(wt::PushKey(game.GetEngine()->window->handle, "Space", true));
    d3d7::testing::LoseSurfaces(d3d7::DDERR_WRONGMODE);
    Frame();
    EXPECT_TRUE(game.GetEngine()->renderSystem->resetNeeded);
    EXPECT_EQ(journal.Count("reset device"), 1u);
    EXPECT_TRUE(controls.IsKeyDown("SPACE"));
    Frame();
    EXPECT_EQ(journal.Count("reset device"), 2u);
    EXPECT_FALSE(controls.IsKeyDown("SPACE"));
    // The device stand-in is the process's: later engines must find it whole.
    d3d7::testing::ResetAll();
}

TEST(GameBaseFrameStepLifeTest, StatisticsSurviveARestartAndIniCommandsAreNotSavedBack)
{
    TestGameFolders folders;
    {
        TestGameJournal journal;
        TestGame game(journal, {});
        EXPECT_FALSE(game.IsShowingStatistics());
        game.GetEngine()->config->Execute("d_show_statistics 1");
        EXPECT_TRUE(game.IsShowingStatistics());
    }
    const std::string iniPath = folders.UserFolder() + "/Corvellan.ini";
    std::string ini = corvellan::test::ReadFileText(iniPath).value_or("");
    ASSERT_TRUE(corvellan::test::WriteFileBytes(iniPath, ini + "d_get_loaded_textures\n"));
    {
        TestGameJournal journal;
        TestGame game(journal, {});
        EXPECT_TRUE(game.IsShowingStatistics());
        game.FrameStep();
        const OrvaneEngine::MessageManager& log = *game.GetEngine()->messageManager;
        bool listed = false;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
            listed = listed || log.GetMessage(static_cast<std::uint32_t>(i)).text.rfind("Texture 0: ", 0) == 0;
        EXPECT_TRUE(listed);
    }
    ini = corvellan::test::ReadFileText(iniPath).value_or("");
    EXPECT_EQ(ini.find("d_get_loaded_textures"), std::string::npos);
    EXPECT_NE(ini.find("d_show_statistics"), std::string::npos);
}

TEST(GameBaseFrameStepLifeTest, WithoutSoundTheOccupationCountsNoSound)
{
    corvellan::test::ScopedEnvironment noSound("SDL_AUDIODRIVER", "nosuchdriver");
    TestGameFolders folders;
    TestGameJournal journal;
    TestGame game(journal, {});
    ASSERT_EQ(game.GetEngine()->soundManager, nullptr);
    game.GetEngine()->config->Execute("d_get_manages_occupation");
    game.FrameStep();
    const OrvaneEngine::MessageManager& log = *game.GetEngine()->messageManager;
    std::vector<std::string> counts;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
    {
        const std::string text = log.GetMessage(static_cast<std::uint32_t>(i)).text;
        if (text.find(" count: ") != std::string::npos)
            counts.push_back(text.substr(0, text.find(':')));
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"Shader users count", "Shaders count", "Textures count",
                                                "Models count", "Sounds count"}));
    bool noSounds = false;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        noSounds = noSounds || log.GetMessage(static_cast<std::uint32_t>(i)).text == "Sounds count: 0\n";
    EXPECT_TRUE(noSounds) << testing::PrintToString(counts);
}

} // namespace
