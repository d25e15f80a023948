#pragma once

#include <cstdint>

namespace win32
{

// Suspends the calling thread for at least the given milliseconds.
void Sleep(std::uint32_t milliseconds);

} // namespace win32
