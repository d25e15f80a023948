#pragma once

#include "engine/core/Vector3.h"
#include "engine/render/ParticleSystemSettings.h"

#include <cstdint>

namespace OrvaneEngine
{

// One particle of a particle system; its place, size and colour live in the
// sprite it owns.
struct Particle
{
    // 1 while the record is not in use.
    std::uint8_t free = 1;
    // Its sprite in the system's sprite group.
    std::uint32_t sprite = 0;
    // Seconds.
    float life = 0.0f;
    float age = 0.0f;
    // The current unit direction.
    Vector3 direction{0.0f, 0.0f, 0.0f};
    // Unit vectors chosen at emission.
    ParticleSystemSettings::Keys<Vector3> directionKeys = ParticleSystemSettings::Fill(Vector3(0.0f, 0.0f, 0.0f));
    ParticleSystemSettings::Keys<float> speedKeys = ParticleSystemSettings::Fill(0.0f);
    // 1 at emission, reduced by every bounce.
    float speedFactor = 1.0f;
    // 0 at emission, grows with gravity.
    float fallSpeed = 0.0f;
};

} // namespace OrvaneEngine
