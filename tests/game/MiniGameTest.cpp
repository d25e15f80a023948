// Plays of the totem mini game over the menu harness: the build, the
// scramble, winning, the completion sequence, the control totem, tearing
// down and refused stages.
#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/TextureManager.h"
#include "game/MiniGame.h"
#include "game/MiniGameCell.h"
#include "tests/game/MiniGameFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::MiniGame;
using Mirabel::MiniGameCell;

constexpr float Dt = MiniGameFixture::FrameMs / 1000.0f;
constexpr float ColourStep = 1.0f / 255.0f;

float Seconds(const MenuHarness& menu) { return static_cast<float>(menu.clock) / 1000.0f; }

TEST(MiniGameTest, EachCellScramblesWithFiveTurnsBackToBackFromTwoSeconds)
{
    MiniGameFixture play({1});
    play.Start();
    SeedRandom(7);
    play.Play(0);
    MiniGameCell& cell = play.Cell(0, 0);
    const float built = Seconds(play.menu);

    std::vector<float> turnStarts;
    std::vector<float> soundStarts;
    std::vector<float> turnEnds;
    float lastSound = play.menu.SoundLastStart(MiniGameCell::SoundFlip);
    for (std::uint32_t frame = 0; frame < 300; ++frame)
    {
        const std::uint32_t state = cell.flipState;
        const bool resting = cell.shownState == cell.flipState;
        play.Steps(1);
        if (cell.flipState != state)
            turnStarts.push_back(Seconds(play.menu));
        if (!resting && cell.shownState == cell.flipState)
            turnEnds.push_back(Seconds(play.menu));
        const float sound = play.menu.SoundLastStart(MiniGameCell::SoundFlip);
        if (sound != lastSound)
            soundStarts.push_back(Seconds(play.menu));
        lastSound = sound;
    }
    ASSERT_EQ(turnStarts.size(), MiniGameCell::ScrambleFlips);
    EXPECT_EQ(soundStarts, turnStarts);
    EXPECT_EQ(cell.scrambleFlipsLeft, 0u);
    EXPECT_EQ(cell.clicks, 0u);
    // The first after 2.0 s of the cell's life; each next one the frame after a turn ends.
    EXPECT_GT(turnStarts[0] - built, 2.0f - Dt / 2);
    EXPECT_LT(turnStarts[0] - built, 2.0f + 1.5f * Dt);
    ASSERT_EQ(turnEnds.size(), MiniGameCell::ScrambleFlips);
    for (std::size_t i = 1; i < turnStarts.size(); ++i)
        EXPECT_NEAR(turnStarts[i] - turnEnds[i - 1], Dt, 1e-4f) << i;
    // Five turns leave one axis turned an odd number of times.
    EXPECT_NE(cell.flipState, 0u);
    EXPECT_FALSE(play.game->solved);
}

TEST(MiniGameTest, UprightCellsWinOnceAndEndInput)
{
    MiniGameFixture play({2});
    play.Start();
    play.Play(0);
    play.Steps(1);
    EXPECT_FALSE(play.game->solved) << "scramble turns are still to come";
    const float before = play.menu.SoundLastStart(MiniGame::SoundComplete);
    play.Hold(0);
    play.Steps(1);
    ASSERT_TRUE(play.game->solved);
    const float won = play.menu.SoundLastStart(MiniGame::SoundComplete);
    EXPECT_NE(won, before);
    for (const auto& cell : play.game->GetCells())
        EXPECT_FALSE(cell->active);

    // A wrong cell afterwards takes no click, and the win is not announced again.
    MiniGameCell& cell = play.Cell(0, 0);
    cell.flipState = 1;
    cell.shownState = 1;
    play.MoveOnto(cell, 0.0f, -30.0f);
    play.Click();
    play.Steps(2);
    EXPECT_EQ(cell.flipState, 1u);
    EXPECT_EQ(play.menu.SoundLastStart(MiniGame::SoundComplete), won);
}

