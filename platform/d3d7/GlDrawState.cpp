#include "platform/d3d7/GlDrawState.h"

#include "platform/d3d7/HookTable.h"

#include <SDL_opengl.h>

#include <atomic>

namespace d3d7::detail
{
namespace
{

std::atomic<std::uint64_t> epoch{1};

} // namespace

std::uint64_t GetGlStateEpoch()
{
    return epoch.load(std::memory_order_relaxed);
}

void NoteForeignGlState()
{
    epoch.fetch_add(1, std::memory_order_relaxed);
}

void SetGlCapability(unsigned capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
    CountGlCalls();
}

} // namespace d3d7::detail
