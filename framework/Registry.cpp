#include "framework/Registry.h"

#include <algorithm>
#include <array>

namespace GameFramework
{

win32::HKEY RegistryRootKey(std::uint32_t rootIndex)
{
    switch (rootIndex)
    {
    case 0:
        return win32::HKEY_CLASSES_ROOT;
    case 1:
        return win32::HKEY_CURRENT_CONFIG;
    case 3:
        return win32::HKEY_LOCAL_MACHINE;
    case 4:
        return win32::HKEY_USERS;
    default:
        return win32::HKEY_CURRENT_USER;
    }
}

bool RegistryReadString(std::uint32_t rootIndex, const std::string& keyPath, const std::string& valueName,
                        std::string& text)
{
    win32::HKEY key = 0;
    if (win32::RegOpenKeyA(RegistryRootKey(rootIndex), keyPath.c_str(), &key) != win32::ERROR_SUCCESS)
        return false;
    std::array<std::uint8_t, 4096> buffer{};
    std::uint32_t type = win32::REG_NONE;
    auto size = static_cast<std::uint32_t>(buffer.size());
    const std::int32_t result = win32::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
    win32::RegCloseKey(key);
    if (result != win32::ERROR_SUCCESS || type != win32::REG_SZ)
        return false;
    // A value stored without its zero must not be read past what came back.
    const auto end = buffer.begin() + std::min<std::size_t>(size, buffer.size());
    text.assign(buffer.begin(), std::find(buffer.begin(), end, std::uint8_t{0}));
    return true;
}

bool RegistryReadMachineOrUserString(const std::string& keyPath, const std::string& valueName, std::string& text)
{
    constexpr std::uint32_t machine = 3;
    constexpr std::uint32_t user = 2;
    return RegistryReadString(machine, keyPath, valueName, text) || RegistryReadString(user, keyPath, valueName, text);
}

} // namespace GameFramework
