#pragma once

#include <cstdint>
#include <string>

namespace win32
{

// Attribute bits of a listed entry.
constexpr std::uint32_t _A_NORMAL = 0x00;
constexpr std::uint32_t _A_SUBDIR = 0x10;
// The entry is a symbolic link (to a folder when _A_SUBDIR is set as well).
constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400;

struct _finddata_t
{
    std::uint32_t attrib = 0;
    std::uint64_t size = 0;
    char name[260] = {};
};

// Lists the folder of filespec (the text before its last separator) for the
// names matching its last component, where '*' and '?' match without regard
// to ASCII case. "." and ".." are never listed. The listing is sorted by
// lower-cased name, then by exact name. -1 when nothing matches; else a
// handle, with the first entry in data.
std::intptr_t _findfirst(const std::string& filespec, _finddata_t* data);
// The next entry: 0, or -1 at the end of the listing.
int _findnext(std::intptr_t handle, _finddata_t* data);
// 0, or -1 for a handle that is not open.
int _findclose(std::intptr_t handle);

// Mode 0: whether a file or folder exists; 2, 4 and 6: whether it may be
// written, read, or both. 0 when it does, -1 when not.
int _access(const std::string& path, int mode);

// Whether name matches a mask of '*' and '?' without regard to ASCII case.
bool MatchesMask(const std::string& name, const std::string& mask);

} // namespace win32
