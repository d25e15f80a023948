// The ending's effect and unicorn, and the show-place screen, over a started
// menu background.
#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"
#include "tests/support/MenuHarness.h"
#include "tools/GUITextPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIGameCompleteEffect;
using Mirabel::GUIUnicorn;

constexpr float Step8 = 0.006f;

float AlphaOf(const GUIWindow* window) { return window->GetColor().a; }

// The background started, with the unicorn and the effect updated in the
// game's order.
struct Ending
{
    // With a unicorn layer unless told otherwise; `change` alters the data first.
    void StartUp(bool unicornLayer = true, const std::function<void(MenuData&)>& change = {})
    {
        ASSERT_TRUE(menu.data.WriteDefault());
        if (unicornLayer)
        {
            ASSERT_TRUE(menu.data.Background({{"backdrop", "_none_", true, 0},
                                              {"hill", "_none_", false, 0},
                                              {"unicorn_meadow", "_none_", false, 0}}));
        }
        if (change)
            change(menu.data);
        menu.Start();
        ASSERT_TRUE(menu.RunStartUp());
        unicorn = std::make_unique<GUIUnicorn>(menu.engine, menu.sounds.get(), menu.background.get());
        effect = std::make_unique<GUIGameCompleteEffect>(menu.engine, menu.gameData.get(), menu.background.get(),
                                                         unicorn.get());
        menu.updates.push_back([this] { effect->Update(); });
        menu.updates.push_back([this] { unicorn->Update(); });
    }
    ~Ending()
    {
        menu.updates.clear();
        effect.reset();
        unicorn.reset();
    }

    MenuHarness menu;
    std::unique_ptr<GUIUnicorn> unicorn;
    std::unique_ptr<GUIGameCompleteEffect> effect;
};

class EndingTest : public ::testing::Test, protected Ending
{
};

TEST_F(EndingTest, EachEffectFadesInAndOutOverTenFramesAndStartsTheUnicornInBetween)
{
    StartUp();
    unicorn->LoadModel();
    EXPECT_EQ(effect->GetContainer()->level, 100);
    EXPECT_EQ(effect->GetContainer()->parent, menu.background->GetTopWindow());
    ASSERT_EQ(effect->GetEffectWindows().size(), 3u);
    effect->Show();
    AnimationControl& first = *effect->GetEffectWindows()[0]->model->GetAnimationControl();
    EXPECT_EQ(first.GetFrameCount(), MenuData::EffectFrames);
    EXPECT_FLOAT_EQ(first.speed, GUIGameCompleteEffect::AnimationSpeed);
    for (GUIWindow* window : effect->GetEffectWindows())
        window->model->GetAnimationControl()->speed = 0.0f;
    const float appearStart = menu.SoundLastStart(GUIUnicorn::SoundUpgrade);
    struct Row
    {
        float position;
        float alpha;
        bool unicornShown;
    };
    for (const Row& row : {Row{0.0f, 0.0f, false}, Row{5.0f, 0.5f, false}, Row{10.0f, 1.0f, true},
                           Row{19.9f, 1.0f, true}, Row{25.0f, 0.5f, true}})
    {
        SCOPED_TRACE(row.position);
        for (GUIWindow* window : effect->GetEffectWindows())
            window->model->GetAnimationControl()->time = row.position;
        effect->Update();
        for (GUIWindow* window : effect->GetEffectWindows())
            EXPECT_NEAR(AlphaOf(window), row.alpha, Step8);
        EXPECT_EQ((unicorn->GetWindow()->flags & GUIWindow::FlagShown) != 0, row.unicornShown);
        EXPECT_EQ(effect->result, 0u);
    }
    menu.Step(50);
    EXPECT_NE(menu.SoundLastStart(GUIUnicorn::SoundUpgrade), appearStart);
}

