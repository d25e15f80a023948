#include "engine/core/BoundingVolume.h"
#include "engine/core/Plane.h"
#include "engine/core/PointInTriangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

constexpr float kPi = std::numbers::pi_v<float>;

void ExpectVector(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Matrix4 Identity()
{
    Matrix4 m;
    Matrix4::Identity(m);
    return m;
}

Matrix4 RotationY(float angle)
{
    Matrix4 m;
    Matrix4::RotationY(m, angle);
    return m;
}

Matrix4 Translation(const Vector3& v)
{
    Matrix4 m;
    Matrix4::Translation(m, v);
    return m;
}

const Vector3 kMin(-1, -1, -1);
const Vector3 kMax(1, 1, 1);

TEST(BoundingVolumeTest, RotatedBoxGrowsItsWorldBox)
{
    BoundingVolume volume(kMin, kMax);
    volume.SetMatrix(RotationY(kPi / 4));
    ExpectVector(volume.halfExtents, Vector3(std::sqrt(2.0f), 1, std::sqrt(2.0f)));
    ExpectVector(volume.center, Vector3(0, 0, 0));
    EXPECT_NEAR(volume.radius, std::sqrt(5.0f), 1e-5f);
    ExpectVector(volume.localMin, kMin);
    EXPECT_TRUE(volume.worldMatrix == RotationY(kPi / 4));

    // A moved box: the corners' order and the centre follow the translation.
    volume.SetMatrix(Translation(Vector3(5, -2, 3)).Multiply(Matrix4::MakeScaling(Vector3(1, 2, 3))));
    ExpectVector(volume.worldMin, Vector3(4, -4, 0));
    ExpectVector(volume.worldMax, Vector3(6, 0, 6));
    ExpectVector(volume.center, Vector3(5, -2, 3));
}

TEST(BoundingVolumeTest, SetBoxPutsTheIdentityBack)
{
    BoundingVolume volume(kMin, kMax);
    volume.SetMatrix(RotationY(0.3f));
    volume.secondMatrix = RotationY(0.3f);
    volume.SetBox(Vector3(0, 0, 0), Vector3(2, 4, 6));
    EXPECT_TRUE(volume.worldMatrix == Identity());
    EXPECT_TRUE(volume.secondMatrix == Identity());
    ExpectVector(volume.worldMin, Vector3(0, 0, 0));
    ExpectVector(volume.worldMax, Vector3(2, 4, 6));
    ExpectVector(volume.halfExtents, Vector3(1, 2, 3));
    ExpectVector(volume.center, Vector3(1, 2, 3));
    EXPECT_NEAR(volume.radius, std::sqrt(14.0f), 1e-5f);

    const BoundingVolume fresh;
    EXPECT_TRUE(fresh.worldMatrix == Identity());
    EXPECT_EQ(fresh.radius, 0.0f);
}

TEST(BoundingVolumeTest, WorldBoxGrowsFromItsSeeds)
{
    BoundingVolume volume(Vector3(200000, 0, 0), Vector3(200001, 1, 1));
    EXPECT_EQ(volume.worldMin.x, 200000.0f);
    volume.SetMatrix(Identity());
    EXPECT_EQ(volume.worldMin.x, 100000.0f);
    EXPECT_EQ(volume.worldMax.x, 200001.0f);
    EXPECT_EQ(volume.worldMin.y, 0.0f);
}

TEST(BoundingVolumeTest, IntersectsTouchingBoxes)
{
    const BoundingVolume a(kMin, kMax);
    EXPECT_TRUE(a.Intersects(BoundingVolume(Vector3(1, -1, -1), Vector3(3, 1, 1))));
    EXPECT_TRUE(a.Intersects(BoundingVolume(Vector3(-0.5f, -0.5f, -3), Vector3(0.5f, 0.5f, -1))));
    EXPECT_FALSE(a.Intersects(BoundingVolume(Vector3(1.001f, -1, -1), Vector3(3, 1, 1))));
    EXPECT_FALSE(a.Intersects(BoundingVolume(Vector3(-1, 1.5f, -1), Vector3(1, 2, 1))));
    EXPECT_TRUE(a.Intersects(BoundingVolume(Vector3(-0.1f, -0.1f, -0.1f), Vector3(0.1f, 0.1f, 0.1f))));
}

TEST(BoundingVolumeTest, IntersectsSegmentTable)
{
    struct Case
    {
        std::string name;
        Vector3 from;
        Vector3 to;
        bool hit;
    };
    const std::vector<Case> cases = {
        {"through the centre", Vector3(-5, 0, 0), Vector3(5, 0, 0), true},
        {"through diagonally", Vector3(-3, -3, -3), Vector3(3, 2, 3), true},
        {"ending 0.01 short of a face", Vector3(-5, 0, 0), Vector3(-1.01f, 0, 0), false},
        {"ending on a face", Vector3(-3, 0, 0), Vector3(-1, 0, 0), true},
        {"starting inside", Vector3(0.5f, 0.5f, 0.5f), Vector3(9, 9, 9), true},
        {"passing outside the corner", Vector3(-0.5f, 3, 0), Vector3(3, -0.5f, 0), false},
        {"cutting the corner", Vector3(-0.5f, 2, 0), Vector3(2, -0.5f, 0), true},
        {"parallel beside a face", Vector3(-5, 1.5f, 0), Vector3(5, 1.5f, 0), false},
        {"zero length inside", Vector3(0.5f, 0, 0), Vector3(0.5f, 0, 0), true},
        {"zero length outside", Vector3(2, 0, 0), Vector3(2, 0, 0), false},
    };
    BoundingVolume volume(kMin, kMax);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(volume.IntersectsSegment(Ray(c.from, c.to - c.from)), c.hit);
    }

    // The test is against the world box.
    volume.SetMatrix(Translation(Vector3(10, 0, 0)));
    EXPECT_FALSE(volume.IntersectsSegment(Ray(Vector3(0, -5, 0), Vector3(0, 10, 0))));
    EXPECT_TRUE(volume.IntersectsSegment(Ray(Vector3(10, -5, 0), Vector3(0, 10, 0))));
}

