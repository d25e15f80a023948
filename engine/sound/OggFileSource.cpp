#include "engine/sound/OggFileSource.h"

#include "engine/core/FileBinary.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace OrvaneEngine
{

std::size_t OggFileSource::Read(void* destination, std::size_t size, std::size_t count, void* source)
{
    auto* self = static_cast<OggFileSource*>(source);
    const std::uint64_t fileSize = self->file->GetSize();
    if (size == 0 || count == 0 || self->position >= fileSize)
        return 0;
    const std::uint64_t left = fileSize - self->position;
    const std::uint64_t items = std::min<std::uint64_t>(count, left / size);
    if (items == 0)
        return 0;
    if (self->file->GetPosition() != self->position)
        self->file->Seek(0, static_cast<std::int32_t>(self->position));
    std::uint32_t got = 0;
    self->file->Read(destination, static_cast<std::uint32_t>(items * size), &got);
    self->position += got;
    return got / size;
}

int OggFileSource::Seek(void* source, std::int64_t offset, int whence)
{
    auto* self = static_cast<OggFileSource*>(source);
    const std::int64_t fileSize = self->file->GetSize();
    std::int64_t base = 0;
    switch (whence)
    {
    case SEEK_SET:
        base = 0;
        break;
    case SEEK_CUR:
        base = static_cast<std::int64_t>(self->position);
        break;
    case SEEK_END:
        base = fileSize;
        break;
    default:
        return -1;
    }
    // The file is at most 4 GiB, so a larger offset is out of it either way.
    if (offset < -fileSize || offset > fileSize)
        return -1;
    const std::int64_t target = base + offset;
    if (target < 0 || target > fileSize)
        return -1;
    self->position = static_cast<std::uint64_t>(target);
    return 0;
}

int OggFileSource::Close(void*)
{
    return 0;
}

long OggFileSource::Tell(void* source)
{
    return static_cast<long>(static_cast<OggFileSource*>(source)->position);
}

} // namespace OrvaneEngine
