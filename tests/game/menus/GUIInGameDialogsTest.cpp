// The dialogs over a running level: what each button answers and when, the
// text-area panel they raise and lower, the in-game menu's live volumes and
// what its Hide keeps, and no answer from a frame that is closing.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/ScreenSettings.h"
#include "framework/SoundController.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameLogicGameExitWindow.h"
#include "game/menus/GUIGameLogicMenuExitWindow.h"
#include "game/menus/GUIGameLogicMenuWindow.h"
#include "game/menus/GUIGameLogicPauseWindow.h"
#include "game/menus/GUIGameLogicRestartWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "tests/game/menus/MenuScreenFixture.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;

class GUIInGameDialogsTest : public MenuScreenFixture
{
protected:
    void SetUp() override
    {
        MenuScreenFixture::SetUp();
        const std::string models = "ui\\menus\\models\\game_logic_menu\\";
        ASSERT_TRUE(menu.data.Model(models + "slider_sound.mlf", 1, {200.0f, 300.0f, 500.0f, 320.0f}) &&
                    menu.data.Model(models + "slider_music.mlf", 1, {200.0f, 250.0f, 500.0f, 270.0f}) &&
                    menu.data.Model(models + "fullscreen_check_box.mlf", 1, {200.0f, 200.0f, 220.0f, 220.0f}));
        for (const char* key : {"GAME_LOGIC_PAUSED_TITLE", "GAME_LOGIC_PAUSED_TEXT", "GAME_LOGIC_PAUSED_RESUME",
                                "GAME_LOGIC_MENU_TITLE", "GAME_LOGIC_MENU_EXIT", "GAME_LOGIC_MENU_RESTART",
                                "GAME_LOGIC_MENU_RETURN", "GAME_LOGIC_EXIT_TITLE", "GAME_LOGIC_EXIT_OK",
                                "GAME_LOGIC_RESTART_TITLE"})
            texts.emplace(key, std::u16string(key, key + std::char_traits<char>::length(key)));
    }

    // A level runs: the background has faded out and hidden its text.
    void Start()
    {
        MenuScreenFixture::Start();
        menu.background->Reset();
        ASSERT_TRUE(menu.StepUntil([&] { return menu.background->IsTextAreaHidden(); }, 50, 40));
    }

    template <class Screen> Screen& Make()
    {
        return Add(std::make_unique<Screen>(menu.engine, menu.sounds.get(), menu.gameData.get(), menu.manager.get(),
                                            nullptr));
    }

    Mirabel::GUIGameLogicMenuWindow& MakeMenu()
    {
        return Add(std::make_unique<Mirabel::GUIGameLogicMenuWindow>(menu.engine, menu.sounds.get(),
                                                                     menu.gameData.get(), menu.manager.get(),
                                                                     menu.profiles.get(), nullptr));
    }

    // The flow hides a dialog in the frame after its answer.
    void HideAndClose(Mirabel::GUIMenuWindow& window, const std::function<void()>& hide)
    {
        hide();
        ASSERT_TRUE(CloseFully(window));
    }
};

TEST_F(GUIInGameDialogsTest, ButtonsAnswerAtOnce)
{
    Start();
    auto& pause = Make<Mirabel::GUIGameLogicPauseWindow>();
    auto& gameMenu = MakeMenu();
    auto& menuExit = Make<Mirabel::GUIGameLogicMenuExitWindow>();
    auto& restart = Make<Mirabel::GUIGameLogicRestartWindow>();
    auto& gameExit = Make<Mirabel::GUIGameLogicGameExitWindow>();
    struct Row
    {
        const char* what;
        Mirabel::GUIMenuWindow* window;
        std::function<void()> show;
        std::function<void()> hide;
        const Mirabel::GUIControl* button;
        std::function<std::uint32_t()> result;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {"pause resume", &pause, [&] { pause.Show(); }, [&] { pause.Hide(); }, pause.resumeControl.get(),
         [&] { return pause.result; }, 19},
        {"menu exit", &gameMenu, [&] { gameMenu.Show(); }, [&] { gameMenu.Hide(); }, gameMenu.exitControl.get(),
         [&] { return gameMenu.result; }, 18},
        {"menu restart", &gameMenu, [&] { gameMenu.Show(); }, [&] { gameMenu.Hide(); },
         gameMenu.restartControl.get(), [&] { return gameMenu.result; }, 17},
        {"menu return", &gameMenu, [&] { gameMenu.Show(); }, [&] { gameMenu.Hide(); }, gameMenu.returnControl.get(),
         [&] { return gameMenu.result; }, 19},
        {"leave cancel", &menuExit, [&] { menuExit.Show(); }, [&] { menuExit.Hide(); },
         menuExit.cancelControl.get(), [&] { return menuExit.result; }, 16},
        {"restart cancel", &restart, [&] { restart.Show(); }, [&] { restart.Hide(); }, restart.cancelControl.get(),
         [&] { return restart.result; }, 16},
        {"quit ok", &gameExit, [&] { gameExit.Show(); }, [&] { gameExit.Hide(); }, gameExit.okControl.get(),
         [&] { return gameExit.result; }, 22},
        {"quit cancel", &gameExit, [&] { gameExit.Show(); }, [&] { gameExit.Hide(); }, gameExit.cancelControl.get(),
         [&] { return gameExit.result; }, 19},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        row.show();
        ASSERT_TRUE(OpenFully(*row.window));
        EXPECT_EQ(ClickFrame({}, row.result), 0u);
        EXPECT_EQ(ClickFrame({row.button}, row.result), row.expected);
        EXPECT_EQ(ClickFrame({}, row.result), 0u);
        HideAndClose(*row.window, row.hide);
    }
}

