#include "platform/win32/Registry.h"

#include "platform/win32/HookTable.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace win32
{
namespace
{

using detail::RegistryCall;
using detail::RegistryValue;

std::string Lower(std::string text)
{
    for (char& c : text)
    {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

} // namespace

std::optional<std::string> detail::RegistryKeyFolder(const std::string& subKey)
{
    std::string path = subKey;
    constexpr std::string_view software = "software\\";
    if (Lower(path.substr(0, software.size())) == software)
        path.erase(0, software.size());
    std::string folder;
    std::size_t start = 0;
    while (start <= path.size())
    {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find('/') != std::string::npos)
            return std::nullopt;
        if (!folder.empty())
            folder += '/';
        folder += part;
        start = end + 1;
    }
    return folder;
}

namespace
{

std::optional<std::string> AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> RootFolder(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE)
    {
        std::string folder = "/etc/xdg";
        if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->registryMachineRoot != nullptr)
            hooks->registryMachineRoot(folder);
        return folder;
    }
    if (root == HKEY_CURRENT_USER)
    {
        if (auto config = AbsoluteVariable("XDG_CONFIG_HOME"))
            return config;
        if (auto home = AbsoluteVariable("HOME"))
            return *home + "/.config";
    }
    return std::nullopt;
}

using Values = std::map<std::string, RegistryValue>;

// The lines of a key's file; nothing when it cannot be read.
std::optional<Values> ReadValues(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    Values values;
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        values[Lower(line.substr(0, equals))] = RegistryValue{REG_SZ, line.substr(equals + 1) + '\0'};
    }
    if (in.bad())
        return std::nullopt;
    return values;
}

struct OpenKey
{
    HKEY root = 0;
    std::string folder;
    Values values;
};

std::mutex keysMutex;
std::map<HKEY, OpenKey> openKeys;
HKEY nextKey = 1;

bool IsRoot(HKEY key)
{
    return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE || key == HKEY_USERS ||
           key == HKEY_CURRENT_CONFIG;
}

bool Fails(RegistryCall call, std::int32_t& error)
{
    const detail::HookTable* hooks = detail::Hooks();
    return hooks != nullptr && hooks->registryCallFails != nullptr && hooks->registryCallFails(call, error);
}

} // namespace

std::int32_t RegOpenKeyA(HKEY root, const char* subKey, HKEY* result)
{
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    if (std::int32_t error = 0; Fails(RegistryCall::Open, error))
        return error;
    if (!IsRoot(root))
        return ERROR_INVALID_HANDLE;
    const auto base = RootFolder(root);
    const auto folder = detail::RegistryKeyFolder(subKey != nullptr ? subKey : "");
    if (!base || !folder)
        return ERROR_FILE_NOT_FOUND;
    const detail::HookTable* hooks = detail::Hooks();
    auto values = ReadValues(*base + "/" + *folder + "/registry.ini");
    if (!values)
    {
        if (hooks == nullptr || hooks->registryKeyInjected == nullptr || !hooks->registryKeyInjected(root, *folder))
            return ERROR_FILE_NOT_FOUND;
        values.emplace();
    }
    {
        std::lock_guard lock(keysMutex);
        while (nextKey == 0 || IsRoot(nextKey) || openKeys.contains(nextKey))
            ++nextKey;
        *result = nextKey++;
        openKeys.emplace(*result, OpenKey{root, *folder, std::move(*values)});
    }
    if (hooks != nullptr && hooks->registryKeyOpened != nullptr)
        hooks->registryKeyOpened(true);
    return ERROR_SUCCESS;
}

std::int32_t RegQueryValueExA(HKEY key, const char* valueName, std::uint32_t*, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size)
{
    const std::string name = valueName != nullptr ? valueName : "";
    const detail::HookTable* hooks = detail::Hooks();
    if (hooks != nullptr && hooks->registryValueQueried != nullptr)
        hooks->registryValueQueried(name);
    if (std::int32_t error = 0; Fails(RegistryCall::Query, error))
        return error;
    if (data != nullptr && size == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegistryValue value;
    {
        std::lock_guard lock(keysMutex);
        const auto open = openKeys.find(key);
        if (open == openKeys.end())
            return ERROR_INVALID_HANDLE;
        bool found = false;
        if (hooks != nullptr && hooks->registryInjectedValue != nullptr)
            found = hooks->registryInjectedValue(open->second.root, open->second.folder, Lower(name), value);
        if (!found)
        {
            const auto stored = open->second.values.find(Lower(name));
            if (stored == open->second.values.end())
                return ERROR_FILE_NOT_FOUND;
            value = stored->second;
        }
    }
    if (type != nullptr)
        *type = value.type;
    const auto needed = static_cast<std::uint32_t>(value.bytes.size());
    if (data == nullptr)
    {
        if (size != nullptr)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (*size < needed)
    {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (needed > 0)
        std::memcpy(data, value.bytes.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

std::int32_t RegCloseKey(HKEY key)
{
    if (IsRoot(key))
        return ERROR_SUCCESS;
    {
        std::lock_guard lock(keysMutex);
        if (openKeys.erase(key) == 0)
            return ERROR_INVALID_HANDLE;
    }
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->registryKeyOpened != nullptr)
        hooks->registryKeyOpened(false);
    return ERROR_SUCCESS;
}

} // namespace win32
