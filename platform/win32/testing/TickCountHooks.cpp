#include "platform/win32/testing/TickCountHooks.h"
#include "platform/win32/testing/HookEntries.h"

#include <atomic>

namespace win32::testing
{
namespace
{

// The value in the low 32 bits and a "fixed" flag above them, so that a
// reader on another thread never sees one without the other.
constexpr std::uint64_t kFixedFlag = std::uint64_t{1} << 32;
std::atomic<std::uint64_t> fixedTickCount{0};

} // namespace

void SetFixedTickCount(std::uint32_t milliseconds)
{
    fixedTickCount = kFixedFlag | milliseconds;
}

void ResetTickCount()
{
    fixedTickCount = 0;
}

std::optional<std::uint32_t> GetFixedTickCount()
{
    const std::uint64_t value = fixedTickCount;
    if ((value & kFixedFlag) == 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool entries::FixedTickCount(std::uint32_t& milliseconds)
{
    const auto fixed = GetFixedTickCount();
    if (fixed)
        milliseconds = *fixed;
    return fixed.has_value();
}

} // namespace win32::testing
