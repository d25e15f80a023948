// The cell rules as tables, then one cell of a built play: its measure and
// picture part, its turns, its input and its arrows and border.
#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/MiniGameCell.h"
#include "tests/game/MiniGameFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::MiniGameCell;

constexpr float Pi = MiniGameCell::Pi;
constexpr float ColourStep = 1.0f / 255.0f;

TEST(MiniGameCellRules, FlipTogglesTheDirectionsAxis)
{
    struct Row
    {
        std::uint32_t state;
        std::uint32_t direction;
        std::uint32_t expected;
    };
    const Row rows[] = {{1, MiniGameCell::Up, 0},    {1, MiniGameCell::Down, 0},  {0, MiniGameCell::Up, 1},
                        {1, MiniGameCell::Right, 3}, {3, MiniGameCell::Left, 1},  {2, MiniGameCell::Right, 0},
                        {3, MiniGameCell::Down, 2},  {0, MiniGameCell::Left, 2}};
    for (const Row& row : rows)
        EXPECT_EQ(MiniGameCell::Flip(row.state, row.direction), row.expected)
            << "state " << row.state << ", direction " << row.direction;
}

TEST(MiniGameCellRules, SectorIsTheEdgeTheCursorIsOn)
{
    struct Row
    {
        float dx;
        float dy;
        std::int32_t expected;
    };
    // A 100-unit cell: its hit window is 99 wide, so the middle reaches 14.0.
    const Row rows[] = {{0, -30, MiniGameCell::Up},    {-30, 0, MiniGameCell::Right}, {0, 30, MiniGameCell::Down},
                        {30, 0, MiniGameCell::Left},   {5, 5, MiniGameCell::NoSector}, {30, 30, MiniGameCell::NoSector},
                        {0, -13, MiniGameCell::NoSector}, {0, -15, MiniGameCell::Up},   {-40, 39, MiniGameCell::Right},
                        {-40, -41, MiniGameCell::Up}};
    for (const Row& row : rows)
        EXPECT_EQ(MiniGameCell::Sector(Vector2(row.dx, row.dy), Vector2(99.0f, 99.0f)), row.expected)
            << "d (" << row.dx << ", " << row.dy << ")";
}

TEST(MiniGameCellRules, RestAnglesFollowTheBits)
{
    for (std::uint32_t state = 0; state < 4; ++state)
    {
        const Vector2 angles = MiniGameCell::RestAngles(state);
        EXPECT_FLOAT_EQ(angles.x, (state & 1u) != 0 ? Pi : 0.0f) << state;
        EXPECT_FLOAT_EQ(angles.y, (state & 2u) != 0 ? Pi : 0.0f) << state;
    }
}

class MiniGameCellTest : public ::testing::Test
{
protected:
    MiniGameFixture play{{3}};

    void SetUp() override
    {
        play.Start();
        play.Play(0);
    }

    // Every cell at rest in the state, but a corner cell kept wrong so that
    // the play is not won and the cells stay on screen.
    void Hold(std::uint32_t state)
    {
        play.Hold(state);
        MiniGameCell& corner = play.Cell(2, 0);
        corner.flipState = 2;
        corner.shownState = 2;
    }
};

