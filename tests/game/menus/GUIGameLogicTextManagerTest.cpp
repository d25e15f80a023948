#include "content/BoxFont.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/menus/GUIGameLogicText.h"
#include "game/menus/GUIGameLogicTextManager.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using Mirabel::GUIGameLogicTextManager;
using OrvaneEngine::GUITextEntry;
using OrvaneEngine::GUIWindow;
using OrvaneEngine::Vector2;

namespace
{

constexpr std::uint32_t floatingFont = 10;
constexpr float tolerance = 0.001f;

// A headless engine with a box font as font 10 ('a' half as wide as high,
// 'x' square), a parent window and the manager under it. Each frame moves
// the clock, runs the manager and reads the container's queued texts before
// the render.
class GUIGameLogicTextManagerTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(1000);
        ASSERT_TRUE(corvellan::content::BoxFont::Write(folder.Join("data"), "box.fnt", "",
                                                       {{u'a', 0.5f}, {u'x', 1.0f}}));
    }

    void TearDown() override
    {
        manager.reset();
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    void StartLevel(bool withFont = true)
    {
        Start();
        if (withFont)
            engine->guiManager->GetFontManager()->CreateFont(floatingFont, nullptr, "box.fnt");
        parent = engine->guiManager->CreateWindow(GUIWindow::FlagShown | GUIWindow::FlagBackLayer, Vector2(0, 0),
                                                  Vector2(0, 0), nullptr, nullptr);
        manager = std::make_unique<GUIGameLogicTextManager>(engine.get(), parent);
    }

    // One frame of the given length; what the texts queued in it.
    std::vector<GUITextEntry> Frame(std::uint32_t milliseconds = 100)
    {
        win32::testing::AdvanceFakeMilliseconds(milliseconds);
        engine->Update();
        manager->Update();
        std::vector<GUITextEntry> entries;
        const GUIWindow* window = manager->GetWindow();
        for (std::uint32_t i = 0; i < window->GetTextEntryCount(); ++i)
            entries.push_back(window->GetTextEntry(i));
        engine->Frame(0);
        return entries;
    }

    std::vector<std::u16string> FirstLines() const
    {
        std::vector<std::u16string> firsts;
        for (const auto& text : manager->GetTexts())
            firsts.push_back(text->GetLines().empty() ? u"" : text->GetLines().front());
        return firsts;
    }

    GUIWindow* parent = nullptr;
    std::unique_ptr<GUIGameLogicTextManager> manager;
};

TEST_F(GUIGameLogicTextManagerTest, ContainerLiesInFrontUnderTheParentUntilTheManagerGoes)
{
    StartLevel();
    const GUIWindow* window = manager->GetWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parent, parent);
    EXPECT_EQ(window->level, 490);
    EXPECT_LT(window->depth, parent->depth);
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->model, nullptr);
    const std::uint32_t windows = engine->guiManager->GetWindows().GetCount();

    manager->AddText(u"ax", Vector2(10, 10));
    Frame();
    manager.reset();
    EXPECT_EQ(engine->guiManager->GetWindows().GetCount(), windows - 1);
    EXPECT_TRUE(parent->GetChildren().empty());
    engine->Frame(0);
}

TEST_F(GUIGameLogicTextManagerTest, TextsSplitAtLineFeeds)
{
    StartLevel();
    const struct
    {
        std::u16string text;
        std::vector<std::u16string> lines;
    } rows[] = {
        {u"", {}},
        {u"ax", {u"ax"}},
        {u"a\nx", {u"a", u"x"}},
        {u"a\n", {u"a"}},
        {u"\n", {u""}},
        {u"\na", {u"", u"a"}},
        {u"a\n\nx", {u"a", u"", u"x"}},
        {u"a\nx\n", {u"a", u"x"}},
    };
    for (const auto& row : rows)
        manager->AddText(row.text, Vector2(0, 0));
    ASSERT_EQ(manager->GetTexts().size(), std::size(rows));
    std::vector<std::u16string> printable;
    for (std::size_t i = 0; i < std::size(rows); ++i)
    {
        EXPECT_EQ(manager->GetTexts()[i]->GetLines(), rows[i].lines) << i;
        for (const auto& line : rows[i].lines)
            if (!line.empty())
                printable.push_back(line);
    }
    // Every line is queued in order; empty ones show nothing.
    std::vector<std::u16string> queued;
    for (const GUITextEntry& entry : Frame())
        queued.push_back(entry.text);
    EXPECT_EQ(queued, printable);
}

