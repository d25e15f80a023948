// Every menu screen answers its buttons only while its frame is open: a
// frame asked to close stays visible while it fades, and a second click
// then must not answer again.
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "framework/HighScoresTable.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIControl;
using Mirabel::GUIMenuWindow;

class ScreenCloseFadeTest : public MenuScreenFixture
{
protected:
    struct Row
    {
        std::string name;
        GUIMenuWindow* window;
        std::function<void()> show;
        std::function<void()> hide;
        const GUIControl* first;
        const GUIControl* second;
        std::function<std::uint32_t()> result;
        std::uint32_t firstResult;
    };

    template <class Screen> Screen& Screen3()
    {
        return Add(std::make_unique<Screen>(menu.engine, menu.sounds.get(), menu.gameData.get(), menu.manager.get(),
                                            nullptr));
    }
    template <class Screen> Screen& Screen4()
    {
        return Add(std::make_unique<Screen>(menu.engine, menu.sounds.get(), menu.gameData.get(), menu.profiles.get(),
                                            menu.manager.get(), nullptr));
    }
};

TEST_F(ScreenCloseFadeTest, ASecondClickWhileTheFrameFadesOutAnswersNothing)
{
    Start();
    Mirabel::Profile& ann = menu.MakeCurrentProfile(u"Ann");
    ann.Save();
    menu.profiles->Save();
    menu.profiles->CreateProfile(u"Bob");

    auto& main = Screen4<Mirabel::GUIMainMenuWindow>();
    auto& exit = Screen3<Mirabel::GUIExitWindow>();
    auto& help = Screen3<Mirabel::GUIHelpWindow>();
    auto& intro = Screen3<Mirabel::GUIIntroductionWindow>();
    auto& relax = Add(std::make_unique<Mirabel::GUIRelaxWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                                menu.profiles.get(), menu.manager.get(), nullptr));
    auto& next = Screen4<Mirabel::GUIContinueGameLogicWindow>();
    auto& welcome = Screen4<Mirabel::GUIWelcomeWindow>();
    auto& fresh = Screen4<Mirabel::GUINewProfileWindow>();
    fresh.entry.SetText(u"Cy");
    auto& rename = Screen4<Mirabel::GUIRenameProfileWindow>();
    auto& remove = Screen4<Mirabel::GUIDeleteProfileWindow>();
    auto& conflict = Screen3<Mirabel::GUIProfileNameConflictWindow>();
    auto& list = Screen4<Mirabel::GUIProfilesWindow>();
    GameFramework::HighScoresTable table(menu.engine, 10, menu.fixture.folder.Path());
    auto& scores = Add(std::make_unique<Mirabel::GUIHighScoresWindow>(
        menu.engine, menu.profiles.get(), menu.sounds.get(), &table, menu.gameData.get(), menu.manager.get(), nullptr));
    auto& tutorial = Add(std::make_unique<Mirabel::GUITutorialWindow>(
        menu.engine, menu.sounds.get(), menu.profiles.get(), menu.gameData.get(), menu.manager.get(), nullptr));

    const Row rows[] = {
        {"main menu", &main, [&] { main.Show(); }, [&] { main.Hide(); },
         &main.GetControl(Mirabel::GUIMainMenuWindow::Options), &main.GetControl(Mirabel::GUIMainMenuWindow::Start),
         [&] { return main.result; }, 11},
        {"exit", &exit, [&] { exit.Show(2); }, [&] { exit.Hide(); }, exit.noControl.get(), exit.noControl.get(),
         [&] { return exit.result; }, 3},
        {"help", &help, [&] { help.Show(); }, [&] { help.Hide(); }, help.backControl.get(), help.backControl.get(),
         [&] { return help.result; }, 3},
        {"relax", &relax, [&] { relax.Show(); }, [&] { relax.Hide(); }, relax.noControl.get(), relax.yesControl.get(),
         [&] { return relax.result; }, 3},
        {"continue game", &next, [&] { next.Show(); }, [&] { next.Hide(); }, next.cancelControl.get(),
         next.continueControl.get(), [&] { return next.result; }, 3},
        {"welcome", &welcome, [&] { welcome.Show(); }, [&] { welcome.Hide(); }, welcome.entry.negativeControl.get(),
         welcome.entry.negativeControl.get(), [&] { return welcome.result; }, 4},
        {"new profile", &fresh, [&] { fresh.Show(0); }, [&] { fresh.Hide(); }, fresh.entry.negativeControl.get(),
         fresh.entry.okControl.get(), [&] { return fresh.result; }, 5},
        {"rename", &rename, [&] { rename.Show(true, u"Ann"); }, [&] { rename.Hide(); },
         rename.entry.negativeControl.get(), rename.entry.okControl.get(), [&] { return rename.result; }, 5},
        {"delete", &remove, [&] { remove.Show(u"Bob"); }, [&] { remove.Hide(); }, remove.noControl.get(),
         remove.yesControl.get(), [&] { return remove.result; }, 5},
        {"conflict", &conflict, [&] { conflict.Show(3); }, [&] { conflict.Hide(); }, conflict.okControl.get(),
         conflict.okControl.get(), [&] { return conflict.result; }, 6},
        {"profile list", &list, [&] { list.Show(); }, [&] { list.Hide(); }, list.doneControl.get(),
         list.newControl.get(), [&] { return list.result; }, 3},
        {"high scores", &scores, [&] { scores.Show(2, nullptr); }, [&] { scores.Hide(); }, scores.okControl.get(),
         scores.okControl.get(), [&] { return scores.result; }, 3},
        {"tutorial", &tutorial, [&] { tutorial.Show(); }, [&] { tutorial.Hide(); }, tutorial.backControl.get(),
         tutorial.continueControl.get(), [&] { return tutorial.result; }, 3},
        {"introduction", &intro, [&] { intro.Show(); }, [&] { intro.Hide(); }, intro.continueControl.get(),
         intro.continueControl.get(), [&] { return intro.result; }, 23},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        if (row.window == &intro)
            menu.engine->guiManager->GetTextManager()->SetText("INTRODUCTION_TEXT_SIZE", u"12");
        row.show();
        ASSERT_TRUE(OpenFully(*row.window));
        EXPECT_EQ(ClickFrame({row.first}, row.result), row.firstResult);
        row.hide();
        ASSERT_TRUE(menu.StepUntil([&] { return row.window->color.a <= 0.5f; }, 20, 20));
        EXPECT_TRUE(row.second->widget->visible);
        EXPECT_EQ(ClickFrame({row.second}, row.result), 0u);
        ASSERT_TRUE(CloseFully(*row.window));
    }
    // Neither the relax offer nor the delete question acted on their late YES.
    EXPECT_EQ(Mirabel::Profile(menu.engine, ann.GetFileName(), ann.GetFolder()).mode, 0u);
    EXPECT_NE(menu.profiles->FindProfile(u"Bob"), nullptr);
    EXPECT_EQ(menu.profiles->FindProfile(u"Cy"), nullptr);
}

TEST_F(ScreenCloseFadeTest, ASecondRealOkOnTheNewProfileScreenCreatesNothingMore)
{
    Start();
    auto& fresh = Screen4<Mirabel::GUINewProfileWindow>();
    fresh.Show(1);
    ASSERT_TRUE(OpenFully(fresh));
    TypeName("Ann");
    EXPECT_EQ(RealClick(*fresh.entry.okControl, [&] { return fresh.result; }), 5u);
    fresh.Hide();
    menu.Step(20);
    ASSERT_TRUE(fresh.entry.okControl->button->visible);
    // Clicked again while fading, the same name would now be taken: 9.
    EXPECT_EQ(RealClick(*fresh.entry.okControl, [&] { return fresh.result; }), 0u);
    EXPECT_EQ(PressEnter([&] { return fresh.result; }), 0u);
    EXPECT_EQ(menu.profiles->profiles.size(), 1u);
}

} // namespace
} // namespace corvellan::test
