#pragma once

#include "platform/vfw/AviLayout.h"
#include "platform/vfw/Types.h"
#include "platform/win32/AtomicFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vfw
{

// The most bytes a movie file may reach: a frame that would take it past
// that is refused, and the movie ends there (about 870 frames at 640 x 480).
inline constexpr std::uint64_t kMovieSizeCap = 1ull << 30;

// One movie being written: a single video stream of uncompressed frames.
// The bytes go to "<path>.tmp"; when the last reference goes the index is
// appended, the header patched and the file renamed over the path, so a
// crash never leaves a broken movie under the final name. A file that never
// got a stream format holds no movie and is removed instead.
class AviFile
{
public:
    explicit AviFile(const std::string& path);
    AviFile(const AviFile&) = delete;
    AviFile& operator=(const AviFile&) = delete;

    bool IsOpen() const { return file.IsOpen(); }

    void AddRef() { ++references; }
    // Finishes and deletes the file with its last reference; returns the
    // references left.
    std::uint32_t Release();

    // The one video stream; it holds a reference to the file.
    HRESULT CreateStream(const AVISTREAMINFOA& info, PAVISTREAM* stream);
    // A bitmap header of 24 or 32 bits, uncompressed, bottom-up; set once.
    HRESULT SetFormat(const void* format, std::int32_t size);
    // Appends one frame of exactly the format's image size at the stream's
    // end, unless the file would grow past the size cap.
    HRESULT Write(std::int32_t start, std::int32_t samples, const void* buffer, std::int32_t size,
                  std::uint32_t flags);

private:
    ~AviFile();

    // True when the movie is complete under its final name.
    bool Finish();
    bool WriteBytes(const void* data, std::size_t size);
    bool WriteHeader();
    // Puts the write position back behind the last whole frame.
    void RollBack();

    win32::AtomicFile file;
    std::uint32_t references = 1;
    bool hasStream = false;
    AVISTREAMINFOA info{};
    std::vector<std::uint8_t> format;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t imageSize = 0;
    // Where the next frame chunk goes.
    std::uint64_t end = 0;
    std::vector<detail::AviIndexEntry> index;
    // The bytes on disk no longer match what is recorded here.
    bool broken = false;
};

} // namespace vfw