TEST(MiniGameTest, MoreThanSixClicksPerCellWin)
{
    MiniGameFixture play({3});
    play.Start();
    play.Play(0);
    play.Hold(1);
    MiniGameCell& cell = play.Cell(1, 1);
    cell.clicks = 53;
    const float c = 266.0f / 3.0f;
    // Right's sector (left of the centre), then left's (right of it): the cell stays wrong.
    for (const float dx : {-c / 4.0f, c / 4.0f})
    {
        play.MoveOnto(cell, dx, 0.0f);
        play.Click();
        ASSERT_NE(cell.flipState, 0u);
        if (cell.clicks == 54)
        {
            EXPECT_FALSE(play.game->solved) << "54 clicks are 6 per cell, not more";
            ASSERT_TRUE(play.StepUntil([&cell] { return cell.shownState == cell.flipState; }, 40));
        }
    }
    EXPECT_EQ(cell.clicks, 55u);
    EXPECT_TRUE(play.game->solved);
}

// The completion sequence of a won play of stage `stage` of two.
struct Completion
{
    explicit Completion(std::uint32_t stage)
    {
        play.Start();
        play.Play(stage);
        play.frameColor = Color(1.0f, 1.0f, 1.0f, 0.5f);
        play.Hold(0);
        play.Steps(1);
        EXPECT_TRUE(play.game->solved);
        solvedAt = Seconds(play.menu);
    }

    MiniGameFixture play{{2, 2}};
    float solvedAt = 0.0f;
};

TEST(MiniGameTest, CompletionFadesInThePictureAndFliesItToTheMapTotem)
{
    Completion run(0);
    MiniGameFixture& play = run.play;
    MiniGame& game = *play.game;

    // The picture fades in at 2 per second over the cells.
    play.Steps(10);
    EXPECT_TRUE(game.pictureWindow->visible);
    EXPECT_NEAR(game.pictureWindow->GetColor().a, 10 * 2 * Dt, ColourStep);
    ASSERT_TRUE(play.StepUntil([&game] { return !game.cellContainer->visible; }, 40));
    EXPECT_NEAR(Seconds(play.menu) - run.solvedAt, 0.5f, 1.5f * Dt);
    EXPECT_TRUE(game.maskedWindow->visible);
    EXPECT_NEAR(game.maskedWindow->GetColor().a, 1.0f, ColourStep);

    // Then it fades out over the cut-out in another 0.5 s.
    ASSERT_TRUE(play.StepUntil([&game] { return !game.pictureWindow->visible; }, 40));
    const float grown = Seconds(play.menu);
    EXPECT_NEAR(grown - run.solvedAt, 1.0f, 2.5f * Dt);

    // The cut-out grows to 1.2 times the picture about its middle.
    ASSERT_TRUE(play.StepUntil([&game] { return game.phaseTimer >= 0.85f - Dt / 2; }, 60));
    EXPECT_NEAR(game.maskedWindow->size.x, 1.2f * 266.0f, 1.0f);
    EXPECT_NEAR(game.maskedWindow->position.x, 269.0f - 26.6f, 1.0f);
    EXPECT_NEAR(game.maskedWindow->position.y, 126.0f - 26.6f, 1.0f);
    EXPECT_FALSE(game.totemWindow->visible);

    // Then it flies to the map totem's box, fading out as the control totem fades in.
    play.Steps(55);
    const float t = (game.phaseTimer - 0.85f) / 2.2f;
    EXPECT_TRUE(game.totemWindow->visible);
    EXPECT_NEAR(game.totemWindow->GetColor().a, t, ColourStep);
    EXPECT_NEAR(game.maskedWindow->GetColor().a, 1.0f - t, ColourStep);
    ASSERT_TRUE(play.StepUntil([&game] { return game.textTimer > 0.0f; }, 200));
    const float arrived = Seconds(play.menu);
    EXPECT_NEAR(arrived - grown, 0.85f + 2.2f, 1.5f * Dt);
    const MenuBox target = MiniGameFixture::MapTotem(0);
    EXPECT_NEAR(game.maskedWindow->position.x, target.x0, 0.01f);
    EXPECT_NEAR(game.maskedWindow->position.y, target.y0, 0.01f);
    EXPECT_NEAR(game.maskedWindow->size.x, target.x1 - target.x0, 0.01f);
    EXPECT_NEAR(game.maskedWindow->size.y, target.y1 - target.y0, 0.01f);

    // Completed 3.5 s after arrival, once; the cut-out and the totem go.
    std::uint32_t completions = 0;
    float completedAt = 0.0f;
    for (std::uint32_t frame = 0; frame < 250; ++frame)
    {
        const bool was = game.completed;
        play.Steps(1);
        if (game.completed && !was)
        {
            ++completions;
            completedAt = Seconds(play.menu);
        }
    }
    EXPECT_EQ(completions, 1u);
    EXPECT_NEAR(completedAt - arrived, 3.5f, 1.5f * Dt);
    EXPECT_FALSE(game.maskedWindow->visible);
    EXPECT_FALSE(game.totemWindow->visible);
    EXPECT_TRUE(game.running);
}

