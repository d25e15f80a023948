#include "engine/core/Ray.h"

namespace OrvaneEngine
{

Ray::Ray(const Vector3& origin_, const Vector3& direction_) : origin(origin_), direction(direction_)
{
}

void Ray::Set(const Vector3& origin_, const Vector3& direction_)
{
    origin = origin_;
    direction = direction_;
}

} // namespace OrvaneEngine
