#include "platform/win32/testing/PumpHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <atomic>
#include <thread>

namespace win32::testing
{
namespace
{
// The hook and its flag are touched only on the thread that set the hook.
std::atomic<std::thread::id> hookThread;
std::function<void()> pumpHook;
bool running = false;
} // namespace

void entries::QueueEmpty()
{
    if (std::this_thread::get_id() != hookThread.load() || !pumpHook || running)
        return;
    struct Running
    {
        Running() { running = true; }
        ~Running() { running = false; }
    } guard;
    // A copy: the hook may replace or clear itself.
    const std::function<void()> hook = pumpHook;
    hook();
}

void SetPumpHook(std::function<void()> hook)
{
    hookThread = std::this_thread::get_id();
    pumpHook = std::move(hook);
}

void ResetPumpHook()
{
    pumpHook = nullptr;
}

} // namespace win32::testing
