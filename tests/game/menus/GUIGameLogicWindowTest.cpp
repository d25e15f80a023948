// The in-game panel: what keys and buttons answer while active and inactive,
// the minimise button and the window-mode box, the level and score texts,
// the statistics lines, the fade in and out, and a Hide straight after Show.
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelRecord.h"
#include "framework/ScreenSettings.h"
#include "framework/StageRecord.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/game/menus/MenuScreenFixture.h"

#include <algorithm>
#include <filesystem>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;

class GUIGameLogicWindowTest : public MenuScreenFixture
{
protected:
    void StartPanel()
    {
        Start();
        menu.engine->config->RegisterVariable("d_show_statistics", ConfigVariable::TypeBool, false, false,
                                              &showStatistics, "0", false);
        profile = &menu.MakeCurrentProfile(u"Ann");
        profile->score = 1200;
        record.stageIndex = 1;
        record.levelIndex = 2;
        logic = std::make_unique<GameFramework::GameLogicBase>(menu.engine, menu.sounds.get(),
                                                               menu.levels->stages[1].get(), &record, 0);
        logic->SetScore(34);
        panel = &Add(std::make_unique<Mirabel::GUIGameLogicWindow>(menu.engine, menu.profiles.get(),
                                                                    menu.gameData.get(), menu.manager.get()));
        // Buttons are clicked between the GUI's update and the panel's.
        menu.updates.insert(menu.updates.begin(), [this] {
            for (GUIButton* button : clicks)
                button->clicked = true;
            clicks.clear();
        });
    }

    // One frame with these keys down and these buttons clicked; the panel's result.
    std::uint32_t Frame(const std::vector<const char*>& keys, const std::vector<GUIButton*>& buttons)
    {
        for (const char* key : keys)
            menu.Key(key, true);
        clicks = buttons;
        menu.Update(20);
        const std::uint32_t answer = panel->result;
        menu.Render();
        for (const char* key : keys)
            menu.Key(key, false);
        menu.Step(20);
        return answer;
    }

    bool FadedIn()
    {
        return menu.StepUntil([&] { return panel->color.a >= 1.0f; }, 20, 400);
    }

    // The level's clock belongs to the engine: the level goes first.
    void TearDown() override
    {
        menu.updates.clear();
        logic.reset();
        StopAll();
    }

    bool showStatistics = false;
    Mirabel::Profile* profile = nullptr;
    GameFramework::LevelRecord record;
    std::unique_ptr<GameFramework::GameLogicBase> logic;
    Mirabel::GUIGameLogicWindow* panel = nullptr;
    std::vector<GUIButton*> clicks;
};

TEST_F(GUIGameLogicWindowTest, KeysAndButtonsAnswerOnlyWhileActiveTheLaterWinning)
{
    StartPanel();
    panel->Show(logic.get());
    ASSERT_TRUE(FadedIn());
    struct Row
    {
        const char* what;
        std::vector<const char*> keys;
        bool close;
        bool menuButton;
        std::uint32_t active;
    };
    const Row rows[] = {
        {"space and escape", {"Space", "Escape"}, false, false, 16},
        {"close and P", {"P"}, true, false, 15},
        {"close", {}, true, false, 4},
        {"menu button and space", {"Space"}, false, true, 16},
        {"nothing", {}, false, false, 0},
    };
    for (const bool active : {true, false})
    {
        panel->SetActive(active);
        EXPECT_EQ(panel->menuControl->button->IsEnabled(), active);
        EXPECT_EQ(panel->closeControl->button->IsEnabled(), active);
        EXPECT_TRUE(panel->minimizeControl->button->IsEnabled());
        for (const Row& row : rows)
        {
            SCOPED_TRACE(std::string(row.what) + (active ? " active" : " inactive"));
            std::vector<GUIButton*> buttons;
            if (row.close)
                buttons.push_back(panel->closeControl->button);
            if (row.menuButton)
                buttons.push_back(panel->menuControl->button);
            EXPECT_EQ(Frame(row.keys, buttons), active ? row.active : 0u);
        }
    }
    // Minimising works while inactive too.
    EXPECT_FALSE(win32::testing::IsWindowMinimized(menu.engine->window->handle));
    Frame({}, {panel->minimizeControl->button});
    // The request travels as a window message, which the game's loop dispatches.
    win32::MSG message{};
    while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE))
        win32::DispatchMessageA(&message);
    EXPECT_TRUE(win32::testing::IsWindowMinimized(menu.engine->window->handle));
}

