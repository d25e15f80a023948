#pragma once

#include "engine/core/Vector3.h"

namespace OrvaneEngine
{

// A picking ray, or the segment from origin to origin + direction; the
// direction keeps its length. Default construction leaves both as they were.
class Ray
{
public:
    Vector3 origin;
    Vector3 direction;

    Ray() = default;
    Ray(const Vector3& origin_, const Vector3& direction_);

    void Set(const Vector3& origin_, const Vector3& direction_);
};

} // namespace OrvaneEngine
