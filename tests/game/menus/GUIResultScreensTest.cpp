// The screens that end a stretch of play: the stage-complete pass-on, the
// game-complete pages, the game-over notice, and the level-complete times,
// bonus count, totem and answers.
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/LevelResult.h"
#include "framework/SoundController.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIStageCompleteWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

#include <cmath>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;

class GUIResultScreensTest : public MenuScreenFixture
{
protected:
    void SetUp() override
    {
        MenuScreenFixture::SetUp();
        ASSERT_TRUE(menu.data.Levels({4, 2}));
        ASSERT_TRUE(menu.data.Model("ui\\menus\\models\\controls\\totem.mlf", 16, {300.0f, 200.0f, 340.0f, 300.0f}));
        for (const char* key : {"GAME_COMPLETE_TITLE", "GAME_OVER_TITLE", "LEVEL_COMPLETE_TITLE"})
            texts.emplace(key, std::u16string(key, key + std::char_traits<char>::length(key)));
        texts[GameCompleteSize] = u"12";
        texts["LEVEL_COMPLETE_BEST_TIME_NAME"] = u"Best: %profile_name%!";
    }

    // A level runs: the background has faded out and hidden its text.
    void Start()
    {
        MenuScreenFixture::Start();
        // The bonus counter's loop, on one of the fixture's sound files.
        menu.sounds->AddSound(Mirabel::GUILevelCompleteWindow::SoundCharge, MenuData::Sounds().at(2), true, 1);
        menu.background->Reset();
        ASSERT_TRUE(menu.StepUntil([&] { return menu.background->IsTextAreaHidden(); }, 50, 40));
    }

    template <class Screen> Screen& Make()
    {
        return Add(std::make_unique<Screen>(menu.engine, menu.sounds.get(), menu.gameData.get(), menu.manager.get(),
                                            nullptr));
    }

    Mirabel::GUILevelCompleteWindow& MakeLevelComplete()
    {
        return Add(std::make_unique<Mirabel::GUILevelCompleteWindow>(menu.engine, menu.gameData.get(),
                                                                     menu.sounds.get(), menu.levels.get(),
                                                                     menu.profiles.get(), menu.manager.get(), nullptr));
    }

    // The profile as the flow leaves it after a won level: its result stored.
    Mirabel::Profile& Player(std::uint32_t mode, std::uint32_t stage, std::uint32_t level, float best)
    {
        Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
        profile.mode = mode;
        profile.score = 1000;
        auto result = std::make_unique<GameFramework::LevelResult>();
        result->mode = mode;
        result->stage = stage;
        result->level = level;
        result->time = best;
        profile.AddLevelResult(std::move(result));
        return profile;
    }

    // Frames until the result is not 0; that result (0 after `frames`).
    std::uint32_t UntilAnswer(const std::function<std::uint32_t()>& result, int frames = 400)
    {
        for (int n = 0; n < frames; ++n)
            if (const std::uint32_t answer = ClickFrame({}, result); answer != 0)
                return answer;
        return 0;
    }

    static constexpr const char* GameCompleteSize = "GAME_COMPLETE_TEXT_SIZE";
};

TEST_F(GUIResultScreensTest, StageCompleteAnswersOncePerShowAndDisablesTheUnicornOnlyAtTheEnd)
{
    Start();
    auto& screen = Add(std::make_unique<Mirabel::GUIStageCompleteWindow>(menu.engine, menu.levels.get(),
                                                                         menu.background.get()));
    struct Row
    {
        std::uint32_t stage;
        std::uint32_t level;
        bool unicorn;
    };
    for (const Row& row : {Row{0, 3, true}, Row{1, 0, true}, Row{1, 1, false}})
    {
        SCOPED_TRACE(row.stage * 10 + row.level);
        menu.background->SetUnicornEnabled(true);
        screen.Show(menu.levels->levels[row.stage][row.level].get());
        EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 13u);
        EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 0u);
        EXPECT_EQ(menu.background->IsUnicornEnabled(), row.unicorn);
        screen.Hide();
    }
    screen.Show(menu.levels->levels[0][0].get());
    screen.Hide();
    EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 0u);
}