TEST_F(MiniGameCellTest, CellIsMeasuredFromTheAreaAndShowsItsOwnPartOfThePicture)
{
    const MiniGameCell& cell = play.Cell(1, 2);
    const float c = 266.0f / 3.0f;
    EXPECT_NEAR(cell.centre.x, 269.0f + 1.5f * c, 1e-3f);
    EXPECT_NEAR(cell.centre.y, 126.0f + 2.5f * c, 1e-3f);
    EXPECT_NEAR(cell.hitWindow->size.x, c - 1.0f, 1e-3f);
    EXPECT_NEAR(cell.hitWindow->GetAbsolutePosition().x + cell.hitWindow->size.x / 2.0f, cell.centre.x, 1e-3f);

    const float scale = 0.99f / 3.0f * 0.5859375f;
    for (const GUIWindow* face : {cell.topWindow, cell.bottomWindow})
    {
        const ShaderUser* user = face->GetShaderUser();
        ASSERT_NE(user, nullptr);
        EXPECT_NE(user, cell.borderWindow->GetShaderUser());
        EXPECT_FLOAT_EQ(user->stages[0].scaleU, scale);
        EXPECT_FLOAT_EQ(user->stages[0].scaleV, scale);
        EXPECT_FLOAT_EQ(user->stages[0].offsetU, 1.005f / 3.0f * 0.5859375f);
        EXPECT_FLOAT_EQ(user->stages[0].offsetV, 2.005f / 3.0f * 0.5859375f);
    }
    // Another cell's faces keep their own transform.
    EXPECT_FLOAT_EQ(play.Cell(0, 0).topWindow->GetShaderUser()->stages[0].offsetU, 0.005f / 3.0f * 0.5859375f);

    for (const GUIWindow* window : {cell.borderWindow, cell.topWindow, cell.bottomWindow})
    {
        const std::uint32_t flags = window->model->GetFlags();
        EXPECT_NE(flags & Model::FlagDepthTest, 0u);
        EXPECT_NE(flags & Model::FlagTwoPass, 0u);
        EXPECT_EQ(flags & Model::FlagNoDepthWrite, 0u);
        EXPECT_FALSE(window->autoFit);
        // The border's box is scaled to the cell and centred on it.
        EXPECT_NEAR(window->model->boundingVolume.center.x, cell.centre.x, 0.01f);
    }
    const BoundingVolume& border = cell.borderWindow->model->boundingVolume;
    EXPECT_NEAR(border.worldMax.x - border.worldMin.x, c, 0.01f);
    EXPECT_EQ(cell.borderWindow->level, 2);
    // Each arrow sits 10 units inside its edge: up at the bottom, right at the left.
    const float expected[4][2] = {{0, -(c / 2 - 10)}, {-(c / 2 - 10), 0}, {0, c / 2 - 10}, {c / 2 - 10, 0}};
    for (std::uint32_t k = 0; k < 4; ++k)
    {
        const BoundingVolume& arrow = cell.arrowWindows[k]->model->boundingVolume;
        EXPECT_EQ(cell.arrowWindows[k]->level, 3);
        EXPECT_NEAR(arrow.center.x - cell.centre.x, expected[k][0], 0.01f) << "arrow " << k;
        EXPECT_NEAR(arrow.center.y - cell.centre.y, expected[k][1], 0.01f) << "arrow " << k;
    }
}

TEST_F(MiniGameCellTest, TurnDirectionFollowsTheStatesAndEndsAfterHalfATurn)
{
    struct Row
    {
        std::uint32_t from;
        std::uint32_t direction;
        float xSign;
        float ySign;
    };
    const Row rows[] = {{0, MiniGameCell::Up, 1, 0},    {1, MiniGameCell::Up, 1, 0},     {0, MiniGameCell::Down, -1, 0},
                        {1, MiniGameCell::Down, -1, 0}, {2, MiniGameCell::Up, -1, 0},    {3, MiniGameCell::Up, -1, 0},
                        {2, MiniGameCell::Down, 1, 0},  {0, MiniGameCell::Right, 0, -1}, {1, MiniGameCell::Right, 0, -1},
                        {2, MiniGameCell::Left, 0, 1},  {3, MiniGameCell::Left, 0, 1}};
    Hold(0);
    MiniGameCell& cell = play.Cell(1, 1);
    for (const Row& row : rows)
    {
        SCOPED_TRACE("from " + std::to_string(row.from) + ", direction " + std::to_string(row.direction));
        cell.flipState = row.from;
        cell.shownState = row.from;
        play.Steps(1);
        const Vector2 rest = MiniGameCell::RestAngles(row.from);
        cell.lastDirection = row.direction;
        cell.flipState = MiniGameCell::Flip(row.from, row.direction);
        play.Steps(1);
        EXPECT_NEAR(cell.angles.x - rest.x, row.xSign * 0.1f, 1e-4f);
        EXPECT_NEAR(cell.angles.y - rest.y, row.ySign * 0.1f, 1e-4f);

        // 0.1 rad a frame: the 32nd frame passes pi, about 0.63 s.
        std::uint32_t frames = 1;
        while (cell.shownState != cell.flipState && frames < 100)
        {
            play.Steps(1);
            ++frames;
        }
        EXPECT_EQ(frames, 32u);
        const Vector2 end = MiniGameCell::RestAngles(cell.flipState);
        EXPECT_FLOAT_EQ(cell.angles.x, end.x);
        EXPECT_FLOAT_EQ(cell.angles.y, end.y);
        EXPECT_FLOAT_EQ(cell.startAngles.x, end.x);
    }
}

