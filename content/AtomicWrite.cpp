#include "content/AtomicWrite.h"

#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"
#include "platform/win32/Folders.h"

namespace corvellan::content
{

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    if (!win32::CreateParentFolders(path))
        return false;
    win32::AtomicFile file(path);
    if (!file.IsOpen() || win32::fwrite(bytes.data(), 1, bytes.size(), file.GetStream()) != bytes.size())
        return false;
    return file.Commit();
}

} // namespace corvellan::content
