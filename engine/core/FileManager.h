#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class FileBinary;
class FileTextual;
class MessageManager;
class PackFile;

// The one door to the program's files: loose files under the root folder
// first, then the "*.pak" packs found in the pack folder at construction, in
// the order they were found.
class FileManager
{
public:
    // An empty root is the program's folder; an empty pack folder the root.
    FileManager(MessageManager* log, const std::string& rootFolder, const std::string& packFolder);
    virtual ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    const std::string& GetRootFolder() const { return rootFolder; }

    // A relative name is taken under the root. Writing makes the missing
    // folders first; reading takes the disk's file, else a pack's copy.
    // Throws FileError when the file cannot be opened or read.
    std::unique_ptr<FileBinary> Open(const std::string& name, bool write, bool forceMemory = false);
    // Open, then text over it; the encoding matters only for writing.
    std::unique_ptr<FileTextual> OpenTextual(const std::string& name, bool write, std::uint32_t encoding);
    bool Exists(const std::string& name) const;
    // Looks the name up in the packs (lower case, doubled '\' folded); when
    // found, writes the size and reads the bytes where asked.
    bool FindInPacks(const std::string& name, std::uint32_t* size, void* buffer) const;
    // Appends the matching files on disk (as full paths) and in the packs
    // (as their lower-case names), without duplicates.
    void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const;

    // A relative path is taken under the program's folder in these four.
    static bool ExistsOnDisk(const std::string& path);
    // Deletes a file or a folder tree. Never reports; refuses the empty path
    // and folders whose loss would take the system, the home or the program
    // with them.
    static void DeletePath(const std::string& path);
    // Makes every folder level before the last separator; failures are ignored.
    static void CreateDirectories(const std::string& path);
    // Appends the files of folder that match mask, and those of its
    // subfolders whose names match it too, without entering linked folders.
    static void FindDiskFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list);

private:
    MessageManager* log;
    std::string rootFolder;
    std::vector<std::unique_ptr<PackFile>> packs;
};

} // namespace OrvaneEngine
