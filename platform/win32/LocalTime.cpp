#include "platform/win32/LocalTime.h"
#include "platform/win32/HookTable.h"

namespace win32
{
namespace
{
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
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr)
    {
        std::time_t fixed = 0;
        if (hooks->time(fixed))
            return fixed;
    }
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

} // namespace win32
