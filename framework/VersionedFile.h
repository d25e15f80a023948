#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace OrvaneEngine
{
class Engine;
class FileBinary;
class FileManager;
} // namespace OrvaneEngine

namespace GameFramework
{

// A data file that starts with the shared 13-byte header: the total size
// (u32), five magic characters and the format version (u32), little-endian.
// The owner reads or writes the body through GetFile.
class VersionedFile
{
public:
    static constexpr std::uint32_t HeaderSize = 13;
    static constexpr std::uint32_t MagicSize = 5;
    using Header = std::array<std::uint8_t, HeaderSize>;

    // Only the first five characters of magic count; a shorter one is padded
    // with zeros.
    VersionedFile(OrvaneEngine::Engine* engine, std::string_view magic, std::uint32_t version);
    VersionedFile(OrvaneEngine::FileManager* fileManager, std::string_view magic, std::uint32_t version);
    // Closes as Close does but never throws: a failed or abandoned write
    // leaves the target as it was.
    ~VersionedFile();
    VersionedFile(const VersionedFile&) = delete;
    VersionedFile& operator=(const VersionedFile&) = delete;

    // Closes the file still open (see the definition for what happens to a
    // failed one), then opens path. Reading checks the magic, the size and,
    // unless acceptAnyVersion, the version, and leaves the file at the body.
    // Writing puts a provisional header first. Throws FileError.
    void Open(const std::string& path, std::uint32_t forWrite, std::uint8_t acceptAnyVersion,
              std::uint32_t* outVersion);
    OrvaneEngine::FileBinary* GetFile() const { return file.get(); }
    // The header for a file whose size is the open file's current position.
    void MakeHeader(Header& header) const;
    // A written file gets its header with the final size and replaces its
    // target; FileError when it could not, and then the target keeps its old
    // contents. Nothing happens when no file is open.
    void Close();

private:
    OrvaneEngine::FileManager* fileManager;
    std::array<char, MagicSize> magic{};
    std::uint32_t version;
    std::unique_ptr<OrvaneEngine::FileBinary> file;
    std::uint32_t mode = 0;
    int exceptionsAtOpen = 0;
};

} // namespace GameFramework
