// The exit, help, introduction and relax screens: their results, their
// lines, the introduction's pages and the relax offer's profile write.
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIRelaxWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;

class GUITextScreensTest : public MenuScreenFixture
{
protected:
    template <class Screen> Screen& Make()
    {
        return Add(std::make_unique<Screen>(menu.engine, menu.sounds.get(), menu.gameData.get(), menu.manager.get(),
                                            nullptr));
    }

    Mirabel::GUIRelaxWindow& MakeRelax()
    {
        return Add(std::make_unique<Mirabel::GUIRelaxWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                             menu.profiles.get(), menu.manager.get(), nullptr));
    }
};

TEST_F(GUITextScreensTest, ExitNoAnswersByTheCaller)
{
    Start();
    auto& screen = Make<Mirabel::GUIExitWindow>();
    const std::pair<std::uint32_t, std::uint32_t> rows[] = {{1, 2}, {2, 3}, {3, 6}, {7, 0}};
    for (const auto& [caller, expected] : rows)
    {
        SCOPED_TRACE(caller);
        screen.Show(caller);
        ASSERT_TRUE(OpenFully(screen));
        EXPECT_EQ(ClickFrame({screen.noControl.get()}, [&] { return screen.result; }), expected);
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
    }
}

TEST_F(GUITextScreensTest, ExitYesAnswersOnlyOnceTheFrameHasGoneAndKeepsAnswering)
{
    Start();
    auto& screen = Make<Mirabel::GUIExitWindow>();
    screen.Show(2);
    ASSERT_TRUE(OpenFully(screen));
    const auto entries = FrameTexts(*screen.frameWindow);
    const auto lines = WithKey(entries, "EXIT_TEXT_");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].position.y, 120.0f);
    EXPECT_EQ(lines[1].position.y, 97.0f);
    EXPECT_EQ(lines[1].keyNumber, 1);
    EXPECT_EQ(lines[0].fontId, 2u);

    EXPECT_EQ(RealClick(*screen.yesControl, [&] { return screen.result; }), 0u);
    EXPECT_FALSE(screen.IsOpen());
    int frames = 0;
    std::uint32_t answer = 0;
    for (; frames < 200; ++frames)
    {
        // A second click while the frame fades answers nothing either.
        answer = ClickFrame({screen.noControl.get()}, [&] { return screen.result; });
        if (menu.manager->tokenFree != 0)
            break;
        EXPECT_EQ(answer, 0u) << frames;
    }
    EXPECT_GT(frames, 1);
    // The frame that gave the token back answers.
    EXPECT_EQ(answer, 22u);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 22u) << n;
}

TEST_F(GUITextScreensTest, HelpLinesStandAtTheirPlacesWithHeadingsInFontThree)
{
    Start();
    auto& screen = Make<Mirabel::GUIHelpWindow>();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    const auto lines = WithKey(FrameTexts(*screen.frameWindow), "HELP_TEXT_");
    const std::pair<float, std::uint32_t> expected[] = {{283, 3}, {264, 2}, {246, 2}, {228, 2}, {204, 3}, {185, 2},
                                                        {161, 3}, {142, 2}, {118, 3}, {99, 2},  {75, 3},  {56, 2}};
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].keyNumber, static_cast<std::int32_t>(i));
        EXPECT_FLOAT_EQ(lines[i].position.y, expected[i].first);
        EXPECT_EQ(lines[i].fontId, expected[i].second);
        EXPECT_EQ(lines[i].alignment, 1u);
    }
    EXPECT_EQ(ClickFrame({screen.backControl.get()}, [&] { return screen.result; }), 3u);
}

