// The main menu over the menu harness: its seven buttons, their results
// and labels, and the greeting.
#include "engine/gui/GUIButton.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIMainMenuWindow;

class GUIMainMenuWindowTest : public MenuScreenFixture
{
protected:
    GUIMainMenuWindow& Make()
    {
        return Add(std::make_unique<GUIMainMenuWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                       menu.profiles.get(), menu.manager.get(), nullptr));
    }

    std::uint32_t Click(GUIMainMenuWindow& screen, std::initializer_list<std::uint32_t> buttons)
    {
        std::vector<const Mirabel::GUIControl*> controls;
        for (std::uint32_t b : buttons)
            controls.push_back(&screen.GetControl(b));
        return ClickFrame(controls, [&] { return screen.result; });
    }
};

TEST_F(GUIMainMenuWindowTest, ClicksAnswerInTheirOrderAndTheLaterOneWins)
{
    Start();
    Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
    GUIMainMenuWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    using M = GUIMainMenuWindow;
    struct Row
    {
        std::uint32_t first;
        std::uint32_t second;
        std::uint8_t introduction;
        std::uint32_t result;
    };
    const Row rows[] = {
        {M::Start, M::Start, 1, 25},           {M::Start, M::Start, 0, 23},
        {M::HighScores, M::HighScores, 0, 10}, {M::Options, M::Options, 0, 11},
        {M::ChangeProfile, M::ChangeProfile, 0, 5}, {M::ShowPlace, M::ShowPlace, 0, 24},
        {M::Credits, M::Credits, 0, 12},       {M::Exit, M::Exit, 0, 4},
        {M::ChangeProfile, M::Credits, 0, 12}, {M::Start, M::Options, 1, 11},
        {M::ShowPlace, M::Exit, 0, 24},        {M::ChangeProfile, M::Start, 0, 23},
        {M::Exit, M::HighScores, 0, 4},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::to_string(row.first) + " + " + std::to_string(row.second));
        profile.introductionFlag = row.introduction;
        EXPECT_EQ(Click(screen, {row.first, row.second}), row.result);
        // A result lasts one frame.
        EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 0u);
    }
}

TEST_F(GUIMainMenuWindowTest, ButtonsStayDeadWhileTheMenuOpensAndCloses)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    GUIMainMenuWindow& screen = Make();
    screen.Show();
    menu.Step(20);
    ASSERT_NE(screen.IsAnyControlAppearing(), 0);
    int clicks = 0;
    for (; clicks < 100 && screen.IsAnyControlAppearing() != 0; ++clicks)
    {
        EXPECT_FALSE(screen.GetControl(GUIMainMenuWindow::Start).button->IsEnabled()) << clicks;
        EXPECT_EQ(RealClick(screen.GetControl(GUIMainMenuWindow::Start), [&] { return screen.result; }), 0u)
            << clicks;
    }
    const bool sawDisabled = clicks > 0;
    EXPECT_TRUE(sawDisabled);
    ASSERT_TRUE(OpenFully(screen));
    EXPECT_TRUE(screen.GetControl(GUIMainMenuWindow::Start).button->IsEnabled());
    EXPECT_EQ(RealClick(screen.GetControl(GUIMainMenuWindow::Options), [&] { return screen.result; }), 11u);

    screen.Hide();
    EXPECT_EQ(Click(screen, {GUIMainMenuWindow::HighScores}), 0u);
    EXPECT_FALSE(screen.GetControl(GUIMainMenuWindow::HighScores).button->IsEnabled());
}

TEST_F(GUIMainMenuWindowTest, LabelFontsFollowTheButtonStateAndStayWhite)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    GUIMainMenuWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    const Mirabel::GUIControl& options = screen.GetControl(GUIMainMenuWindow::Options);
    const Vector2 middle = Middle(*options.button);
    menu.MoveTo(static_cast<std::int32_t>(middle.x), static_cast<std::int32_t>(middle.y));
    menu.Step(20);
    auto fontOf = [&](std::uint32_t index) {
        menu.Update(20);
        const auto entries = MenuHarness::TextEntries(*screen.GetControl(index).button);
        menu.Render();
        EXPECT_EQ(entries.size(), 1u);
        return entries.empty() ? 0u : entries[0].fontId;
    };
    EXPECT_EQ(fontOf(GUIMainMenuWindow::Options), GUIMainMenuWindow::FontHover);
    EXPECT_EQ(fontOf(GUIMainMenuWindow::Start), GUIMainMenuWindow::FontNormal);
    menu.Press(true);
    EXPECT_EQ(fontOf(GUIMainMenuWindow::Options), GUIMainMenuWindow::FontPressed);
    menu.Press(false);
    menu.Step(20);

    // Closing: the buttons are disabled and their labels keep font 7 and white.
    screen.Hide();
    menu.Step(20);
    menu.Update(20);
    for (std::uint32_t k = 0; k < GUIMainMenuWindow::ButtonCount; ++k)
    {
        const auto entries = MenuHarness::TextEntries(*screen.GetControl(k).button);
        ASSERT_EQ(entries.size(), 1u) << k;
        EXPECT_EQ(entries[0].fontId, GUIMainMenuWindow::FontNormal) << k;
        EXPECT_EQ(entries[0].alignment, 3u);
        EXPECT_EQ(entries[0].color.a, 1.0f);
        EXPECT_EQ(entries[0].color.r, 1.0f);
        EXPECT_FALSE(screen.GetControl(k).button->IsEnabled());
    }
    EXPECT_LT(screen.color.a, 1.0f);
    menu.Render();
}

TEST_F(GUIMainMenuWindowTest, TheTitleGreetsTheProfileCurrentAtShow)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    GUIMainMenuWindow& screen = Make();
    screen.Show();
    EXPECT_EQ(screen.GetTitle(), u"Welcome Ann!");
    menu.MakeCurrentProfile(u"Bob");
    ASSERT_TRUE(OpenFully(screen));
    EXPECT_EQ(screen.GetTitle(), u"Welcome Ann!");
    screen.Hide();
    ASSERT_TRUE(CloseFully(screen));
    screen.Show();
    EXPECT_EQ(screen.GetTitle(), u"Welcome Bob!");
}

} // namespace
} // namespace corvellan::test