TEST_F(GUIGameLogicTextManagerTest, TextGrowsRisesAndFadesOverItsLife)
{
    StartLevel();
    const Vector2 at(400, 300);
    manager->AddText(u"ax", at);

    // Elapsed time after each frame, and what the single line shows then.
    const struct
    {
        std::uint32_t milliseconds;
        float time;
        float height;
        float alpha;
        float rise;
    } frames[] = {
        {100, 0.1f, 11.0f, 0.5f, 0.0f},    {100, 0.2f, 22.0f, 1.0f, 0.0f},   {100, 0.3f, 22.0f, 1.0f, 3.5f},
        {400, 0.4f, 22.0f, 1.0f, 7.0f},    // a long frame counts as 0.1 s
        {100, 0.5f, 22.0f, 1.0f, 10.5f},   {100, 0.6f, 22.0f, 1.0f, 14.0f},  {100, 0.7f, 22.0f, 1.0f, 17.5f},
        {100, 0.8f, 22.0f, 1.0f, 21.0f},   {100, 0.9f, 22.0f, 1.0f, 24.5f},  {100, 1.0f, 22.0f, 1.0f, 28.0f},
        {100, 1.1f, 22.0f, 1.0f, 31.5f},   {100, 1.2f, 22.0f, 1.0f, 35.0f},  {100, 1.3f, 22.0f, 0.8667f, 38.5f},
        {100, 1.4f, 22.0f, 0.7333f, 42.0f}, {100, 1.5f, 22.0f, 0.6f, 45.5f},  {100, 1.6f, 22.0f, 0.4667f, 49.0f},
        {100, 1.7f, 22.0f, 0.3333f, 52.5f}, {100, 1.8f, 22.0f, 0.2f, 56.0f},  {100, 1.9f, 22.0f, 0.0667f, 59.5f},
        {50, 1.95f, 22.0f, 0.0f, 61.25f},
    };
    for (const auto& row : frames)
    {
        SCOPED_TRACE(row.time);
        const std::vector<GUITextEntry> entries = Frame(row.milliseconds);
        ASSERT_EQ(entries.size(), 1u);
        const GUITextEntry& line = entries[0];
        EXPECT_EQ(line.text, u"ax");
        EXPECT_EQ(line.fontId, floatingFont);
        EXPECT_EQ(line.alignment, 0u);
        EXPECT_EQ(line.angle, 0.0f);
        EXPECT_NEAR(line.scale, row.height, tolerance);
        EXPECT_EQ(line.color.r, 1.0f);
        EXPECT_EQ(line.color.g, 1.0f);
        EXPECT_EQ(line.color.b, 1.0f);
        EXPECT_NEAR(line.color.a, row.alpha, tolerance);
        // 'a' and 'x' together are 1.5 heights wide; one line is centred on
        // the position.
        EXPECT_NEAR(line.position.x, at.x - 1.5f * row.height / 2.0f, tolerance);
        EXPECT_NEAR(line.position.y, at.y + row.rise - row.height / 2.0f, tolerance);
    }
}

TEST_F(GUIGameLogicTextManagerTest, LinesAreCentredAsABlockWithTheFirstOnTop)
{
    StartLevel();
    const Vector2 at(250, 120);
    manager->AddText(u"ax\na\nxxx", at);
    Frame();
    Frame();
    // At 0.3 s: full height 22, risen 3.5.
    const std::vector<GUITextEntry> entries = Frame();
    ASSERT_EQ(entries.size(), 3u);
    const struct
    {
        std::u16string text;
        float width;
        float y;
    } lines[] = {
        {u"ax", 33.0f, 120 + 3.5f - 11 + 22},
        {u"a", 11.0f, 120 + 3.5f - 11},
        {u"xxx", 66.0f, 120 + 3.5f - 11 - 22},
    };
    for (std::size_t i = 0; i < std::size(lines); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].text, lines[i].text);
        EXPECT_NEAR(entries[i].scale, 22.0f, tolerance);
        EXPECT_NEAR(entries[i].position.x, at.x - lines[i].width / 2.0f, tolerance);
        EXPECT_NEAR(entries[i].position.y, lines[i].y, tolerance);
    }
}

TEST_F(GUIGameLogicTextManagerTest, TextsGoAfterTheirLifeAndTheOthersKeepTheirOrder)
{
    StartLevel();
    manager->AddText(u"a", Vector2(100, 100));
    for (int frame = 0; frame < 5; ++frame)
        Frame();
    manager->AddText(u"x", Vector2(200, 100));
    manager->AddText(u"xx", Vector2(300, 100));
    manager->AddText(u"aa", Vector2(100, 100));

    // The first text's frames run to 1.9 s, then one to 2.0 s that still
    // prints it.
    for (int frame = 5; frame < 19; ++frame)
        Frame();
    EXPECT_EQ(FirstLines(), (std::vector<std::u16string>{u"a", u"x", u"xx", u"aa"}));
    std::vector<GUITextEntry> entries = Frame();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, u"a");
    EXPECT_NEAR(entries[0].color.a, 0.0f, tolerance);
    EXPECT_EQ(FirstLines(), (std::vector<std::u16string>{u"x", u"xx", u"aa"}));

    manager->AddText(u"xa", Vector2(0, 0));
    entries = Frame();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, u"x");
    EXPECT_EQ(entries[1].text, u"xx");
    EXPECT_EQ(entries[2].text, u"aa");
    EXPECT_EQ(entries[3].text, u"xa");

    for (int frame = 0; frame < 4; ++frame)
        Frame();
    EXPECT_EQ(FirstLines(), (std::vector<std::u16string>{u"xa"}));
    for (int frame = 0; frame < 15; ++frame)
        Frame();
    EXPECT_TRUE(manager->GetTexts().empty());
    EXPECT_TRUE(Frame().empty());
}

TEST_F(GUIGameLogicTextManagerTest, WithoutItsFontATextPrintsNothingAndStillGoesOnTime)
{
    StartLevel(false);
    ASSERT_EQ(engine->guiManager->GetFontManager()->GetFont(floatingFont), nullptr);
    manager->AddText(u"ax\na", Vector2(400, 300));
    for (int frame = 0; frame < 19; ++frame)
        EXPECT_TRUE(Frame().empty()) << frame;
    ASSERT_EQ(manager->GetTexts().size(), 1u);
    EXPECT_NEAR(manager->GetTexts()[0]->GetTime(), 1.9f, tolerance);
    Frame();
    EXPECT_TRUE(manager->GetTexts().empty());
}

} // namespace
