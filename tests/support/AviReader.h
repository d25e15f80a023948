#pragma once

// An independent reader of the AVI files the movie writer makes: it walks the
// RIFF chunks with every size checked against the bytes present and collects
// what the tests compare.

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::test
{

struct AviFrameChunk
{
    // Where the chunk's fourcc lies in the file.
    std::uint64_t position;
    std::string id;
    std::vector<std::uint8_t> bytes;
};

struct AviIndexRow
{
    std::string id;
    std::uint32_t flags;
    std::uint32_t offset;
    std::uint32_t size;
};

struct AviContents
{
    // Empty when the file is well formed; otherwise why not.
    std::string error;

    std::uint64_t fileSize = 0;
    std::uint32_t riffSize = 0;

    // 'avih'
    std::uint32_t microSecondsPerFrame = 0;
    std::uint32_t maxBytesPerSecond = 0;
    std::uint32_t mainFlags = 0;
    std::uint32_t totalFrames = 0;
    std::uint32_t initialFrames = 0;
    std::uint32_t streams = 0;
    std::uint32_t mainSuggestedBuffer = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // 'strh'
    std::string streamType;
    std::uint32_t handler = 0;
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    std::uint32_t streamSuggestedBuffer = 0;
    std::int32_t quality = 0;
    std::uint32_t sampleSize = 0;
    std::int16_t frame[4] = {0, 0, 0, 0};

    // 'strf', read as a bitmap header.
    std::uint32_t formatBytes = 0;
    std::uint32_t formatHeaderSize = 0;
    std::int32_t formatWidth = 0;
    std::int32_t formatHeight = 0;
    std::uint16_t formatPlanes = 0;
    std::uint16_t formatBits = 0;
    std::uint32_t formatCompression = 0;
    std::uint32_t formatImageSize = 0;

    // 'movi': the position of its fourcc (the origin of the index offsets).
    std::uint64_t movieListStart = 0;
    std::uint32_t movieListSize = 0;
    std::vector<AviFrameChunk> frames;
    bool hasIndex = false;
    std::vector<AviIndexRow> index;
};

AviContents ReadAvi(const std::vector<std::uint8_t>& bytes);
// The file's contents; error set when it cannot be read.
AviContents ReadAviFile(const std::string& path);

// Empty when the header counts, the index and the chunks all agree and every
// index entry points at its chunk; otherwise the first disagreement.
std::string CheckAviConsistency(const AviContents& avi);

} // namespace corvellan::test
