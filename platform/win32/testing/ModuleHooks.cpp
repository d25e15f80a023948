#include "platform/win32/testing/ModuleHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <mutex>
#include <optional>

namespace win32::testing
{
namespace
{
std::mutex nameMutex;
std::optional<std::string> moduleName;
} // namespace

bool entries::ModuleFileName(std::string& name)
{
    std::lock_guard lock(nameMutex);
    if (moduleName)
        name = *moduleName;
    return moduleName.has_value();
}

void SetModuleFileName(const std::string& path)
{
    std::lock_guard lock(nameMutex);
    moduleName = path;
}

void ResetModuleFileName()
{
    std::lock_guard lock(nameMutex);
    moduleName.reset();
}

} // namespace win32::testing
