#include "engine/core/Random.h"
#include "engine/gui/GUIWindow.h"
#include "framework/SoundController.h"
#include "game/BonusManager.h"
#include "game/Carriage.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/LevelSounds.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelScripts.h"
#include "tests/support/LevelSoundStarts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

namespace sound = Mirabel::LevelSound;
using OrvaneEngine::Vector2;

constexpr float Limit = 60.0f;

// A level with scripts over it whose frames also count the sounds asked for.
class Board
{
public:
    explicit Board(const LevelHarness::Options& options = {})
        : level(options),
          scripts(level.Logic(), level.Engine(), [this](std::uint32_t ms) { Frame(ms); }, Limit)
    {
        for (const std::uint32_t id : {sound::ElementPutBad, sound::ElementPut + 1, sound::ElementPut + 2,
                                       sound::ElementPut + 3, sound::ElementPut + 4, sound::ElementPut + 5})
            starts.emplace_back(level.Sounds(), id);
    }
    void Frame(std::uint32_t ms)
    {
        level.Frame(ms);
        for (LevelSoundStarts& counter : starts)
            counter.Check();
    }
    std::uint32_t Starts(std::uint32_t id) const
    {
        const std::uint32_t ids[] = {sound::ElementPutBad, sound::ElementPut + 1, sound::ElementPut + 2,
                                     sound::ElementPut + 3, sound::ElementPut + 4, sound::ElementPut + 5};
        return starts[static_cast<std::size_t>(std::find(std::begin(ids), std::end(ids), id) - std::begin(ids))]
            .starts;
    }
    Mirabel::Puzzle& Places() { return *level.Logic().GetBoard(); }
    Mirabel::PuzzleElement* Carried() { return level.Logic().GetLoosePieces()->GetCarriedPiece(); }
    std::uint32_t Blocked() const
    {
        const auto& states = level.Puzzle().initialStates;
        return static_cast<std::uint32_t>(std::find(states.begin(), states.end(), 1u) - states.begin());
    }
    // The cursor where the carried piece lands at its place plus the shift.
    void AimAtPlace(const Mirabel::PuzzleElement& piece, Vector2 shift)
    {
        const Vector2 place = Places().PlacePoint(piece.GetIndex());
        const Vector2& offset = level.Logic().GetTrack()->GetGrabOffset();
        level.MoveTo(Vector2(place.x - offset.x + shift.x, place.y - offset.y + shift.y));
    }
    void Step() { scripts.Step(17); }
    void Click()
    {
        level.Button(0, true);
        Step();
        level.Button(0, false);
        Step();
    }
    std::vector<std::u16string> Texts() const { return scripts.Run().texts; }

    LevelHarness level;
    LevelScripts scripts;
    std::vector<LevelSoundStarts> starts;
};

TEST(LevelBoardTest, APieceIsPlacedOnlyNearItsPlaceAndAMissSoundsBad)
{
    Board board;
    const std::uint32_t normal = board.Blocked() == 0 ? 1 : 0;
    ASSERT_TRUE(board.scripts.Take(normal));
    // The press that took the piece did not reach the board.
    EXPECT_EQ(board.Starts(sound::ElementPutBad), 0u);
    Mirabel::PuzzleElement* piece = board.Carried();
    ASSERT_NE(piece, nullptr);

    board.AimAtPlace(*piece, Vector2(40, 0));
    board.Step();
    board.Click();
    EXPECT_EQ(board.Carried(), piece);
    EXPECT_EQ(board.Starts(sound::ElementPutBad), 1u);
    EXPECT_EQ(board.Places().GetPlacedCount(), 0u);

    board.AimAtPlace(*piece, Vector2(0, 0));
    board.Step();
    board.Click();
    EXPECT_EQ(board.Carried(), nullptr);
    EXPECT_FALSE(piece->IsVisible());
    EXPECT_TRUE(piece->IsTaken());
    EXPECT_TRUE(board.Places().GetPlaces()[normal]->IsFilled());
    EXPECT_EQ(board.Places().GetPlacedCount(), 1u);
    EXPECT_EQ(board.level.Logic().GetScore(), 100u);
    EXPECT_EQ(board.Starts(sound::ElementPutBad), 1u);
    EXPECT_EQ(board.Starts(sound::ElementPut + 1), 1u);
    EXPECT_EQ(board.Texts(), (std::vector<std::u16string>{u"+100"}));
}

TEST(LevelBoardTest, APieceDroppedOnItsBlockedPlaceGoesBackToTheTrack)
{
    Board board;
    const std::uint32_t blocked = board.Blocked();
    ASSERT_TRUE(board.scripts.Take(blocked));
    Mirabel::PuzzleElement* piece = board.Carried();
    board.AimAtPlace(*piece, Vector2(0, 0));
    board.Step();
    board.level.Button(0, true);
    board.Step();
    EXPECT_EQ(board.Starts(sound::ElementPutBad), 1u);
    EXPECT_EQ(board.Texts(), (std::vector<std::u16string>{u"Blocked"}));
    board.level.Button(0, false);
    board.Step();
    EXPECT_EQ(board.Carried(), nullptr);
    EXPECT_FALSE(piece->IsTaken());
    const auto& train = board.level.Logic().GetTrack()->GetTrainPieces();
    EXPECT_NE(std::find(train.begin(), train.end(), piece), train.end());
    EXPECT_EQ(board.Places().GetPlacedCount(), 0u);
    EXPECT_EQ(board.Places().GetPlaces()[blocked]->GetState(), 1u);
}

