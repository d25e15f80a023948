#pragma once

#include <cstddef>
#include <cstdint>

namespace OrvaneEngine
{

class FileBinary;

// A FileBinary as the data source of the Ogg Vorbis decoder: its read, seek,
// tell and close callbacks. The source keeps its own position, because the
// decoder may stand at the very end of the file, which FileBinary::Seek does
// not allow.
class OggFileSource
{
public:
    explicit OggFileSource(FileBinary* file) : file(file) {}

    // fread-like: items of `size` bytes; a short count at the end.
    static std::size_t Read(void* destination, std::size_t size, std::size_t count, void* source);
    // fseek-like: 0 on success, -1 for a target before 0 or past the end (or
    // an unknown origin), which leaves the position unchanged.
    static int Seek(void* source, std::int64_t offset, int whence);
    // The file stays open: its reader owns it.
    static int Close(void* source);
    static long Tell(void* source);

private:
    FileBinary* file;
    std::uint64_t position = 0;
};

} // namespace OrvaneEngine
