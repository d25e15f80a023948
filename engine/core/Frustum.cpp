#include "engine/core/Frustum.h"

namespace OrvaneEngine
{

Frustum::Frustum() = default;

Frustum::~Frustum() = default;

void Frustum::Update(const Matrix4& a, const Matrix4& b)
{
    const Matrix4 clip = b.Multiply(a);
    const float* m = clip.m;
    // Column j of the matrix is (m[j], m[4 + j], m[8 + j], m[12 + j]).
    planes[0].Set(m[3] - m[0], m[7] - m[4], m[11] - m[8], m[15] - m[12]);
    planes[1].Set(m[3] + m[0], m[7] + m[4], m[11] + m[8], m[15] + m[12]);
    planes[2].Set(m[3] + m[1], m[7] + m[5], m[11] + m[9], m[15] + m[13]);
    planes[3].Set(m[3] - m[1], m[7] - m[5], m[11] - m[9], m[15] - m[13]);
    planes[4].Set(m[3] - m[2], m[7] - m[6], m[11] - m[10], m[15] - m[14]);
    planes[5].Set(m[3] + m[2], m[7] + m[6], m[11] + m[10], m[15] + m[14]);
}

bool Frustum::Contains(const BoundingVolume& volume) const
{
    for (const Plane& plane : planes)
    {
        if (plane.GetDistance(volume.center) <= -volume.radius)
            return false;
    }
    return true;
}

} // namespace OrvaneEngine
