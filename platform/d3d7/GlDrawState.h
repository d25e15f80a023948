#pragma once

// Book-keeping shared by everything that sets GL drawing state: the device
// keeps a copy of what it last set and skips calls that would change
// nothing, so whoever changes that state behind its back says so here.
// Platform-internal.

#include "platform/d3d7/HookTable.h"

#include <cstdint>

namespace d3d7::detail
{

// Changes whenever GL state may differ from what a device last set.
std::uint64_t GetGlStateEpoch();
void NoteForeignGlState();

// GL calls made for drawing, for the hook library's count.
inline void CountGlCalls(std::uint32_t count = 1)
{
    if (const HookTable* hooks = Hooks())
        hooks->countGlCalls(count);
}

// glEnable or glDisable, counted. GL thread only.
void SetGlCapability(unsigned capability, bool on);

} // namespace d3d7::detail
