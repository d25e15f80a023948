#pragma once

#include <cstdint>
#include <optional>

namespace win32::testing
{

// GetTickCount answers this value until reset, so a seed is known in advance.
void SetFixedTickCount(std::uint32_t milliseconds);
// Back to the real clock.
void ResetTickCount();
// The fixed value, if one is set.
std::optional<std::uint32_t> GetFixedTickCount();

} // namespace win32::testing
