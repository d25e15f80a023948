#include "engine/core/Error.h"
#include "engine/gui/GUIWindow.h"
#include "framework/SoundController.h"
#include "game/GameLogic.h"
#include "game/LevelSounds.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelSoundStarts.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvellan::test
{
namespace
{

namespace sound = Mirabel::LevelSound;

TEST(LevelLogicTest, ArcadeIntroductionRunsItsSoundsThenStartsTheTimer)
{
    LevelHarness level;
    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    LevelSoundStarts introduction(level.Sounds(), sound::PathIntroduction);
    LevelSoundStarts end(level.Sounds(), sound::PathIntroductionEnd);
    float elapsed = 0.017f;
    while (!track.IsIntroductionDone() && elapsed < 10.0f)
    {
        EXPECT_TRUE(level.Logic().IsTimerPaused());
        level.Frame(17);
        elapsed += 0.017f;
        introduction.Check();
        end.Check();
        // The sound waits until 0.15 s after the 0.3 s start delay.
        if (elapsed <= 0.45f)
        {
            EXPECT_EQ(introduction.starts, 0u) << elapsed;
        }
    }
    ASSERT_TRUE(track.IsIntroductionDone());
    EXPECT_GE(introduction.starts, 1u);
    EXPECT_EQ(end.starts, 1u);
    EXPECT_FALSE(level.Logic().IsTimerPaused());
    EXPECT_EQ(level.Sounds().GetSoundState(sound::PathIntroduction), GameFramework::SoundController::Stopped);
    for (int i = 0; i < 30; ++i)
    {
        level.Frame(17);
        end.Check();
    }
    EXPECT_EQ(end.starts, 1u);
}

TEST(LevelLogicTest, RelaxLevelHasNoIntroductionAndItsTimerRunsFromTheStart)
{
    LevelHarness::Options options;
    options.relax = true;
    LevelHarness level(options);
    EXPECT_TRUE(level.Logic().IsRelax());
    EXPECT_TRUE(level.Logic().GetTrack()->IsIntroductionDone());
    EXPECT_FALSE(level.Logic().IsTimerPaused());
    EXPECT_FLOAT_EQ(level.Logic().GetTrack()->GetPathLength(), 880.0f);
}

TEST(LevelLogicTest, PauseBringsTheLevelToAStandstillUnderTheCoverAndBack)
{
    LevelHarness level;
    Mirabel::GameLogic& logic = level.Logic();
    const Mirabel::PuzzleDepository& track = *logic.GetTrack();
    while (!track.IsIntroductionDone())
        level.Frame(100);
    for (int i = 0; i < 30; ++i)
        level.Frame(17);
    logic.ClearStateChanged();
    logic.SetPaused(true);
    EXPECT_TRUE(logic.HasStateChanged());
    logic.ClearStateChanged();
    for (int i = 0; i < 29; ++i)
        level.Frame(17);
    EXPECT_GT(logic.GetPauseFade(), 0.0f);
    level.Frame(17);
    EXPECT_EQ(logic.GetPauseFade(), 0.0f);
    const OrvaneEngine::GUIWindow* cover = logic.GetBoard()->GetCoverWindow();
    EXPECT_NE(cover->flags & OrvaneEngine::GUIWindow::FlagShown, 0u);
    EXPECT_FLOAT_EQ(cover->GetColor().a, 1.0f);

    // At a standstill nothing moves and a click takes nothing.
    const std::vector<float> distances = track.GetTrainDistances();
    ASSERT_FALSE(distances.empty());
    level.MoveTo(track.GetTrainPieces().back()->GetPosition());
    level.Button(0, true);
    level.Frame(17);
    level.Button(0, false);
    level.Frame(17);
    EXPECT_EQ(track.GetTrainDistances(), distances);
    EXPECT_EQ(logic.GetLoosePieces()->GetCarriedPiece(), nullptr);
    EXPECT_FALSE(logic.HasStateChanged());

    logic.SetPaused(false);
    for (int i = 0; i < 45; ++i)
        level.Frame(17);
    EXPECT_LT(logic.GetPauseFade(), 1.0f);
    EXPECT_NE(cover->flags & OrvaneEngine::GUIWindow::FlagShown, 0u);
    level.Frame(17);
    EXPECT_EQ(logic.GetPauseFade(), 1.0f);
    level.Frame(17);
    EXPECT_EQ(cover->flags & OrvaneEngine::GUIWindow::FlagShown, 0u);
    EXPECT_NE(track.GetTrainDistances(), distances);
}

TEST(LevelLogicTest, DeletingALevelStopsEveryEffectItMayLeaveSounding)
{
    LevelHarness level;
    // The controller starts no sound twice within its shortest restart.
    for (int i = 0; i < 3; ++i)
        level.Frame(17);
    const std::uint32_t looping[] = {sound::BonusTip,  sound::BonusMagnet, sound::PathIntroduction,
                                     sound::PathBegin, sound::PathEnd,     sound::ChargePathScore};
    for (const std::uint32_t id : looping)
    {
        level.Sounds().SetSoundLooping(id, true);
        level.Sounds().PlaySound(id);
    }
    level.Frame(17);
    for (const std::uint32_t id : looping)
        ASSERT_EQ(level.Sounds().GetSoundState(id), GameFramework::SoundController::Playing) << id;
    level.DeleteLogic();
    level.Frame(17);
    for (const std::uint32_t id : looping)
        EXPECT_EQ(level.Sounds().GetSoundState(id), GameFramework::SoundController::Stopped) << id;
}

TEST(LevelLogicTest, ATrackWithoutLengthEndsTheProgramNamingThePathModels)
{
    LevelHarness::Options options;
    options.data.pointTrack = true;
    try
    {
        LevelHarness level(options);
        FAIL() << "the level was built";
    }
    catch (const OrvaneEngine::FatalError& error)
    {
        EXPECT_NE(error.GetText().find("path_000.mlf"), std::string::npos) << error.GetText();
    }
}

} // namespace
} // namespace corvellan::test
