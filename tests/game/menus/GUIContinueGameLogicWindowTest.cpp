// The continue-game question: its results and the rows it shows.
#include "engine/gui/GUIWindow.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIContinueGameLogicWindow;

class GUIContinueGameLogicWindowTest : public MenuScreenFixture
{
protected:
    GUIContinueGameLogicWindow& Make()
    {
        return Add(std::make_unique<GUIContinueGameLogicWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                                menu.profiles.get(), menu.manager.get(), nullptr));
    }
};

TEST_F(GUIContinueGameLogicWindowTest, ClicksAnswerInOrderAndTheLaterOneWins)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    GUIContinueGameLogicWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    const Mirabel::GUIControl* go = screen.continueControl.get();
    const Mirabel::GUIControl* fresh = screen.newGameControl.get();
    const Mirabel::GUIControl* cancel = screen.cancelControl.get();
    const std::pair<std::vector<const Mirabel::GUIControl*>, std::uint32_t> rows[] = {
        {{go}, 14}, {{fresh}, 13}, {{cancel}, 3}, {{go, fresh}, 13}, {{cancel, go}, 3}, {{}, 0}};
    for (const auto& [controls, expected] : rows)
        EXPECT_EQ(ClickFrame(controls, [&] { return screen.result; }), expected) << expected;
    EXPECT_EQ(RealClick(*go, [&] { return screen.result; }), 14u);
}

TEST_F(GUIContinueGameLogicWindowTest, RowsShowTheModeThePositionAndTheScoreTakenAtShow)
{
    Start();
    Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
    profile.nextStage = 1;
    profile.nextLevel = 4;
    profile.score = 1234;
    GUIContinueGameLogicWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    profile.score = 99;
    for (const std::uint32_t mode : {0u, 1u})
    {
        SCOPED_TRACE(mode);
        profile.mode = mode;
        menu.Update(50);
        const auto labels = MenuHarness::TextEntries(*screen.labelColumn);
        const auto values = MenuHarness::TextEntries(*screen.valueColumn);
        const auto questions = WithKey(MenuHarness::TextEntries(*screen.frameWindow), "CONTINUE_GAME_LOGIC_TEXT_");
        menu.Render();
        ASSERT_EQ(labels.size(), 3u);
        ASSERT_EQ(values.size(), 3u);
        ASSERT_EQ(questions.size(), 3u);
        const float rows[] = {275.0f, 254.0f, 233.0f};
        const std::u16string names[] = {u"Mode:", u"Level:", u"Score:"};
        const std::u16string shown[] = {mode == 0 ? u"Arcade" : u"Relax", u"2-5", u"1234"};
        for (std::size_t i = 0; i < 3; ++i)
        {
            EXPECT_EQ(labels[i].text, names[i]);
            EXPECT_EQ(labels[i].alignment, 4u);
            EXPECT_EQ(labels[i].fontId, 2u);
            EXPECT_FLOAT_EQ(labels[i].position.y, rows[i]);
            EXPECT_EQ(values[i].text, shown[i]);
            EXPECT_EQ(values[i].alignment, 8u);
            EXPECT_EQ(values[i].fontId, 4u);
            EXPECT_FLOAT_EQ(values[i].position.y, rows[i]);
            EXPECT_FLOAT_EQ(questions[i].position.y, 267.0f - 22.0f * static_cast<float>(i));
        }
    }
    EXPECT_FLOAT_EQ(screen.labelColumn->position.x, 289.0f);
    EXPECT_FLOAT_EQ(screen.valueColumn->position.x, 510.0f);
}

} // namespace
} // namespace corvellan::test
