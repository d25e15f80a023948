// The logos before the menus and the start-up loading screen.
#include "content/ImageFixtures.h"
#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "game/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIGameLoadingWindow.h"
#include "game/menus/GUILogosWindow.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/MenuHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUILogosWindow;

class GUILoadingScreensTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(menu.data.WriteDefault()); }

    // A 1024 x 1024 picture: blue, with the top-left quarter of its
    // 800 x 600 corner red.
    static bool WriteLogo(const MenuData& data, int index)
    {
        Image picture;
        picture.Create(nullptr, 1024, 1024, 24);
        picture.Fill(Color(0.0f, 0.0f, 1.0f, 1.0f));
        Image red;
        red.Create(nullptr, 400, 300, 24);
        red.Fill(Color(1.0f, 0.0f, 0.0f, 1.0f));
        picture.Paste(0, 300, red);
        return data.Bytes("ui\\menus\\textures\\publisher_" + std::to_string(index) + "_logo_big.jpg",
                               content::EngineImageFile(picture, "jpg"));
    }

    GUILogosWindow& StartLogos()
    {
        menu.Start(false);
        logos = std::make_unique<GUILogosWindow>(menu.engine);
        menu.updates.push_back([this] { logos->Update(); });
        logos->Show();
        return *logos;
    }

    MenuHarness menu;
    std::unique_ptr<GUILogosWindow> logos;
    std::unique_ptr<Mirabel::GUIGameCursor> cursor;
    std::unique_ptr<Mirabel::GUIGameLoadingWindow> loading;
};

TEST_F(GUILoadingScreensTest, LogosHoldFadeAndFollowEachOther)
{
    struct Row
    {
        bool first;
        bool second;
        int logosShown;
    };
    for (const Row row : {Row{false, false, 0}, Row{false, true, 1}, Row{true, true, 2}})
    {
        SCOPED_TRACE(std::to_string(row.first) + std::to_string(row.second));
        MenuHarness harness;
        ASSERT_TRUE(harness.data.WriteDefault());
        ASSERT_TRUE(!row.first || WriteLogo(harness.data, 0));
        ASSERT_TRUE(!row.second || WriteLogo(harness.data, 1));
        harness.Start(false);
        GUILogosWindow screen(harness.engine);
        EXPECT_EQ(screen.firstLogo != nullptr, row.logosShown > 0);
        EXPECT_EQ(screen.secondLogo != nullptr, row.logosShown > 1);
        if (screen.firstLogo != nullptr)
        {
            EXPECT_EQ(screen.firstLogo->level, 101);
            EXPECT_FLOAT_EQ(screen.firstLogo->size.x, 800.0f);
        }
        if (screen.secondLogo != nullptr)
        {
            EXPECT_EQ(screen.secondLogo->level, 100);
        }
        harness.updates.push_back([&screen] { screen.Update(); });
        harness.Update(100);
        EXPECT_EQ(screen.result, 0u) << "not shown yet";
        harness.Render();
        screen.Show();

        std::vector<int> vanished;
        int answered = -1;
        for (int frame = 1; frame <= 80 && answered < 0; ++frame)
        {
            const bool firstWasVisible = screen.firstLogo != nullptr && screen.firstLogo->visible;
            const bool secondWasVisible = screen.secondLogo != nullptr && screen.secondLogo->visible;
            harness.Update(100);
            if (screen.result == 1)
                answered = frame;
            if (frame == 15 && screen.firstLogo != nullptr)
            {
                // Still whole after 1.5 s; the second waits behind at full opacity.
                EXPECT_TRUE(screen.firstLogo->visible);
                EXPECT_NEAR(screen.firstLogo->GetColor().a, 1.0f, 1.0f / 255.0f);
                if (screen.secondLogo != nullptr)
                {
                    EXPECT_TRUE(screen.secondLogo->visible);
                    EXPECT_NEAR(screen.secondLogo->GetColor().a, 1.0f, 1.0f / 255.0f);
                }
            }
            if (frame == 20 && screen.firstLogo != nullptr)
            {
                EXPECT_NEAR(screen.firstLogo->GetColor().a, 0.5f, 0.02f);
            }
            if (firstWasVisible && !screen.firstLogo->visible)
                vanished.push_back(frame);
            if (secondWasVisible && !screen.secondLogo->visible)
                vanished.push_back(frame);
            harness.Render();
        }
        ASSERT_EQ(vanished.size(), static_cast<std::size_t>(row.logosShown));
        for (std::size_t i = 0; i < vanished.size(); ++i)
        {
            // 1.5 s whole and 1 s of fade at 0.1 s a frame, each after the one before.
            const int start = i == 0 ? 0 : vanished[i - 1];
            EXPECT_GE(vanished[i] - start, 25) << i;
            EXPECT_LE(vanished[i] - start, 26) << i;
        }
        EXPECT_EQ(answered, vanished.empty() ? 1 : vanished.back() + 1);
        harness.Update(100);
        EXPECT_EQ(screen.result, 1u) << "every frame until hidden";
        harness.Render();
        screen.Hide();
        EXPECT_EQ(screen.firstLogo, nullptr);
        EXPECT_EQ(screen.secondLogo, nullptr);
        harness.updates.clear();
    }
}