TEST(MiniGameTest, ClosingLinesNameTheStageOrTheGameAndFadeInAndOut)
{
    struct Row
    {
        std::uint32_t stage;
        const char* key;
    };
    for (const Row& row : {Row{0, "MINI_GAME_STAGE_COMPLETE_TEXT_"}, Row{1, "MINI_GAME_GAME_COMPLETE_TEXT_"}})
    {
        SCOPED_TRACE(row.key);
        Completion run(row.stage);
        MiniGameFixture& play = run.play;
        MiniGame& game = *play.game;
        ASSERT_TRUE(play.StepUntil([&game] { return game.phaseTimer > 0.85f + 2.2f - Dt; }, 400));
        std::vector<std::pair<float, float>> alphas; // text timer, alpha of line 0
        while (!game.completed && alphas.size() < 400)
        {
            play.menu.Update(MiniGameFixture::FrameMs);
            const auto entries = MenuHarness::TextEntries(*play.frame->widget);
            play.menu.Render();
            if (entries.empty())
                continue;
            ASSERT_EQ(entries.size(), 3u);
            for (std::int32_t k = 0; k < 3; ++k)
            {
                const GUITextEntry& entry = entries[static_cast<std::size_t>(k)];
                EXPECT_EQ(entry.key, row.key);
                EXPECT_EQ(entry.keyNumber, k);
                EXPECT_EQ(entry.alignment, 1u);
                EXPECT_EQ(entry.fontId, 1u);
                EXPECT_FLOAT_EQ(entry.position.x, 0.0f);
                EXPECT_FLOAT_EQ(entry.position.y, 250.0f - 28.0f * static_cast<float>(k));
                EXPECT_FLOAT_EQ(entry.scale, -1.0f);
                EXPECT_FLOAT_EQ(entry.color.a, entries[0].color.a);
            }
            alphas.emplace_back(game.textTimer, entries[0].color.a);
        }
        ASSERT_TRUE(game.completed);
        ASSERT_FALSE(alphas.empty());
        for (const auto& [timer, alpha] : alphas)
        {
            float expected = 1.0f;
            if (timer < 0.5f)
                expected = 2.0f * timer;
            else if (timer > 3.0f)
                expected = std::max(0.0f, 2.0f * (3.5f - timer));
            // Times the frame colour's alpha of 0.5.
            EXPECT_NEAR(alpha, 0.5f * expected, 1e-4f) << "at " << timer;
        }
        EXPECT_NEAR(alphas.front().second, 0.5f * 2.0f * Dt, 1e-4f);
    }
}

