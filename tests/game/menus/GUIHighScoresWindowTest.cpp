// The high-score screen: rows, the highlighted row, the cross-fade between
// the two modes' tables, and the once-per-profile relax offer.
#include "framework/HighScoresTable.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using GameFramework::HighScoresTable;
using Mirabel::GUIHighScoresWindow;

class GUIHighScoresWindowTest : public MenuScreenFixture
{
protected:
    void StartWithTable()
    {
        Start();
        table = std::make_unique<HighScoresTable>(menu.engine, 10, menu.fixture.folder.Path());
    }

    GUIHighScoresWindow& Make()
    {
        return Add(std::make_unique<GUIHighScoresWindow>(menu.engine, menu.profiles.get(), menu.sounds.get(),
                                                         table.get(), menu.gameData.get(), menu.manager.get(),
                                                         nullptr));
    }

    struct Shown
    {
        std::vector<GUITextEntry> frame;
        std::vector<GUITextEntry> ranks;
        std::vector<GUITextEntry> names;
        std::vector<GUITextEntry> scores;
    };
    Shown Frame(const GUIHighScoresWindow& screen)
    {
        menu.Update(20);
        Shown shown{MenuHarness::TextEntries(*screen.frameWindow), MenuHarness::TextEntries(*screen.rankColumn),
                    MenuHarness::TextEntries(*screen.nameColumn), MenuHarness::TextEntries(*screen.scoreColumn)};
        menu.Render();
        return shown;
    }

    std::unique_ptr<HighScoresTable> table;
};

TEST_F(GUIHighScoresWindowTest, TenRowsFillTheTableAndAnEmptyTableSaysSo)
{
    StartWithTable();
    menu.MakeCurrentProfile(u"Ann");
    for (std::uint32_t k = 0; k < 12; ++k)
        table->AddScore(u"P" + std::u16string(1, static_cast<char16_t>(u'a' + k)), 0, 1000 + k);
    GUIHighScoresWindow& screen = Make();
    screen.Show(2, nullptr);
    ASSERT_TRUE(OpenFully(screen));
    const Shown arcade = Frame(screen);
    ASSERT_EQ(arcade.ranks.size(), 10u);
    ASSERT_EQ(arcade.names.size(), 10u);
    ASSERT_EQ(arcade.scores.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        const std::string rank = std::to_string(i + 1) + ".";
        EXPECT_EQ(arcade.ranks[i].text, std::u16string(rank.begin(), rank.end()));
        EXPECT_FLOAT_EQ(arcade.ranks[i].position.y, 355.0f - 19.0f * static_cast<float>(i));
        EXPECT_EQ(arcade.ranks[i].alignment, 8u);
        EXPECT_EQ(arcade.names[i].alignment, 4u);
        EXPECT_EQ(arcade.scores[i].alignment, 8u);
        EXPECT_EQ(arcade.ranks[i].fontId, GUIHighScoresWindow::RowFont);
    }
    EXPECT_FLOAT_EQ(arcade.ranks[9].position.y, 184.0f);
    EXPECT_EQ(arcade.scores[0].text, u"1011");
    EXPECT_TRUE(WithKey(arcade.frame, "HIGH_SCORES_NO_RECORDS").empty());
    ASSERT_EQ(WithKey(arcade.frame, "HIGH_SCORES_ARCADE_MODE_TITLE").size(), 1u);
    EXPECT_FLOAT_EQ(WithKey(arcade.frame, "HIGH_SCORES_ARCADE_MODE_TITLE")[0].position.y, 283.0f);
    EXPECT_FLOAT_EQ(screen.rankColumn->position.x, 290.0f);
    EXPECT_FLOAT_EQ(screen.nameColumn->position.x, 295.0f);
    EXPECT_FLOAT_EQ(screen.scoreColumn->position.x, 525.0f);

    ClickFrame({screen.modeControl.get()}, [&] { return screen.result; });
    ASSERT_TRUE(menu.StepUntil([&] { return screen.shownMode == 1 && screen.tableAlpha > 0.9999f; }, 50, 40));
    const Shown relax = Frame(screen);
    EXPECT_TRUE(relax.ranks.empty());
    EXPECT_EQ(WithKey(relax.frame, "HIGH_SCORES_RELAX_MODE_TITLE").size(), 1u);
    const auto none = WithKey(relax.frame, "HIGH_SCORES_NO_RECORDS");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_FLOAT_EQ(none[0].position.y, 261.0f);
}