TEST_F(GUIInGameDialogsTest, ConfirmationsAnswerOnlyOnceTheFrameHasGoneAndTheBackgroundFadedIn)
{
    Start();
    auto& menuExit = Make<Mirabel::GUIGameLogicMenuExitWindow>();
    auto& restart = Make<Mirabel::GUIGameLogicRestartWindow>();
    struct Row
    {
        const char* what;
        Mirabel::GUIMenuWindow* window;
        std::function<void()> show;
        const Mirabel::GUIControl* confirm;
        const Mirabel::GUIControl* cancel;
        std::function<std::uint32_t()> result;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {"leave", &menuExit, [&] { menuExit.Show(); }, menuExit.okControl.get(), menuExit.cancelControl.get(),
         [&] { return menuExit.result; }, 3},
        {"restart", &restart, [&] { restart.Show(); }, restart.yesControl.get(), restart.cancelControl.get(),
         [&] { return restart.result; }, 13},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        row.show();
        ASSERT_TRUE(OpenFully(*row.window));
        EXPECT_EQ(ClickFrame({row.confirm}, row.result), 0u);
        EXPECT_FALSE(row.window->IsOpen());
        ASSERT_TRUE(row.window->frameWindow->visible);
        int frames = 0;
        std::uint32_t answer = 0;
        for (; frames < 400 && answer == 0; ++frames)
        {
            // A cancel while the frame still shows answers nothing.
            answer = ClickFrame({row.cancel}, row.result);
            if (answer == 0)
                continue;
            EXPECT_FALSE(row.window->frameWindow->visible);
            EXPECT_TRUE(menu.manager->IsFadeFinished());
        }
        EXPECT_GT(frames, 2);
        EXPECT_EQ(answer, row.expected);
        for (int n = 0; n < 3; ++n)
            EXPECT_EQ(ClickFrame({}, row.result), row.expected) << n;
    }
    menuExit.Hide();
    restart.Hide();
    // After a confirmation the frame has gone already: Hide asks nothing more of it.
    EXPECT_FALSE(menuExit.openRequest != 0 && menuExit.IsOpen());
}

TEST_F(GUIInGameDialogsTest, NoticesRaiseTheTextAreaPanelAndLowerItAfterTheyClose)
{
    Start();
    auto& pause = Make<Mirabel::GUIGameLogicPauseWindow>();
    auto& gameExit = Make<Mirabel::GUIGameLogicGameExitWindow>();
    auto& gameMenu = MakeMenu();
    for (Mirabel::GUIMenuWindow* window : {static_cast<Mirabel::GUIMenuWindow*>(&pause),
                                           static_cast<Mirabel::GUIMenuWindow*>(&gameExit)})
    {
        EXPECT_EQ(window->needsTextAreaPanel, 0u);
        window == &pause ? pause.Show() : gameExit.Show();
        EXPECT_EQ(window->needsTextAreaPanel, 1u);
        EXPECT_EQ(window->lowerPanelAfterClose, 0u);
        ASSERT_TRUE(OpenFully(*window));
        window == &pause ? pause.Hide() : gameExit.Hide();
        EXPECT_EQ(window->lowerPanelAfterClose, 1u);
        ASSERT_TRUE(CloseFully(*window));
    }

    // The menu keeps the panel for the question that follows EXIT or RESTART
    // and lowers it only on RETURN.
    gameMenu.Show();
    EXPECT_EQ(gameMenu.needsTextAreaPanel, 1u);
    ASSERT_TRUE(OpenFully(gameMenu));
    ClickFrame({gameMenu.exitControl.get()}, [&] { return gameMenu.result; });
    ClickFrame({gameMenu.restartControl.get()}, [&] { return gameMenu.result; });
    EXPECT_EQ(gameMenu.lowerPanelAfterClose, 0u);
    ClickFrame({gameMenu.returnControl.get()}, [&] { return gameMenu.result; });
    EXPECT_EQ(gameMenu.lowerPanelAfterClose, 1u);
}

