#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"

#include <cstdint>

namespace OrvaneEngine
{

// One camera-facing square of a sprite group. Its owner may change position,
// size, angle and colour at any time; the group's next update draws them.
struct Sprite
{
    // 1 while the sprite is not in use (not drawn).
    std::uint8_t free = 1;
    // Written by the group's update while it sorts.
    float depthKey = 0.0f;
    // The centre of the square.
    Vector3 position{0.0f, 0.0f, 0.0f};
    // Half the side of the square.
    float size = 0.0f;
    // Radians about the camera's direction.
    float angle = 0.0f;
    Color color{1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace OrvaneEngine
