#include "platform/vfw/AviLayout.h"

#include <algorithm>
#include <string_view>

namespace vfw::detail
{
namespace
{

constexpr std::uint32_t kMainHeaderSize = 56;
constexpr std::uint32_t kStreamHeaderSize = 56;
constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kDefaultQuality = 0xFFFFFFFFu;

std::uint32_t Padded(std::size_t size)
{
    return static_cast<std::uint32_t>(size + (size & 1));
}

class ByteWriter
{
public:
    explicit ByteWriter(std::vector<std::uint8_t>& target) : bytes(target) {}

    void U32(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void U16(std::uint16_t value)
    {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void I16(std::int32_t value) { U16(static_cast<std::uint16_t>(std::clamp(value, -32768, 32767))); }
    void FourCC(std::string_view code)
    {
        for (char c : code)
            bytes.push_back(static_cast<std::uint8_t>(c));
    }
    void Chunk(std::string_view code, std::uint32_t size)
    {
        FourCC(code);
        U32(size);
    }
    void Bytes(const std::vector<std::uint8_t>& data)
    {
        bytes.insert(bytes.end(), data.begin(), data.end());
        if (data.size() & 1)
            bytes.push_back(0);
    }

private:
    std::vector<std::uint8_t>& bytes;
};

std::uint32_t StreamListSize(std::size_t formatSize)
{
    return 4 + (8 + kStreamHeaderSize) + (8 + Padded(formatSize));
}

std::uint32_t HeaderListSize(std::size_t formatSize)
{
    return 4 + (8 + kMainHeaderSize) + (8 + StreamListSize(formatSize));
}

} // namespace

std::uint32_t GetHeaderSize(std::size_t formatSize)
{
    // RIFF header and form type, the header list, then the movie list's header and type.
    return 12 + 8 + HeaderListSize(formatSize) + 12;
}

std::uint32_t GetMovieListStart(std::size_t formatSize)
{
    return GetHeaderSize(formatSize) - 4;
}

std::uint32_t GetIndexBytes(std::size_t entries)
{
    return static_cast<std::uint32_t>(8 + 16 * entries);
}

std::vector<std::uint8_t> BuildHeader(const AviHeaderValues& values)
{
    const std::size_t formatSize = values.format->size();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(GetHeaderSize(formatSize));
    ByteWriter out(bytes);
    const AVISTREAMINFOA& info = values.info;
    const std::uint32_t fileSize = GetHeaderSize(formatSize) + values.movieBytes + values.indexBytes;
    const std::uint64_t bytesPerSecond = std::uint64_t{values.imageSize} * info.rate / info.scale;
    const std::uint32_t suggested = info.suggestedBufferSize != 0 ? info.suggestedBufferSize : values.imageSize;

    out.Chunk("RIFF", fileSize - 8);
    out.FourCC("AVI ");
    out.Chunk("LIST", HeaderListSize(formatSize));
    out.FourCC("hdrl");

    out.Chunk("avih", kMainHeaderSize);
    out.U32(static_cast<std::uint32_t>(std::uint64_t{1000000} * info.scale / info.rate));
    out.U32(static_cast<std::uint32_t>(std::min<std::uint64_t>(bytesPerSecond, 0xFFFFFFFFu)));
    out.U32(0); // padding granularity
    out.U32(kHasIndex);
    out.U32(values.frames);
    out.U32(0); // initial frames
    out.U32(1); // streams
    out.U32(suggested);
    out.I32(values.width);
    out.I32(values.height);
    for (int i = 0; i < 4; ++i)
        out.U32(0);

    out.Chunk("LIST", StreamListSize(formatSize));
    out.FourCC("strl");
    out.Chunk("strh", kStreamHeaderSize);
    out.U32(info.type);
    out.U32(info.handler);
    out.U32(info.flags);
    out.U16(info.priority);
    out.U16(info.language);
    out.U32(info.initialFrames);
    out.U32(info.scale);
    out.U32(info.rate);
    out.U32(info.start);
    out.U32(values.frames);
    out.U32(suggested);
    out.U32(kDefaultQuality);
    out.U32(0); // sample size: frames vary
    out.I16(info.frame.left);
    out.I16(info.frame.top);
    out.I16(info.frame.right);
    out.I16(info.frame.bottom);
    out.Chunk("strf", static_cast<std::uint32_t>(formatSize));
    out.Bytes(*values.format);

    out.Chunk("LIST", 4 + values.movieBytes);
    out.FourCC("movi");
    return bytes;
}

std::vector<std::uint8_t> BuildIndex(const std::vector<AviIndexEntry>& entries)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(GetIndexBytes(entries.size()));
    ByteWriter out(bytes);
    out.Chunk("idx1", static_cast<std::uint32_t>(16 * entries.size()));
    for (const AviIndexEntry& entry : entries)
    {
        out.FourCC("00db");
        out.U32(entry.flags);
        out.U32(entry.offset);
        out.U32(entry.size);
    }
    return bytes;
}

std::vector<std::uint8_t> BuildFrameChunkHeader(std::uint32_t size)
{
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.Chunk("00db", size);
    return bytes;
}

} // namespace vfw::detail
