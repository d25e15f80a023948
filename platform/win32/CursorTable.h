#pragma once

#include <cstdint>

namespace win32::detail
{

// Applies the display counter to the platform library's cursor.
void ApplyCursorVisibility();
// Frees the platform library's cursors before its video subsystem stops;
// the handles stay valid and make them again when next shown.
void ReleasePlatformCursors();

std::int32_t GetDisplayCounter();
void SetDisplayCounter(std::int32_t counter);
// The resource number of the cursor last set (IDC_ARROW for the arrow), 0 for none.
std::uint32_t GetCurrentCursorId();

} // namespace win32::detail
