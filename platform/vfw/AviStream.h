#pragma once

#include "platform/vfw/Types.h"

#include <cstdint>

namespace vfw
{

// A stream handle: either the file's own video stream, or a compressed
// stream made over another stream. Frames are stored as they are, so a
// compressed stream passes everything on to the stream below it.
class AviStream
{
public:
    // Each holds a reference to what it is made over.
    explicit AviStream(AviFile* file);
    explicit AviStream(AviStream* source);
    AviStream(const AviStream&) = delete;
    AviStream& operator=(const AviStream&) = delete;

    void AddRef() { ++references; }
    // Deletes the stream with its last reference; returns the references left.
    std::uint32_t Release();

    HRESULT SetFormat(const void* format, std::int32_t size);
    HRESULT Write(std::int32_t start, std::int32_t samples, const void* buffer, std::int32_t size,
                  std::uint32_t flags);

private:
    ~AviStream();

    AviFile* file = nullptr;
    AviStream* source = nullptr;
    std::uint32_t references = 1;
};

} // namespace vfw
