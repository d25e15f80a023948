#include "platform/win32/testing/LocalTimeHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <atomic>

namespace win32::testing
{
namespace
{
std::atomic<bool> fixedOn{false};
std::atomic<std::time_t> fixedNow{0};
} // namespace

bool entries::FixedTime(std::time_t& now)
{
    if (!fixedOn)
        return false;
    now = fixedNow;
    return true;
}

void SetFixedTime(std::time_t t)
{
    fixedNow = t;
    fixedOn = true;
}

void SetFixedLocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    SetFixedTime(std::mktime(&local));
}

void ResetLocalTime()
{
    fixedOn = false;
    fixedNow = 0;
}

} // namespace win32::testing
