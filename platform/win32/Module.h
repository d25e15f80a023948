#pragma once

#include <string>

namespace win32
{

// GetModuleFileNameA: the full file name of the running program when module
// is null, of any length; empty for any other module, or when the name cannot
// be read.
std::string GetModuleFileNameA(const void* module);

} // namespace win32
