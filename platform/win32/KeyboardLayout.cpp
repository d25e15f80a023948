#include "platform/win32/KeyboardLayout.h"

#include "platform/win32/HookTable.h"

#include <string>

namespace win32
{
namespace
{

// US English: the layout id and the language id are both 0x409.
constexpr HKL kDesktopLayout = 0x04090409u;

} // namespace

HKL GetKeyboardLayout(std::uint32_t /*threadId*/)
{
    HKL layout = kDesktopLayout;
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->keyboardLayout != nullptr)
        hooks->keyboardLayout(layout);
    return layout;
}

HKL ActivateKeyboardLayout(HKL layout, std::uint32_t flags)
{
    HKL previous = 0;
    if (const detail::HookTable* hooks = detail::Hooks();
        hooks != nullptr && hooks->activateKeyboardLayout != nullptr &&
        hooks->activateKeyboardLayout(layout, flags, previous))
        return previous;
    return 0;
}

HKL LoadKeyboardLayoutA(const char* layoutId, std::uint32_t flags)
{
    HKL loaded = 0;
    if (const detail::HookTable* hooks = detail::Hooks();
        hooks != nullptr && hooks->loadKeyboardLayout != nullptr &&
        hooks->loadKeyboardLayout(layoutId != nullptr ? layoutId : "", flags, loaded))
        return loaded;
    return 0;
}

bool UnloadKeyboardLayout(HKL layout)
{
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->unloadKeyboardLayout != nullptr)
        hooks->unloadKeyboardLayout(layout);
    return true;
}

} // namespace win32