TEST_F(EndingTest, TheUnicornFadesInPlaysFromThreeSecondsAndThenTheEffectAnswers)
{
    StartUp();
    unicorn->LoadModel();
    ASSERT_NE(unicorn->GetWindow(), nullptr);
    EXPECT_EQ(unicorn->GetWindow()->parent, menu.background->GetUnicornLayerWindow()->parent);
    EXPECT_EQ(unicorn->GetWindow()->level, menu.background->GetUnicornLayerWindow()->level);
    EXPECT_EQ(unicorn->GetWindow()->GetShaderUser()->stages[0].speed, 0.0f);
    EXPECT_EQ(unicorn->GetAnimation()->GetFrameCount(), MenuData::UnicornFrames);

    effect->Show();
    ASSERT_TRUE(menu.StepUntil([&] { return unicorn->GetWindow()->visible; }, 50, 40));
    // Shown by the effect's update, the unicorn counted that frame already.
    float t = 0.05f;
    bool started = false;
    for (int n = 0; n < 200 && unicorn->finished == 0; ++n)
    {
        menu.Update(50);
        t += 0.05f;
        const float expected = std::min(std::max(t - 0.5f, 0.0f) * 0.45f, 1.0f);
        EXPECT_NEAR(AlphaOf(unicorn->GetWindow()), expected, Step8) << t;
        if (!started && unicorn->GetAnimation()->IsPlaying())
        {
            started = true;
            EXPECT_GE(t, GUIUnicorn::AnimationStart - 1e-4f);
            EXPECT_LT(t, GUIUnicorn::AnimationStart + 0.05f);
        }
        EXPECT_EQ(effect->result, 0u) << t;
        menu.Render();
    }
    EXPECT_TRUE(started);
    ASSERT_EQ(unicorn->finished, 1);
    // The texture shows the control's frame.
    EXPECT_FLOAT_EQ(unicorn->GetWindow()->GetShaderUser()->animationTime[0],
                    static_cast<float>(unicorn->GetAnimation()->GetFirstFrame()));
    EXPECT_EQ(unicorn->GetAnimation()->GetFirstFrame(), MenuData::UnicornFrames - 1);
    menu.Update(50);
    EXPECT_EQ(effect->result, GUIGameCompleteEffect::ResultFinished);
    menu.Render();
}

TEST_F(EndingTest, ShowingTwicePlaysOneSoundAndHidingReleasesUntilTheNextLoad)
{
    StartUp();
    unicorn->Show();
    EXPECT_EQ(unicorn->GetWindow(), nullptr);
    unicorn->LoadModel();
    const GUIWindow* loaded = unicorn->GetWindow();
    unicorn->LoadModel();
    EXPECT_EQ(unicorn->GetWindow(), loaded);
    unicorn->Show();
    menu.Step(50);
    const float started = menu.SoundLastStart(GUIUnicorn::SoundUpgrade);
    menu.Step(50);
    unicorn->Show();
    menu.Step(50);
    EXPECT_EQ(menu.SoundLastStart(GUIUnicorn::SoundUpgrade), started);

    unicorn->Hide();
    for (int n = 0; n < 9; ++n)
        menu.Step(50);
    EXPECT_NE(unicorn->GetWindow(), nullptr);
    menu.Step(50);
    EXPECT_EQ(unicorn->GetWindow(), nullptr);
    EXPECT_EQ(unicorn->GetAnimation(), nullptr);
    unicorn->LoadModel();
    EXPECT_NE(unicorn->GetWindow(), nullptr);
    EXPECT_NE(unicorn->GetAnimation(), nullptr);
}

TEST_F(EndingTest, TheEndingIsReachedEvenWhenItsPartsCannotPlayAsDesigned)
{
    struct Case
    {
        const char* what;
        std::uint32_t effectFrames;
        std::uint32_t unicornFrames;
        bool loadUnicorn;
    };
    for (const Case& c : {Case{"20-frame effects", 20, 4, true}, Case{"a one-frame unicorn", 30, 1, true},
                          Case{"no unicorn loaded", 30, 4, false}})
    {
        SCOPED_TRACE(c.what);
        Ending ending;
        ending.StartUp(true, [&](MenuData& data) {
            for (int k = 0; k < 3; ++k)
                ASSERT_TRUE(data.Model("ui\\menus\\models\\start_game\\game_complete_effect_" + std::to_string(k) +
                                           ".mlf",
                                       c.effectFrames, {100, 100, 200, 200}));
            ASSERT_TRUE(data.TextureAnimatedModel("ui\\menus\\background\\models\\unicorn_animated.mlf",
                                                  {600, 100, 700, 200}, c.unicornFrames));
        });
        if (c.loadUnicorn)
            ending.unicorn->LoadModel();
        ending.effect->Show();
        EXPECT_TRUE(ending.menu.StepUntil(
            [&] { return ending.effect->result == GUIGameCompleteEffect::ResultFinished; }, 50, 200));
    }
}

