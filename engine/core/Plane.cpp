#include "engine/core/Plane.h"

#include "engine/core/MathConstants.h"

#include <cmath>

namespace OrvaneEngine
{

Plane::Plane() : normal(0.0f, 0.0f, 0.0f), distance(0.0f)
{
}

Plane::Plane(const Vector3& normal_, const Vector3& point) : Plane()
{
    SetFromNormalAndPoint(normal_, point);
}

Plane::Plane(const Vector3& p1, const Vector3& p2, const Vector3& p3) : Plane()
{
    SetFromPoints(p1, p2, p3);
}

Plane::~Plane() = default;

void Plane::Set(float a, float b, float c, float d)
{
    normal = Vector3(a, b, c);
    distance = d;
    Normalize();
}

void Plane::SetFromNormalAndPoint(const Vector3& normal_, const Vector3& point)
{
    normal = normal_;
    distance = -normal.Dot(point);
    Normalize();
}

void Plane::SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3)
{
    normal = (p2 - p1).Cross(p3 - p1);
    distance = -normal.Dot(p1);
    Normalize();
}

void Plane::Normalize()
{
    const float length = normal.Length();
    if (length >= kMathTolerance)
    {
        normal /= length;
        distance /= length;
    }
}

const Vector3& Plane::GetNormal() const
{
    return normal;
}

float Plane::GetDistance(const Vector3& p) const
{
    return normal.Dot(p) + distance;
}

bool Plane::IntersectRay(const Ray& ray, float& t) const
{
    const float den = normal.Dot(ray.direction);
    if (std::fabs(den) < kMathTolerance)
        return false;
    t = -(normal.Dot(ray.origin) + distance) / den;
    return t > 0.0f;
}

} // namespace OrvaneEngine
