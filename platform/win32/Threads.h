#pragma once

#include <cstdint>

namespace win32
{

// A started thread as its creator holds it; CloseHandle lets it go.
class ThreadObject;
using HANDLE = ThreadObject*;
using LPTHREAD_START_ROUTINE = std::uint32_t (*)(void* parameter);

inline constexpr std::uint32_t INFINITE = 0xFFFFFFFFu;
inline constexpr std::uint32_t WAIT_OBJECT_0 = 0;
inline constexpr std::uint32_t WAIT_TIMEOUT = 258;

// Starts procedure(parameter) at once on a new thread with the default
// stack. Null when no thread can be made.
HANDLE CreateThread(LPTHREAD_START_ROUTINE procedure, void* parameter);
// WAIT_OBJECT_0 once the procedure has returned; WAIT_TIMEOUT when it is
// still running after the given milliseconds (INFINITE waits for its end).
std::uint32_t WaitForSingleObject(HANDLE handle, std::uint32_t milliseconds);
// Waits for the thread's end, then frees the handle. False for null.
bool CloseHandle(HANDLE handle);

} // namespace win32
