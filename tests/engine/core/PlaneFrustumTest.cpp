#include "engine/core/BoundingVolume.h"
#include "engine/core/Frustum.h"
#include "engine/core/Plane.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

void ExpectVector(const Vector3& actual, const Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-6f);
    EXPECT_NEAR(actual.y, expected.y, 1e-6f);
    EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

TEST(PlaneTest, SettersNormalise)
{
    const Plane fromPoints(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    ExpectVector(fromPoints.GetNormal(), Vector3(0, 0, 1));
    EXPECT_FLOAT_EQ(fromPoints.distance, 0.0f);
    EXPECT_FLOAT_EQ(fromPoints.GetDistance(Vector3(3, -2, 5)), 5.0f);

    // The other winding turns the normal round.
    const Plane reversed(Vector3(0, 0, 1), Vector3(0, 1, 1), Vector3(1, 0, 1));
    ExpectVector(reversed.GetNormal(), Vector3(0, 0, -1));
    EXPECT_FLOAT_EQ(reversed.GetDistance(Vector3(0, 0, 0)), 1.0f);

    Plane set;
    set.Set(0, 0, 2, 4);
    ExpectVector(set.GetNormal(), Vector3(0, 0, 1));
    EXPECT_FLOAT_EQ(set.distance, 2.0f);

    const Plane fromNormal(Vector3(0, 3, 0), Vector3(7, 2, -1));
    ExpectVector(fromNormal.GetNormal(), Vector3(0, 1, 0));
    EXPECT_FLOAT_EQ(fromNormal.GetDistance(Vector3(0, 5, 0)), 3.0f);
}

TEST(PlaneTest, DegenerateInputKeepsAZeroNormal)
{
    const Plane collinear(Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(2, 2, 0));
    ExpectVector(collinear.GetNormal(), Vector3(0, 0, 0));
    EXPECT_FLOAT_EQ(collinear.distance, 0.0f);

    // Too short to normalise: left exactly as given.
    Plane tiny;
    tiny.Set(0, 0.00005f, 0, 3);
    EXPECT_EQ(tiny.normal.y, 0.00005f);
    EXPECT_EQ(tiny.distance, 3.0f);

    const Plane fresh;
    ExpectVector(fresh.GetNormal(), Vector3(0, 0, 0));
    EXPECT_EQ(fresh.distance, 0.0f);
}

TEST(PlaneTest, IntersectRayTable)
{
    struct Case
    {
        std::string name;
        Ray ray;
        bool hit;
        float t;   // the sentinel when t must stay unwritten
    };
    constexpr float kSentinel = 1234.0f;
    const std::vector<Case> cases = {
        {"towards the plane", Ray(Vector3(0, 0, 5), Vector3(0, 0, -1)), true, 5.0f},
        {"towards it, long direction", Ray(Vector3(0, 0, 5), Vector3(0, 0, -10)), true, 0.5f},
        {"away from it", Ray(Vector3(0, 0, -5), Vector3(0, 0, -1)), false, -5.0f},
        {"parallel", Ray(Vector3(0, 0, 5), Vector3(1, 0, 0)), false, kSentinel},
        {"nearly parallel", Ray(Vector3(0, 0, 5), Vector3(1, 0, -0.00009f)), false, kSentinel},
        {"from the plane itself", Ray(Vector3(2, 3, 0), Vector3(0, 1, 1)), false, 0.0f},
    };
    Plane plane;
    plane.Set(0, 0, 1, 0);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        float t = kSentinel;
        EXPECT_EQ(plane.IntersectRay(c.ray, t), c.hit);
        EXPECT_FLOAT_EQ(t, c.t);
    }
}

TEST(PlaneTest, CopiesAreIndependent)
{
    Plane a;
    a.Set(1, 0, 0, -2);
    Plane b;
    b = a;
    a.Set(0, 1, 0, 0);
    ExpectVector(b.GetNormal(), Vector3(1, 0, 0));
    EXPECT_EQ(b.distance, -2.0f);
}

