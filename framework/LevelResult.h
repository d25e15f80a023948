#pragma once

#include <cstdint>

namespace GameFramework
{

// How one level went, as a profile keeps it.
struct LevelResult
{
    virtual ~LevelResult() = default;

    std::uint32_t mode = 0;
    std::uint32_t stage = 0;
    std::uint32_t level = 0;
    float time = 0.0f;
};

} // namespace GameFramework
