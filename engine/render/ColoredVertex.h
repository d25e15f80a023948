#pragma once

#include "engine/core/Vector3.h"

#include <cstddef>
#include <cstdint>

namespace OrvaneEngine
{

// The coloured vertex layout: the plain one with a packed 0xAARRGGBB colour
// between the normal and the texture coordinates, 36 bytes.
struct ColoredVertex
{
    Vector3 position;
    Vector3 normal;
    std::uint32_t color;
    float u;
    float v;
};

static_assert(sizeof(ColoredVertex) == 36);
static_assert(offsetof(ColoredVertex, normal) == 12);
static_assert(offsetof(ColoredVertex, color) == 24);
static_assert(offsetof(ColoredVertex, u) == 28);
static_assert(offsetof(ColoredVertex, v) == 32);

} // namespace OrvaneEngine
