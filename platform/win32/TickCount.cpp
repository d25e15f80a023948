#include "platform/win32/TickCount.h"
#include "platform/win32/HookTable.h"

#include <ctime>

namespace win32
{

std::uint32_t GetTickCount()
{
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->tickCount != nullptr)
    {
        std::uint32_t fixed = 0;
        if (hooks->tickCount(fixed))
            return fixed;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace win32