TEST(LevelBoardTest, QuickPlacementsChainCombosOneToFiveThenStartOver)
{
    LevelHarness::Options options;
    options.data.columns = 4;
    options.data.blocked = 0;
    Board board(options);
    const Mirabel::PuzzleDepository& track = *board.level.Logic().GetTrack();
    float brakeAfterSecond = 0.0f;
    // The whole supply on the track: less than a fifth of it free.
    while (!track.GetCarriage()->IsVisible())
        board.Step();
    for (int placed = 0; placed < 6; ++placed)
    {
        ASSERT_TRUE(board.scripts.Place(track.GetTrainPieces().back()->GetIndex())) << placed;
        if (placed == 1)
            brakeAfterSecond = track.GetBrakeTime();
    }
    EXPECT_EQ(board.Texts(), (std::vector<std::u16string>{u"+100", u"+200\nCombo x2", u"+300\nCombo x3",
                                                          u"+400\nCombo x4", u"+500\nCombo x5", u"+100"}));
    for (std::uint32_t combo = 1; combo <= 5; ++combo)
        EXPECT_EQ(board.Starts(sound::ElementPut + combo), combo == 1 ? 2u : 1u) << combo;
    EXPECT_GT(brakeAfterSecond, 0.3f);
    EXPECT_EQ(board.level.Logic().GetScore(), 1600u);
}

TEST(LevelBoardTest, AHighlightedPlaceDoesNotCountAsFilledForItsBlockedNeighbour)
{
    Board board;
    const std::uint32_t blocked = board.Blocked();
    const Mirabel::GameLogicData& data = board.level.Puzzle();
    const std::vector<std::uint32_t>& neighbours = data.neighbourLists[blocked];
    ASSERT_GE(neighbours.size(), 2u);
    const std::uint32_t highlighted = neighbours[0];
    const std::uint32_t last = neighbours[1];
    for (std::uint32_t i = 0; i < data.initialStates.size(); ++i)
    {
        if (i != blocked && i != highlighted && i != last)
        {
            ASSERT_TRUE(board.scripts.Place(i)) << i;
        }
    }
    board.Places().GetPlaces()[highlighted]->StartMagnetHighlight();
    board.Step();
    ASSERT_TRUE(board.scripts.Place(last));
    EXPECT_EQ(board.Places().GetPlaces()[blocked]->GetState(), 1u);

    ASSERT_TRUE(board.scripts.Place(highlighted));
    EXPECT_EQ(board.Places().GetPlaces()[blocked]->GetState(), 0u);
    EXPECT_TRUE(board.Places().GetPlaces()[blocked]->IsFlashRunning());
    const std::vector<std::u16string> texts = board.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), u"+350"), 1);
}

TEST(LevelBoardTest, ABonusOnTheLastPiecePaysAndNamesItselfButActsNoMore)
{
    Board board;
    const Mirabel::GameLogicData& data = board.level.Puzzle();
    const std::uint32_t blocked = board.Blocked();
    std::uint32_t last = 0;
    for (std::uint32_t i = 0; i < data.initialStates.size(); ++i)
    {
        if (i == blocked)
            continue;
        ASSERT_TRUE(board.scripts.Place(i)) << i;
        last = i;
    }
    // The last piece is the blocked one, open now.
    ASSERT_EQ(board.Places().GetPlaces()[blocked]->GetState(), 0u);
    (void)last;
    OrvaneEngine::SeedRandom(7);
    board.level.Logic().GetBonuses()->CreateBonus(blocked, Vector2(100, 100));
    std::vector<LevelSoundStarts> applied;
    for (const std::uint32_t id :
         {sound::BonusTipApply, sound::BonusMagnetApply, sound::BonusPauseApply, sound::BonusRollBackApply})
        applied.emplace_back(board.level.Sounds(), id);
    const std::uint32_t before = board.level.Logic().GetScore();
    ASSERT_TRUE(board.scripts.Place(blocked));
    for (LevelSoundStarts& counter : applied)
    {
        counter.Check();
        EXPECT_EQ(counter.starts, 0u);
    }
    const std::u16string text = board.Texts().back();
    EXPECT_EQ(text.substr(0, 5), u"+350\n") << std::string(text.begin(), text.end());
    EXPECT_EQ(board.level.Logic().GetScore(), before + 350u + 1000u);
    EXPECT_FALSE(board.Places().IsTipPending());
    EXPECT_FALSE(board.Places().IsMagnetPending());
    EXPECT_EQ(board.level.Logic().GetTrack()->GetBrakeTime(), 0.0f);
    EXPECT_EQ(board.level.Logic().GetTrack()->GetRollBackTime(), 0.0f);
}

TEST(LevelBoardTest, ACompletionModelWithoutAnimationEndsTheLevelOnceTheOutlineIsGone)
{
    LevelHarness::Options options;
    options.relax = true;
    options.data.stillCompletion = true;
    LevelHarness level(options);
    const Mirabel::Puzzle& puzzle = *level.Logic().GetBoard();
    int outlineGoneAt = -1;
    int completeAt = -1;
    int frames = 0;
    LevelScripts scripts(
        level.Logic(), level.Engine(),
        [&](std::uint32_t ms) {
            level.Frame(ms);
            ++frames;
            const bool outline = (puzzle.GetOutlineWindow()->flags & OrvaneEngine::GUIWindow::FlagShown) != 0;
            if (puzzle.AreAllPlaced() && !outline && outlineGoneAt < 0)
                outlineGoneAt = frames;
            if (puzzle.IsComplete() && completeAt < 0)
                completeAt = frames;
        },
        Limit);
    const LevelRun run = scripts.Win();
    EXPECT_TRUE(run.reached);
    EXPECT_GT(outlineGoneAt, 0);
    EXPECT_EQ(completeAt, outlineGoneAt);
}

} // namespace
} // namespace corvellan::test
