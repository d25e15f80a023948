#pragma once

#include "engine/core/Vector3.h"
#include "engine/render/ColoredVertex.h"

#include <array>
#include <vector>

namespace corvellan::bench
{

// The floors' quads on the 800 x 600 virtual screen: the unit square as
// white coloured vertices, and the clip-space matrix (column vectors, as GL
// loads it) that scales it to (w, h) and moves it to (x, y).
inline std::vector<OrvaneEngine::ColoredVertex> UnitQuad()
{
    const OrvaneEngine::Vector3 normal(0.0f, 0.0f, 1.0f);
    return {OrvaneEngine::ColoredVertex{OrvaneEngine::Vector3(0.0f, 1.0f, 0.0f), normal, 0xFFFFFFFFu, 0.0f, 1.0f},
            OrvaneEngine::ColoredVertex{OrvaneEngine::Vector3(0.0f, 0.0f, 0.0f), normal, 0xFFFFFFFFu, 0.0f, 0.0f},
            OrvaneEngine::ColoredVertex{OrvaneEngine::Vector3(1.0f, 1.0f, 0.0f), normal, 0xFFFFFFFFu, 1.0f, 1.0f},
            OrvaneEngine::ColoredVertex{OrvaneEngine::Vector3(1.0f, 0.0f, 0.0f), normal, 0xFFFFFFFFu, 1.0f, 0.0f}};
}

inline std::array<float, 16> ClipMatrix(float x, float y, float w, float h)
{
    std::array<float, 16> m{};
    m[0] = 2.0f * w / 800.0f;
    m[5] = 2.0f * h / 600.0f;
    m[10] = 1.0f;
    m[12] = 2.0f * x / 800.0f - 1.0f;
    m[13] = 2.0f * y / 600.0f - 1.0f;
    m[15] = 1.0f;
    return m;
}

} // namespace corvellan::bench