TEST(MiniGameTest, StartLaysTheControlTotemOverTheStagesMapTotem)
{
    MiniGameFixture play({2, 2, 2});
    play.Start();
    for (std::uint32_t stage : {2u, 0u, 1u})
    {
        SCOPED_TRACE("stage " + std::to_string(stage));
        play.game->Start(stage);
        const Model& totem = *play.game->totemWindow->model;
        const MenuBox map = MiniGameFixture::MapTotem(stage);
        EXPECT_NEAR(totem.boundingVolume.worldMin.x, map.x0, 1e-3f);
        EXPECT_NEAR(totem.boundingVolume.worldMin.y, map.y0, 1e-3f);
        EXPECT_NEAR(totem.boundingVolume.worldMax.x - totem.boundingVolume.worldMin.x, map.x1 - map.x0, 1e-3f);
        // Scaled by the width ratio (a half) in y too.
        EXPECT_NEAR(totem.boundingVolume.worldMax.y - totem.boundingVolume.worldMin.y, 60.0f, 1e-3f);
        EXPECT_FALSE(play.game->totemWindow->visible);
        EXPECT_NEAR(play.game->totemWindow->GetColor().a, 0.0f, ColourStep);
        const AnimationControl& animation = *totem.GetAnimationControl();
        EXPECT_FALSE(animation.IsPlaying());
        EXPECT_EQ(animation.speed, 0.0f);
        play.Steps(3);
        EXPECT_EQ(animation.GetFirstFrame(), 2 * stage);
        EXPECT_EQ(play.game->maskedWindow->position.x, play.game->pictureWindow->position.x);
    }
}

TEST(MiniGameTest, HidingTheMapTearsThePlayDownAndReleasesItsTextures)
{
    MiniGameFixture play({2});
    play.Start();
    ShaderManager& shaders = *play.menu.engine->shaderManager;
    const std::uint32_t users = shaders.GetShaderUserCount();
    const std::uint32_t textures = shaders.GetTextureManager()->GetTextureCount();
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        play.Play(0);
        EXPECT_GT(shaders.GetTextureManager()->GetTextureCount(), textures);
        EXPECT_EQ(play.game->GetCells().size(), 4u);
        play.Steps(5);
        play.frame->widget->ClearFlags(GUIWindow::FlagShown);
        play.Steps(1);
        EXPECT_FALSE(play.game->running);
        EXPECT_FALSE(play.game->IsBuilt());
        EXPECT_TRUE(play.game->GetCells().empty());
        EXPECT_EQ(shaders.GetShaderUserCount(), users);
        EXPECT_EQ(shaders.GetTextureManager()->GetTextureCount(), textures);
        play.frame->Disappear();
        play.Steps(30);
        EXPECT_FALSE(play.game->IsBuilt());
    }
}

TEST(MiniGameTest, BuildsWhileTheFrameAppearsOrOnceAOneFrameFrameIsShown)
{
    for (const bool animated : {true, false})
    {
        SCOPED_TRACE(animated ? "animated frame" : "one-frame frame");
        MiniGameFixture play({2});
        play.Start(animated);
        play.game->Start(0);
        play.Steps(10);
        EXPECT_FALSE(play.game->IsBuilt()) << "built before the frame came";
        EXPECT_TRUE(play.game->running);
        play.Appear();
        play.Steps(1);
        EXPECT_EQ(play.frame->IsAppearing(), animated);
        EXPECT_TRUE(play.game->IsBuilt());
        EXPECT_EQ(play.game->GetCells().size(), 4u);
        EXPECT_TRUE(play.game->cellContainer->visible);
        EXPECT_FALSE(play.game->pictureWindow->visible);
        EXPECT_FALSE(play.game->maskedWindow->visible);
    }
}

TEST(MiniGameTest, StageWithoutTotemOrRecordIsRefused)
{
    struct Row
    {
        std::uint32_t stage;
        const char* reason;
    };
    MiniGameFixture play({2, 2});
    play.Start();
    const Row rows[] = {{8, "no totem"}, {2, "no stage record"}, {100, "no totem"}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE("stage " + std::to_string(row.stage));
        play.game->Start(row.stage);
        EXPECT_FALSE(play.game->running);
        play.Appear();
        play.Steps(3);
        EXPECT_FALSE(play.game->IsBuilt());
        play.frame->Disappear();
        play.Steps(30);
    }
    // A stage that exists still plays.
    play.Play(1);
    EXPECT_TRUE(play.game->running);
    play.Stop();
    const std::string log = play.menu.LogText();
    for (const Row& row : rows)
        EXPECT_NE(log.find("MiniGame::Start: stage " + std::to_string(row.stage) + " has " + row.reason),
                  std::string::npos)
            << row.stage;
}

} // namespace
} // namespace corvellan::test