TEST_F(GUIResultScreensTest, GameCompletePagesFiveLinesAtATime)
{
    struct Row
    {
        std::u16string size;
        std::vector<std::size_t> pageLines;
    };
    const Row rows[] = {{u"12", {5, 5, 2}}, {u"10", {5, 5}}, {u"3", {3}}, {u"0", {0}}, {u"x", {0}}};
    Start();
    auto& screen = Make<Mirabel::GUIGameCompleteWindow>();
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.size.begin(), row.size.end()));
        menu.engine->guiManager->GetTextManager()->SetText(GameCompleteSize, row.size);
        screen.Show();
        ASSERT_TRUE(OpenFully(screen));
        for (std::size_t page = 0; page < row.pageLines.size(); ++page)
        {
            SCOPED_TRACE(page);
            // The new page has faded in.
            for (int n = 0; n < 20; ++n)
                ClickFrame({}, [&] { return screen.result; });
            const auto lines = WithKey(FrameTexts(*screen.frameWindow), "GAME_COMPLETE_TEXT_");
            ASSERT_EQ(lines.size(), row.pageLines[page]);
            for (std::size_t i = 0; i < lines.size(); ++i)
            {
                EXPECT_EQ(lines[i].keyNumber, static_cast<std::int32_t>(5 * page + i));
                EXPECT_FLOAT_EQ(lines[i].position.y, 126.0f - 20.0f * static_cast<float>(i));
                EXPECT_FLOAT_EQ(lines[i].color.a, 1.0f);
            }
            const bool last = page + 1 == row.pageLines.size();
            EXPECT_EQ(ClickFrame({screen.continueControl.get()}, [&] { return screen.result; }), last ? 1u : 0u);
            if (!last)
            {
                // The old page fades out before the next comes in.
                const auto fading = WithKey(FrameTexts(*screen.frameWindow), "GAME_COMPLETE_TEXT_");
                ASSERT_FALSE(fading.empty());
                EXPECT_EQ(fading[0].keyNumber, static_cast<std::int32_t>(5 * page));
                EXPECT_LT(fading[0].color.a, 1.0f);
            }
        }
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
    }
}

TEST_F(GUIResultScreensTest, GameCompleteDisabledNeverOpensAndAnswersOnce)
{
    Start();
    auto& screen = Make<Mirabel::GUIGameCompleteWindow>();
    screen.SetEnabled(false);
    screen.Show();
    EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 1u);
    for (int n = 0; n < 20; ++n)
    {
        EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 0u);
        EXPECT_FALSE(screen.IsOpen());
    }
    screen.Hide();
    EXPECT_FALSE(screen.frameWindow->visible);
}

TEST_F(GUIResultScreensTest, GameOverAnswersOnceTheFrameHasClosedAndTheBackgroundFadedIn)
{
    Start();
    auto& screen = Make<Mirabel::GUIGameOverWindow>();
    screen.Show();
    EXPECT_EQ(screen.needsTextAreaPanel, 1u);
    ASSERT_TRUE(OpenFully(screen));
    const auto lines = WithKey(FrameTexts(*screen.frameWindow), "GAME_OVER_TEXT_");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FLOAT_EQ(lines[2].position.y, 83.0f);
    EXPECT_EQ(ClickFrame({screen.continueControl.get()}, [&] { return screen.result; }), 0u);
    int frames = 0;
    std::uint32_t answer = 0;
    for (; frames < 400 && answer == 0; ++frames)
        answer = ClickFrame({screen.continueControl.get()}, [&] { return screen.result; });
    EXPECT_GT(frames, 2);
    EXPECT_EQ(answer, 1u);
    EXPECT_FALSE(screen.frameWindow->visible);
    EXPECT_TRUE(menu.manager->IsFadeFinished());
}

TEST_F(GUIResultScreensTest, TimesReadMinutesAndTwoDigitSeconds)
{
    const std::pair<std::uint32_t, std::u16string> rows[] = {
        {0, u"0:00"}, {59, u"0:59"}, {65, u"1:05"}, {720, u"12:00"}, {6001, u"100:01"}};
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(Mirabel::GUILevelCompleteWindow::TimeText(seconds), text) << seconds;
}

