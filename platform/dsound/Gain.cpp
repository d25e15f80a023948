#include "platform/dsound/Gain.h"

#include "platform/dsound/Types.h"

#include <algorithm>
#include <cmath>

namespace dsound
{
namespace
{
struct Vector
{
    double x, y, z;
};

Vector ToVector(const Vector3f& v)
{
    return {v.x, v.y, v.z};
}

double Dot(const Vector& a, const Vector& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector Cross(const Vector& a, const Vector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
} // namespace

double AttenuationToGain(std::int32_t hundredths)
{
    if (hundredths <= DSBVOLUME_MIN)
        return 0.0;
    if (hundredths >= 0)
        return 1.0;
    return std::pow(10.0, hundredths / 2000.0);
}

std::int32_t ToFixedGain(double gain)
{
    if (!(gain > 0.0))
        return 0;
    if (gain >= 1.0)
        return 65536;
    return static_cast<std::int32_t>(std::lround(gain * 65536.0));
}

void SpatialGains(const ListenerState& listener, const Vector3f& source, double& left, double& right)
{
    const Vector from = ToVector(listener.position);
    const Vector to = ToVector(source);
    const Vector offset{to.x - from.x, to.y - from.y, to.z - from.z};
    const double distance = std::sqrt(Dot(offset, offset));
    const double closeness = distance > 1.0 ? 1.0 / distance : 1.0;

    const Vector side = Cross(ToVector(listener.top), ToVector(listener.front));
    const double sideLength = std::sqrt(Dot(side, side));
    double cosine = 0.0;
    // A source on the listener, or an orientation without a side, has no direction.
    if (distance > 1e-6 && sideLength > 1e-6)
        cosine = Dot(offset, side) / (distance * sideLength);
    if (!std::isfinite(cosine))
        cosine = 0.0;
    cosine = std::clamp(cosine, -1.0, 1.0);

    left = closeness * (cosine > 0.0 ? 1.0 - cosine : 1.0);
    right = closeness * (cosine < 0.0 ? 1.0 + cosine : 1.0);
}

} // namespace dsound
