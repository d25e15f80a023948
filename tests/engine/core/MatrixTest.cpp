#include "engine/core/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

constexpr float kPi = std::numbers::pi_v<float>;

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m;
    Matrix4::Translation(m, Vector3(x, y, z));
    return m;
}

Matrix4 Scaling(float x, float y, float z)
{
    Matrix4 m;
    Matrix4::Scaling(m, Vector3(x, y, z));
    return m;
}

Matrix4 RotationX(float angle)
{
    Matrix4 m;
    Matrix4::RotationX(m, angle);
    return m;
}

Matrix4 RotationY(float angle)
{
    Matrix4 m;
    Matrix4::RotationY(m, angle);
    return m;
}

Matrix4 RotationAxis(const Vector3& axis, float angle)
{
    Matrix4 m;
    Matrix4::RotationAxis(m, axis, angle);
    return m;
}

Matrix4 Identity()
{
    Matrix4 m;
    Matrix4::Identity(m);
    return m;
}

Matrix4 Inverse(Matrix4 m)
{
    m.Invert();
    return m;
}

std::vector<float> Of(const Vector3& v) { return {v.x, v.y, v.z}; }
std::vector<float> Of(const Vector4& v) { return {v.x, v.y, v.z, v.w}; }

std::string Text(const Matrix4& m)
{
    std::string text;
    for (int i = 0; i < 16; ++i)
        text += std::to_string(m.m[i]) + (i % 4 == 3 ? "\n" : " ");
    return text;
}

struct PointCase
{
    std::string name;
    Matrix4 matrix;
    Vector3 point;
    Vector3 expected;
};

TEST(MatrixTest, TransformPointTable)
{
    const Vector3 v(10, 20, 30);
    const Vector3 p(1, 2, 3);
    Matrix4 scaleThenTranslate = Translation(10, 20, 30).Multiply(Scaling(2, 3, 4));
    Matrix4 translatedScaling = Scaling(2, 3, 4);
    translatedScaling.Translate(v);

    const std::vector<PointCase> cases = {
        {"translation", Translation(10, 20, 30), p, Vector3(11, 22, 33)},
        {"scaling", Scaling(2, 2, 2), p, Vector3(2, 4, 6)},
        {"MakeScaling", Matrix4::MakeScaling(Vector3(2, 2, 2)), p, Vector3(2, 4, 6)},
        {"T * S scales first", scaleThenTranslate, p, Vector3(12, 26, 42)},
        {"S.Translate(v) scales the offset too", translatedScaling, p, Vector3(22, 66, 132)},
        {"RotationY(pi/2) of x", RotationY(kPi / 2), Vector3(1, 0, 0), Vector3(0, 0, -1)},
        {"RotationY(pi/2) of z", RotationY(kPi / 2), Vector3(0, 0, 1), Vector3(1, 0, 0)},
        {"RotationX(pi/2) of y", RotationX(kPi / 2), Vector3(0, 1, 0), Vector3(0, 0, 1)},
        {"RotationX(pi/2) of z", RotationX(kPi / 2), Vector3(0, 0, 1), Vector3(0, -1, 0)},
        {"RotationAxis(z, pi/2) of x", RotationAxis(Vector3(0, 0, 5), kPi / 2), Vector3(1, 0, 0),
         Vector3(0, 1, 0)},
        // Scaled up to length 1 it would be a half turn about x, giving (1, -2, -3).
        {"RotationAxis with a tiny axis is used unchanged", RotationAxis(Vector3(0.00005f, 0, 0), kPi),
         Vector3(1, 2, 3), Vector3(-1, -2, -3)},
    };
    for (const PointCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const Vector3 actual = c.matrix.TransformPoint(c.point);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(Of(actual)[i], Of(c.expected)[i], 1e-5f) << "component " << i;
    }
}

TEST(MatrixTest, RotationAxisNormalisesTheAxis)
{
    for (float angle : {-2.0f, -0.3f, 0.0f, 0.5f, kPi / 2, 3.0f})
    {
        SCOPED_TRACE(angle);
        EXPECT_TRUE(RotationAxis(Vector3(0, 2, 0), angle) == RotationY(angle));
        EXPECT_TRUE(RotationAxis(Vector3(-3, 0, 0), -angle) == RotationX(angle));
    }
}

