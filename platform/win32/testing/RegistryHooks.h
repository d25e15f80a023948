#pragma once

#include "platform/win32/HookTable.h"
#include "platform/win32/Registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace win32::testing
{

// The machine's registry files are read below this folder instead of
// /etc/xdg from now on.
void SetRegistryMachineRoot(const std::string& folder);

// keyPath's value name answers this type and these bytes, as given (no zero
// is added), in place of what its file says. The key opens even without a
// file. root is HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.
void InjectRegistryValue(HKEY root, const std::string& keyPath, const std::string& name, std::uint32_t type,
                         const std::string& bytes);

using RegistryCall = detail::RegistryCall;

// Every call of that kind answers error (non-zero) until the reset.
void FailRegistryCall(RegistryCall call, std::int32_t error);

struct RegistryCounts
{
    int opens = 0;  // keys opened successfully
    int closes = 0; // opened keys closed
};
RegistryCounts GetRegistryCounts();

// The value names asked for, in call order, whether found or not.
std::vector<std::string> GetRegistryQueries();

// The real machine root again, no injected value or failure; forgets the
// counts and the queries.
void ResetRegistry();

} // namespace win32::testing
