#pragma once

// Where a test program's hook library (platform/win32/testing) steps in
// between the stand-in and the machine. The shipped program links no hook
// library: the table stays null, and each hook point costs one atomic load.

#include "platform/win32/Desktop.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

namespace win32::detail
{

enum class WindowCall
{
    RegisterClass,
    CreateWindow,
    GetDC
};

enum class GdiCall
{
    CreateCompatibleBitmap,
    SelectObject,
    BitBlt,
    GetDIBits
};

enum class RegistryCall
{
    Open,
    Query
};

// A registry value as the stand-in hands it out: its type and its raw bytes.
struct RegistryValue
{
    std::uint32_t type = 0;
    std::string bytes;
};

enum class FileCall
{
    Read,
    Write,
    Flush,
    Sync,
    Close,
    Rename
};

// Each entry may be null. "Answers" entries return true when they replaced
// the machine's answer.
struct HookTable
{
    bool (*isWindowCallRefused)(WindowCall call);
    bool (*takeGdiFailure)(GdiCall call);
    bool (*tickCount)(std::uint32_t& milliseconds);
    bool (*milliseconds)(std::uint32_t& now);
    bool (*timerCapsFail)();
    void (*timerPeriod)(bool begin, std::uint32_t period);
    bool (*performanceCounter)(std::int64_t& now);
    bool (*sleep)(std::uint32_t milliseconds);
    bool (*time)(std::time_t& now);
    bool (*desktopMode)(DesktopMode& mode);
    bool (*moduleFileName)(std::string& name);
    bool (*deleteEntry)(const std::string& systemPath);
    // A shell request recorded instead of carried out (answers true when it was).
    bool (*shellExecute)(const std::string& verb, const std::string& file, std::int32_t show);
    // Streams: opened and closed; Trip counts a call against an armed fault
    // (empty: run normally; a value: fail (0) or move at most that many bytes).
    void (*fileOpened)(std::FILE* file, const std::string& systemPath);
    void (*fileClosed)(std::FILE* file);
    std::optional<std::size_t> (*tripFileCall)(FileCall call, std::FILE* file, const std::string& renamedPath);
    // The message queue was found empty (main thread).
    void (*queueEmpty)();
    // Keyboard layouts: the current one; an activation and a load that the
    // hook lets succeed, answering the previous or the loaded layout; an
    // unload, which is only recorded.
    bool (*keyboardLayout)(std::uint32_t& layout);
    bool (*activateKeyboardLayout)(std::uint32_t layout, std::uint32_t flags, std::uint32_t& previous);
    bool (*loadKeyboardLayout)(const std::string& layoutId, std::uint32_t flags, std::uint32_t& loaded);
    void (*unloadKeyboardLayout)(std::uint32_t layout);
    // Registry: the folder that stands for the machine's settings
    // (/etc/xdg); a value put in place of the file's (answers true when
    // there is one); a call made to fail with an error code; a key opened
    // (true) or closed (false); a value asked for.
    bool (*registryMachineRoot)(std::string& folder);
    bool (*registryInjectedValue)(std::uint32_t root, const std::string& keyPath, const std::string& name, RegistryValue& value);
    bool (*registryKeyInjected)(std::uint32_t root, const std::string& keyPath);
    bool (*registryCallFails)(RegistryCall call, std::int32_t& error);
    void (*registryKeyOpened)(bool opened);
    void (*registryValueQueried)(const std::string& name);
    // A message box to be recorded instead of shown (answers true when it was).
    bool (*messageBox)(const std::string& text, const std::string& caption, std::uint32_t type);
    // Threads: a creation to be refused (answers true); a thread started
    // (true) or joined and let go (false).
    bool (*isThreadRefused)();
    void (*threadLifetime)(bool started);
};

inline constinit std::atomic<const HookTable*> hookTable{nullptr};

inline const HookTable* Hooks() noexcept
{
    return hookTable.load(std::memory_order_acquire);
}

} // namespace win32::detail

namespace win32::detail
{

inline bool IsRefused(WindowCall call)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->isWindowCallRefused != nullptr && hooks->isWindowCallRefused(call);
}

} // namespace win32::detail
