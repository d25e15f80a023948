#include "content/FuzzSeeds.h"

#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"
#include "platform/win32/Folders.h"

namespace corvellan::content
{

bool WriteSeed(const std::string& folder, const std::string& target, const std::string& name,
               const std::string& bytes)
{
    const std::string path = folder + "/" + target + "/" + name;
    if (!win32::CreateParentFolders(path))
        return false;
    win32::AtomicFile file(path);
    if (!file.IsOpen() || win32::fwrite(bytes.data(), 1, bytes.size(), file.GetStream()) != bytes.size())
        return false;
    return file.Commit();
}

} // namespace corvellan::content
