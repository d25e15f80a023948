#pragma once

namespace OrvaneEngine
{

// A screen or path position. Default construction leaves the components as
// they were, so arrays of positions cost nothing to create.
class Vector2
{
public:
    float x;
    float y;

    Vector2() = default;
    Vector2(float x_, float y_) : x(x_), y(y_) {}

    Vector2& operator+=(const Vector2& b);
    Vector2& operator/=(float s);
    // Differs by more than the math tolerance in either component.
    bool operator!=(const Vector2& b) const;

    float Length() const;
    // Leaves the vector alone when the ratio of its length to len is too small
    // to divide by (a zero vector in particular).
    void SetLength(float len);

    // Not clamped: t outside 0..1 extrapolates.
    static Vector2 Lerp(const Vector2& a, const Vector2& b, float t);

    // True when p does not lie ahead of this point in the direction of b.
    bool IsBehind(const Vector2& b, const Vector2& p) const;
};

} // namespace OrvaneEngine
