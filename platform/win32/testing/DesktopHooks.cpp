#include "platform/win32/testing/DesktopHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <mutex>
#include <optional>

namespace win32::testing
{
namespace
{
std::mutex injectedMutex;
std::optional<DesktopMode> injected;
} // namespace

bool entries::InjectedDesktopMode(DesktopMode& mode)
{
    std::lock_guard lock(injectedMutex);
    if (injected)
        mode = *injected;
    return injected.has_value();
}

void SetDesktopMode(const DesktopMode& mode)
{
    std::lock_guard lock(injectedMutex);
    injected = mode;
}

void ResetDesktopMode()
{
    std::lock_guard lock(injectedMutex);
    injected.reset();
}

} // namespace win32::testing
