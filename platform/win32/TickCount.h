#pragma once

#include <cstdint>

namespace win32
{

// Milliseconds of CLOCK_MONOTONIC, wrapping at 2^32; seeds the random generator.
std::uint32_t GetTickCount();

} // namespace win32
