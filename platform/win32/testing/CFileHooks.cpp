#include "platform/win32/testing/CFileHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <array>
#include <atomic>
#include <mutex>
#include <unordered_map>

namespace win32::testing
{
namespace
{

constexpr std::size_t CallKinds = 6;

// One armed failure per kind of call.
struct Fault
{
    bool armed = false;
    std::uint32_t remaining = 0;
    std::optional<std::size_t> keep; // set: come up short; unset: fail
    std::string pathPart;
};

std::mutex state;
std::array<Fault, CallKinds> faults;
std::atomic<bool> anyArmed{false};
std::unordered_map<std::FILE*, std::string> openStreams;
std::atomic<std::uint32_t> openCount{0};

std::string PathOf(std::FILE* file)
{
    const auto found = openStreams.find(file);
    return found == openStreams.end() ? std::string() : found->second;
}

void Arm(FileCall call, std::uint32_t nth, std::optional<std::size_t> keep, const std::string& pathPart)
{
    std::lock_guard lock(state);
    Fault& fault = faults[static_cast<std::size_t>(call)];
    fault.armed = nth > 0;
    fault.remaining = nth;
    fault.keep = keep;
    fault.pathPart = pathPart;
    anyArmed = true;
}

} // namespace

void entries::FileOpened(std::FILE* file, const std::string& systemPath)
{
    std::lock_guard lock(state);
    openStreams[file] = systemPath;
    ++openCount;
}

void entries::FileClosed(std::FILE* file)
{
    std::lock_guard lock(state);
    openStreams.erase(file);
}

std::optional<std::size_t> entries::TripFileCall(FileCall call, std::FILE* file, const std::string& renamedPath)
{
    if (!anyArmed)
        return std::nullopt;
    std::lock_guard lock(state);
    Fault& fault = faults[static_cast<std::size_t>(call)];
    if (!fault.armed)
        return std::nullopt;
    if (!fault.pathPart.empty())
    {
        const std::string path = file ? PathOf(file) : renamedPath;
        if (path.find(fault.pathPart) == std::string::npos)
            return std::nullopt;
    }
    if (--fault.remaining > 0)
        return std::nullopt;
    fault.armed = false;
    return fault.keep.value_or(0);
}

void FailFileCall(FileCall call, std::uint32_t nth, const std::string& pathPart)
{
    Arm(call, nth, std::nullopt, pathPart);
}

void ShortenFileCall(FileCall call, std::uint32_t nth, std::size_t keep, const std::string& pathPart)
{
    Arm(call, nth, keep, pathPart);
}

std::uint32_t GetFileOpenCount()
{
    return openCount;
}

std::uint32_t GetOpenStreamCount()
{
    std::lock_guard lock(state);
    return static_cast<std::uint32_t>(openStreams.size());
}

void ResetFileHooks()
{
    std::lock_guard lock(state);
    faults = {};
    anyArmed = false;
    openCount = 0;
}

} // namespace win32::testing
