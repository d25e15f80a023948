#pragma once

#include "engine/core/Plane.h"
#include "engine/core/Vector3.h"

namespace OrvaneEngine
{

// Whether p, a point of the triangle's plane, lies inside the triangle a, b, c
// or on its edges. A triangle whose corners lie on one line contains nothing.
bool PointInTriangle(const Plane& plane, const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& p);

} // namespace OrvaneEngine
