#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Ray.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace
{

using namespace OrvaneEngine;

// Vertex buffers, files and the device take these types as raw floats.
template <typename T, std::size_t floats>
constexpr bool IsPlainFloats =
    sizeof(T) == floats * sizeof(float) && std::is_standard_layout_v<T> &&
    std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>;

static_assert(IsPlainFloats<Vector2, 2> && offsetof(Vector2, y) == 4);
static_assert(IsPlainFloats<Vector3, 3> && offsetof(Vector3, z) == 8);
static_assert(IsPlainFloats<Vector4, 4> && offsetof(Vector4, w) == 12);
static_assert(IsPlainFloats<Color, 4> && offsetof(Color, g) == 4 && offsetof(Color, a) == 12);
static_assert(IsPlainFloats<Quaternion, 4> && offsetof(Quaternion, w) == 12);
static_assert(IsPlainFloats<Ray, 6> && offsetof(Ray, direction) == 12);
static_assert(IsPlainFloats<Matrix4, 16>);

constexpr float kHalfSqrt2 = 0.70710678f;

std::vector<float> Of(const Vector2& v) { return {v.x, v.y}; }
std::vector<float> Of(const Vector3& v) { return {v.x, v.y, v.z}; }
std::vector<float> Of(const Quaternion& q) { return {q.x, q.y, q.z, q.w}; }
std::vector<float> Of(const Matrix4& m) { return std::vector<float>(m.m, m.m + 16); }
std::vector<float> Of(bool b) { return {b ? 1.0f : 0.0f}; }

// Where the matrix sends the unit vector of the given axis: that column.
std::vector<float> ImageOfAxis(const Matrix4& m, int axis)
{
    return {m.m[axis], m.m[4 + axis], m.m[8 + axis]};
}

Vector3 SetLengthOf(Vector3 v, float len)
{
    v.SetLength(len);
    return v;
}

Vector2 SetLengthOf(Vector2 v, float len)
{
    v.SetLength(len);
    return v;
}

Quaternion SlerpOf(const Quaternion& a, const Quaternion& b, float t)
{
    Quaternion out;
    Quaternion::Slerp(out, a, b, t);
    return out;
}

const std::vector<float> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Case
{
    std::string name;
    std::vector<float> actual;
    std::vector<float> expected;
};

std::vector<Case> Cases()
{
    const Quaternion identity(0, 0, 0, 1);
    const Quaternion aboutX(kHalfSqrt2, 0, 0, kHalfSqrt2);   // 90 degrees about x
    const Quaternion aboutY(0, kHalfSqrt2, 0, kHalfSqrt2);   // 90 degrees about y
    const Quaternion aboutZ(0, 0, kHalfSqrt2, kHalfSqrt2);   // 90 degrees about z
    const Quaternion q(0.5f, -0.5f, 0.5f, 0.5f);   // 120 degrees about (1,-1,1)
    const Quaternion negated(-q.x, -q.y, -q.z, -q.w);
    // Close to aboutZ but on the far side of the sphere: the shorter arc flips it.
    const Quaternion farAboutZ(0, 0, -kHalfSqrt2, -kHalfSqrt2);

    const float sin22 = std::sin(0.39269908f);
    const float cos22 = std::cos(0.39269908f);

    return {
        {"Normalized (3,4,0)", Of(Vector3(3, 4, 0).Normalized()), {0.6f, 0.8f, 0}},
        {"SetLength(10) of (3,4,0)", Of(SetLengthOf(Vector3(3, 4, 0), 10)), {6, 8, 0}},
        {"Normalized keeps a vector shorter than the tolerance", Of(Vector3(0.00005f, 0, 0).Normalized()),
         {0.00005f, 0, 0}},
        {"Normalized zero is zero", Of(Vector3(0, 0, 0).Normalized()), {0, 0, 0}},
        {"SetLength(100) keeps a vector shorter than 0.01", Of(SetLengthOf(Vector3(0, 0.005f, 0), 100)),
         {0, 0.005f, 0}},
        {"SetLength(100) scales a vector of 0.02", Of(SetLengthOf(Vector3(0, 0.02f, 0), 100)), {0, 100, 0}},
        {"Vector2 SetLength(10) of (3,4)", Of(SetLengthOf(Vector2(3, 4), 10)), {6, 8}},
        {"Vector2 SetLength guards the ratio", Of(SetLengthOf(Vector2(0.00005f, 0), 1)), {0.00005f, 0}},
        {"Vector2 SetLength of zero", Of(SetLengthOf(Vector2(0, 0), 1)), {0, 0}},
        {"Vector2 Lerp extrapolates", Of(Vector2::Lerp(Vector2(0, 0), Vector2(2, 4), 1.5f)), {3, 6}},
        {"Cross is right-handed", Of(Vector3(1, 0, 0).Cross(Vector3(0, 1, 0))), {0, 0, 1}},
        {"Color within 0.0001 is not different", Of(Color(0, 0, 0, 0) != Color(0.0001f, 0, 0, 0)), {0}},
        {"Color 0.0002 apart is different", Of(Color(0, 0, 0, 0) != Color(0.0002f, 0, 0, 0)), {1}},
        {"Color alpha alone differs", Of(Color(1, 1, 1, 1) != Color(1, 1, 1, 0.5f)), {1}},
        {"Vector3 within 0.0001 is not different", Of(Vector3(0, 0, 0) != Vector3(0, 0, 0.0001f)), {0}},
        {"Vector3 0.0002 apart is different", Of(Vector3(0, 0, 0) != Vector3(0, 0, 0.0002f)), {1}},
        {"Vector2 0.0002 apart is different", Of(Vector2(0, 0) != Vector2(0, 0.0002f)), {1}},
        {"IsBehind at the point itself", Of(Vector2(1, 1).IsBehind(Vector2(3, 1), Vector2(1, 1))), {1}},
        {"IsBehind at a right angle", Of(Vector2(1, 1).IsBehind(Vector2(3, 1), Vector2(1, 5))), {1}},
        {"IsBehind ahead", Of(Vector2(1, 1).IsBehind(Vector2(3, 1), Vector2(1.01f, 5))), {0}},
        {"IsBehind behind", Of(Vector2(1, 1).IsBehind(Vector2(3, 1), Vector2(-2, 0))), {1}},
        {"identity * q", Of(identity * q), Of(q)},
        {"q * identity", Of(q * identity), Of(q)},
        {"x then y sends x to -z", ImageOfAxis((aboutX * aboutY).ToMatrix(), 0), {0, 0, -1}},
        {"x then y sends y to x", ImageOfAxis((aboutX * aboutY).ToMatrix(), 1), {1, 0, 0}},
        {"y then x sends x to y", ImageOfAxis((aboutY * aboutX).ToMatrix(), 0), {0, 1, 0}},
        {"ToMatrix of (0,0,0,2)", Of(Quaternion(0, 0, 0, 2).ToMatrix()), kIdentity},
        {"ToMatrix about z, any length", ImageOfAxis(Quaternion(0, 0, 3, 3).ToMatrix(), 0), {0, 1, 0}},
        {"Slerp t=0", Of(SlerpOf(q, aboutZ, 0)), Of(q)},
        {"Slerp t=1", Of(SlerpOf(identity, aboutZ, 1)), Of(aboutZ)},
        {"Slerp t=1 on the far side gives -b", Of(SlerpOf(q, farAboutZ, 1)), {0, 0, kHalfSqrt2, kHalfSqrt2}},
        {"Slerp half way", Of(SlerpOf(identity, aboutZ, 0.5f)), {0, 0, sin22, cos22}},
        {"Slerp half way the shorter way", Of(SlerpOf(identity, farAboutZ, 0.5f)), {0, 0, sin22, cos22}},
        {"Slerp of q and -q is q", Of(SlerpOf(q, negated, 0.5f)), Of(q)},
    };
}

TEST(ValueTypesTest, EdgeCases)
{
    for (const Case& c : Cases())
    {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.actual.size(), c.expected.size());
        for (std::size_t i = 0; i < c.actual.size(); ++i)
            EXPECT_NEAR(c.actual[i], c.expected[i], 1e-5f) << "component " << i;
    }
}

