#pragma once

// Where the parts of a movie file lie and what their bytes are: an AVI 1.0
// file with one video stream, little-endian, every chunk padded to an even
// size. Platform-internal.

#include "platform/vfw/Types.h"

#include <cstdint>
#include <vector>

namespace vfw::detail
{

struct AviIndexEntry
{
    // From the 'movi' fourcc to the chunk's own fourcc.
    std::uint32_t offset;
    std::uint32_t size;
    std::uint32_t flags;
};

// What the header states; patched into place when the file is finished.
struct AviHeaderValues
{
    AVISTREAMINFOA info;
    // The stream's format: a bitmap header, with its colour table when it has one.
    const std::vector<std::uint8_t>* format;
    std::int32_t width;
    std::int32_t height;
    std::uint32_t imageSize;
    std::uint32_t frames;
    // The frame chunks' bytes, headers and padding included.
    std::uint32_t movieBytes;
    // The index chunk's bytes, its header included.
    std::uint32_t indexBytes;
};

// From the start of the file to the first frame chunk.
std::uint32_t GetHeaderSize(std::size_t formatSize);
// Where the 'movi' fourcc lies, the origin of the index offsets.
std::uint32_t GetMovieListStart(std::size_t formatSize);
std::uint32_t GetIndexBytes(std::size_t entries);

std::vector<std::uint8_t> BuildHeader(const AviHeaderValues& values);
std::vector<std::uint8_t> BuildIndex(const std::vector<AviIndexEntry>& entries);
// A frame chunk's header: '00db' and the size before padding.
std::vector<std::uint8_t> BuildFrameChunkHeader(std::uint32_t size);

} // namespace vfw::detail
