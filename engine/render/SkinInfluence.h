#pragma once

#include "engine/core/Vector3.h"

#include <cstdint>

namespace OrvaneEngine
{

// How much one bone moves one vertex of a skeletal model, with the vertex's
// position and normal in that bone's space.
struct SkinInfluence
{
    std::uint16_t boneIndex = 0;
    float weight = 0.0f;
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 normal{0.0f, 0.0f, 0.0f};
};

} // namespace OrvaneEngine
