#include "platform/win32/testing/RegistryHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <map>
#include <mutex>
#include <optional>
#include <tuple>

namespace win32::testing
{
namespace
{

using Key = std::tuple<std::uint32_t, std::string, std::string>; // root, folder, lower-case name

std::string Lower(std::string text)
{
    for (char& c : text)
    {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::mutex registryMutex;
std::optional<std::string> machineRoot;
std::map<Key, detail::RegistryValue> injected;
std::map<RegistryCall, std::int32_t> failures;
RegistryCounts counts;
std::vector<std::string> queries;

} // namespace

bool entries::RegistryMachineRoot(std::string& folder)
{
    std::lock_guard lock(registryMutex);
    if (!machineRoot)
        return false;
    folder = *machineRoot;
    return true;
}

bool entries::RegistryInjectedValue(std::uint32_t root, const std::string& keyPath, const std::string& name,
                                    RegistryValue& value)
{
    std::lock_guard lock(registryMutex);
    const auto found = injected.find(Key{root, keyPath, Lower(name)});
    if (found == injected.end())
        return false;
    value = found->second;
    return true;
}

bool entries::RegistryKeyInjected(std::uint32_t root, const std::string& keyPath)
{
    std::lock_guard lock(registryMutex);
    for (const auto& [key, value] : injected)
    {
        if (std::get<0>(key) == root && std::get<1>(key) == keyPath)
            return true;
    }
    return false;
}

bool entries::RegistryCallFails(RegistryCall call, std::int32_t& error)
{
    std::lock_guard lock(registryMutex);
    const auto found = failures.find(call);
    if (found == failures.end())
        return false;
    error = found->second;
    return true;
}

void entries::RegistryKeyOpened(bool opened)
{
    std::lock_guard lock(registryMutex);
    ++(opened ? counts.opens : counts.closes);
}

void entries::RegistryValueQueried(const std::string& name)
{
    std::lock_guard lock(registryMutex);
    queries.push_back(name);
}

void SetRegistryMachineRoot(const std::string& folder)
{
    std::lock_guard lock(registryMutex);
    machineRoot = folder;
}

void InjectRegistryValue(HKEY root, const std::string& keyPath, const std::string& name, std::uint32_t type,
                         const std::string& bytes)
{
    const auto folder = detail::RegistryKeyFolder(keyPath);
    if (!folder)
        return;
    std::lock_guard lock(registryMutex);
    injected[Key{root, *folder, Lower(name)}] = detail::RegistryValue{type, bytes};
}

void FailRegistryCall(RegistryCall call, std::int32_t error)
{
    std::lock_guard lock(registryMutex);
    if (error == 0)
        failures.erase(call);
    else
        failures[call] = error;
}

RegistryCounts GetRegistryCounts()
{
    std::lock_guard lock(registryMutex);
    return counts;
}

std::vector<std::string> GetRegistryQueries()
{
    std::lock_guard lock(registryMutex);
    return queries;
}

void ResetRegistry()
{
    std::lock_guard lock(registryMutex);
    machineRoot.reset();
    injected.clear();
    failures.clear();
    counts = {};
    queries.clear();
}

} // namespace win32::testing
