#pragma once

// Running counts of what the stand-in made and did. The live object counts
// decide when the GL context is let go; the rest are read by the hook library.

#include <atomic>
#include <cstdint>

namespace d3d7::detail
{

enum class ObjectKind
{
    DirectDraw,
    Direct3D,
    Device,
    Surface,
    Clipper,
    Count
};

struct Counters
{
    std::atomic<std::uint32_t> presents{0};
    std::atomic<std::int32_t> swapInterval{-1};
    std::atomic<std::int32_t> live[static_cast<int>(ObjectKind::Count)] = {};
    std::atomic<std::uint32_t> offThreadGlCalls{0};
    std::atomic<std::uint32_t> textureUploads{0};
    std::atomic<std::int32_t> liveGlTextures{0};
    std::atomic<std::uint32_t> projectionSets{0};
};

Counters& GetCounters();

} // namespace d3d7::detail