TEST_F(MiniGameCellTest, ClickTurnsOnlyAHoveredWrongCellAtRestWithNoScrambleLeft)
{
    struct Row
    {
        const char* name;
        std::uint32_t scrambleLeft;
        bool hovered;
        std::uint32_t state;
        bool turning;
        bool active;
        bool takes;
    };
    const Row rows[] = {
        {"all met", 0, true, 1, false, true, true},      {"scramble left", 1, true, 1, false, true, false},
        {"not hovered", 0, false, 1, false, true, false}, {"upright", 0, true, 0, false, true, false},
        {"turning", 0, true, 1, true, true, false},       {"reset", 0, true, 1, false, false, false},
    };
    Hold(0);
    MiniGameCell& cell = play.Cell(1, 1);
    const float c = 266.0f / 3.0f;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        cell.scrambleFlipsLeft = row.scrambleLeft;
        cell.scrambleTimer = 0.0f;
        cell.active = row.active;
        cell.flipState = row.state;
        cell.shownState = row.turning ? MiniGameCell::Flip(row.state, MiniGameCell::Right) : row.state;
        cell.clicks = 0;
        // Up's sector: below the centre.
        if (row.hovered)
            play.MoveOnto(cell, 0.0f, -c / 4.0f);
        else
            play.MoveOnto(play.Cell(0, 0), 0.0f, -c / 4.0f);
        const float soundBefore = play.menu.SoundLastStart(MiniGameCell::SoundFlip);
        const std::uint32_t before = cell.flipState;
        play.Click();
        EXPECT_EQ(cell.clicks, row.takes ? 1u : 0u);
        EXPECT_EQ(cell.flipState, row.takes ? MiniGameCell::Flip(before, MiniGameCell::Up) : before);
        EXPECT_EQ(play.menu.SoundLastStart(MiniGameCell::SoundFlip) != soundBefore, row.takes);
        // Let any turn end before the next row; the play goes on meanwhile.
        play.StepUntil([&cell] { return cell.shownState == cell.flipState; }, 40);
        ASSERT_FALSE(play.game->solved);
    }
}

TEST_F(MiniGameCellTest, ClickInTheMiddleDoesNothingAndShowsNoArrow)
{
    Hold(1);
    MiniGameCell& cell = play.Cell(1, 1);
    play.MoveOnto(cell, 3.0f, 3.0f);
    play.Click();
    EXPECT_EQ(cell.flipState, 1u);
    EXPECT_EQ(cell.clicks, 0u);
    for (float alpha : cell.arrowAlphas)
        EXPECT_EQ(alpha, 0.0f);
}

TEST_F(MiniGameCellTest, ArrowOfTheSectorFadesInTimesTheFrameColour)
{
    Hold(1);
    play.frameColor = Color(1.0f, 0.5f, 1.0f, 0.6f);
    MiniGameCell& cell = play.Cell(1, 1);
    const float c = 266.0f / 3.0f;
    play.MoveOnto(cell, c / 4.0f, 0.0f); // left's sector: right of the centre
    play.Steps(1);
    const float first = cell.arrowAlphas[MiniGameCell::Left];
    // The frame the cursor arrived already counted.
    EXPECT_NEAR(first, 4.0f * 0.02f, 1e-4f);
    play.Steps(5);
    EXPECT_NEAR(cell.arrowAlphas[MiniGameCell::Left], first + 5 * 0.08f, 1e-4f);
    for (std::uint32_t k : {0u, 1u, 2u})
        EXPECT_EQ(cell.arrowAlphas[k], 0.0f) << k;
    const Color shown = cell.arrowWindows[MiniGameCell::Left]->GetColor();
    EXPECT_NEAR(shown.a, cell.arrowAlphas[MiniGameCell::Left] * 0.6f, ColourStep);
    EXPECT_NEAR(shown.g, 0.5f, ColourStep);

    play.Steps(10);
    EXPECT_EQ(cell.arrowAlphas[MiniGameCell::Left], 1.0f);
    // Into the middle: every arrow fades at 4 per second.
    play.MoveOnto(cell, 0.0f, 0.0f);
    play.Steps(3);
    EXPECT_NEAR(cell.arrowAlphas[MiniGameCell::Left], 1.0f - 3 * 0.08f, 1e-4f);
    play.Steps(20);
    EXPECT_EQ(cell.arrowAlphas[MiniGameCell::Left], 0.0f);
}

TEST_F(MiniGameCellTest, BorderShowsOnlyOnCellsThatAreStillWrong)
{
    play.frameColor = Color(0.8f, 0.8f, 0.8f, 0.7f);
    struct Row
    {
        std::uint32_t flip;
        std::uint32_t shown;
        float alpha;
    };
    // A turn held by pushing its start back each frame.
    const Row rows[] = {{0, 0, 0.0f}, {1, 1, 0.7f}, {2, 2, 0.7f}, {3, 3, 0.7f}, {0, 1, 0.7f}};
    Hold(0);
    MiniGameCell& cell = play.Cell(0, 1);
    for (const Row& row : rows)
    {
        cell.flipState = row.flip;
        cell.shownState = row.shown;
        cell.lastDirection = MiniGameCell::Up;
        play.Steps(1);
        EXPECT_NEAR(cell.borderWindow->GetColor().a, row.alpha, ColourStep) << row.flip << " from " << row.shown;
        EXPECT_NEAR(cell.topWindow->GetColor().a, 0.7f, ColourStep);
        play.StepUntil([&cell] { return cell.shownState == cell.flipState; }, 40);
    }
}

} // namespace
} // namespace corvellan::test
