#include "engine/core/Vector3.h"

#include "engine/core/MathConstants.h"

#include <cmath>

namespace OrvaneEngine
{

Vector3 Vector3::FromVector2(const Vector2& v)
{
    return Vector3(v.x, v.y, 0.0f);
}

Vector3 Vector3::operator+(const Vector3& b) const
{
    return Vector3(x + b.x, y + b.y, z + b.z);
}

Vector3 Vector3::operator-(const Vector3& b) const
{
    return Vector3(x - b.x, y - b.y, z - b.z);
}

Vector3& Vector3::operator+=(const Vector3& b)
{
    x += b.x;
    y += b.y;
    z += b.z;
    return *this;
}

Vector3 Vector3::operator*(float s) const
{
    return Vector3(x * s, y * s, z * s);
}

Vector3 Vector3::operator/(float s) const
{
    return Vector3(x / s, y / s, z / s);
}

Vector3& Vector3::operator/=(float s)
{
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

Vector3 Vector3::Modulate(const Vector3& b) const
{
    return Vector3(x * b.x, y * b.y, z * b.z);
}

Vector3& Vector3::operator*=(const Vector3& b)
{
    x *= b.x;
    y *= b.y;
    z *= b.z;
    return *this;
}

Vector3 Vector3::operator/(const Vector3& b) const
{
    return Vector3(x / b.x, y / b.y, z / b.z);
}

Vector3& Vector3::operator/=(const Vector3& b)
{
    x /= b.x;
    y /= b.y;
    z /= b.z;
    return *this;
}

float Vector3::Dot(const Vector3& b) const
{
    return x * b.x + y * b.y + z * b.z;
}

Vector3 Vector3::Cross(const Vector3& b) const
{
    return Vector3(y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x);
}

float Vector3::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void Vector3::SetLength(float len)
{
    // The guard is on the ratio, so a short vector asked to grow a lot stays as it is.
    const float k = Length() / len;
    if (std::fabs(k) >= kMathTolerance)
    {
        x /= k;
        y /= k;
        z /= k;
    }
}

Vector3 Vector3::Normalized() const
{
    Vector3 result = *this;
    result.SetLength(1.0f);
    return result;
}

bool Vector3::operator!=(const Vector3& b) const
{
    return std::fabs(x - b.x) > kMathTolerance || std::fabs(y - b.y) > kMathTolerance ||
           std::fabs(z - b.z) > kMathTolerance;
}

} // namespace OrvaneEngine
