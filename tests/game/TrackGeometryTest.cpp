#include "game/TrackGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using OrvaneEngine::Vector2;

Mirabel::TrackPath Corner()
{
    return Mirabel::BuildTrackPath({Vector2(0, 0), Vector2(100, 0), Vector2(100, 50)});
}

TEST(TrackGeometryTest, PointAtDistanceWalksTheSegmentsAndExtrapolatesBeforeTheStart)
{
    const Mirabel::TrackPath path = Corner();
    ASSERT_FLOAT_EQ(path.length, 150.0f);
    const struct
    {
        float distance;
        Vector2 expected;
    } cases[] = {
        {50, Vector2(50, 0)}, {100, Vector2(100, 0)}, {120, Vector2(100, 20)},
        {500, Vector2(100, 50)}, {-10, Vector2(-10, 0)},
    };
    for (const auto& c : cases)
    {
        const Vector2 p = Mirabel::PointAtDistance(path, c.distance);
        EXPECT_NEAR(p.x, c.expected.x, 1e-4f) << c.distance;
        EXPECT_NEAR(p.y, c.expected.y, 1e-4f) << c.distance;
    }
}

TEST(TrackGeometryTest, NearestPointGivesDistanceAndSideWithTiesToTheEarlierSegment)
{
    const Mirabel::TrackPath path = Corner();
    const struct
    {
        Vector2 point;
        float distance;
        bool left;
    } cases[] = {
        {Vector2(50, 10), 50, true},   {Vector2(50, -10), 50, false}, {Vector2(100, 0), 100, false},
        {Vector2(-20, -20), 0, true},  {Vector2(90, 30), 130, true},  {Vector2(120, 30), 130, false},
    };
    for (const auto& c : cases)
    {
        bool left = !c.left;
        EXPECT_NEAR(Mirabel::NearestPathDistance(path, c.point, left), c.distance, 1e-3f)
            << c.point.x << "," << c.point.y;
        EXPECT_EQ(left, c.left) << c.point.x << "," << c.point.y;
    }
}

TEST(TrackGeometryTest, RepeatedPointsLeaveNoEmptySegment)
{
    const Mirabel::TrackPath path =
        Mirabel::BuildTrackPath({Vector2(0, 0), Vector2(100, 0), Vector2(100, 0), Vector2(100, 50)});
    EXPECT_TRUE(path.IsUsable());
    EXPECT_FLOAT_EQ(path.length, 150.0f);
    ASSERT_EQ(path.lengths.size(), 2u);
    const Vector2 p = Mirabel::PointAtDistance(path, 120);
    EXPECT_NEAR(p.y, 20.0f, 1e-4f);

    const Mirabel::TrackPath boxes = Mirabel::BuildTrackPath(std::vector<Vector2>(6, Vector2(3, 4)));
    EXPECT_FALSE(boxes.IsUsable());
    EXPECT_EQ(boxes.length, 0.0f);
}

} // namespace