// A flat box along x, whose sphere has exactly the given centre and radius.
BoundingVolume Sphere(const Vector3& centre, float radius)
{
    return BoundingVolume(centre - Vector3(radius, 0, 0), centre + Vector3(radius, 0, 0));
}

Matrix4 Identity()
{
    Matrix4 m;
    Matrix4::Identity(m);
    return m;
}

TEST(FrustumTest, ClipVolumeTable)
{
    struct Case
    {
        std::string name;
        Vector3 centre;
        float radius;
        bool inside;
    };
    const std::vector<Case> cases = {
        {"middle", Vector3(0, 0, 0.5f), 0.1f, true},
        {"beyond the right side", Vector3(2, 0, 0), 0.5f, false},
        {"touching the right side from outside", Vector3(1.5f, 0, 0), 0.5f, false},
        {"overlapping the right side", Vector3(1.4f, 0, 0), 0.5f, true},
        {"touching the left side from outside", Vector3(-1.5f, 0, 0), 0.5f, false},
        {"beyond the top", Vector3(0, 2, 0), 0.5f, false},
        {"beyond the bottom", Vector3(0, -2, 0), 0.5f, false},
        {"beyond the far side", Vector3(0, 0, 2), 0.5f, false},
        {"near the loose near side", Vector3(0, 0, -0.9f), 0.05f, true},
        {"beyond the near side", Vector3(0, 0, -2), 0.5f, false},
    };
    Frustum frustum;
    frustum.Update(Identity(), Identity());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(frustum.Contains(Sphere(c.centre, c.radius)), c.inside);
    }
}

TEST(FrustumTest, PlanesComeInTheirOrder)
{
    Frustum frustum;
    frustum.Update(Identity(), Identity());
    const std::vector<Vector3> normals = {Vector3(-1, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0),
                                          Vector3(0, -1, 0), Vector3(0, 0, -1), Vector3(0, 0, 1)};
    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE(i);
        ExpectVector(frustum.planes[i].GetNormal(), normals[i]);
        EXPECT_FLOAT_EQ(frustum.planes[i].distance, 1.0f);
    }
}

TEST(FrustumTest, ViewInRowVectorLayoutMovesThePlanes)
{
    // A view that moves the world by +1 along z, stored transposed as the device keeps it.
    Matrix4 view;
    Matrix4::Translation(view, Vector3(0, 0, 1));
    view.Transpose();

    Frustum frustum;
    frustum.Update(Identity(), view);
    EXPECT_FALSE(frustum.Contains(Sphere(Vector3(0, 0, 0.5f), 0.1f)));   // now past the far side
    EXPECT_TRUE(frustum.Contains(Sphere(Vector3(0, 0, -0.5f), 0.1f)));

    // Left in column layout, the same translation builds other planes, under
    // which that sphere stays visible: the two layouts are told apart.
    Matrix4 columnView;
    Matrix4::Translation(columnView, Vector3(0, 0, 1));
    frustum.Update(Identity(), columnView);
    EXPECT_TRUE(frustum.Contains(Sphere(Vector3(0, 0, 0.5f), 0.1f)));
}

TEST(FrustumTest, ProductOrderIsViewThenProjection)
{
    // a scales x by 2, b moves x by 0.5 (row-vector layouts): x' = 2 (x + 0.5).
    Matrix4 a = Matrix4::MakeScaling(Vector3(2, 1, 1));
    Matrix4 b;
    Matrix4::Translation(b, Vector3(0.5f, 0, 0));
    b.Transpose();
    Frustum frustum;
    frustum.Update(a, b);
    // Visible x runs from -1 to 0; the other order would give -0.75 to 0.25.
    EXPECT_TRUE(frustum.Contains(Sphere(Vector3(-0.9f, 0, 0), 0.05f)));
    EXPECT_FALSE(frustum.Contains(Sphere(Vector3(0.2f, 0, 0), 0.05f)));
}

} // namespace