TEST(BoundingVolumeTest, LerpBlendsWorldBoxes)
{
    BoundingVolume rotated(kMin, kMax);
    rotated.SetMatrix(RotationY(kPi / 4));
    BoundingVolume moved(kMin, kMax);
    moved.SetMatrix(Translation(Vector3(4, 0, 0)));

    struct Case
    {
        float t;
        Vector3 center;
        Vector3 half;
    };
    const float r = std::sqrt(2.0f);
    const std::vector<Case> cases = {
        {0.0f, Vector3(0, 0, 0), Vector3(r, 1, r)},
        {0.5f, Vector3(2, 0, 0), Vector3((r + 1) / 2, 1, (r + 1) / 2)},
        {1.0f, Vector3(4, 0, 0), Vector3(1, 1, 1)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.t);
        BoundingVolume out;
        out.SetMatrix(RotationY(1.0f));
        BoundingVolume::Lerp(out, rotated, moved, c.t);
        ExpectVector(out.center, c.center);
        ExpectVector(out.halfExtents, c.half);
        ExpectVector(out.localMin, c.center - c.half);
        ExpectVector(out.localMax, c.center + c.half);
        ExpectVector(out.worldMin, out.localMin, 0.0f);
        EXPECT_TRUE(out.worldMatrix == Identity());
    }

    // Out may be one of the inputs.
    BoundingVolume::Lerp(moved, rotated, moved, 0.5f);
    ExpectVector(moved.center, Vector3(2, 0, 0));
}

TEST(PointInTriangleTest, Table)
{
    struct Triangle
    {
        std::string name;
        Vector3 a;
        Vector3 b;
        Vector3 c;
        std::vector<Vector3> inside;
        std::vector<Vector3> outside;
    };
    const std::vector<Triangle> triangles = {
        {"in z = 0", Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0),
         {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0.5f, 0.5f, 0), Vector3(0.5f, 0, 0),
          Vector3(0.2f, 0.2f, 0)},
         {Vector3(0.51f, 0.51f, 0), Vector3(-0.01f, 0.5f, 0), Vector3(0.5f, -0.01f, 0), Vector3(2, 2, 0)}},
        {"in x = 0", Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1),
         {Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1), Vector3(0, 0.5f, 0.5f), Vector3(0, 0.2f, 0.2f)},
         {Vector3(0, 0.51f, 0.51f), Vector3(0, -0.01f, 0.5f)}},
        {"in y = 0", Vector3(0, 0, 0), Vector3(0, 0, 1), Vector3(1, 0, 0),
         {Vector3(0, 0, 0), Vector3(0, 0, 1), Vector3(1, 0, 0), Vector3(0.5f, 0, 0.5f), Vector3(0.2f, 0, 0.2f)},
         {Vector3(0.51f, 0, 0.51f), Vector3(0.5f, 0, -0.01f)}},
        // b - a has no u component, which takes the other branch.
        {"b straight above a", Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(1, 0, 0),
         {Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(1, 0, 0), Vector3(0, 0.5f, 0), Vector3(0.25f, 0.25f, 0)},
         {Vector3(0.6f, 0.6f, 0), Vector3(-0.01f, 0.5f, 0), Vector3(0.5f, -0.01f, 0)}},
        {"oblique", Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1),
         {Vector3(1.0f / 3, 1.0f / 3, 1.0f / 3), Vector3(0.5f, 0.5f, 0)},
         {Vector3(0.6f, 0.6f, -0.2f), Vector3(-0.1f, 0.6f, 0.5f)}},
        {"on one line", Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(2, 2, 0),
         {},
         {Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(2, 2, 0), Vector3(0.5f, 0.5f, 0), Vector3(3, 3, 0),
          Vector3(1, 0, 0)}},
    };
    for (const Triangle& tri : triangles)
    {
        SCOPED_TRACE(tri.name);
        const Plane plane(tri.a, tri.b, tri.c);
        for (const Vector3& p : tri.inside)
            EXPECT_TRUE(PointInTriangle(plane, tri.a, tri.b, tri.c, p)) << p.x << "," << p.y << "," << p.z;
        for (const Vector3& p : tri.outside)
            EXPECT_FALSE(PointInTriangle(plane, tri.a, tri.b, tri.c, p)) << p.x << "," << p.y << "," << p.z;
    }

    // A line's points stay outside whichever plane the caller supplies.
    Plane flat;
    flat.Set(0, 0, 1, 0);
    EXPECT_FALSE(PointInTriangle(flat, Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(2, 2, 0), Vector3(1, 1, 0)));
}

} // namespace
