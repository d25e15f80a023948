#include "engine/core/Vector4.h"

namespace OrvaneEngine
{

void Vector4::Set(float x_, float y_, float z_, float w_)
{
    x = x_;
    y = y_;
    z = z_;
    w = w_;
}

Vector4 Vector4::Scale(float s) const
{
    return Vector4(x * s, y * s, z * s, w * s);
}

Vector4 Vector4::Add(const Vector4& b) const
{
    return Vector4(x + b.x, y + b.y, z + b.z, w + b.w);
}

float Vector4::Dot(const Vector4& b) const
{
    return x * b.x + y * b.y + z * b.z + w * b.w;
}

} // namespace OrvaneEngine