TEST_F(GUILoadingScreensTest, ALogoStandsUpright)
{
    ASSERT_TRUE(WriteLogo(menu.data, 0));
    StartLogos();
    menu.Step(100);
    const BackBuffer buffer = menu.Grab();
    EXPECT_TRUE(Near(buffer.Pixel(100, 100), Rgb{255, 0, 0}, 24)) << Describe(buffer.Pixel(100, 100));
    EXPECT_TRUE(Near(buffer.Pixel(600, 100), Rgb{0, 0, 255}, 24)) << Describe(buffer.Pixel(600, 100));
    EXPECT_TRUE(Near(buffer.Pixel(100, 500), Rgb{0, 0, 255}, 24)) << Describe(buffer.Pixel(100, 500));
}

TEST_F(GUILoadingScreensTest, TheStartUpLoadRunsOnTheWorkerThenHandsTheDataOn)
{
    menu.Start();
    menu.background->active = 1;
    ASSERT_TRUE(menu.StepUntil([this] { return menu.background->IsWaitingForGameData(); }, 50, 400));
    cursor = std::make_unique<Mirabel::GUIGameCursor>(menu.engine);
    loading = std::make_unique<Mirabel::GUIGameLoadingWindow>(menu.engine, cursor.get(), menu.background.get());
    menu.gameData = std::make_unique<Mirabel::GameData>(menu.engine, MenuData::Language);
    loading->Show(menu.gameData.get());
    menu.updates.push_back([this] { loading->Update(); });
    const std::uint32_t offThreadBefore = d3d7::testing::GetOffThreadGlCalls();
    menu.Update(50);
    EXPECT_EQ(loading->result, 1u);
    EXPECT_TRUE(loading->IsDone());
    EXPECT_NE(menu.gameData->backgroundTextArea, nullptr);
    EXPECT_NE(cursor->GetTrail(), nullptr);
    EXPECT_NE(cursor->GetClick(), nullptr);
    EXPECT_FALSE(menu.background->IsWaitingForGameData());
    menu.Render();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThreadBefore);
    menu.Step(50);
    EXPECT_EQ(loading->result, 0u) << "the background no longer waits";
    EXPECT_EQ(menu.background->GetState(), 4u);
}

TEST_F(GUILoadingScreensTest, AFailedStartUpLoadEndsOnTheMainThreadsFatalPath)
{
    menu.Start();
    menu.background->active = 1;
    ASSERT_TRUE(menu.StepUntil([this] { return menu.background->IsWaitingForGameData(); }, 50, 400));
    ASSERT_EQ(std::remove(menu.data.DataPath("ui\\menus\\background\\background.ini").c_str()), 0);
    cursor = std::make_unique<Mirabel::GUIGameCursor>(menu.engine);
    loading = std::make_unique<Mirabel::GUIGameLoadingWindow>(menu.engine, cursor.get(), menu.background.get());
    menu.gameData = std::make_unique<Mirabel::GameData>(menu.engine, MenuData::Language);
    loading->Show(menu.gameData.get());
    menu.updates.push_back([this] { loading->Update(); });
    try
    {
        menu.Update(50);
        ADD_FAILURE() << "no fatal error";
    }
    catch (const FatalError& error)
    {
        EXPECT_NE(error.GetText().find("background.ini"), std::string::npos) << error.GetText();
    }
    EXPECT_EQ(loading->result, 0u);
    EXPECT_EQ(cursor->GetTrail(), nullptr);
    EXPECT_TRUE(menu.background->IsWaitingForGameData());
}

} // namespace
} // namespace corvellan::test
