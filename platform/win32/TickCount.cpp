#include "platform/win32/TickCount.h"
#include "platform/win32/testing/TickCountHooks.h"

#include <ctime>

namespace win32
{

std::uint32_t GetTickCount()
{
    if (const auto fixed = testing::GetFixedTickCount())
        return *fixed;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace win32