TEST_F(GUIResultScreensTest, LevelCompleteBonusCountsIntoTheSavedScore)
{
    struct Row
    {
        float time;
        std::uint32_t mode;
        const char* label;
        std::uint32_t bonus;
    };
    // Ace times: 60 s arcade, 120 s relax.
    const Row rows[] = {{59.9f, 0, "LEVEL_COMPLETE_TIME_BONUS", 75},
                        {60.0f, 0, "LEVEL_COMPLETE_NO_TIME_BONUS", 0},
                        {20.0f, 0, "LEVEL_COMPLETE_TIME_BONUS", 3000},
                        {100.5f, 1, "LEVEL_COMPLETE_TIME_BONUS", 1500}};
    Start();
    auto& screen = MakeLevelComplete();
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.time);
        Mirabel::Profile& profile = Player(row.mode, 0, 1, row.time);
        profile.Save();
        screen.Show(menu.levels->levels[0][1].get(), row.time);
        ASSERT_TRUE(OpenFully(screen));
        for (int n = 0; n < 80; ++n)
            ClickFrame({}, [&] { return screen.result; });
        const auto entries = FrameTexts(*screen.frameWindow);
        EXPECT_EQ(WithKey(entries, row.label).size(), 1u);
        EXPECT_EQ(profile.score, 1000 + row.bonus);
        EXPECT_EQ(Mirabel::Profile(menu.engine, profile.GetFileName(), profile.GetFolder()).score, 1000 + row.bonus);
        ClickFrame({screen.continueControl.get()}, [&] { return screen.result; });
        EXPECT_EQ(UntilAnswer([&] { return screen.result; }), 13u);
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
        menu.background->Reset();
        ASSERT_TRUE(menu.StepUntil([&] { return menu.background->IsTextAreaHidden(); }, 50, 40));
    }
}

TEST_F(GUIResultScreensTest, LevelCompleteCountRunsAtFullAlphaWithItsSound)
{
    Start();
    Mirabel::Profile& profile = Player(0, 0, 0, 20.0f);
    auto& screen = MakeLevelComplete();
    screen.Show(menu.levels->levels[0][0].get(), 20.0f);
    ASSERT_TRUE(OpenFully(screen));
    EXPECT_EQ(screen.bonusShown, 0);
    // 40 s of bonus at 18 a second after 0.2 s: 2.42 s; the clock ran one frame already.
    float clock = screen.bonusClock;
    int grew = 0;
    while (screen.bonusShown < 3000 && clock < 5.0f)
    {
        const std::int32_t before = screen.bonusShown;
        menu.Step(50);
        clock += 0.05f;
        if (screen.bonusShown > before && ++grew > 1)
        {
            EXPECT_EQ(menu.SoundState(Mirabel::GUILevelCompleteWindow::SoundCharge), 0u) << clock;
        }
    }
    EXPECT_NEAR(clock, 0.2f + 40.0f / 18.0f, 0.051f);
    EXPECT_EQ(profile.score, 4000u);
    menu.Step(50);
    menu.Step(50);
    EXPECT_NE(menu.SoundState(Mirabel::GUILevelCompleteWindow::SoundCharge), 0u);
}

TEST_F(GUIResultScreensTest, LevelCompleteContinueAddsTheRestAndAnswersByTheStage)
{
    Start();
    Mirabel::Profile& profile = Player(0, 0, 3, 20.0f);
    auto& screen = MakeLevelComplete();
    screen.Show(menu.levels->levels[0][3].get(), 20.0f);
    ASSERT_TRUE(OpenFully(screen));
    for (int n = 0; n < 20; ++n)
        ClickFrame({}, [&] { return screen.result; });
    ASSERT_GT(screen.bonusShown, 0);
    ASSERT_LT(screen.bonusShown, 3000);
    EXPECT_EQ(ClickFrame({screen.continueControl.get()}, [&] { return screen.result; }), 0u);
    EXPECT_EQ(profile.score, 4000u);
    EXPECT_EQ(Mirabel::Profile(menu.engine, profile.GetFileName(), profile.GetFolder()).score, 4000u);
    // The last level of its stage leads to the stage's result.
    EXPECT_EQ(UntilAnswer([&] { return screen.result; }), 20u);
    EXPECT_FALSE(screen.frameWindow->visible);
    EXPECT_TRUE(menu.manager->IsFadeFinished());
    EXPECT_EQ(profile.score, 4000u);
}

