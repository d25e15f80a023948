#pragma once

// The values the movie writer's calls take and answer: results, handles,
// flags, the stream description and the compression choice.

#include "platform/win32/ComTypes.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace vfw
{

class AviFile;
class AviStream;

using win32::FAILED;
using win32::HRESULT;
using win32::SUCCEEDED;
using FOURCC = std::uint32_t;
using PAVIFILE = AviFile*;
using PAVISTREAM = AviStream*;

// Four characters read as a little-endian word, as they lie in the file.
constexpr FOURCC MakeFourCC(char a, char b, char c, char d)
{
    return static_cast<FOURCC>(static_cast<std::uint8_t>(a)) |
           static_cast<FOURCC>(static_cast<std::uint8_t>(b)) << 8 |
           static_cast<FOURCC>(static_cast<std::uint8_t>(c)) << 16 |
           static_cast<FOURCC>(static_cast<std::uint8_t>(d)) << 24;
}

inline constexpr FOURCC streamtypeVIDEO = MakeFourCC('v', 'i', 'd', 's');
// The handler of full frames stored as they are.
inline constexpr FOURCC kUncompressedHandler = MakeFourCC('D', 'I', 'B', ' ');

inline constexpr HRESULT AVIERR_OK = 0;
inline constexpr HRESULT AVIERR_UNSUPPORTED = static_cast<HRESULT>(0x80044065u);
inline constexpr HRESULT AVIERR_BADFORMAT = static_cast<HRESULT>(0x80044066u);
inline constexpr HRESULT AVIERR_MEMORY = static_cast<HRESULT>(0x80044067u);
inline constexpr HRESULT AVIERR_BADSIZE = static_cast<HRESULT>(0x80044068u);
inline constexpr HRESULT AVIERR_FILEWRITE = static_cast<HRESULT>(0x8004406Bu);
inline constexpr HRESULT AVIERR_FILEOPEN = static_cast<HRESULT>(0x8004406Du);
inline constexpr HRESULT AVIERR_NOCOMPRESSOR = static_cast<HRESULT>(0x80044071u);
inline constexpr HRESULT AVIERR_BADPARAM = static_cast<HRESULT>(0x80044072u);
inline constexpr HRESULT AVIERR_ERROR = static_cast<HRESULT>(0x800440C7u);

// AVIFileOpenA modes.
inline constexpr std::uint32_t OF_WRITE = 0x0001;
inline constexpr std::uint32_t OF_CREATE = 0x1000;

// A sample that needs no other to be shown.
inline constexpr std::uint32_t AVIIF_KEYFRAME = 0x10;

// What a stream holds and how fast it plays: `rate` / `scale` samples per
// second; `frame` is the picture's rectangle.
struct AVISTREAMINFOA
{
    FOURCC type;
    FOURCC handler;
    std::uint32_t flags;
    std::uint16_t priority;
    std::uint16_t language;
    std::uint32_t scale;
    std::uint32_t rate;
    std::uint32_t start;
    std::uint32_t initialFrames;
    std::uint32_t suggestedBufferSize;
    win32::RECT frame;
};

// The compressor chosen for a stream.
struct AVICOMPRESSOPTIONS
{
    FOURCC type;
    FOURCC handler;
    std::uint32_t keyFrameEvery;
    std::uint32_t quality;
    std::uint32_t bytesPerSecond;
    std::uint32_t flags;
};

} // namespace vfw
