#include "platform/win32/MultimediaTimer.h"
#include "platform/win32/HookTable.h"

#include <ctime>

namespace win32
{
namespace
{
void NotePeriod(bool begin, std::uint32_t period)
{
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->timerPeriod != nullptr)
        hooks->timerPeriod(begin, period);
}
} // namespace

MMRESULT timeGetDevCaps(TIMECAPS* caps, std::uint32_t size)
{
    const detail::HookTable* hooks = detail::Hooks();
    const bool capsFail = hooks != nullptr && hooks->timerCapsFail != nullptr && hooks->timerCapsFail();
    if (capsFail || !caps || size < sizeof(TIMECAPS))
        return TIMERR_NOCANDO;
    caps->wPeriodMin = 1;
    caps->wPeriodMax = 1000000;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(std::uint32_t period)
{
    NotePeriod(true, period);
    return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(std::uint32_t period)
{
    NotePeriod(false, period);
    return TIMERR_NOERROR;
}

std::uint32_t timeGetTime()
{
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->milliseconds != nullptr)
    {
        std::uint32_t fake = 0;
        if (hooks->milliseconds(fake))
            return fake;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace win32
