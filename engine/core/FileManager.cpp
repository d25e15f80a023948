#include "engine/core/FileManager.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/FileSearch.h"
#include "platform/win32/Folders.h"
#include "platform/win32/PathResolution.h"
#include "platform/win32/Shell.h"

#include <unordered_set>

namespace OrvaneEngine
{
namespace
{

std::string UnderProgramFolder(const std::string& path)
{
    return IsAbsolutePath(path) ? path : GetExecutableFolder() + "\\" + path;
}

// The pack directory's form of a name: lower case, doubled backslashes folded.
std::string PackKey(const std::string& name)
{
    std::string key = ToLower(name);
    ReplaceAll(key, "\\\\", "\\");
    return key;
}

} // namespace

FileManager::FileManager(MessageManager* messageLog, const std::string& root, const std::string& packFolder)
    : log(messageLog), rootFolder(root.empty() ? GetExecutableFolder() : root)
{
    if (log)
        log->Message("Initialization of File Manager...");
    const std::string searchFolder = packFolder.empty() ? rootFolder : rootFolder + "\\" + packFolder;
    std::vector<std::string> names;
    FindDiskFiles(searchFolder, "*.pak", names);
    for (const std::string& name : names)
    {
        try
        {
            packs.push_back(std::make_unique<PackFile>(log, name));
        }
        catch (const Error&)
        {
            // The pack has logged why and closed itself.
        }
    }
}

FileManager::~FileManager() = default;

std::unique_ptr<FileBinary> FileManager::Open(const std::string& name, bool write, bool forceMemory)
{
    const std::string path = IsAbsolutePath(name) ? name : rootFolder + "\\" + name;
    if (write)
    {
        CreateDirectories(path);
        return std::make_unique<FileBinary>(path, true, false);
    }
    // The disk first, so that a loose file overrides a packed one from the
    // moment it appears; the file then opens where it was found.
    const std::string onDisk = win32::FindExistingPath(UnderProgramFolder(path), 0);
    if (!onDisk.empty())
        return FileBinary::OpenAt(path, onDisk, forceMemory);
    const std::string key = PackKey(name);
    for (const auto& pack : packs)
    {
        std::uint32_t size = 0;
        if (auto bytes = pack->ReadEntry(key, size))
            return FileBinary::FromBytes(path, std::move(bytes), size);
    }
    // Reports the missing file, or opens one that has just appeared.
    return std::make_unique<FileBinary>(path, false, forceMemory);
}

std::unique_ptr<FileTextual> FileManager::OpenTextual(const std::string& name, bool write, std::uint32_t encoding)
{
    return std::make_unique<FileTextual>(Open(name, write, false), write, encoding);
}

bool FileManager::Exists(const std::string& name) const
{
    const std::string path = IsAbsolutePath(name) ? name : rootFolder + "\\" + name;
    return ExistsOnDisk(path) || FindInPacks(name, nullptr, nullptr);
}

bool FileManager::FindInPacks(const std::string& name, std::uint32_t* size, void* buffer) const
{
    const std::string key = PackKey(name);
    for (const auto& pack : packs)
    {
        if (!pack->Contains(key))
            continue;
        if (size)
            pack->GetFileSize(key, *size);
        if (buffer)
            pack->ReadFile(key, buffer);
        return true;
    }
    return false;
}

void FileManager::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const
{
    const std::string path = IsAbsolutePath(folder) ? folder : rootFolder + "\\" + folder;
    FindDiskFiles(path, mask, list);
    for (const auto& pack : packs)
        pack->FindFiles(folder, mask, list);

    std::unordered_set<std::string> seen;
    std::vector<std::string> unique;
    unique.reserve(list.size());
    for (std::string& entry : list)
    {
        if (!entry.empty() && seen.insert(ToLower(entry)).second)
            unique.push_back(std::move(entry));
    }
    list = std::move(unique);
}

bool FileManager::ExistsOnDisk(const std::string& path)
{
    return win32::_access(UnderProgramFolder(path), 0) == 0;
}

void FileManager::DeletePath(const std::string& path)
{
    // An empty name would stand for the program's own folder.
    if (path.empty())
        return;
    std::string from = UnderProgramFolder(path);
    from.push_back('\0'); // the list of names ends with a second zero
    win32::SHFILEOPSTRUCTA operation;
    operation.wFunc = win32::FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = win32::FOF_SILENT | win32::FOF_NOCONFIRMATION;
    win32::SHFileOperationA(&operation);
}

void FileManager::CreateDirectories(const std::string& path)
{
    // '/' separates the levels of an absolute prefix, which may not exist
    // yet either (a fresh per-user folder).
    for (std::size_t at = path.find_first_of("\\/", 1); at != std::string::npos;
         at = path.find_first_of("\\/", at + 1))
        win32::CreateDirectoryA(path.substr(0, at), nullptr);
}

void FileManager::FindDiskFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list)
{
    std::string full = MakeExecutablePath(folder);
    if (full.empty() || full.back() != '\\')
        full += '\\';
    win32::_finddata_t found;
    const std::intptr_t search = win32::_findfirst(full + mask, &found);
    if (search == -1)
        return;
    const bool endsWithSeparator = !folder.empty() && folder.back() == '\\';
    const std::size_t drop = full.size() - folder.size() - (endsWithSeparator ? 0 : 1);
    do
    {
        const std::string name = found.name;
        if (!(found.attrib & win32::_A_SUBDIR))
            list.push_back((full + name).substr(drop));
        // A linked folder may lead back to one of its ancestors.
        else if (!(found.attrib & win32::FILE_ATTRIBUTE_REPARSE_POINT) && name != "." && name != "..")
            FindDiskFiles(full + name, mask, list);
    } while (win32::_findnext(search, &found) == 0);
    win32::_findclose(search);
}

} // namespace OrvaneEngine
