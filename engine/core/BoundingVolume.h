#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Ray.h"
#include "engine/core/Vector3.h"

namespace OrvaneEngine
{

// A box in its owner's own space, and the axis-aligned world box, centre, half
// extents and enclosing sphere that follow from the owner's world matrix.
// After every SetBox or SetMatrix the world members agree with the local box
// and the matrix.
class BoundingVolume
{
public:
    Vector3 localMin;
    Vector3 localMax;
    Matrix4 worldMatrix;
    // Reset together with the world matrix whenever the box is set; nothing reads it.
    Matrix4 secondMatrix;
    Vector3 worldMin;
    Vector3 worldMax;
    Vector3 center;
    Vector3 halfExtents;
    // Of the sphere around the world box.
    float radius;

    // Zero boxes, identity matrices, zero radius.
    BoundingVolume();
    BoundingVolume(const Vector3& min, const Vector3& max);

    // Also puts the identity back into both matrices.
    void SetBox(const Vector3& min, const Vector3& max);
    void SetMatrix(const Matrix4& matrix);
    void Recompute(bool transformed);

    // The world boxes overlap; touching counts.
    bool Intersects(const BoundingVolume& other) const;
    // The segment from segment.origin to segment.origin + segment.direction
    // meets the world box; touching counts.
    bool IntersectsSegment(const Ray& segment) const;

    // An unrotated box blended from the two world boxes.
    static void Lerp(BoundingVolume& out, const BoundingVolume& a, const BoundingVolume& b, float t);
};

} // namespace OrvaneEngine