TEST_F(GUIResultScreensTest, LevelCompleteTotemFillsWithTheStage)
{
    Start();
    Player(0, 0, 2, 70.0f);
    auto& screen = MakeLevelComplete();
    screen.Show(menu.levels->levels[0][2].get(), 70.0f);
    // Shown from the start with the levels done before this one, 2 of 4,
    // for a second, then rising to 3 of 4 over 1/0.75 s; faded with the frame.
    // The colour is kept in 8 bits.
    constexpr float Step = 1.0f / 255.0f;
    int held = 0;
    for (int n = 0; n < 200 && screen.totemClock < 1.0f + 1.0f / 0.75f + 0.1f; ++n)
    {
        menu.Step(50);
        const float alpha = screen.frontTotemControl->widget->GetColor().a;
        if (screen.totemClock > 0.0f && screen.totemClock <= 1.0f)
        {
            EXPECT_NEAR(alpha, 0.5f * screen.color.a, Step) << screen.totemClock;
            ++held;
        }
        else if (screen.totemClock > 1.1f && screen.totemClock < 2.2f)
        {
            EXPECT_GT(alpha, 0.5f * screen.color.a + Step) << screen.totemClock;
            EXPECT_LT(alpha, 0.75f * screen.color.a - Step) << screen.totemClock;
        }
    }
    EXPECT_GT(held, 5);
    EXPECT_FLOAT_EQ(screen.color.a, 1.0f);
    EXPECT_NEAR(screen.frontTotemControl->widget->GetColor().a, 0.75f, Step);
}

TEST_F(GUIResultScreensTest, LevelCompleteTotemFramesFollowTheStageWithinTheModel)
{
    ASSERT_TRUE(menu.data.Model("ui\\menus\\models\\controls\\totem.mlf", 8, {300.0f, 200.0f, 340.0f, 300.0f}));
    ASSERT_TRUE(menu.data.Levels({1, 1, 1, 1, 1, 1}));
    Start();
    Player(0, 5, 0, 70.0f);
    auto& screen = MakeLevelComplete();
    struct Row
    {
        std::uint32_t stage;
        float back;
        float front;
    };
    for (const Row& row : {Row{1, 3.0f, 2.0f}, Row{3, 7.0f, 6.0f}, Row{5, 7.0f, 7.0f}})
    {
        SCOPED_TRACE(row.stage);
        screen.Show(menu.levels->levels[row.stage][0].get(), 70.0f);
        EXPECT_EQ(screen.backTotemControl->widget->model->GetAnimationControl()->time, row.back);
        EXPECT_EQ(screen.frontTotemControl->widget->model->GetAnimationControl()->time, row.front);
        screen.Hide();
    }
}

TEST_F(GUIResultScreensTest, LevelCompleteNameLineSplitsBetweenFonts)
{
    Start();
    Player(0, 0, 0, 70.0f);
    auto& screen = MakeLevelComplete();
    screen.Show(menu.levels->levels[0][0].get(), 70.0f);
    ASSERT_TRUE(OpenFully(screen));
    menu.Update(50);
    const auto entries = MenuHarness::TextEntries(*screen.frameWindow);
    const auto values = MenuHarness::TextEntries(*screen.valueWindow);
    menu.Render();
    std::vector<GUITextEntry> glyphs;
    for (const GUITextEntry& entry : entries)
        if (entry.position.y == 53.0f)
            glyphs.push_back(entry);
    const std::u16string line = u"Best: Ann!";
    ASSERT_EQ(glyphs.size(), line.size());
    for (std::size_t i = 0; i < line.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(glyphs[i].text, line.substr(i, 1));
        EXPECT_EQ(glyphs[i].fontId, i >= 6 && i < 9 ? 5u : 2u);
        if (i > 0)
        {
            EXPECT_GT(glyphs[i].position.x, glyphs[i - 1].position.x);
        }
    }
    EXPECT_FLOAT_EQ(glyphs[0].position.x, 67.0f);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values[0].text, u"1:10");
    EXPECT_EQ(values[0].alignment, 8u);
}

} // namespace
} // namespace corvellan::test
