#pragma once

#include "platform/win32/WindowTypes.h"

namespace win32::detail
{

// Drops every queued message of a window that is being destroyed.
void DropMessagesOf(HWND window);
// Empties the queue.
void ClearMessages();

} // namespace win32::detail