TEST_F(GUIInGameDialogsTest, AClosingMenuAnswersNoSecondButton)
{
    Start();
    auto& gameMenu = MakeMenu();
    gameMenu.Show();
    ASSERT_TRUE(OpenFully(gameMenu));
    EXPECT_EQ(ClickFrame({gameMenu.returnControl.get()}, [&] { return gameMenu.result; }), 19u);
    gameMenu.Hide();
    // EXIT now would ask to leave a level that has resumed.
    int visibleFrames = 0;
    while (gameMenu.frameWindow->visible && visibleFrames < 400)
    {
        EXPECT_EQ(ClickFrame({gameMenu.exitControl.get()}, [&] { return gameMenu.result; }), 0u) << visibleFrames;
        ++visibleFrames;
    }
    EXPECT_GT(visibleFrames, 0);
}

TEST_F(GUIInGameDialogsTest, PauseIgnoresEveryKey)
{
    Start();
    auto& pause = Make<Mirabel::GUIGameLogicPauseWindow>();
    pause.Show();
    ASSERT_TRUE(OpenFully(pause));
    for (const char* key : {"Space", "Escape", "Return", "P"})
    {
        SCOPED_TRACE(key);
        menu.Key(key, true);
        EXPECT_EQ(ClickFrame({}, [&] { return pause.result; }), 0u);
        menu.Key(key, false);
        EXPECT_EQ(ClickFrame({}, [&] { return pause.result; }), 0u);
    }
}

TEST_F(GUIInGameDialogsTest, MenuVolumesFollowTheSlidersAndAreKeptOnHide)
{
    Start();
    Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
    auto& gameMenu = MakeMenu();
    menu.sounds->SetSoundVolume(0.5f);
    menu.sounds->SetMusicVolume(0.5f);
    gameMenu.Show();
    EXPECT_EQ(gameMenu.soundControl->scroll->GetPosition(), 500u);
    ASSERT_TRUE(OpenFully(gameMenu));

    // Less than a thousandth of the range changes nothing.
    menu.sounds->SetSoundVolume(0.5004f);
    ClickFrame({}, [] { return 0u; });
    EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.5004f);

    gameMenu.soundControl->scroll->SetPosition(700);
    gameMenu.musicControl->scroll->SetPosition(160);
    ClickFrame({}, [] { return 0u; });
    EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.7f);
    EXPECT_FLOAT_EQ(menu.sounds->GetMusicVolume(), 0.16f);

    std::string ini = menu.engine->config->GetIniPath();
    std::replace(ini.begin(), ini.end(), '\\', '/');
    std::filesystem::remove(ini);
    gameMenu.Hide();
    EXPECT_TRUE(std::filesystem::exists(ini)) << ini;
    const Mirabel::Profile reread(menu.engine, profile.GetFileName(), profile.GetFolder());
    ASSERT_TRUE(reread.settings);
    EXPECT_FLOAT_EQ(reread.settings->soundVolume, 0.7f);
    EXPECT_FLOAT_EQ(reread.settings->musicVolume, 0.16f);
    ASSERT_TRUE(CloseFully(gameMenu));

    gameMenu.Show();
    EXPECT_EQ(gameMenu.soundControl->scroll->GetPosition(), 700u);
    EXPECT_EQ(gameMenu.musicControl->scroll->GetPosition(), 160u);
}

TEST_F(GUIInGameDialogsTest, MenuBoxAppliesTheWindowStyleAtOnce)
{
    Start();
    bool clickBox = false;
    auto& gameMenu = MakeMenu();
    // The box is clicked between the GUI's update and the screen's.
    menu.updates.insert(menu.updates.begin(), [&] {
        gameMenu.fullscreenControl->checkBox->clicked = clickBox;
        clickBox = false;
    });
    menu.engine->config->fullscreen = false;
    gameMenu.Show();
    EXPECT_FALSE(gameMenu.fullscreenControl->checkBox->checked);
    ASSERT_TRUE(OpenFully(gameMenu));
    gameMenu.fullscreenControl->checkBox->checked = true;
    clickBox = true;
    ClickFrame({}, [] { return 0u; });
    EXPECT_TRUE(menu.engine->config->fullscreen);
    EXPECT_FALSE(menu.engine->config->GetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode));
}

} // namespace
} // namespace corvellan::test
