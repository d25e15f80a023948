#pragma once

#include "platform/win32/Registry.h"

#include <cstdint>
#include <string>

namespace GameFramework
{

// Root keys by index: 0 classes, 1 current configuration, 2 current user,
// 3 local machine, 4 users; any other index the current user.
win32::HKEY RegistryRootKey(std::uint32_t rootIndex);

// The text of a REG_SZ value, up to its first zero byte within what the
// query returned. False, leaving text alone, when the key or the value is
// missing, the value is of another type or longer than 4096 bytes.
bool RegistryReadString(std::uint32_t rootIndex, const std::string& keyPath, const std::string& valueName,
                        std::string& text);

// The machine's value wins; the user's is read only when it has none.
bool RegistryReadMachineOrUserString(const std::string& keyPath, const std::string& valueName, std::string& text);

} // namespace GameFramework
