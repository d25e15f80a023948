#include "game/GameLogic.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "tests/support/LevelData.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelScripts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvellan::test
{
namespace
{

using OrvaneEngine::Vector2;

bool UnderObstacle(const Vector2& p)
{
    const Vector2 low = LevelData::ObstacleMin();
    const Vector2 high = LevelData::ObstacleMax();
    return p.x > low.x + 5 && p.x < high.x - 5 && p.y > low.y + 5 && p.y < high.y - 5;
}

// A level with scripts that play it.
struct Played
{
    Played() : scripts(level.Scripts(60.0f)) {}
    LevelHarness level;
    LevelScripts scripts;
};

TEST(LevelCarryTest, APressOnTheObstacleTakesNothingEvenOverAPiece)
{
    Played played;
    LevelHarness& level = played.level;
    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    Mirabel::PuzzleElement* covered = nullptr;
    for (int i = 0; i < 1000 && covered == nullptr; ++i)
    {
        level.Frame(17);
        for (Mirabel::PuzzleElement* piece : track.GetTrainPieces())
        {
            if (UnderObstacle(piece->GetPosition()))
                covered = piece;
        }
    }
    ASSERT_NE(covered, nullptr);
    played.scripts.Mouse().MoveTo(covered->GetPosition());
    played.scripts.Click(0);
    EXPECT_EQ(level.Logic().GetLoosePieces()->GetCarriedPiece(), nullptr);

    Mirabel::PuzzleElement* open = track.GetTrainPieces().front();
    ASSERT_FALSE(UnderObstacle(open->GetPosition()));
    played.scripts.Mouse().MoveTo(open->GetPosition());
    played.scripts.Click(0);
    EXPECT_EQ(level.Logic().GetLoosePieces()->GetCarriedPiece(), open);
}

TEST(LevelCarryTest, TheRightButtonReturnsAPieceOrFastForwardsAnEmptyHand)
{
    Played played;
    LevelHarness& level = played.level;
    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    Mirabel::PuzzleElement* piece = played.scripts.TakeFrontPiece();
    ASSERT_NE(piece, nullptr);
    // Away from the track, where no drop applies.
    level.MoveTo(Vector2(120, 450));
    level.Frame(17);
    level.Button(1, true);
    for (int i = 0; i < 60; ++i)
    {
        level.Frame(17);
        EXPECT_EQ(track.GetFastForwardSpeed(), 0.0f) << i;
    }
    EXPECT_EQ(level.Logic().GetLoosePieces()->GetCarriedPiece(), nullptr);
    EXPECT_FALSE(piece->IsTaken());
    const auto& train = track.GetTrainPieces();
    EXPECT_NE(std::find(train.begin(), train.end(), piece), train.end());
    level.Button(1, false);
    level.Frame(17);

    // With an empty hand the held button speeds the train up after half a second.
    level.Button(1, true);
    for (int i = 0; i < 29; ++i)
        level.Frame(17);
    EXPECT_EQ(track.GetFastForwardSpeed(), 0.0f);
    for (int i = 0; i < 60; ++i)
        level.Frame(17);
    EXPECT_GT(track.GetFastForwardSpeed(), 200.0f);
    level.Button(1, false);
    for (int i = 0; i < 60; ++i)
        level.Frame(17);
    EXPECT_EQ(track.GetFastForwardSpeed(), 0.0f);
}

TEST(LevelCarryTest, ACarriedPieceGrowsOverTheBoardAndKeepsItsTrackSizeOutside)
{
    Played played;
    LevelHarness& level = played.level;
    const Mirabel::PuzzleDepository& track = *level.Logic().GetTrack();
    Mirabel::PuzzleElement* piece = played.scripts.TakeFrontPiece();
    ASSERT_NE(piece, nullptr);
    const Vector2 size = piece->GetBaseSize();
    const float trackScale = std::min(40.0f / size.x, 40.0f / size.y);
    const Vector2& offset = track.GetGrabOffset();
    const struct
    {
        Vector2 at;
        float scale;
    } cases[] = {
        // Over the board, far to the left of the track.
        {Vector2(130, 110), 1.0f},
        // Outside the board's box, far from the track.
        {Vector2(130, 500), trackScale},
        // Just right of the track, outside the board.
        {Vector2(400, 20), trackScale},
    };
    for (const auto& c : cases)
    {
        level.MoveTo(Vector2(c.at.x - offset.x, c.at.y - offset.y));
        level.Frame(17);
        level.Frame(17);
        EXPECT_NEAR(piece->GetScale(), c.scale, 1e-4f) << c.at.x << "," << c.at.y;
        EXPECT_NEAR(piece->GetPosition().x, c.at.x, 0.75f);
        EXPECT_NEAR(piece->GetPosition().y, c.at.y, 0.75f);
    }
}

} // namespace
} // namespace corvellan::test
