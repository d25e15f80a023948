#include "engine/core/Quaternion.h"

#include "engine/core/MathConstants.h"

#include <cmath>

namespace OrvaneEngine
{

float Quaternion::LengthSquared() const
{
    return x * x + y * y + z * z + w * w;
}

Matrix4 Quaternion::ToMatrix() const
{
    // Scaling by 2 / |q|^2 instead of 2 lets any non-zero length give a pure rotation.
    const float s = 2.0f / LengthSquared();
    const float xs = x * s;
    const float ys = y * s;
    const float zs = z * s;
    const float wx = w * xs;
    const float wy = w * ys;
    const float wz = w * zs;
    const float xx = x * xs;
    const float xy = x * ys;
    const float xz = x * zs;
    const float yy = y * ys;
    const float yz = y * zs;
    const float zz = z * zs;

    Matrix4 result;
    result.m[0] = 1.0f - (yy + zz);
    result.m[1] = xy - wz;
    result.m[2] = xz + wy;
    result.m[3] = 0.0f;
    result.m[4] = xy + wz;
    result.m[5] = 1.0f - (xx + zz);
    result.m[6] = yz - wx;
    result.m[7] = 0.0f;
    result.m[8] = xz - wy;
    result.m[9] = yz + wx;
    result.m[10] = 1.0f - (xx + yy);
    result.m[11] = 0.0f;
    result.m[12] = 0.0f;
    result.m[13] = 0.0f;
    result.m[14] = 0.0f;
    result.m[15] = 1.0f;
    return result;
}

Quaternion Quaternion::operator*(const Quaternion& b) const
{
    const Quaternion& a = *this;
    return Quaternion(b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
                      b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x,
                      b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w,
                      b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z);
}

void Quaternion::Slerp(Quaternion& out, const Quaternion& a, const Quaternion& b, float t)
{
    float c = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    // q and -q are the same rotation; the negative one is the shorter way round.
    Quaternion target = b;
    if (c < 0.0f)
    {
        c = -c;
        target = Quaternion(-b.x, -b.y, -b.z, -b.w);
    }

    float s0;
    float s1;
    if (1.0f - c <= kSlerpTolerance)
    {
        s0 = 1.0f - t;
        s1 = t;
    }
    else
    {
        const float omega = std::acos(c);
        const float sinOmega = std::sin(omega);
        s0 = std::sin((1.0f - t) * omega) / sinOmega;
        s1 = std::sin(t * omega) / sinOmega;
    }

    // a may be out itself, so everything is read before anything is written.
    const Quaternion result(s0 * a.x + s1 * target.x, s0 * a.y + s1 * target.y,
                            s0 * a.z + s1 * target.z, s0 * a.w + s1 * target.w);
    out = result;
}

} // namespace OrvaneEngine
