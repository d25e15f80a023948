#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"

#include <array>
#include <cstdint>

namespace OrvaneEngine
{

// Everything an effect's file stores about its behaviour. Emission keys are
// spread evenly over one emission cycle, particle keys over one particle's
// life: key i stands at the fraction i / 5. Flags other than 0 count as on.
struct ParticleSystemSettings
{
    static constexpr std::uint32_t KeyCount = 6;

    template <typename T>
    using Keys = std::array<T, KeyCount>;

    template <typename T>
    static Keys<T> Fill(const T& value)
    {
        return {value, value, value, value, value, value};
    }

    // Seconds.
    float cycleLength = 1.0f;
    std::uint8_t gravityOn = 1;
    float gravity = 1.0f;
    std::uint8_t floorOn = 1;
    // A constant z: particles move with z up.
    float floorHeight = -1.0f;
    float bounceFactor = 0.9f;
    std::uint8_t stopAtRest = 1;
    float restThreshold = 0.4f;
    // On: a rate is particles per second. Off: the number emitted at once
    // when its key is reached.
    std::uint8_t smoothEmission = 1;
    Keys<float> rateKeys = Fill(10.0f);
    // Seconds.
    Keys<float> lifeKeys = Fill(1.0f);
    Keys<float> lifeSpreadKeys = Fill(0.0f);
    Keys<Vector3> directionKeys = Fill(Vector3(0.0f, 0.0f, 0.0f));
    Keys<Vector3> directionSpreadKeys = Fill(Vector3(1.0f, 1.0f, 1.0f));
    Keys<Color> colorKeys = Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
    // Half the width of a particle's square.
    Keys<float> sizeKeys = Fill(1.0f);
    // A speed of 1 moves 100 units per second.
    Keys<float> speedKeys = Fill(1.0f);
    Keys<float> speedSpreadKeys = Fill(0.0f);
};

} // namespace OrvaneEngine
