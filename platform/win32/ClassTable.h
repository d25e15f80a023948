#pragma once

#include "platform/win32/WindowTypes.h"

#include <cstdint>
#include <string>

namespace win32::detail
{

// The registered class of that name, or null.
const WNDCLASSA* FindWindowClass(const std::string& name);
// The resource number behind an icon handle (0 for the system's own).
std::uint32_t IconResourceOf(HICON icon);

} // namespace win32::detail
