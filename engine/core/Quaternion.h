#pragma once

#include "engine/core/Matrix4.h"

namespace OrvaneEngine
{

// A rotation; w is the scalar part and (0, 0, 0, 1) the identity. Nothing keeps
// it at unit length. Default construction leaves the components as they were.
class Quaternion
{
public:
    float x;
    float y;
    float z;
    float w;

    Quaternion() = default;
    Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    float LengthSquared() const;
    // The pure rotation of this quaternion, whatever its (non-zero) length.
    Matrix4 ToMatrix() const;

    // The rotation this followed by the rotation b: the Hamilton product b (x) this.
    Quaternion operator*(const Quaternion& b) const;

    // Along the shorter arc; neither renormalised nor clamped in t. out may be a or b.
    static void Slerp(Quaternion& out, const Quaternion& a, const Quaternion& b, float t);
};

} // namespace OrvaneEngine
