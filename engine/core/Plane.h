#pragma once

#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"

namespace OrvaneEngine
{

// The plane normal . p + distance = 0. Once normalised, normal . p + distance is
// the signed distance of p, positive on the side the normal points to.
class Plane
{
public:
    Vector3 normal;
    float distance;

    // A zero normal and distance: no plane until one of the setters runs.
    Plane();
    Plane(const Vector3& normal_, const Vector3& point);
    Plane(const Vector3& p1, const Vector3& p2, const Vector3& p3);
    virtual ~Plane();
    Plane(const Plane&) = default;
    Plane& operator=(const Plane&) = default;

    void Set(float a, float b, float c, float d);
    void SetFromNormalAndPoint(const Vector3& normal_, const Vector3& point);
    // The normal follows the right-hand rule over p1, p2, p3; three points on
    // one line leave it zero.
    void SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3);
    // Skipped for a normal too short to divide by.
    void Normalize();

    const Vector3& GetNormal() const;
    float GetDistance(const Vector3& p) const;

    // A ray nearly parallel to the plane gives false and leaves t alone.
    // Otherwise t is written (hit point origin + t * direction) and the
    // result is whether the hit lies ahead of the origin (t > 0).
    bool IntersectRay(const Ray& ray, float& t) const;
};

} // namespace OrvaneEngine
