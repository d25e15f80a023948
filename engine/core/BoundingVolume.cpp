#include "engine/core/BoundingVolume.h"

#include <cmath>

namespace OrvaneEngine
{
namespace
{

// The world box grows from these, so a box lying wholly beyond them on an axis
// reaches back to them there.
constexpr float kWorldBoxSeed = 100000.0f;

} // namespace

BoundingVolume::BoundingVolume()
    : localMin(0.0f, 0.0f, 0.0f), localMax(0.0f, 0.0f, 0.0f), worldMin(0.0f, 0.0f, 0.0f),
      worldMax(0.0f, 0.0f, 0.0f), center(0.0f, 0.0f, 0.0f), halfExtents(0.0f, 0.0f, 0.0f), radius(0.0f)
{
    Matrix4::Identity(worldMatrix);
    Matrix4::Identity(secondMatrix);
}

BoundingVolume::BoundingVolume(const Vector3& min, const Vector3& max) : BoundingVolume()
{
    SetBox(min, max);
}

void BoundingVolume::SetBox(const Vector3& min, const Vector3& max)
{
    localMin = min;
    localMax = max;
    Recompute(false);
}

void BoundingVolume::SetMatrix(const Matrix4& matrix)
{
    worldMatrix = matrix;
    Recompute(true);
}

void BoundingVolume::Recompute(bool transformed)
{
    if (!transformed)
    {
        Matrix4::Identity(worldMatrix);
        Matrix4::Identity(secondMatrix);
        worldMin = localMin;
        worldMax = localMax;
    }
    else
    {
        const Vector3& lo = localMin;
        const Vector3& hi = localMax;
        const Vector3 corners[8] = {
            Vector3(lo.x, lo.y, lo.z), Vector3(hi.x, lo.y, lo.z), Vector3(hi.x, hi.y, lo.z),
            Vector3(hi.x, lo.y, hi.z), Vector3(hi.x, hi.y, hi.z), Vector3(lo.x, hi.y, lo.z),
            Vector3(lo.x, hi.y, hi.z), Vector3(lo.x, lo.y, hi.z),
        };
        worldMin = Vector3(kWorldBoxSeed, kWorldBoxSeed, kWorldBoxSeed);
        worldMax = Vector3(-kWorldBoxSeed, -kWorldBoxSeed, -kWorldBoxSeed);
        for (const Vector3& corner : corners)
        {
            const Vector3 p = worldMatrix.TransformPoint(corner);
            if (p.x < worldMin.x)
                worldMin.x = p.x;
            if (p.x > worldMax.x)
                worldMax.x = p.x;
            if (p.y < worldMin.y)
                worldMin.y = p.y;
            if (p.y > worldMax.y)
                worldMax.y = p.y;
            if (p.z < worldMin.z)
                worldMin.z = p.z;
            if (p.z > worldMax.z)
                worldMax.z = p.z;
        }
    }
    halfExtents = (worldMax - worldMin) * 0.5f;
    center = worldMin + halfExtents;
    radius = halfExtents.Length();
}

bool BoundingVolume::Intersects(const BoundingVolume& other) const
{
    return std::fabs(other.center.x - center.x) <= other.halfExtents.x + halfExtents.x &&
           std::fabs(other.center.y - center.y) <= other.halfExtents.y + halfExtents.y &&
           std::fabs(other.center.z - center.z) <= other.halfExtents.z + halfExtents.z;
}

bool BoundingVolume::IntersectsSegment(const Ray& segment) const
{
    // Separating axes: the three box axes, then the segment crossed with each.
    const Vector3 mid = segment.origin + segment.direction * 0.5f;
    const Vector3 u = segment.direction.Normalized();
    const float h = segment.direction.Length() * 0.5f;
    const Vector3 t = center - mid;
    const Vector3& e = halfExtents;

    if (std::fabs(t.x) > h * std::fabs(u.x) + e.x)
        return false;
    if (std::fabs(t.y) > h * std::fabs(u.y) + e.y)
        return false;
    if (std::fabs(t.z) > h * std::fabs(u.z) + e.z)
        return false;
    if (std::fabs(u.z * t.y - u.y * t.z) > e.z * std::fabs(u.y) + e.y * std::fabs(u.z))
        return false;
    if (std::fabs(u.x * t.z - u.z * t.x) > e.z * std::fabs(u.x) + e.x * std::fabs(u.z))
        return false;
    if (std::fabs(u.y * t.x - u.x * t.y) > e.y * std::fabs(u.x) + e.x * std::fabs(u.y))
        return false;
    return true;
}

void BoundingVolume::Lerp(BoundingVolume& out, const BoundingVolume& a, const BoundingVolume& b, float t)
{
    const float s = 1.0f - t;
    const Vector3 mid = a.center * s + b.center * t;
    const Vector3 half = a.halfExtents * s + b.halfExtents * t;
    out = BoundingVolume(mid - half, mid + half);
}

} // namespace OrvaneEngine