TEST(ValueTypesTest, SlerpMayWriteIntoEitherInput)
{
    const Quaternion a(0, 0, 0, 1);
    const Quaternion b(0, 0, kHalfSqrt2, kHalfSqrt2);
    const Quaternion expected = SlerpOf(a, b, 0.25f);

    Quaternion intoA = a;
    Quaternion::Slerp(intoA, intoA, b, 0.25f);
    Quaternion intoB = b;
    Quaternion::Slerp(intoB, a, intoB, 0.25f);
    EXPECT_EQ(Of(intoA), Of(expected));
    EXPECT_EQ(Of(intoB), Of(expected));
}

TEST(ValueTypesTest, ProductMatrixIsTheSecondAfterTheFirst)
{
    std::mt19937 generator(7u);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    auto randomUnit = [&] {
        Quaternion q{unit(generator), unit(generator), unit(generator), unit(generator)};
        const float length = std::sqrt(q.LengthSquared());
        return Quaternion(q.x / length, q.y / length, q.z / length, q.w / length);
    };
    int differ = 0;
    for (int i = 0; i < 100; ++i)
    {
        const Quaternion a = randomUnit();
        const Quaternion b = randomUnit();
        ASSERT_TRUE((a * b).ToMatrix() == b.ToMatrix().Multiply(a.ToMatrix())) << "case " << i;
        // Not commutative: the other order is a different rotation.
        if (!((a * b).ToMatrix() == (b * a).ToMatrix()))
            ++differ;
    }
    EXPECT_GT(differ, 90);
}

} // namespace
