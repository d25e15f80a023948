#include "platform/win32/Messages.h"

#include "platform/win32/HookTable.h"
#include "platform/win32/InputState.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/RawInput.h"
#include "platform/win32/WindowTable.h"

#include <SDL.h>

#include <algorithm>
#include <deque>

namespace win32
{
namespace
{

std::deque<MSG>& Queue()
{
    static std::deque<MSG> queue;
    return queue;
}

bool Matches(const MSG& message, HWND window, UINT first, UINT last)
{
    if (window != 0 && message.hwnd != window)
        return false;
    if (first == 0 && last == 0)
        return true;
    return message.message >= first && message.message <= last;
}

} // namespace

BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags)
{
    const auto take = [&]() -> BOOL {
        auto& queue = Queue();
        for (auto it = queue.begin(); it != queue.end(); ++it)
        {
            if (!Matches(*it, window, first, last))
                continue;
            if (message != nullptr)
                *message = *it;
            if ((removeFlags & PM_REMOVE) != 0)
                queue.erase(it);
            return TRUE;
        }
        return FALSE;
    };
    PumpEvents();
    if (take() == TRUE)
        return TRUE;
    // What a test pushes while the queue is empty arrives as a message would
    // between two polls: this same peek sees it.
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && Queue().empty())
    {
        hooks->queueEmpty();
        PumpEvents();
        return take();
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* message)
{
    if (message == nullptr)
        return FALSE;
    switch (message->message)
    {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (message == nullptr)
        return 0;
    const detail::NativeWindow* record = detail::FindWindowRecord(message->hwnd);
    if (record == nullptr || record->procedure == nullptr)
        return 0;
    return record->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != 0 && detail::FindWindowRecord(window) == nullptr)
        return FALSE;
    MSG entry{};
    entry.hwnd = window;
    entry.message = message;
    entry.wParam = wParam;
    entry.lParam = lParam;
    entry.time = SDL_GetTicks();
    entry.pt = detail::GetTrackedCursor();
    Queue().push_back(entry);
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    if (message == WM_SYSCOMMAND)
    {
        const WPARAM command = wParam & SC_COMMAND_MASK;
        if (command == SC_MINIMIZE && !record->minimized)
        {
            record->minimized = true;
            SDL_MinimizeWindow(record->sdlWindow);
        }
        else if (command == SC_RESTORE && record->minimized)
        {
            record->minimized = false;
            SDL_RestoreWindow(record->sdlWindow);
        }
        return 0;
    }
    if (message == WM_SYSKEYDOWN && wParam == static_cast<WPARAM>(VK_F4) && (lParam & KF_ALTDOWN_BIT) != 0)
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

namespace detail
{

void DropMessagesOf(HWND window)
{
    auto& queue = Queue();
    queue.erase(std::remove_if(queue.begin(), queue.end(), [window](const MSG& m) { return m.hwnd == window; }),
                queue.end());
}

void ClearMessages()
{
    Queue().clear();
}

} // namespace detail

} // namespace win32
