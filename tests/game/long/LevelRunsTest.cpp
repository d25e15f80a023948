#include "framework/SoundController.h"
#include "game/Carriage.h"
#include "game/GameLogic.h"
#include "game/LevelSounds.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/TrainRules.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelScripts.h"
#include "tests/support/LevelSoundStarts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

// Of level time: the runs are deterministic, so this bounds their work too.
constexpr float LevelTimeLimit = 90.0f;

std::uint32_t Points(const std::u16string& text)
{
    std::uint32_t value = 0;
    for (std::size_t i = 1; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10 + static_cast<std::uint32_t>(text[i] - u'0');
    return value;
}

bool HasBonusLine(const std::u16string& text)
{
    for (const char16_t* name : {u"\nMagnet", u"\nPause", u"\nRoll back", u"\nTip"})
    {
        if (text.find(name) != std::u16string::npos)
            return true;
    }
    return false;
}

TEST(LevelRunsTest, WinsAnArcadeLevelWithEveryPointShown)
{
    LevelHarness level;
    LevelScripts scripts = level.Scripts(LevelTimeLimit);
    const LevelRun run = scripts.Win();
    ASSERT_TRUE(run.reached);
    EXPECT_EQ(run.states, (std::vector<std::int32_t>{0, 2}));
    EXPECT_TRUE(level.Logic().IsTimerPaused());
    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    EXPECT_TRUE(track.GetTrainPieces().empty());
    EXPECT_FLOAT_EQ(track.GetCarriageDistance(), track.GetPathLength());

    std::uint32_t sum = 0;
    std::uint32_t checkpoints = 0;
    bool bonus = false;
    bool opening = false;
    for (const std::u16string& text : run.texts)
    {
        bonus = bonus || HasBonusLine(text);
        if (text.empty() || text[0] != u'+')
            continue;
        sum += Points(text);
        checkpoints += text == u"+25" ? 1u : 0u;
        opening = opening || text == u"+350";
    }
    EXPECT_TRUE(bonus);
    EXPECT_TRUE(opening);
    EXPECT_EQ(level.Logic().GetScore(), 1000u + sum);
    // Every checkpoint from the one under the carriage at the charge's start.
    const float start = level.Logic().GetTrack()->GetChargeStart();
    EXPECT_EQ(checkpoints, Mirabel::kCheckpointCount - Mirabel::FirstCheckpoint(start, track.GetPathLength()));
}

TEST(LevelRunsTest, LosesAnArcadeLevelWhenTheTrainReachesTheHole)
{
    LevelHarness level;
    level.Sounds().PlayMusic(Mirabel::LevelSound::MusicChannel, Mirabel::LevelSound::LevelMusicTrack, false, 0.0f);
    LevelSoundStarts failed(level.Sounds(), Mirabel::LevelSound::LevelFailed);
    std::uint32_t fadingWhenLost = 0;
    LevelScripts scripts(
        level.Logic(), level.Engine(),
        [&](std::uint32_t ms) {
            level.Frame(ms);
            failed.Check();
            const auto* music = level.Sounds().GetChannelEntry(Mirabel::LevelSound::MusicChannel);
            if (failed.starts == 1 && fadingWhenLost == 0)
                fadingWhenLost = music->fadeState;
        },
        LevelTimeLimit);
    const LevelRun run = scripts.Lose();
    ASSERT_TRUE(run.reached);
    EXPECT_EQ(run.states, (std::vector<std::int32_t>{0, 3}));
    EXPECT_EQ(failed.starts, 1u);
    EXPECT_EQ(fadingWhenLost, GameFramework::SoundController::FadeOutThenStop);

    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    for (int i = 0; i < 2000 && !track.IsCarriageSunk(); ++i)
        level.Frame(LevelScripts::ActingFrame);
    ASSERT_TRUE(track.IsCarriageSunk());
    const std::vector<float> distances = track.GetTrainDistances();
    const float carriage = track.GetCarriageDistance();
    for (int i = 0; i < 60; ++i)
    {
        level.Frame(LevelScripts::ActingFrame);
        failed.Check();
    }
    EXPECT_EQ(track.GetTrainDistances(), distances);
    EXPECT_EQ(track.GetCarriageDistance(), carriage);
    EXPECT_EQ(failed.starts, 1u);
    EXPECT_EQ(level.Logic().GetState(), 3);
    // The button outlives the engine: left down, it would swallow a later press.
    scripts.Mouse().Button(1, false);
    level.Frame(LevelScripts::ActingFrame);
}

TEST(LevelRunsTest, WinsARelaxLevelAfterTheTrainStoodAtTheEnd)
{
    LevelHarness::Options options;
    options.relax = true;
    LevelHarness level(options);
    bool charged = false;
    LevelScripts scripts(
        level.Logic(), level.Engine(),
        [&](std::uint32_t ms) {
            level.Frame(ms);
            charged = charged || level.Logic().GetTrack()->IsCharging();
        },
        LevelTimeLimit);
    scripts.IdleUntilTrainStands();
    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    const std::vector<float> distances = track.GetTrainDistances();
    ASSERT_FALSE(distances.empty());
    EXPECT_FLOAT_EQ(distances.back(), track.GetPathLength());
    for (std::size_t i = 1; i < distances.size(); ++i)
        EXPECT_NEAR(distances[i] - distances[i - 1], 60.0f, 1e-3f) << i;
    EXPECT_EQ(level.Logic().GetState(), 0);

    const LevelRun run = scripts.Win();
    ASSERT_TRUE(run.reached);
    EXPECT_EQ(run.states, (std::vector<std::int32_t>{0, 2}));
    EXPECT_FALSE(charged);
    EXPECT_FALSE(track.IsChargeFinished());
}

} // namespace
} // namespace corvellan::test
