#include "framework/GUILoadingWindowBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Sleep.h"
#include "platform/win32/Threads.h"

#include <utility>

namespace GameFramework
{

GUILoadingWindowBase::GUILoadingWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), timerManager(engineIn->timerManager.get()),
      window(engineIn->window.get()), renderSystem(engineIn->renderSystem.get()),
      soundManager(engineIn->soundManager.get())
{
}

GUILoadingWindowBase::~GUILoadingWindowBase() = default;

void GUILoadingWindowBase::Update()
{
    result = 0;
}

void GUILoadingWindowBase::Show(DataKeeper* dataKeeperIn)
{
    dataKeeper = dataKeeperIn;
}

void GUILoadingWindowBase::Hide()
{
    dataKeeper = nullptr;
    done.store(false, std::memory_order_release);
}

void GUILoadingWindowBase::LoadAndSignal()
{
    dataKeeper->Load();
    done.store(true, std::memory_order_release);
}

std::uint32_t GUILoadingWindowBase::LoadThreadProc(void* window)
{
    auto* self = static_cast<GUILoadingWindowBase*>(window);
    // An exception leaving a thread would end the process on the spot;
    // the main thread's fatal-error handling shows it instead.
    try
    {
        self->LoadAndSignal();
    }
    catch (...)
    {
        self->failure = std::current_exception();
        self->done.store(true, std::memory_order_release);
    }
    return 1;
}

void GUILoadingWindowBase::RunLoading()
{
    failure = nullptr;
    win32::HANDLE thread = win32::CreateThread(&GUILoadingWindowBase::LoadThreadProc, this);
    if (thread == nullptr)
        LoadAndSignal();

    for (;;)
    {
        win32::MSG message{};
        if (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE))
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
            continue;
        }
        if (!window->fullscreen)
            renderSystem->SwapBuffers();
        if (soundManager != nullptr)
            soundManager->Update(false);
        if ((thread != nullptr && win32::WaitForSingleObject(thread, 0) == win32::WAIT_OBJECT_0) || IsDone())
            break;
        win32::Sleep(PollMilliseconds);
    }

    // Joins the worker, so nothing of the load runs past this point.
    win32::CloseHandle(thread);
    if (failure)
        std::rethrow_exception(std::exchange(failure, nullptr));
}

} // namespace GameFramework
