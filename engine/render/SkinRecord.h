#pragma once

#include "engine/render/SkinInfluence.h"

#include <cstdint>

namespace OrvaneEngine
{

// The bones one vertex of a skeletal model follows; room for four and no more.
struct SkinRecord
{
    static constexpr std::uint16_t MaxInfluences = 4;

    std::uint16_t influenceCount = 0;
    SkinInfluence influences[MaxInfluences];
};

} // namespace OrvaneEngine
