#pragma once

#include <cstdint>

namespace win32::testing
{

// The next CreateThread makes no thread and answers null.
void RefuseNextThread();
// Threads made and not yet joined by CloseHandle.
std::uint32_t GetLiveThreadCount();

// Threads are made again; the live count is left alone, as it follows real threads.
void ResetThreads();

} // namespace win32::testing