TEST_F(EndingTest, WithoutAUnicornLayerTheUnicornStandsInFrontOfTheLayersAndSaysSo)
{
    StartUp(false);
    ASSERT_EQ(menu.background->GetUnicornLayerWindow(), nullptr);
    unicorn->LoadModel();
    ASSERT_NE(unicorn->GetWindow(), nullptr);
    EXPECT_EQ(unicorn->GetWindow()->parent, menu.background->GetLayerContainer());
    EXPECT_EQ(unicorn->GetWindow()->level, menu.background->GetFrontLayerWindow()->level);
    unicorn->Show();
    menu.Step(50);
    effect.reset();
    unicorn.reset();
    menu.Stop();
    EXPECT_NE(menu.LogText().find("no unicorn layer"), std::string::npos);
}

class ShowPlaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.data.WriteDefault());
        ASSERT_TRUE(menu.StartMenus());
        mainMenu = std::make_unique<Mirabel::GUIMenuWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                            menu.manager.get(), 0, nullptr);
        showPlace = std::make_unique<Mirabel::GUIUpgradeWindow>(menu.engine, menu.manager.get(),
                                                                menu.background->GetTopWindow());
        menu.updates.push_back([this] { showPlace->Update(); });
        menu.updates.push_back([this] { mainMenu->Update(); });
    }

    MenuHarness menu;
    std::unique_ptr<Mirabel::GUIMenuWindow> mainMenu;
    std::unique_ptr<Mirabel::GUIUpgradeWindow> showPlace;
};

TEST_F(ShowPlaceTest, WaitsForTheMenuToCloseIgnoresEarlyClicksAndAnswersAfterTheFadeIn)
{
    mainMenu->SetTitleText(u"Main");
    mainMenu->SetOpen(1);
    ASSERT_TRUE(menu.StepUntil([&] { return mainMenu->color.a > 0.9999f; }, 50, 60));
    mainMenu->SetOpen(0);
    showPlace->Show();
    const GUIWindow& text = *showPlace->GetTextWindow();
    while (menu.manager->tokenFree == 0)
    {
        EXPECT_FALSE(text.visible);
        menu.Step(50);
    }
    menu.Step(50);
    ASSERT_TRUE(text.visible);
    EXPECT_NEAR(showPlace->GetTimer(), 0.05f, 1e-4f);

    bool printerEmptied = false;
    for (int n = 0; n < 60 && showPlace->IsActive(); ++n)
    {
        const float t = showPlace->GetTimer() + 0.05f;
        if (std::abs(t - 0.9f) < 0.01f || std::abs(t - 1.2f) < 0.01f)
            menu.Click(400, 300);
        menu.Update(50);
        const std::vector<GUITextEntry> entries = MenuHarness::TextEntries(text);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].key, "HIT_MOUSE_BUTTON_TO_CONTINUE");
        EXPECT_EQ(entries[0].alignment, 1u);
        EXPECT_EQ(entries[0].fontId, 1u);
        EXPECT_FLOAT_EQ(entries[0].position.y, 12.0f);
        EXPECT_EQ(entries[0].keyNumber, -1);
        if (showPlace->IsActive())
        {
            EXPECT_NEAR(entries[0].color.a, std::clamp(showPlace->GetTimer() - 2.5f, 0.0f, 1.0f), 1e-4f);
            if (menu.manager->IsFadeFinished())
                printerEmptied = menu.background->GetPrinter().GetText().empty();
        }
        else
        {
            EXPECT_EQ(entries[0].color.a, 0.0f);
        }
        EXPECT_EQ(showPlace->result, 0u);
        menu.Render();
    }
    EXPECT_FALSE(showPlace->IsActive());
    EXPECT_NEAR(showPlace->GetTimer(), 1.2f, 0.03f);
    EXPECT_TRUE(printerEmptied);
    EXPECT_FALSE(menu.manager->IsFadeFinished());
    int frames = 0;
    while (showPlace->result == 0 && frames < 40)
    {
        EXPECT_FALSE(menu.manager->IsFadeFinished());
        menu.Step(50);
        ++frames;
    }
    EXPECT_EQ(showPlace->result, Mirabel::GUIUpgradeWindow::ResultDone);
    EXPECT_TRUE(menu.manager->IsFadeFinished());
    showPlace->Hide();
    menu.Step(50);
    EXPECT_EQ(showPlace->result, 0u);
    EXPECT_FALSE(text.visible);
}

} // namespace
} // namespace corvellan::test
