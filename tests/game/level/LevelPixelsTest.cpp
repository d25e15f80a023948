#include "engine/core/Engine.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/BackBuffer.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelScripts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace corvellan::test
{
namespace
{

using OrvaneEngine::Vector2;

// The window's pixels are GUI units, rows counted from the top.
Rgb PixelAt(const BackBuffer& back, const Vector2& point)
{
    return back.Pixel(static_cast<std::uint32_t>(std::lround(point.x)),
                      static_cast<std::uint32_t>(599 - std::lround(point.y)));
}

// The board's pixels of a level, paused until it stands still or not, with
// the pieces of the given indices placed first.
std::vector<Rgb> Board(const std::vector<std::uint32_t>& placed, bool paused)
{
    d3d7::testing::ResetAll();
    LevelHarness level;
    LevelScripts scripts = level.Scripts(60.0f);
    for (const std::uint32_t index : placed)
        EXPECT_TRUE(scripts.Place(index));
    level.Logic().SetPaused(paused);
    // Faded out, and the floating texts gone.
    for (int i = 0; i < 30; ++i)
        level.Frame(100);
    EXPECT_EQ(level.Logic().GetPauseFade(), paused ? 0.0f : 1.0f);
    BackBuffer back;
    EXPECT_EQ(back.Read(static_cast<OrvaneEngine::RenderSystem_D3D7&>(*level.Engine().renderSystem)), "");
    const Vector2 size = level.Puzzle().boardSize;
    std::vector<Rgb> pixels;
    for (float y = 65.0f; y < 63.0f + size.y - 2.0f; y += 3.0f)
        for (float x = 65.0f; x < 63.0f + size.x - 2.0f; x += 3.0f)
            pixels.push_back(PixelAt(back, Vector2(x, y)));
    return pixels;
}

TEST(LevelPixelsTest, APausedBoardShowsOnlyItsCoverWhateverIsPlaced)
{
    const auto differing = [](const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
        EXPECT_EQ(a.size(), b.size());
        std::size_t count = 0;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            count += Near(a[i], b[i], 2) ? 0 : 1;
        return count;
    };
    EXPECT_EQ(differing(Board({}, true), Board({0, 1}, true)), 0u);
    // Unpaused, the placed pieces show.
    EXPECT_GT(differing(Board({}, false), Board({0, 1}, false)), 20u);
    d3d7::testing::ResetAll();
}

TEST(LevelPixelsTest, ACarriedPieceIsDrawnInFrontOfAFilledPlaceAndTheOutline)
{
    d3d7::testing::ResetAll();
    LevelHarness level;
    LevelScripts scripts = level.Scripts(60.0f);
    const Mirabel::Puzzle& board = *level.Logic().GetBoard();
    const auto& states = level.Puzzle().initialStates;
    std::vector<std::uint32_t> normal;
    for (std::uint32_t i = 0; i < states.size(); ++i)
    {
        if (states[i] == 0)
            normal.push_back(i);
    }
    ASSERT_GE(normal.size(), 3u);
    ASSERT_TRUE(scripts.Place(normal[0]));
    ASSERT_TRUE(scripts.Take(normal[1]));
    const Mirabel::PuzzleElement& carried = *level.Logic().GetLoosePieces()->GetCarriedPiece();
    const Vector2& offset = level.Logic().GetTrack()->GetGrabOffset();
    BackBuffer back;
    auto readAt = [&](const Vector2& cursor) {
        scripts.Mouse().MoveTo(cursor);
        scripts.Step(LevelScripts::ActingFrame);
        scripts.Step(LevelScripts::ActingFrame);
        EXPECT_EQ(back.Read(static_cast<OrvaneEngine::RenderSystem_D3D7&>(*level.Engine().renderSystem)), "");
        return PixelAt(back, carried.GetPosition());
    };
    // Over an empty place, then over the filled one: whole cursor positions
    // both, so the piece samples its texture alike.
    const Vector2 filled = board.PlacePoint(normal[0]);
    const Vector2 empty = board.PlacePoint(normal[2]);
    const Vector2 over(std::round(filled.x - offset.x), std::round(filled.y - offset.y));
    const Rgb before = readAt(Vector2(std::round(empty.x - offset.x), std::round(empty.y - offset.y)));
    ASSERT_NEAR(carried.GetScale(), 1.0f, 1e-4f);
    const Rgb placedOnly = PixelAt(back, filled);
    const Rgb onTop = readAt(over);
    EXPECT_TRUE(Near(onTop, before, 2)) << Describe(onTop) << " " << Describe(before);
    EXPECT_FALSE(Near(onTop, placedOnly, 2)) << Describe(onTop) << " " << Describe(placedOnly);
    d3d7::testing::ResetAll();
}

} // namespace
} // namespace corvellan::test
