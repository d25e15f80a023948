#pragma once

#include "engine/core/Vector3.h"

#include <cstddef>

namespace OrvaneEngine
{

// The plain vertex layout the device reads straight from a buffer's memory:
// position, normal and one texture coordinate pair, 32 bytes.
struct Vertex
{
    Vector3 position;
    Vector3 normal;
    float u;
    float v;
};

static_assert(sizeof(Vertex) == 32);
static_assert(offsetof(Vertex, normal) == 12);
static_assert(offsetof(Vertex, u) == 24);
static_assert(offsetof(Vertex, v) == 28);

} // namespace OrvaneEngine
