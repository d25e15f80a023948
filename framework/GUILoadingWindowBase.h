#pragma once

#include <atomic>
#include <cstdint>
#include <exception>

namespace OrvaneEngine
{
class Engine;
class MessageManager;
class RenderSystem;
class SoundManager;
class TimerManager;
class Window;
} // namespace OrvaneEngine

namespace GameFramework
{

class DataKeeper;

// The framework half of both loading screens: it runs the kept keeper's
// load on a worker thread while the screen stays on show.
class GUILoadingWindowBase
{
public:
    // The main thread's nap between two looks at the worker.
    static constexpr std::uint32_t PollMilliseconds = 20;

    explicit GUILoadingWindowBase(OrvaneEngine::Engine* engine);
    virtual ~GUILoadingWindowBase();
    GUILoadingWindowBase(const GUILoadingWindowBase&) = delete;
    GUILoadingWindowBase& operator=(const GUILoadingWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(DataKeeper* dataKeeper);
    virtual void Hide();

    // Loads the kept keeper and returns once the load has ended. Meanwhile
    // the main thread pumps messages, presents the last frame while
    // windowed and keeps the sounds streaming. Whatever the load threw on
    // the worker is thrown again here, after the worker has ended.
    void RunLoading();
    void LoadAndSignal();
    static std::uint32_t LoadThreadProc(void* window);

    DataKeeper* GetDataKeeper() const { return dataKeeper; }
    bool IsDone() const { return done.load(std::memory_order_acquire); }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::Window* window;
    OrvaneEngine::RenderSystem* renderSystem;
    // Null when the engine runs without sound.
    OrvaneEngine::SoundManager* soundManager;
    DataKeeper* dataKeeper = nullptr;
    // Set by the worker once, after the load; the main thread polls it.
    std::atomic<bool> done{false};

private:
    // What the load threw on the worker, for the main thread.
    std::exception_ptr failure;
};

} // namespace GameFramework
