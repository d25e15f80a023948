#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class FileBinary;
class MessageManager;

// An "OVPAK" archive: a directory of lower-cased names, each with the offset
// and size of its bytes, read once when the pack is opened. The names are
// paths relative to the root folder with '\' between the levels.
class PackFile
{
public:
    // Opens the pack and reads its directory. When the pack cannot be used it
    // logs why, closes itself and throws Error with an empty text.
    PackFile(MessageManager* log, const std::string& path);
    virtual ~PackFile();
    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    bool Contains(const std::string& name) const;
    // The entry's size; false (size untouched) when the name is not held.
    // Throws FileError when the entry's record reaches past the end of the
    // pack, before anyone allocates room for it.
    bool GetFileSize(const std::string& name, std::uint32_t& size) const;
    // Reads the entry into a buffer of GetFileSize bytes; false when the
    // name is not held. Throws FileError when the entry reaches past the end
    // of the pack. Safe to call from several threads.
    bool ReadFile(const std::string& name, void* buffer);
    // The bytes of the entry of a name already lower-cased, read with one
    // copy; null (size untouched) when the name is not held. Throws FileError
    // when the entry reaches past the end of the pack.
    std::unique_ptr<std::uint8_t[]> ReadEntry(const std::string& lowerCaseName, std::uint32_t& size);
    // Appends every entry under folder (subfolders included) whose rest of
    // the name contains the mask without its first '*'.
    void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const;
    // Releases the file and forgets the directory.
    void Close();

private:
    struct Entry
    {
        std::uint32_t offset;
        std::uint32_t size;
    };

    void ReadDirectory();
    // The entry of a name, checked against the pack's size; null when absent.
    const Entry* Find(const std::string& name) const;
    const Entry* FindLowerCase(const std::string& lowerCaseName) const;

    MessageManager* log;
    std::string path;
    std::unique_ptr<FileBinary> file;
    std::map<std::string, Entry, std::less<>> directory;
    // The pack's file has one position, which every read moves.
    std::mutex readLock;
};

} // namespace OrvaneEngine