TEST(MatrixTest, TransformUsesAllFourRows)
{
    // A projection-like bottom row, which TransformPoint must ignore.
    Matrix4 m = Translation(1, 2, 3).Multiply(RotationY(0.7f));
    m.m[12] = 0.5f;
    m.m[13] = -1.0f;
    m.m[14] = 2.0f;
    m.m[15] = 3.0f;
    const Vector3 p(4, -5, 6);
    const Vector4 full = m.Transform(Vector4(p.x, p.y, p.z, 1));
    const Vector3 point = m.TransformPoint(p);
    EXPECT_EQ(Of(full), (std::vector<float>{point.x, point.y, point.z, 0.5f * 4 + 5 + 2 * 6 + 3}));
}

TEST(MatrixTest, TransformRayCarriesNoTranslation)
{
    const Matrix4 m = Translation(10, 0, 0).Multiply(Scaling(2, 2, 2));
    const Ray ray = m.TransformRay(Ray(Vector3(1, 1, 1), Vector3(0, 0, 3)));
    EXPECT_EQ(Of(ray.origin), Of(Vector3(12, 2, 2)));
    EXPECT_EQ(Of(ray.direction), Of(Vector3(0, 0, 6)));
}

TEST(MatrixTest, MultiplyMayWriteOverEitherOperand)
{
    const Matrix4 a = Translation(1, 2, 3).Multiply(RotationX(0.4f));
    const Matrix4 b = Scaling(2, 3, 4).Multiply(RotationY(1.1f));
    const Matrix4 fresh = a.Multiply(b);
    Matrix4 left = a;
    left = left.Multiply(b);
    Matrix4 right = b;
    right = a.Multiply(right);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(left.m[i], fresh.m[i]) << i;
        EXPECT_EQ(right.m[i], fresh.m[i]) << i;
    }
    // The product is not commutative, so an operand swap would show.
    EXPECT_FALSE(b.Multiply(a) == fresh);
}

TEST(MatrixTest, TransposeMirrorsEveryElement)
{
    Matrix4 m;
    for (int i = 0; i < 16; ++i)
        m.m[i] = static_cast<float>(i);
    m.Transpose();
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(m.m[4 * r + c], static_cast<float>(4 * c + r)) << r << "," << c;
    }
}

TEST(MatrixTest, InverseOfTheComposedTransform)
{
    const Matrix4 m = Translation(1, 2, 3).Multiply(RotationY(0.5f)).Multiply(Scaling(2, 1, 0.5f));
    EXPECT_TRUE(m.Multiply(Inverse(m)) == Identity()) << Text(m.Multiply(Inverse(m)));
    EXPECT_TRUE(Inverse(m).Multiply(m) == Identity());
    // The inverse of a non-affine matrix (a perspective bottom row) too.
    Matrix4 projective = m;
    projective.m[14] = 1.0f;
    projective.m[15] = 0.0f;
    EXPECT_TRUE(projective.Multiply(Inverse(projective)) == Identity())
        << Text(projective.Multiply(Inverse(projective)));
}

TEST(MatrixTest, InverseOfRandomAffineTransforms)
{
    std::mt19937 generator(20240601u);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (int i = 0; i < 100; ++i)
    {
        float draw[10];
        for (float& value : draw)
            value = unit(generator);
        Vector3 axis(draw[0], draw[1], draw[2]);
        if (axis.Length() < 0.1f)
            axis = Vector3(0, 1, 0);
        // Scales from 0.5 to 2 keep the matrix well conditioned.
        const Vector3 scale(std::exp2(draw[3]), std::exp2(draw[4]), std::exp2(draw[5]));
        const Matrix4 m = Translation(draw[6] * 10, draw[7] * 10, draw[8] * 10)
                              .Multiply(RotationAxis(axis, draw[9] * kPi))
                              .Multiply(Scaling(scale.x, scale.y, scale.z));
        const Matrix4 product = m.Multiply(Inverse(m));
        ASSERT_TRUE(product == Identity()) << "case " << i << "\n" << Text(product);
    }
}

TEST(MatrixTest, EqualityToleranceIsInclusive)
{
    Matrix4 a = Identity();
    Matrix4 b = Identity();
    a.m[1] = 0.0f;
    b.m[1] = 0.0001f;
    EXPECT_TRUE(a == b);
    b.m[1] = 0.0002f;
    EXPECT_FALSE(a == b);
    b.m[1] = 0.0f;
    b.m[15] = 1.0002f;
    EXPECT_FALSE(a == b);
}

} // namespace
