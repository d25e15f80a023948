#include "platform/win32/Folders.h"
#include "platform/win32/PathResolution.h"

#include <sys/stat.h>

namespace win32
{

std::int32_t CreateDirectoryA(const std::string& path, void*)
{
    const std::string resolved = ResolvePath(path);
    if (resolved.empty())
        return 0;
    return ::mkdir(resolved.c_str(), 0777) == 0 ? 1 : 0;
}

bool CreateParentFolders(const std::string& path)
{
    std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos)
        return true;
    for (std::size_t at = path.find_first_of("\\/", 1); at != std::string::npos && at <= last;
         at = path.find_first_of("\\/", at + 1))
        CreateDirectoryA(path.substr(0, at), nullptr);
    const std::string parent = ResolvePath(last == 0 ? path.substr(0, 1) : path.substr(0, last));
    struct stat status
    {
    };
    return ::stat(parent.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace win32