TEST_F(GUITextScreensTest, IntroductionPagesFollowTheLineCount)
{
    struct Row
    {
        std::u16string size;
        std::vector<std::size_t> pageLines;
    };
    const Row rows[] = {{u"25", {12, 12, 1}}, {u"12", {12}}, {u"0", {0}}, {u"abc", {0}}, {u"12abc", {12}}};
    Start();
    auto& screen = Make<Mirabel::GUIIntroductionWindow>();
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.size.begin(), row.size.end()));
        menu.engine->guiManager->GetTextManager()->SetText("INTRODUCTION_TEXT_SIZE", row.size);
        screen.Show();
        ASSERT_TRUE(OpenFully(screen));
        for (std::size_t page = 0; page < row.pageLines.size(); ++page)
        {
            SCOPED_TRACE(page);
            ASSERT_TRUE(menu.StepUntil([&] { return screen.textAlpha > 0.9999f; }, 50, 40));
            const auto lines = WithKey(FrameTexts(*screen.frameWindow), "INTRODUCTION_TEXT_");
            ASSERT_EQ(lines.size(), row.pageLines[page]);
            for (std::size_t i = 0; i < lines.size(); ++i)
            {
                EXPECT_EQ(lines[i].keyNumber, static_cast<std::int32_t>(12 * page + i));
                EXPECT_FLOAT_EQ(lines[i].position.y, 276.0f - 20.0f * static_cast<float>(i));
            }
            const bool last = page + 1 == row.pageLines.size();
            EXPECT_EQ(ClickFrame({screen.continueControl.get()}, [&] { return screen.result; }), last ? 23u : 0u);
        }
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
    }
}

TEST_F(GUITextScreensTest, IntroductionPageChangeFadesOutFastAndInSlowly)
{
    Start();
    auto& screen = Make<Mirabel::GUIIntroductionWindow>();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    ClickFrame({screen.continueControl.get()}, [&] { return screen.result; });
    EXPECT_NEAR(screen.textAlpha, 0.8f, 1e-5f);
    std::vector<float> out;
    while (screen.shownPage == 0 && out.size() < 10)
    {
        menu.Step(50);
        out.push_back(screen.textAlpha);
    }
    // The page turns in the frame the alpha would drop below 0.
    const std::vector<float> expectedOut = {0.6f, 0.4f, 0.2f, 0.0f, 0.0f};
    ASSERT_GE(out.size(), 4u);
    ASSERT_LE(out.size(), 5u);
    for (std::size_t i = 0; i < out.size(); ++i)
        EXPECT_NEAR(out[i], expectedOut[i], 1e-5f) << i;
    for (int n = 1; n <= 3; ++n)
    {
        const auto lines = WithKey(FrameTexts(*screen.frameWindow), "INTRODUCTION_TEXT_");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0].keyNumber, 12);
        EXPECT_NEAR(screen.textAlpha, 0.1f * static_cast<float>(n), 1e-5f);
        EXPECT_NEAR(lines[0].color.a, screen.color.a * screen.textAlpha, 1e-5f);
    }
}

TEST_F(GUITextScreensTest, RelaxYesStoresRelaxModeInTheProfileFile)
{
    Start();
    Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
    auto& screen = MakeRelax();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    const auto lines = WithKey(FrameTexts(*screen.frameWindow), "RELAX_TEXT_");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FLOAT_EQ(lines[2].position.y, 236.0f);

    EXPECT_EQ(ClickFrame({screen.noControl.get()}, [&] { return screen.result; }), 3u);
    EXPECT_EQ(Mirabel::Profile(menu.engine, profile.GetFileName(), profile.GetFolder()).mode, 0u);
    EXPECT_EQ(ClickFrame({screen.yesControl.get()}, [&] { return screen.result; }), 3u);
    EXPECT_EQ(Mirabel::Profile(menu.engine, profile.GetFileName(), profile.GetFolder()).mode, 1u);
}

TEST_F(GUITextScreensTest, AHugeRelaxLineCountIsCappedAndLogged)
{
    texts["RELAX_TEXT_SIZE"] = u"4000000000";
    Start();
    auto& screen = MakeRelax();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    EXPECT_EQ(WithKey(FrameTexts(*screen.frameWindow), "RELAX_TEXT_").size(), 1000u);
    StopAll();
    EXPECT_NE(menu.LogText().find("RELAX_TEXT_SIZE"), std::string::npos);
}

} // namespace
} // namespace corvellan::test
