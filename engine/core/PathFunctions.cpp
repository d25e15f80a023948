#include "engine/core/PathFunctions.h"

#include "engine/core/StringFunctions.h"
#include "platform/win32/Shell.h"

namespace OrvaneEngine
{

bool IsAbsolutePath(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

std::string MakeExecutablePath(const std::string& name)
{
    return IsAbsolutePath(name) ? name : GetExecutableFolder() + "\\" + name;
}

std::string MakeDataPath(const std::string& name)
{
    return IsAbsolutePath(name) ? name : "data\\" + name;
}

std::string GetDirectoryPart(const std::string& path)
{
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string GetExtension(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

void ChangeExtension(std::string& path, const std::string& extension)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos)
    {
        if (!extension.empty())
            path += "." + extension;
    }
    else if (extension.empty())
    {
        path.erase(dot);
    }
    else
    {
        path.replace(dot + 1, std::string::npos, extension);
    }
}

bool HasExtension(const std::string& path, const std::string& extension)
{
    return ToLower(GetExtension(path)) == ToLower(extension);
}

std::string GetAppDataFolder()
{
    char folder[win32::MAX_PATH] = {};
    if (win32::SHGetFolderPathA(0, win32::CSIDL_APPDATA | win32::CSIDL_FLAG_CREATE, nullptr, 0, folder) !=
        win32::S_OK)
        return std::string();
    return folder;
}

} // namespace OrvaneEngine
