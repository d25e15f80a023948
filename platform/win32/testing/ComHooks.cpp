#include "platform/win32/testing/ComHooks.h"

#include "platform/win32/Com.h"

namespace win32::testing
{

bool IsPlatformStarted()
{
    return detail::IsPlatformLibraryStarted();
}

} // namespace win32::testing
