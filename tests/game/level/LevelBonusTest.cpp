#include "game/Bonus.h"
#include "game/BonusManager.h"
#include "game/Carriage.h"
#include "game/GameLogic.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "tests/support/LevelHarness.h"

#include <gtest/gtest.h>

namespace corvellan::test
{
namespace
{

TEST(LevelBonusTest, WithEveryTrainPieceTakenTheTimerRestartsWithoutABonusAndPausedNothingAges)
{
    LevelHarness level;
    Mirabel::GameLogic& logic = level.Logic();
    const Mirabel::PuzzleDepository& track = *logic.GetTrack();
    Mirabel::BonusManager& bonuses = *logic.GetBonuses();
    const Mirabel::Puzzle& board = *logic.GetBoard();
    while (!track.GetCarriage()->IsVisible())
        level.Frame(100);
    for (const Mirabel::PuzzleElement* piece : track.GetTrainPieces())
    {
        if (board.GetPlaces()[piece->GetIndex()]->GetState() == 0)
            bonuses.CreateBonus(piece->GetIndex(), OrvaneEngine::Vector2(100, 100));
    }
    const std::size_t count = bonuses.GetBonuses().size();
    ASSERT_GE(count, 1u);
    bool restarted = false;
    float before = board.GetBonusTime();
    for (int i = 0; i < 130 && !restarted; ++i)
    {
        level.Frame(100);
        restarted = board.GetBonusTime() < before;
        before = board.GetBonusTime();
    }
    EXPECT_TRUE(restarted);
    EXPECT_EQ(bonuses.GetBonuses().size(), count);

    logic.SetPaused(true);
    for (int i = 0; i < 10; ++i)
        level.Frame(100);
    const float bonusTime = board.GetBonusTime();
    const float phase = bonuses.GetBonuses().front()->GetPhaseTime();
    for (int i = 0; i < 30; ++i)
        level.Frame(100);
    EXPECT_EQ(board.GetBonusTime(), bonusTime);
    EXPECT_EQ(bonuses.GetBonuses().front()->GetPhaseTime(), phase);
}

} // namespace
} // namespace corvellan::test
