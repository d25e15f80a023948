#include "platform/win32/testing/HookEntries.h"

namespace win32::testing
{
namespace
{

constexpr detail::HookTable table{
    .isWindowCallRefused = entries::IsRefused,
    .takeGdiFailure = entries::TakeGdiFailure,
    .tickCount = entries::FixedTickCount,
    .milliseconds = entries::FakeMilliseconds,
    .timerCapsFail = entries::TimerCapsFail,
    .timerPeriod = entries::RecordTimerPeriod,
    .performanceCounter = entries::FakeCounter,
    .sleep = entries::RecordSleep,
    .time = entries::FixedTime,
    .desktopMode = entries::InjectedDesktopMode,
    .moduleFileName = entries::ModuleFileName,
    .deleteEntry = entries::RecordDelete,
    .shellExecute = entries::RecordShellExecute,
    .fileOpened = entries::FileOpened,
    .fileClosed = entries::FileClosed,
    .tripFileCall = entries::TripFileCall,
    .queueEmpty = entries::QueueEmpty,
    .keyboardLayout = entries::KeyboardLayout,
    .activateKeyboardLayout = entries::ActivateKeyboardLayout,
    .loadKeyboardLayout = entries::LoadKeyboardLayout,
    .unloadKeyboardLayout = entries::UnloadKeyboardLayout,
    .registryMachineRoot = entries::RegistryMachineRoot,
    .registryInjectedValue = entries::RegistryInjectedValue,
    .registryKeyInjected = entries::RegistryKeyInjected,
    .registryCallFails = entries::RegistryCallFails,
    .registryKeyOpened = entries::RegistryKeyOpened,
    .registryValueQueried = entries::RegistryValueQueried,
    .messageBox = entries::RecordMessageBox,
    .isThreadRefused = entries::IsThreadRefused,
    .threadLifetime = entries::ThreadLifetime,
};

// Runs before main in every program that links the hook library.
const bool installed = (detail::hookTable.store(&table, std::memory_order_release), true);

} // namespace
} // namespace win32::testing