TEST_F(GUIGameLogicWindowTest, TheModeBoxSwitchesTheWindowStyleAndFollowsChangesMadeElsewhere)
{
    StartPanel();
    menu.engine->config->fullscreen = false;
    panel->Show(logic.get());
    ASSERT_TRUE(FadedIn());
    ASSERT_EQ(panel->currentModeControl, panel->windowModeControl.get());
    GUICheckBox& box = *panel->windowModeControl->checkBox;
    EXPECT_TRUE(box.checked);

    std::string ini = menu.engine->config->GetIniPath();
    std::replace(ini.begin(), ini.end(), '\\', '/');
    std::filesystem::remove(ini);
    menu.engine->config->SetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode, true);
    panel->SetActive(false);
    box.checked = false;
    Frame({}, {&box});
    EXPECT_TRUE(menu.engine->config->fullscreen);
    EXPECT_TRUE(std::filesystem::exists(ini));
    EXPECT_FALSE(menu.engine->config->GetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode));

    // A switch asked for elsewhere: the box follows in the next update.
    menu.engine->config->SetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode, true);
    menu.engine->config->fullscreen = false;
    menu.Step(20);
    EXPECT_FALSE(box.checked);
    menu.engine->config->SetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode, false);
    menu.Step(20);
    EXPECT_TRUE(box.checked);
    panel->Hide();
    menu.Step(20);

    menu.engine->config->SetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode, true);
    menu.engine->config->fullscreen = true;
    panel->Show(logic.get());
    EXPECT_EQ(panel->currentModeControl, panel->fullscreenModeControl.get());
    EXPECT_FALSE(panel->fullscreenModeControl->checkBox->checked);
}

TEST_F(GUIGameLogicWindowTest, TextsShowTheLevelTheTotalAndTheStatisticsWhileAsked)
{
    StartPanel();
    panel->Show(logic.get());
    ASSERT_TRUE(FadedIn());
    menu.Update(20);
    const auto level = MenuHarness::TextEntries(*panel->levelControl->widget);
    const auto score = MenuHarness::TextEntries(*panel->scoreControl->widget);
    const auto statistics = MenuHarness::TextEntries(*panel->statisticsWindow);
    menu.Render();
    ASSERT_EQ(level.size(), 1u);
    EXPECT_EQ(level[0].text, u"2-3");
    EXPECT_EQ(level[0].fontId, 6u);
    EXPECT_EQ(level[0].alignment, 10u);
    ASSERT_EQ(score.size(), 1u);
    EXPECT_EQ(score[0].text, u"1234");
    EXPECT_TRUE(statistics.empty());

    showStatistics = true;
    menu.Update(20);
    const auto lines = MenuHarness::TextEntries(*panel->statisticsWindow);
    menu.Render();
    ASSERT_EQ(lines.size(), 3u);
    const float ys[] = {512.0f, 497.0f, 482.0f};
    for (std::size_t i = 0; i < 3; ++i)
    {
        EXPECT_FLOAT_EQ(lines[i].position.x, 8.0f);
        EXPECT_FLOAT_EQ(lines[i].position.y, ys[i]);
        EXPECT_EQ(lines[i].fontId, 0u);
    }
    const std::string fps = std::to_string(menu.engine->timerManager->fps);
    EXPECT_EQ(lines[0].text.substr(lines[0].text.size() - fps.size() - 2), u": " + std::u16string(fps.begin(), fps.end()));

    showStatistics = false;
    menu.Update(20);
    EXPECT_TRUE(MenuHarness::TextEntries(*panel->statisticsWindow).empty());
    menu.Render();
}

TEST_F(GUIGameLogicWindowTest, FadesInAfterTheControlsAppearAndVanishesOnTheUpdateAfterHide)
{
    StartPanel();
    panel->Show(logic.get());
    int appearing = 0;
    while (panel->menuControl->IsAppearing() || panel->mainPanelControl->IsAppearing())
    {
        EXPECT_FLOAT_EQ(panel->color.a, 0.0f);
        menu.Step(20);
        ASSERT_LT(++appearing, 400);
    }
    float faded = 0.0f;
    while (panel->color.a < 1.0f)
    {
        menu.Step(20);
        faded += 0.02f;
        ASSERT_LT(faded, 1.0f);
    }
    EXPECT_NEAR(faded, 0.25f, 0.021f);

    panel->Hide();
    menu.Step(20);
    EXPECT_EQ(panel->rootWindow->flags & GUIWindow::FlagShown, 0u);
}

TEST_F(GUIGameLogicWindowTest, HideStraightAfterShowPrintsNoValues)
{
    StartPanel();
    panel->Show(logic.get());
    panel->Hide();
    menu.Update(20);
    EXPECT_TRUE(MenuHarness::TextEntries(*panel->levelControl->widget).empty());
    EXPECT_TRUE(MenuHarness::TextEntries(*panel->scoreControl->widget).empty());
    menu.Render();
}

} // namespace
} // namespace corvellan::test
