// The menu background on a headless engine, driven frame by frame.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "tests/support/MenuHarness.h"
#include "tools/GUITextPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using content::BackgroundLayerEntry;

class GUIBackgroundWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(menu.data.WriteDefault()); }

    MenuHarness menu;
};

TEST_F(GUIBackgroundWindowTest, StartUpWalksItsStatesOnlyOnceActive)
{
    menu.Start();
    Mirabel::GUIBackgroundWindow& background = *menu.background;
    for (int frame = 0; frame < 10; ++frame)
        menu.Step(50);
    EXPECT_EQ(background.GetState(), 0u);
    EXPECT_FALSE(background.GetForegroundWindows().front()->visible);

    background.active = 1;
    std::vector<std::uint32_t> states{background.GetState()};
    // "LOADING" is typed into the text area at 28 characters per second.
    float typing = 0.0f;
    float typed = -1.0f;
    for (int frame = 0; frame < 400 && !background.IsWaitingForGameData(); ++frame)
    {
        const bool printing = background.GetState() == 2;
        menu.Update(50);
        const std::vector<GUITextEntry> entries = MenuHarness::TextEntries(*background.GetTextAreaWindow());
        // The key is handed over in the state step, after this frame's printing.
        if (printing && (typing > 0.0f || !entries.empty()))
        {
            typing += 0.05f;
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_EQ(entries[0].fontId, 1u);
            if (typed < 0.0f && entries[0].text == u"LOADING")
                typed = typing;
        }
        menu.Render();
        if (background.GetState() != states.back())
            states.push_back(background.GetState());
    }
    EXPECT_NEAR(typed, 7.0f / 28.0f, 0.051f);
    EXPECT_EQ(states, (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_TRUE(background.IsWaitingForGameData());
    EXPECT_TRUE(background.IsTextPrinted());
    EXPECT_EQ(background.GetPrinter().GetText(), u"LOADING");
    EXPECT_EQ(menu.manager->tokenFree, 0);

    background.SetGameData(&menu.LoadGameData());
    menu.Step(50);
    EXPECT_EQ(background.GetState(), 4u);
    menu.Step(50);
    EXPECT_EQ(menu.manager->tokenFree, 1);
    EXPECT_EQ(background.GetState(), 5u);
    menu.Step(50);
    EXPECT_EQ(background.GetState(), 6u);
}

} // namespace
} // namespace corvellan::test

