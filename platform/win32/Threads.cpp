#include "platform/win32/Threads.h"
#include "platform/win32/HookTable.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace win32
{

class ThreadObject
{
public:
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    std::thread thread;
};

namespace
{

void ReportLifetime(bool started)
{
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->threadLifetime != nullptr)
        hooks->threadLifetime(started);
}

} // namespace

HANDLE CreateThread(LPTHREAD_START_ROUTINE procedure, void* parameter)
{
    if (const detail::HookTable* hooks = detail::Hooks();
        hooks != nullptr && hooks->isThreadRefused != nullptr && hooks->isThreadRefused())
        return nullptr;
    auto* object = new ThreadObject;
    // Counted before it starts, so that the thread itself already counts.
    ReportLifetime(true);
    try
    {
        object->thread = std::thread([object, procedure, parameter] {
            procedure(parameter);
            std::lock_guard lock(object->mutex);
            object->finished = true;
            object->ended.notify_all();
        });
    }
    catch (const std::system_error&)
    {
        delete object;
        ReportLifetime(false);
        return nullptr;
    }
    return object;
}

std::uint32_t WaitForSingleObject(HANDLE handle, std::uint32_t milliseconds)
{
    std::unique_lock lock(handle->mutex);
    const auto isFinished = [handle] { return handle->finished; };
    if (milliseconds == INFINITE)
    {
        handle->ended.wait(lock, isFinished);
        return WAIT_OBJECT_0;
    }
    return handle->ended.wait_for(lock, std::chrono::milliseconds(milliseconds), isFinished) ? WAIT_OBJECT_0
                                                                                             : WAIT_TIMEOUT;
}

bool CloseHandle(HANDLE handle)
{
    if (handle == nullptr)
        return false;
    if (handle->thread.joinable())
        handle->thread.join();
    delete handle;
    ReportLifetime(false);
    return true;
}

} // namespace win32
