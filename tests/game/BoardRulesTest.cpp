#include "game/BoardRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{

TEST(BoardRulesTest, QuickPlacementsChainCombosAndBrakeByThePreviousOne)
{
    std::uint32_t combo = 1;
    float since = 100000.0f;
    const std::uint32_t expectedCombo[] = {1, 2, 3, 4, 5, 1, 2};
    const float expectedBrake[] = {0, 0.45f, 0.9f, 1.35f, 1.8f, 0, 0.45f};
    for (int i = 0; i < 7; ++i)
    {
        const Mirabel::ComboStep step = Mirabel::NextCombo(combo, since);
        combo = step.combo;
        EXPECT_EQ(combo, expectedCombo[i]) << i;
        EXPECT_EQ(step.brakes, i > 0) << i;
        EXPECT_FLOAT_EQ(0.45f * static_cast<float>(step.brakeCombo), expectedBrake[i]) << i;
        since = 1.0f;
    }
    EXPECT_EQ(Mirabel::NextCombo(4, 2.8f).combo, 1u);
    EXPECT_FALSE(Mirabel::NextCombo(4, 2.8f).brakes);
    EXPECT_EQ(Mirabel::NextCombo(4, 2.79f).combo, 5u);
}

TEST(BoardRulesTest, SnapIsStrictAndImpossibleWithATipPending)
{
    EXPECT_TRUE(25.99f < Mirabel::SnapDistance(false));
    EXPECT_FALSE(26.0f < Mirabel::SnapDistance(false));
    EXPECT_FALSE(0.0f < Mirabel::SnapDistance(true));
}

TEST(BoardRulesTest, PlacementTextNamesPointsAndCombo)
{
    EXPECT_EQ(Mirabel::PlacementText(100, 1, u"Combo %COMBO%"), u"+100");
    EXPECT_EQ(Mirabel::PlacementText(200, 2, u"Combo x%combo%! %CoMbO%"), u"+200\nCombo x2! 2");
    EXPECT_EQ(Mirabel::PlacementText(4294967295u, 5, u"none"), u"+4294967295\nnone");
}

TEST(BoardRulesTest, BlockedPlacesOpenWhenEveryNormalNeighbourIsFilled)
{
    using N = std::vector<std::uint32_t>;
    struct Place
    {
        std::uint32_t state;
        bool shown;
        N neighbours;
    };
    const struct
    {
        const char* name;
        std::vector<Place> board;
        std::vector<std::uint32_t> opened;
    } cases[] = {
        {"no neighbours", {{1, true, {}}}, {}},
        {"only blocked neighbours", {{1, true, {1}}, {1, true, {0}}}, {}},
        {"a normal neighbour unfilled", {{1, true, {1, 2}}, {0, true, {0}}, {0, false, {0}}}, {}},
        {"all normal neighbours filled", {{1, true, {1, 2}}, {0, true, {0}}, {1, true, {0}}}, {0}},
        {"opened earlier counts as unfilled", {{1, true, {2}}, {1, true, {0}}, {0, true, {0}}}, {0}},
        {"blocked neighbours do not count", {{1, true, {1}}, {1, true, {0, 2}}, {0, true, {1}}}, {1}},
        {"neighbour outside the board", {{1, true, {7}}}, {}},
        {"filled neighbour beside one outside", {{1, true, {1, 9}}, {0, true, {}}}, {0}},
    };
    for (const auto& c : cases)
    {
        std::vector<Mirabel::PlaceState> places;
        for (const Place& p : c.board)
            places.push_back(Mirabel::PlaceState{p.state, p.shown, &p.neighbours});
        EXPECT_EQ(Mirabel::OpenBlockedPlaces(places), c.opened) << c.name;
        for (const std::uint32_t i : c.opened)
        {
            EXPECT_EQ(places[i].state, 0u) << c.name;
            EXPECT_FALSE(places[i].shown) << c.name;
        }
    }
}

TEST(BoardRulesTest, CursorKindFollowsPendingBonusesAndHighlights)
{
    EXPECT_EQ(Mirabel::EmptyHandCursorKind(true, true), 1u);
    EXPECT_EQ(Mirabel::EmptyHandCursorKind(false, true), 2u);
    EXPECT_EQ(Mirabel::EmptyHandCursorKind(false, false), 0u);
    EXPECT_EQ(Mirabel::CarryingCursorKind(0, true, false), 1u);
    EXPECT_EQ(Mirabel::CarryingCursorKind(0, true, true), 2u);
    EXPECT_EQ(Mirabel::CarryingCursorKind(1, false, false), 1u);
    EXPECT_EQ(Mirabel::CarryingCursorKind(2, false, false), 2u);
}

} // namespace
