#include "engine/core/PointInTriangle.h"

#include "engine/core/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

struct Flat
{
    float u;
    float v;
};

} // namespace

bool PointInTriangle(const Plane& plane, const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& p)
{
    // Drop the coordinate along which the normal is largest: the projection
    // onto the other two keeps the triangle's area as large as it can be.
    const Vector3& n = plane.GetNormal();
    const float nx = std::fabs(n.x);
    const float ny = std::fabs(n.y);
    const float nz = std::fabs(n.z);
    const float largest = std::max({nx, ny, nz});

    auto flatten = [&](const Vector3& v) -> Flat {
        if (std::fabs(largest - nx) < kMathTolerance)
            return {v.y, v.z};
        if (std::fabs(largest - ny) < kMathTolerance)
            return {v.x, v.z};
        return {v.x, v.y};
    };
    const Flat P = flatten(p - a);
    const Flat B = flatten(b - a);
    const Flat D = flatten(c - a);

    // Every comparison is written so that a not-a-number value (a degenerate
    // triangle) makes it fail.
    float s;
    float t;
    if (std::fabs(B.u) >= kMathTolerance)
    {
        s = (P.v * B.u - P.u * B.v) / (D.v * B.u - D.u * B.v);
        if (!(s >= 0.0f && s <= 1.0f))
            return false;
        t = (P.u - s * D.u) / B.u;
    }
    else
    {
        s = P.u / D.u;
        if (!(s >= 0.0f && s <= 1.0f))
            return false;
        t = (P.v - s * D.v) / B.v;
    }
    return t >= 0.0f && s + t <= 1.0f;
}

} // namespace OrvaneEngine
