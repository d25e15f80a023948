#include "platform/win32/LocalTime.h"
#include "platform/win32/testing/LocalTimeHooks.h"

#include <atomic>

namespace win32
{
namespace
{
std::atomic<bool> fixedOn{false};
std::atomic<std::time_t> fixedNow{0};

const char* const weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void AppendTwoDigits(std::string& text, int value)
{
    if (value < 0 || value > 99)
        value = 0;
    text += static_cast<char>('0' + value / 10);
    text += static_cast<char>('0' + value % 10);
}

const char* NameAt(const char* const* names, int count, int index)
{
    return index >= 0 && index < count ? names[index] : "???";
}
} // namespace

std::time_t time()
{
    if (fixedOn)
        return fixedNow;
    return std::time(nullptr);
}

std::string AscTime(const std::tm& when)
{
    std::string text;
    text.reserve(26);
    text += NameAt(weekdays, 7, when.tm_wday);
    text += ' ';
    text += NameAt(months, 12, when.tm_mon);
    text += ' ';
    AppendTwoDigits(text, when.tm_mday);
    text += ' ';
    AppendTwoDigits(text, when.tm_hour);
    text += ':';
    AppendTwoDigits(text, when.tm_min);
    text += ':';
    AppendTwoDigits(text, when.tm_sec);
    text += ' ';
    text += std::to_string(static_cast<long long>(when.tm_year) + 1900);
    text += '\n';
    return text;
}

std::string LocalTimeText(std::time_t t)
{
    std::tm local{};
    if (!localtime_r(&t, &local))
        local = std::tm{};
    return AscTime(local);
}

namespace testing
{
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
} // namespace testing

} // namespace win32
