#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace win32
{
class AtomicFile;
}

namespace OrvaneEngine
{

// A sequence of bytes with a position, held in memory or read from and
// written to an open stream. All data files share its conventions:
// little-endian numbers, narrow strings with a u8 length, wide strings with a
// u8 count of UTF-16 units.
class FileBinary
{
public:
    // Files of up to this size are read whole at open.
    static constexpr std::uint32_t MemoryThreshold = 8388608;

    // Opens name for reading or writing, or (fromMemory) copies memorySize
    // bytes of memoryData. Throws FileError when the file cannot be opened or
    // read. A written file goes to a temporary name until it is closed.
    FileBinary(const std::string& name, bool write, bool forceMemory = false, bool fromMemory = false,
               std::uint32_t memorySize = 0, const void* memoryData = nullptr);
    // Never throws: a written file is committed when it is destroyed normally
    // and discarded when destroyed by an exception or after a failed write.
    // A writer that must know whether its data reached the disk calls Close.
    // A file read from systemPath, the operating system's own path of name
    // (as the file manager found it on disk); name stands in error texts.
    static std::unique_ptr<FileBinary> OpenAt(const std::string& name, const std::string& systemPath,
                                              bool forceMemory);
    // A memory file that takes the bytes over rather than copying them.
    static std::unique_ptr<FileBinary> FromBytes(const std::string& name, std::unique_ptr<std::uint8_t[]> bytes,
                                                 std::uint32_t size);
    virtual ~FileBinary();
    FileBinary(const FileBinary&) = delete;
    FileBinary& operator=(const FileBinary&) = delete;

    // Copies up to count bytes. With outCount the number copied is reported;
    // without it a request past the end throws FileError after copying what
    // there was.
    void Read(void* buffer, std::uint32_t count, std::uint32_t* outCount = nullptr);
    // With outCount the number written is reported; without it a short write
    // throws FileError.
    void Write(const void* data, std::uint32_t count, std::uint32_t* outCount = nullptr);
    // Origin 0 from the start, 1 back from the end, 2 from the current
    // position. False when the target lay outside the file (then clamped).
    bool Seek(std::uint32_t origin, std::int32_t offset);

    void ReadString(std::string& out);
    void ReadWideString(std::u16string& out);
    // At most 254 units are stored; a longer text is cut, never inside a
    // surrogate pair.
    void WriteWideString(const std::u16string& text);
    void WriteByte(std::uint8_t value);
    void ReadInt32(std::int32_t& out);
    void ReadUInt32(std::uint32_t& out);

    // Releases the file. A written file is flushed, synced and moved over its
    // target; when any of that fails the target keeps its old contents and
    // FileError is thrown. Later calls do nothing.
    void Close();
    // Drops what a file opened for writing holds; its target keeps its old contents.
    void Discard() noexcept;

    const std::string& GetName() const { return name; }
    std::uint32_t GetSize() const { return size; }
    std::uint32_t GetPosition() const { return position; }
    bool IsWrite() const { return write; }
    // True while the bytes live in memory rather than behind a stream.
    bool IsInMemory() const { return data != nullptr; }

private:
    struct Unopened
    {
    };
    FileBinary(const std::string& name, Unopened);
    void OpenForReading(const std::string& fullPath, bool forceMemory);
    std::uint32_t CopyOut(void* buffer, std::uint32_t count);
    [[noreturn]] void ThrowWriteError(std::uint32_t count) const;

    std::string name;
    std::unique_ptr<win32::AtomicFile> output;
    std::FILE* input = nullptr; // a large file read from disk keeps its stream
    bool write = false;
    std::uint32_t size = 0;
    std::uint32_t position = 0;
    std::unique_ptr<std::uint8_t[]> data;
    bool writeFailed = false;
    int exceptionsAtOpen = 0;
};

} // namespace OrvaneEngine
