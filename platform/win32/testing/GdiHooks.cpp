#include "platform/win32/testing/GdiHooks.h"

#include "platform/win32/Gdi.h"
#include "platform/win32/testing/HookEntries.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace win32::testing
{
namespace
{

// 0: not armed; otherwise the calls still to come until the failing one.
std::array<std::uint32_t, 4> remaining{};

} // namespace

void FailGdiCall(GdiCall call, std::uint32_t nth)
{
    remaining[static_cast<std::size_t>(call)] = std::max<std::uint32_t>(nth, 1);
}

std::int32_t GetLiveGdiObjectCount()
{
    return detail::CountLiveGdiObjects();
}

void ResetGdiHooks()
{
    remaining.fill(0);
}

bool entries::TakeGdiFailure(GdiCall call)
{
    std::uint32_t& left = remaining[static_cast<std::size_t>(call)];
    if (left == 0)
        return false;
    return --left == 0;
}

} // namespace win32::testing