namespace corvellan::test
{
namespace
{

float AlphaOf(const GUIWindow* window) { return window->GetColor().a; }

// Window colours are stored in 8 bits; a fade that reads its colour back
// gathers a step or two.
constexpr float Step8 = 0.006f;

class BackgroundAfterStartUp : public GUIBackgroundWindowTest
{
protected:
    void StartUp()
    {
        menu.Start();
        ASSERT_TRUE(menu.RunStartUp());
    }
    // Frames of 50 ms until the game resources' fade-in is over.
    void Settle(int frames = 12)
    {
        for (int frame = 0; frame < frames; ++frame)
            menu.Step(50);
    }
    Mirabel::GUIBackgroundWindow& Background() { return *menu.background; }
};

struct LayerRow
{
    const char* what;
    std::size_t file;
    enum
    {
        Permanent,
        Staged,
        Unicorn
    } place;
    std::uint32_t threshold;
    bool particles;
};

TEST_F(BackgroundAfterStartUp, EachLayerOfTheListGoesWhereItsLineSays)
{
    const std::vector<BackgroundLayerEntry> layers = {
        {"backdrop", "_NONE_", true, 0}, {"mist", "fog", true, 3},        {"hill", "_none_", false, 0},
        {"tower", "_none_", false, 2},   {"Unicorn_Hill", "_none_", false, 0}, {"rain", "rain", false, 0}};
    ASSERT_TRUE(menu.data.Background(layers));
    for (const char* name : {"mist", "tower", "Unicorn_Hill", "rain"})
        ASSERT_TRUE(menu.data.Model(std::string("ui\\menus\\background\\models\\") + name + ".mlf", 1, {0, 0, 10, 10}));
    ASSERT_TRUE(menu.data.ParticleSystem("ui\\menus\\background\\particles\\fog.psf", 0));
    ASSERT_TRUE(menu.data.ParticleSystem("ui\\menus\\background\\particles\\rain.psf", 1));
    menu.Start();
    // Only the layers the background builds itself exist before the game resources.
    EXPECT_EQ(Background().GetPermanentLayers().size(), 2u);
    EXPECT_EQ(Background().GetForegroundContainer()->level, 3);
    ASSERT_TRUE(menu.RunStartUp());

    const LayerRow rows[] = {{"_NONE_ built here", 0, LayerRow::Permanent, 0, false},
                             {"load flag with stage 3", 1, LayerRow::Permanent, 0, true},
                             {"_none_ from the resources", 2, LayerRow::Permanent, 0, false},
                             {"stage 2", 3, LayerRow::Staged, 2, false},
                             {"Unicorn_Hill", 4, LayerRow::Unicorn, 0, false},
                             {"from the resources with particles", 5, LayerRow::Permanent, 0, true}};
    const auto level = [](std::size_t file) { return static_cast<std::int32_t>(file) + 1; };
    for (const LayerRow& row : rows)
    {
        SCOPED_TRACE(row.what);
        const GUIWindow* window = nullptr;
        const Mirabel::GUIBackgroundWindow::Layer* found = nullptr;
        for (const auto* list : {&Background().GetPermanentLayers(), &Background().GetStagedLayers()})
            for (const auto& layer : *list)
                if (layer.window->level == level(row.file))
                {
                    found = &layer;
                    window = layer.window;
                    EXPECT_EQ(list == &Background().GetStagedLayers(), row.place == LayerRow::Staged);
                }
        if (row.place == LayerRow::Unicorn)
        {
            EXPECT_EQ(found, nullptr);
            ASSERT_NE(Background().GetUnicornLayerWindow(), nullptr);
            EXPECT_EQ(Background().GetUnicornLayerWindow()->level, level(row.file));
            continue;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(window->parent, Background().GetLayerContainer());
        EXPECT_EQ(found->threshold, row.threshold);
        EXPECT_EQ(found->particleSystem != nullptr, row.particles);
        EXPECT_EQ(window->model == nullptr, row.particles);
    }
    EXPECT_EQ(Background().GetPermanentLayers().size(), 4u);
    EXPECT_EQ(Background().GetForegroundContainer()->level, 6);
    EXPECT_EQ(Background().GetLayerContainer()->level, 550);
    EXPECT_EQ(Background().GetTopWindow()->level, 4);
}

struct BrokenFile
{
    const char* what;
    std::string path;
    std::string bytes; // empty with remove: the file is missing
    bool remove;
    std::string text;  // a part of the fatal text
};

TEST_F(GUIBackgroundWindowTest, ABrokenBackgroundOrTitleListEndsTheProgramWithItsReason)
{
    const std::string list = "ui\\menus\\background\\background.ini";
    const std::string titles = "ui\\menus\\models\\background\\title_en.ini";
    const BrokenFile cases[] = {
        {"no list", list, "", true, "background.ini"},
        {"no layer built here", list, "1 hill _none_ 0 0", false, "Background have no thematic layers"},
        {"negative layer count", list, "-1", false, "background.ini"},
        {"too many layers", list, "65 backdrop _none_ 1 0", false, "background.ini"},
        {"fewer layers than counted", list, "5 backdrop _none_ 1 0 hill _none_ 0 0", false, "background.ini"},
        {"a billion layers", list, "1000000000 backdrop _none_ 1 0", false, "background.ini"},
        {"no title list", titles, "", true, "title_en.ini"},
        {"negative title count", titles, "-1", false, "Title list is broken"},
        {"a million titles", titles, "1000000", false, "Title list is broken"},
    };
    for (const BrokenFile& broken : cases)
    {
        SCOPED_TRACE(broken.what);
        MenuHarness harness;
        ASSERT_TRUE(harness.data.WriteDefault());
        if (broken.remove)
            std::remove(harness.data.DataPath(broken.path).c_str());
        else
            ASSERT_TRUE(harness.data.Bytes(broken.path, broken.bytes));
        try
        {
            harness.Start();
            ADD_FAILURE() << "no fatal error";
            continue;
        }
        catch (const FatalError& error)
        {
            EXPECT_NE(error.GetText().find(broken.text), std::string::npos) << error.GetText();
            harness.Stop();
            EXPECT_NE(harness.LogText().find("PROGRAM ABORTING: " + error.GetText()), std::string::npos);
        }
    }
}

TEST_F(GUIBackgroundWindowTest, AnEmptyOrZeroTitleListGivesNoTitleAndDoesNotHoldTheStartUp)
{
    for (const std::string& bytes : {std::string(""), std::string("0")})
    {
        SCOPED_TRACE("title list \"" + bytes + "\"");
        MenuHarness harness;
        ASSERT_TRUE(harness.data.WriteDefault());
        ASSERT_TRUE(harness.data.Bytes("ui\\menus\\models\\background\\title_en.ini", bytes));
        harness.Start();
        EXPECT_TRUE(harness.background->GetTitleWindows().empty());
        EXPECT_TRUE(harness.RunStartUp());
    }
}

TEST_F(GUIBackgroundWindowTest, TitlesRiseOneAfterAnother)
{
    ASSERT_TRUE(menu.data.Titles(3));
    menu.Start();
    Mirabel::GUIBackgroundWindow& background = *menu.background;
    background.active = 1;
    ASSERT_TRUE(menu.StepUntil([&] { return background.GetState() >= 2; }, 50, 200));
    // The reveal began in the frame that left state 1.
    float t = 0.05f;
    bool sawAllShown = false;
    for (int frame = 0; frame < 60; ++frame, t += 0.05f)
    {
        const auto& titles = background.GetTitleWindows();
        bool all = true;
        for (std::size_t k = 0; k < titles.size(); ++k)
        {
            // 1.2 per second, each 1.5 / 3 / 1.2 s after the one before.
            const float expected = std::clamp(1.2f * t - 0.5f * static_cast<float>(k), 0.0f, 1.0f);
            EXPECT_NEAR(AlphaOf(titles[k]), expected, 0.002f) << "title " << k << " at " << t;
            all = all && expected > 0.9999f;
        }
        EXPECT_EQ(background.AreTitlesShown(), all) << t;
        sawAllShown = sawAllShown || all;
        menu.Step(50);
    }
    EXPECT_TRUE(sawAllShown);
}

TEST_F(BackgroundAfterStartUp, FadesReportTheirEndAndAResetHidesEverythingUnlessAFadeInTakesOver)
{
    StartUp();
    Settle();
    Mirabel::GUIBackgroundWindow& background = Background();
    const GUIWindow* backdrop = background.GetPermanentLayers().front().window;
    const GUIWindow* frame = background.GetForegroundWindows().front();
    const auto after = [&](auto start, int frames) {
        start();
        std::vector<bool> finished;
        for (int n = 0; n < frames; ++n)
        {
            finished.push_back(background.IsFadeFinished());
            menu.Step(50);
        }
        finished.push_back(background.IsFadeFinished());
        return finished;
    };
    const std::vector<bool> halfSecond = {false, false, false, false, false, false,
                                          false, false, false, false, true};
    EXPECT_EQ(after([&] { background.StartFadeOut(); }, 10), halfSecond);
    EXPECT_TRUE(backdrop->visible);
    EXPECT_NEAR(AlphaOf(frame), 0.0f, Step8);
    EXPECT_EQ(after([&] { background.StartFadeIn(); }, 10), halfSecond);
    EXPECT_NEAR(AlphaOf(frame), 1.0f, Step8);

    // A reset: nothing is finished until everything is hidden.
    EXPECT_EQ(after([&] { background.Reset(); }, 10), halfSecond);
    EXPECT_FALSE(backdrop->visible);
    EXPECT_FALSE(frame->visible);

    background.StartFadeIn();
    Settle();
    EXPECT_TRUE(backdrop->visible);
    background.Reset();
    menu.Step(50);
    menu.Step(50);
    background.StartFadeIn();
    for (int n = 0; n < 12; ++n)
    {
        menu.Step(50);
        EXPECT_TRUE(backdrop->visible) << n;
        EXPECT_TRUE(frame->visible) << n;
    }
    EXPECT_TRUE(background.IsFadeFinished());
}

TEST_F(BackgroundAfterStartUp, AStagedLayerFollowsTheCurrentProfilesReachedStages)
{
    ASSERT_TRUE(menu.data.Background({{"backdrop", "_none_", true, 0}, {"tower", "_none_", false, 2}}));
    menu.Start();
    Mirabel::Profile& far = menu.MakeCurrentProfile(u"Far");
    far.nextStage = 2;
    Mirabel::Profile& near = menu.MakeCurrentProfile(u"Near");
    near.nextStage = 1;
    menu.profiles->currentProfile = &far;
    Background().UpdateReachedStages();
    EXPECT_EQ(Background().GetReachedStages(), 2u);
    ASSERT_TRUE(menu.RunStartUp());
    ASSERT_EQ(Background().GetStagedLayers().size(), 1u);
    const GUIWindow* tower = Background().GetStagedLayers().front().window;
    Settle();
    EXPECT_TRUE(tower->visible);
    EXPECT_NEAR(AlphaOf(tower), 1.0f, Step8);

    menu.profiles->currentProfile = &near;
    Background().UpdateReachedStages();
    EXPECT_EQ(Background().GetReachedStages(), 1u);
    for (int n = 1; n <= 10; ++n)
    {
        menu.Step(50);
        EXPECT_NEAR(AlphaOf(tower), std::max(1.0f - 0.1f * static_cast<float>(n), 0.0f), Step8) << n;
        EXPECT_TRUE(tower->visible);
    }
    menu.Step(50);
    EXPECT_FALSE(tower->visible);

    menu.profiles->currentProfile = &far;
    Background().UpdateReachedStages();
    menu.Step(50);
    EXPECT_TRUE(tower->visible);
    EXPECT_NEAR(AlphaOf(tower), 0.0f, Step8);
    for (int n = 1; n <= 10; ++n)
    {
        menu.Step(50);
        EXPECT_NEAR(AlphaOf(tower), std::min(0.1f * static_cast<float>(n), 1.0f), Step8) << n;
    }

    menu.profiles->currentProfile = nullptr;
    Background().UpdateReachedStages();
    EXPECT_EQ(Background().GetReachedStages(), 0u);
}

TEST_F(BackgroundAfterStartUp, TheUnicornLayerShowsOnlyWhenTheProfileAllowsItAndItIsEnabled)
{
    ASSERT_TRUE(menu.data.Background({{"backdrop", "_none_", true, 0}, {"unicorn", "_none_", false, 0}}));
    menu.Start();
    Mirabel::Profile& player = menu.MakeCurrentProfile(u"Player");
    player.gameCompleteHintFlag = 1;
    Background().UpdateUnicornFromProfile();
    EXPECT_FALSE(Background().IsUnicornAllowed());
    ASSERT_TRUE(menu.RunStartUp());
    const GUIWindow* unicorn = Background().GetUnicornLayerWindow();
    ASSERT_NE(unicorn, nullptr);
    Settle();
    EXPECT_FALSE(unicorn->visible);

    player.gameCompleteHintFlag = 0;
    Background().UpdateUnicornFromProfile();
    Settle(2);
    EXPECT_TRUE(unicorn->visible);
    Settle();
    EXPECT_NEAR(AlphaOf(unicorn), 1.0f, Step8);

    Background().SetUnicornEnabled(false);
    Settle();
    EXPECT_FALSE(unicorn->visible);
    Background().SetUnicornEnabled(true);
    Settle();
    EXPECT_TRUE(unicorn->visible);
    menu.profiles->currentProfile = nullptr;
    Background().UpdateUnicornFromProfile();
    Settle();
    EXPECT_FALSE(unicorn->visible);
}

TEST_F(BackgroundAfterStartUp, ThePanelRisesUnderTheLevelRootAndIgnoresRequestsWhileUp)
{
    StartUp();
    Settle();
    Mirabel::GUIBackgroundWindow& background = Background();
    const GUIWindow* text = background.GetTextWindow();
    EXPECT_TRUE(background.IsTextAreaHidden() || text->visible);
    background.SetTextAreaVisible(true);
    menu.Step(50);
    EXPECT_EQ(background.GetState(), 7u);
    EXPECT_EQ(text->parent, menu.gameData->levelRootWindow);
    EXPECT_EQ(text->level, 495);
    EXPECT_FALSE(background.IsTextAreaBusy());
    ASSERT_TRUE(menu.StepUntil([&] { return background.GetState() == 8; }, 50, 40));
    EXPECT_TRUE(background.IsTextAreaBusy());
    EXPECT_TRUE(background.IsTextAreaShown());
    EXPECT_EQ(text->parent, background.GetForegroundContainer());
    EXPECT_EQ(text->level, 16);

    background.ClearTextAreaShown();
    background.SetTextAreaVisible(true);
    Settle(3);
    EXPECT_EQ(background.GetState(), 8u);
    EXPECT_FALSE(background.IsTextAreaShown());

    background.SetTextAreaVisible(false);
    menu.Step(50);
    EXPECT_FALSE(background.IsTextAreaBusy());
    Settle();
    EXPECT_EQ(background.GetState(), 6u);
    EXPECT_TRUE(background.IsTextAreaHidden());
    background.SetTextAreaVisible(true);
    menu.Step(50);
    EXPECT_EQ(background.GetState(), 7u);
}

TEST_F(BackgroundAfterStartUp, EmittersFollowTheCentreOfTheirAnimatedModels)
{
    ASSERT_TRUE(menu.data.Background(
        {{"backdrop", "_none_", true, 0}, {"drift", "dust", true, 0}, {"sway", "spark", false, 0}}));
    ASSERT_TRUE(menu.data.Model("ui\\menus\\background\\models\\drift.mlf", 20, {0, 0, 100, 100}, {400, 200, 500, 300}));
    ASSERT_TRUE(menu.data.Model("ui\\menus\\background\\models\\sway.mlf", 20, {600, 0, 700, 40}, {600, 400, 700, 440}));
    ASSERT_TRUE(menu.data.ParticleSystem("ui\\menus\\background\\particles\\dust.psf", 1));
    ASSERT_TRUE(menu.data.ParticleSystem("ui\\menus\\background\\particles\\spark.psf", 0));
    StartUp();
    Settle(3);
    for (const auto& layer : Background().GetPermanentLayers())
    {
        if (layer.particleSystem == nullptr)
            continue;
        ASSERT_NE(layer.model, nullptr);
        const Vector3 centre = layer.model->boundingVolume.center;
        const ParticleSystem& system = *layer.particleSystem;
        if (system.emitterKind == 1)
        {
            const Vector3 middle = (system.emitterBox.localMin + system.emitterBox.localMax) * 0.5f;
            EXPECT_NEAR(middle.x, centre.x, 1e-3f);
            EXPECT_NEAR(middle.y, centre.y, 1e-3f);
            EXPECT_NEAR(system.emitterBox.localMax.x - system.emitterBox.localMin.x, 20.0f, 1e-3f);
        }
        else
        {
            EXPECT_NEAR(system.emitterPosition.x, centre.x, 1e-3f);
            EXPECT_NEAR(system.emitterPosition.y, centre.y, 1e-3f);
        }
        EXPECT_TRUE(system.IsVisible());
        ASSERT_NE(system.GetModel(), nullptr);
        EXPECT_NE(system.GetModel()->GetFlags() & Model::FlagFixedDepth, 0u);
        EXPECT_FLOAT_EQ(system.GetModel()->depth, layer.window->depth);
    }
}

TEST_F(BackgroundAfterStartUp, LogosFadeInAndOutAtOneAndAHalfPerSecond)
{
    StartUp();
    Settle();
    const GUIWindow* frame = Background().GetForegroundWindows()[0];
    const GUIWindow* maker = Background().GetForegroundWindows()[1];
    Background().HideLogos();
    for (int n = 1; n <= 14; ++n)
    {
        menu.Step(50);
        const float expected = std::max(1.0f - 0.075f * static_cast<float>(n), 0.0f);
        EXPECT_NEAR(AlphaOf(frame), expected, Step8) << n;
        EXPECT_NEAR(AlphaOf(maker), expected, Step8) << n;
    }
    Background().ShowLogos();
    for (int n = 1; n <= 14; ++n)
    {
        menu.Step(50);
        EXPECT_NEAR(AlphaOf(frame), std::min(0.075f * static_cast<float>(n), 1.0f), Step8) << n;
    }
}

TEST_F(GUIBackgroundWindowTest, PublisherLogosExistOnlyWithBothTheirPictures)
{
    struct Row
    {
        std::vector<std::string> pictures;
        std::size_t logos;
    };
    const Row rows[] = {{{}, 0},
                        {{"publisher_0_logo_small.jpg"}, 0},
                        {{"publisher_0_logo_small.jpg", "publisher_0_logo_small_alpha.jpg"}, 1},
                        {{"publisher_0_logo_small.jpg", "publisher_0_logo_small_alpha.jpg",
                          "publisher_1_logo_small.jpg", "publisher_1_logo_small_alpha.jpg"},
                         2}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.pictures.size());
        MenuHarness harness;
        ASSERT_TRUE(harness.data.WriteDefault());
        for (const std::string& picture : row.pictures)
            ASSERT_TRUE(harness.data.Bytes("ui\\menus\\textures\\" + picture, "x"));
        harness.Start();
        // Frame, maker logo, the publisher logos, the two mounts and the two titles.
        const auto& foreground = harness.background->GetForegroundWindows();
        EXPECT_EQ(foreground.size(), 6 + row.logos);
        EXPECT_EQ(foreground.back(), harness.background->GetTitleWindows().back());
    }
}

TEST_F(BackgroundAfterStartUp, TheResourceLayerIsDrawnAfterItsFadeInAndGoneHalfASecondAfterAReset)
{
    StartUp();
    Settle();
    const BackBuffer shown = menu.Grab();
    // The hill (green) covers the lower half, the backdrop (red) the upper.
    EXPECT_TRUE(Near(shown.Pixel(400, 500), {0, 255, 0}, 2)) << Describe(shown.Pixel(400, 500));
    EXPECT_TRUE(Near(shown.Pixel(400, 100), {255, 0, 0}, 2)) << Describe(shown.Pixel(400, 100));
    Background().Reset();
    Settle(11);
    const BackBuffer gone = menu.Grab();
    const Rgb clear = gone.Pixel(2, 2);
    EXPECT_TRUE(Near(gone.Pixel(400, 500), clear, 2)) << Describe(gone.Pixel(400, 500));
    EXPECT_TRUE(Near(gone.Pixel(400, 100), clear, 2)) << Describe(gone.Pixel(400, 100));
    EXPECT_FALSE(Near(clear, {0, 255, 0}, 30));
}

TEST_F(BackgroundAfterStartUp, TheManagerFreesTheTokenOnceAndOtherwiseLeavesIt)
{
    menu.Start();
    menu.background->active = 1;
    std::vector<std::uint8_t> tokens;
    ASSERT_TRUE(menu.StepUntil([&] { return Background().IsWaitingForGameData(); }, 50, 400));
    Background().SetGameData(&menu.LoadGameData());
    for (int n = 0; n < 4; ++n)
    {
        menu.Step(50);
        tokens.push_back(menu.manager->tokenFree);
        menu.manager->tokenFree = 0;
    }
    EXPECT_EQ(tokens, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Background().GetState(), 6u);
}

} // namespace
} // namespace corvellan::test

