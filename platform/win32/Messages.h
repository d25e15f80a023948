#pragma once

#include "platform/win32/WindowTypes.h"

namespace win32
{

// The window messages of the program's thread, in the order they were posted
// or translated from the platform library's events. PeekMessageA first takes
// the library's pending events. A window 0 asks for any message; first and
// last 0 for all messages. TRUE when a message was found.
BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags);
// Characters are made from the library's text events as they arrive, so
// there is nothing left to translate here: TRUE for a key message.
BOOL TranslateMessage(const MSG* message);
// Calls the window procedure of the message's window; 0 when it is gone.
LRESULT DispatchMessageA(const MSG* message);
// Queues a message for a live window (or, with window 0, for the thread).
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The system's default handling: minimise and restore commands act on the
// real window unless it already is in that state, Alt+F4 posts SC_CLOSE;
// everything else gives 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace win32