TEST_F(GUIHighScoresWindowTest, TheNewRowIsHighlightedOnlyInItsOwnModesTable)
{
    StartWithTable();
    menu.MakeCurrentProfile(u"Ann");
    table->AddScore(u"Bob", 0, 500);
    table->AddScore(u"Cy", 1, 700);
    const HighScoresTable::Row* entered = table->AddScore(u"Ann", 0, 600);
    GUIHighScoresWindow& screen = Make();
    screen.Show(11, entered);
    ASSERT_TRUE(OpenFully(screen));
    const Shown arcade = Frame(screen);
    ASSERT_EQ(arcade.names.size(), 2u);
    EXPECT_EQ(arcade.names[0].text, u"Ann");
    EXPECT_EQ(arcade.names[0].fontId, GUIHighScoresWindow::HighlightFont);
    EXPECT_EQ(arcade.ranks[0].fontId, GUIHighScoresWindow::HighlightFont);
    EXPECT_EQ(arcade.names[1].fontId, GUIHighScoresWindow::RowFont);

    ClickFrame({screen.modeControl.get()}, [&] { return screen.result; });
    ASSERT_TRUE(menu.StepUntil([&] { return screen.shownMode == 1; }, 50, 40));
    const Shown relax = Frame(screen);
    ASSERT_EQ(relax.names.size(), 1u);
    EXPECT_EQ(relax.names[0].fontId, GUIHighScoresWindow::RowFont);
}

TEST_F(GUIHighScoresWindowTest, ModeSwitchesCrossFadeAndASecondClickFadesTheSameTableBackIn)
{
    StartWithTable();
    menu.MakeCurrentProfile(u"Ann");
    GUIHighScoresWindow& screen = Make();
    screen.Show(2, nullptr);
    ASSERT_TRUE(OpenFully(screen));
    const auto label = [&] {
        menu.Update(50);
        const auto entries = MenuHarness::TextEntries(*screen.modeControl->widget);
        menu.Render();
        return entries.empty() ? std::string() : entries[0].key;
    };
    EXPECT_EQ(label(), "HIGH_SCORES_RELAX_MODE_BUTTON");
    ClickFrame({screen.modeControl.get()}, [&] { return screen.result; }, 50);
    EXPECT_NEAR(screen.tableAlpha, 0.8f, 1e-5f);
    ClickFrame({screen.modeControl.get()}, [&] { return screen.result; }, 50);
    EXPECT_EQ(screen.targetMode, 0u);
    EXPECT_EQ(screen.shownMode, 0u);
    EXPECT_NEAR(screen.tableAlpha, 0.9f, 1e-5f);
    menu.Step(50);
    EXPECT_NEAR(screen.tableAlpha, 1.0f, 1e-5f);

    ClickFrame({screen.modeControl.get()}, [&] { return screen.result; }, 50);
    ASSERT_TRUE(menu.StepUntil([&] { return screen.shownMode == 1; }, 50, 10));
    EXPECT_EQ(screen.tableAlpha, 0.0f);
    EXPECT_EQ(label(), "HIGH_SCORES_ARCADE_MODE_BUTTON");
    EXPECT_NEAR(screen.tableAlpha, 0.1f, 1e-5f);
}

TEST_F(GUIHighScoresWindowTest, TheRelaxOfferComesOnceAfterALostArcadeGame)
{
    StartWithTable();
    Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
    GUIHighScoresWindow& screen = Make();
    struct Row
    {
        std::uint8_t flag;
        std::uint32_t mode;
        std::uint32_t caller;
        std::uint32_t result;
        std::string label;
    };
    const Row rows[] = {{1, 0, 11, 26, "OK"}, {1, 1, 11, 3, "OK"},   {1, 0, 10, 3, "OK"},
                        {1, 0, 2, 3, "BACK"}, {0, 0, 11, 3, "OK"}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::to_string(row.flag) + " " + std::to_string(row.mode) + " " + std::to_string(row.caller));
        profile.relaxOfferFlag = row.flag;
        profile.mode = row.mode;
        profile.Save();
        screen.Show(row.caller, nullptr);
        ASSERT_TRUE(OpenFully(screen));
        menu.Update(20);
        const auto labels = MenuHarness::TextEntries(*screen.okControl->widget);
        menu.Render();
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].key, row.label);
        EXPECT_EQ(ClickFrame({screen.okControl.get()}, [&] { return screen.result; }), row.result);
        const Mirabel::Profile stored(menu.engine, profile.GetFileName(), profile.GetFolder());
        EXPECT_EQ(stored.relaxOfferFlag, row.result == 26 ? 0 : row.flag);
        if (row.result == 26)
        {
            // The next game over of the same profile leads back to the menu.
            EXPECT_EQ(ClickFrame({screen.okControl.get()}, [&] { return screen.result; }), 3u);
        }
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
    }
}

} // namespace
} // namespace corvellan::test