namespace corvellan::test
{
namespace
{

TEST_F(GUIBackgroundWindowTest, ReachedStagesCountTheNextStageAndOneMoreAtTheGamesEnd)
{
    // Two stages of two levels: (1, 1) is the last level.
    menu.Start();
    struct Row
    {
        std::uint32_t nextStage;
        std::uint32_t nextLevel;
        std::uint32_t reachedStage;
        std::uint32_t reachedLevel;
        bool reachedEnd;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {0, 0, 0, 0, false, 0}, {1, 0, 1, 0, false, 1}, {1, 0, 1, 0, true, 1},  {1, 1, 1, 1, false, 1},
        {1, 1, 1, 1, true, 2},  {1, 1, 1, 0, true, 1},  {0, 1, 1, 1, true, 0},
    };
    int made = 0;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << "next (" << row.nextStage << ", " << row.nextLevel << "), reached ("
                                          << row.reachedStage << ", " << row.reachedLevel << ")"
                                          << (row.reachedEnd ? " at the end" : ""));
        Mirabel::Profile& player = menu.MakeCurrentProfile(u"Player" + std::u16string(1, u'A' + made++));
        player.UpdateReachedLevel(row.reachedStage, row.reachedLevel, row.reachedEnd);
        player.nextStage = row.nextStage;
        player.nextLevel = row.nextLevel;
        menu.background->UpdateReachedStages();
        EXPECT_EQ(menu.background->GetReachedStages(), row.expected);
    }
}

} // namespace
} // namespace corvellan::test
