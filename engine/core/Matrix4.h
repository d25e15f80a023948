#pragma once

#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"
#include "engine/core/Vector4.h"

namespace OrvaneEngine
{

// A 4 x 4 transform of column vectors (p' = M * p), stored row-major: element
// (r, c) at 4 * r + c, so an affine matrix keeps its translation in elements 3,
// 7 and 11. No constructor fills it: it is on every hot path, and it holds
// whatever its owner put there until one of the factories writes it.
class Matrix4
{
public:
    float m[16];

    static void Identity(Matrix4& out);
    static void Translation(Matrix4& out, const Vector3& v);
    static void Scaling(Matrix4& out, const Vector3& v);
    static Matrix4 MakeScaling(const Vector3& v);
    // Angles in radians, counter-clockwise when looking from the positive axis
    // towards the origin.
    static void RotationX(Matrix4& out, float angle);
    static void RotationY(Matrix4& out, float angle);
    // The axis is brought to length 1 first; one too short for that is used as given.
    static void RotationAxis(Matrix4& out, const Vector3& axis, float angle);

    // this * rhs: applied to a point, rhs acts first.
    Matrix4 Multiply(const Matrix4& rhs) const;
    // this = this * Translation(v): the offset is taken in the matrix's own frame.
    void Translate(const Vector3& v);
    void Transpose();
    // The matrix must be invertible; a singular one fills with infinities or NaN.
    void Invert();

    Vector4 Transform(const Vector4& v) const;
    // The affine part only: the bottom row is ignored and nothing is divided by w.
    Vector3 TransformPoint(const Vector3& p) const;
    // The direction is carried without the translation and keeps its scale.
    Ray TransformRay(const Ray& ray) const;

    // Every element within the math tolerance.
    bool operator==(const Matrix4& b) const;
};

} // namespace OrvaneEngine
