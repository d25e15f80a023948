#pragma once

#include <string>

namespace win32
{

// The operating system's path for one of our path texts. '\' becomes '/',
// empty components collapse, and each component is taken as written when it
// exists, else as the entry of its folder that equals it without regard to
// ASCII case (of several, the smallest in byte order). From the first
// component that matches nothing on, the rest stays as written, so a file or
// folder about to be created gets the name it was given.
// Listings of the folders looked into are kept (see FolderListings), so a
// name that is not on disk as written costs a stat per level walked.
std::string ResolvePath(const std::string& path);

// The operating system's path of a file or folder that access() with the
// mode finds, as written first and else resolved; empty when there is none.
std::string FindExistingPath(const std::string& path, int accessMode);

// True when the two names are equal without regard to ASCII case.
bool EqualsNoCase(const std::string& a, const std::string& b);

} // namespace win32
