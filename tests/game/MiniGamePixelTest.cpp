// The cells as drawn: a 2 x 2 play under the GUI camera, read back from the
// back buffer. The picture is a JPEG, so colours are compared with a
// tolerance in the middle of each quadrant.
#include "game/MiniGame.h"
#include "game/MiniGameCell.h"
#include "tests/game/MiniGameFixture.h"
#include "tests/support/BackBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace corvellan::test
{
namespace
{

using Mirabel::MiniGameCell;

constexpr int Tolerance = 16;
constexpr float Pi = MiniGameCell::Pi;

Rgb Expected(const MenuColour& colour) { return {colour.r, colour.g, colour.b}; }

class MiniGamePixelTest : public ::testing::Test
{
protected:
    MiniGameFixture play{{2}};

    void SetUp() override
    {
        play.Start();
        play.Play(0);
        // Cell (1, 1) lies turned about both axes: its front faces the
        // camera again, and the play is not won.
        play.Hold(0);
        play.Cell(1, 1).flipState = 3;
        play.Cell(1, 1).shownState = 3;
        play.Steps(1);
    }

    // The pixel at offset (dx, dy) from the cell's centre, y up.
    static Rgb At(const BackBuffer& buffer, const MiniGameCell& cell, float dx = 0.0f, float dy = 0.0f)
    {
        return buffer.Pixel(static_cast<std::uint32_t>(std::lround(cell.centre.x + dx)),
                            static_cast<std::uint32_t>(600 - std::lround(cell.centre.y + dy)));
    }

    // What the back of cell (x, y) shows.
    static Rgb Back(std::uint32_t x, std::uint32_t y)
    {
        return Expected(x == 0 ? MiniGameFixture::Quadrants[1][y] : MiniGameFixture::Outside);
    }
};

TEST_F(MiniGamePixelTest, CellsFacingTheCameraShowTheirOwnQuadrant)
{
    const BackBuffer buffer = play.menu.Grab();
    for (const auto& cell : play.game->GetCells())
    {
        const Rgb expected = Expected(MiniGameFixture::Quadrants[cell->xIndex][cell->yIndex]);
        const Rgb seen = At(buffer, *cell);
        EXPECT_TRUE(Near(seen, expected, Tolerance))
            << "cell (" << cell->xIndex << ", " << cell->yIndex << "): " << Describe(seen);
    }
}

TEST_F(MiniGamePixelTest, TurnedOverCellShowsItsBackModel)
{
    struct Row
    {
        std::uint32_t state;
        bool back;
    };
    const Row rows[] = {{0, false}, {1, true}, {2, true}, {3, false}};
    for (const Row& row : rows)
    {
        for (std::uint32_t x : {0u, 1u})
        {
            MiniGameCell& cell = play.Cell(x, 0);
            cell.flipState = row.state;
            cell.shownState = row.state;
        }
        play.Steps(1);
        const BackBuffer buffer = play.menu.Grab();
        for (std::uint32_t x : {0u, 1u})
        {
            const Rgb expected = row.back ? Back(x, 0) : Expected(MiniGameFixture::Quadrants[x][0]);
            const Rgb seen = At(buffer, play.Cell(x, 0));
            EXPECT_TRUE(Near(seen, expected, Tolerance))
                << "state " << row.state << ", cell (" << x << ", 0): " << Describe(seen);
        }
    }
}

TEST_F(MiniGamePixelTest, CellHalfwayThroughATurnHasNoHoles)
{
    struct Row
    {
        std::uint32_t direction;
        float angle;
        bool back;
    };
    const Row rows[] = {{MiniGameCell::Up, 0.3f * Pi, false},
                        {MiniGameCell::Up, 0.7f * Pi, true},
                        {MiniGameCell::Left, 0.3f * Pi, false},
                        {MiniGameCell::Left, 0.7f * Pi, true}};
    const float c = 266.0f / 2.0f;
    for (const Row& row : rows)
    {
        SCOPED_TRACE("direction " + std::to_string(row.direction) + ", angle " + std::to_string(row.angle));
        MiniGameCell& cell = play.Cell(0, 0);
        cell.shownState = 0;
        cell.flipState = MiniGameCell::Flip(0, row.direction);
        cell.lastDirection = row.direction;
        cell.startAngles = OrvaneEngine::Vector2(0.0f, 0.0f);
        // One frame turns by 0.1 rad.
        const float start = row.angle - 0.1f;
        cell.angles = row.direction == MiniGameCell::Up ? OrvaneEngine::Vector2(start, 0.0f)
                                                        : OrvaneEngine::Vector2(0.0f, start);
        play.Steps(1);
        const BackBuffer buffer = play.menu.Grab();
        const Rgb expected = row.back ? Back(0, 0) : Expected(MiniGameFixture::Quadrants[0][0]);
        // Across the whole foreshortened face, on both sides of the axis.
        const float reach = 0.4f * c * std::fabs(std::cos(row.angle));
        for (const float offset : {-reach, -reach / 2.0f, 0.0f, reach / 2.0f, reach})
        {
            const float dx = row.direction == MiniGameCell::Up ? 0.0f : offset;
            const float dy = row.direction == MiniGameCell::Up ? offset : 0.0f;
            const Rgb seen = At(buffer, cell, dx, dy);
            EXPECT_TRUE(Near(seen, expected, Tolerance)) << "at " << offset << ": " << Describe(seen);
        }
        play.StepUntil([&cell] { return cell.shownState == cell.flipState; }, 40);
        cell.flipState = 0;
        cell.shownState = 0;
    }
}

} // namespace
} // namespace corvellan::test
