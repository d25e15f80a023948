#pragma once

#include "engine/core/Vector2.h"

namespace OrvaneEngine
{

// A point, direction or size. Default construction leaves the components as they were.
class Vector3
{
public:
    float x;
    float y;
    float z;

    Vector3() = default;
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    // (v.x, v.y, 0)
    static Vector3 FromVector2(const Vector2& v);

    Vector3 operator+(const Vector3& b) const;
    Vector3 operator-(const Vector3& b) const;
    Vector3& operator+=(const Vector3& b);
    Vector3 operator*(float s) const;
    Vector3 operator/(float s) const;
    Vector3& operator/=(float s);

    // Component-wise products and quotients.
    Vector3 Modulate(const Vector3& b) const;
    Vector3& operator*=(const Vector3& b);
    Vector3 operator/(const Vector3& b) const;
    Vector3& operator/=(const Vector3& b);

    float Dot(const Vector3& b) const;
    Vector3 Cross(const Vector3& b) const;
    float Length() const;
    // Leaves the vector alone when the ratio of its length to len is too small
    // to divide by (a zero vector in particular).
    void SetLength(float len);
    // A copy of length 1, or an unchanged copy of a vector too short to scale.
    Vector3 Normalized() const;

    // Differs by more than the math tolerance in any component.
    bool operator!=(const Vector3& b) const;
};

} // namespace OrvaneEngine
