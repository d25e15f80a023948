#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Plane.h"

namespace OrvaneEngine
{

// Six planes bounding what a camera can see; a point is inside when it lies on
// the non-negative side of every one.
class Frustum
{
public:
    // In the order Update writes them: the two x sides, the two y sides, far, near.
    Plane planes[6];

    Frustum();
    virtual ~Frustum();
    Frustum(const Frustum&) = default;
    Frustum& operator=(const Frustum&) = default;

    // The planes of the clip volume of the row-vector matrix b * a; the camera
    // passes its projection as a and its view as b.
    void Update(const Matrix4& a, const Matrix4& b);

    // Tests the sphere around the volume's world box, so a volume near a corner
    // may count as visible. A sphere that only touches a plane from outside does not.
    bool Contains(const BoundingVolume& volume) const;
};

} // namespace OrvaneEngine
