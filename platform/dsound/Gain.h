#pragma once

#include "platform/dsound/Spatial.h"

#include <cstdint>

namespace dsound
{

// Linear gain of an attenuation in hundredths of a decibel, 10^(a/2000);
// DSBVOLUME_MIN and below are exact silence, 0 and above unity.
double AttenuationToGain(std::int32_t hundredths);

// The gain as the mixer multiplies by it: 16.16 fixed point, 65536 is unity.
// Anything not a number or below 0 becomes 0.
std::int32_t ToFixedGain(double gain);

// Per-channel gains of a mono voice at `source` heard by `listener`: the
// distance d gives min(1, 1/d) on both channels; the side along
// right = top x front fades the far channel by (1 - |side|), where side is the
// cosine between that axis and the direction to the source.
void SpatialGains(const ListenerState& listener, const Vector3f& source, double& left, double& right);

} // namespace dsound
