#include "platform/win32/testing/KeyboardLayoutHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <mutex>
#include <optional>

namespace win32::testing
{
namespace
{

struct Layouts
{
    std::optional<HKL> current;
    bool activateSucceeds = false;
    HKL loaded = 0;
    std::vector<KeyboardLayoutCall> calls;
};

std::mutex layoutsMutex;
Layouts layouts;

} // namespace

bool entries::KeyboardLayout(std::uint32_t& layout)
{
    std::lock_guard lock(layoutsMutex);
    if (layouts.current)
        layout = *layouts.current;
    return layouts.current.has_value();
}

bool entries::ActivateKeyboardLayout(std::uint32_t layout, std::uint32_t flags, std::uint32_t& previous)
{
    {
        std::lock_guard lock(layoutsMutex);
        layouts.calls.push_back({KeyboardLayoutCall::Kind::Activate, layout, "", flags});
        if (!layouts.activateSucceeds)
            return false;
    }
    // The stand-in's own answer when no layout was set; it takes the lock again.
    previous = win32::GetKeyboardLayout(0);
    return true;
}

bool entries::LoadKeyboardLayout(const std::string& layoutId, std::uint32_t flags, std::uint32_t& loaded)
{
    std::lock_guard lock(layoutsMutex);
    layouts.calls.push_back({KeyboardLayoutCall::Kind::Load, 0, layoutId, flags});
    loaded = layouts.loaded;
    return layouts.loaded != 0;
}

void entries::UnloadKeyboardLayout(std::uint32_t layout)
{
    std::lock_guard lock(layoutsMutex);
    layouts.calls.push_back({KeyboardLayoutCall::Kind::Unload, layout, "", 0});
}

void SetCurrentKeyboardLayout(HKL layout)
{
    std::lock_guard lock(layoutsMutex);
    layouts.current = layout;
}

void SetActivateKeyboardLayoutSucceeds(bool on)
{
    std::lock_guard lock(layoutsMutex);
    layouts.activateSucceeds = on;
}

void SetLoadedKeyboardLayout(HKL layout)
{
    std::lock_guard lock(layoutsMutex);
    layouts.loaded = layout;
}

std::vector<KeyboardLayoutCall> GetKeyboardLayoutCalls()
{
    std::lock_guard lock(layoutsMutex);
    return layouts.calls;
}

void ResetKeyboardLayouts()
{
    std::lock_guard lock(layoutsMutex);
    layouts = Layouts{};
}

} // namespace win32::testing
