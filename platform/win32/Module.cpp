#include "platform/win32/Module.h"
#include "platform/win32/HookTable.h"

#include <unistd.h>

#include <vector>

namespace win32
{

std::string GetModuleFileNameA(const void* module)
{
    if (module != nullptr)
        return {};
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr)
    {
        std::string name;
        if (hooks->moduleFileName(name))
            return name;
    }
    // readlink gives no hint of the name's length: grow until it fits.
    std::vector<char> buffer(256);
    for (;;)
    {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace win32
