#pragma once

#include <string>

namespace win32::testing
{

// GetModuleFileNameA(nullptr) answers path from now on, and with it every
// place that follows the program's folder (the engine's executable folder,
// relative paths, the delete guard).
void SetModuleFileName(const std::string& path);
// The running program's own file name again.
void ResetModuleFileName();

} // namespace win32::testing
