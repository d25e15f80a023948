#include "platform/win32/testing/LocaleHooks.h"

#include "platform/win32/Locale.h"

namespace win32::testing
{

bool SelectCodePage(int codePage)
{
    switch (codePage)
    {
    case 1252:
        return setlocale_ctype("english") != nullptr;
    case 1251:
        return setlocale_ctype("russian") != nullptr;
    case 1250:
        return setlocale_ctype("czech") != nullptr;
    default:
        return false;
    }
}

void ResetLocale()
{
    win32::setlocale(LC_ALL, "C");
}

} // namespace win32::testing
