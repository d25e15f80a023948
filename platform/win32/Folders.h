#pragma once

#include <cstdint>
#include <string>

namespace win32
{

// Makes one folder; the levels above it must exist (they are found without
// regard to case). Nonzero on success; a folder that exists already fails.
std::int32_t CreateDirectoryA(const std::string& path, void* securityAttributes);

// Makes every folder on the way to the file at path that does not exist yet
// (path is one of our path texts, with '\' or '/'). Existing levels are found
// without regard to case, missing ones get the names given. True when they
// all exist afterwards.
bool CreateParentFolders(const std::string& path);

} // namespace win32
