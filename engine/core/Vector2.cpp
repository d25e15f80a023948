#include "engine/core/Vector2.h"

#include "engine/core/MathConstants.h"

#include <cmath>

namespace OrvaneEngine
{

Vector2& Vector2::operator+=(const Vector2& b)
{
    x += b.x;
    y += b.y;
    return *this;
}

Vector2& Vector2::operator/=(float s)
{
    x /= s;
    y /= s;
    return *this;
}

bool Vector2::operator!=(const Vector2& b) const
{
    return std::fabs(x - b.x) > kMathTolerance || std::fabs(y - b.y) > kMathTolerance;
}

float Vector2::Length() const
{
    return std::sqrt(x * x + y * y);
}

void Vector2::SetLength(float len)
{
    // The guard is on the ratio, so a short vector asked to grow a lot stays as it is.
    const float k = Length() / len;
    if (std::fabs(k) >= kMathTolerance)
    {
        x /= k;
        y /= k;
    }
}

Vector2 Vector2::Lerp(const Vector2& a, const Vector2& b, float t)
{
    const float s = 1.0f - t;
    return Vector2(a.x * s + b.x * t, a.y * s + b.y * t);
}

bool Vector2::IsBehind(const Vector2& b, const Vector2& p) const
{
    const float dot = (p.x - x) * (b.x - x) + (p.y - y) * (b.y - y);
    return dot <= 0.0f;
}

} // namespace OrvaneEngine
