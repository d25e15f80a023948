#include "tests/support/AviReader.h"

#include "tests/support/FileBytes.h"

#include <cstring>
#include <functional>

namespace corvellan::test
{
namespace
{

class Cursor
{
public:
    Cursor(const std::vector<std::uint8_t>& data, std::uint64_t from, std::uint64_t to)
        : bytes(data), at(from), end(to)
    {
    }

    bool Has(std::uint64_t count) const { return at <= end && end - at >= count; }
    std::uint64_t Position() const { return at; }
    void Skip(std::uint64_t count) { at += count; }

    std::uint32_t U32(std::uint64_t offset) const
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | bytes[at + offset + static_cast<std::uint64_t>(i)];
        return value;
    }
    std::uint16_t U16(std::uint64_t offset) const
    {
        return static_cast<std::uint16_t>(bytes[at + offset] | bytes[at + offset + 1] << 8);
    }
    std::string FourCC(std::uint64_t offset) const
    {
        return std::string(reinterpret_cast<const char*>(bytes.data() + at + offset), 4);
    }

private:
    const std::vector<std::uint8_t>& bytes;
    std::uint64_t at;
    std::uint64_t end;
};

// Told the type of the list that holds the chunk ("AVI " at the top).
using ChunkVisitor =
    std::function<bool(const std::string& parent, const std::string& id, std::uint64_t body, std::uint32_t size)>;

// Walks the chunks between from and to; a LIST is entered after its type is
// told to the visitor as "LIST:<type>". False on any size that does not fit.
bool Walk(const std::vector<std::uint8_t>& bytes, std::uint64_t from, std::uint64_t to, const std::string& parent,
          const ChunkVisitor& visit, std::string& error)
{
    Cursor cursor(bytes, from, to);
    while (cursor.Position() < to)
    {
        if (!cursor.Has(8))
            return error = "chunk header cut at " + std::to_string(cursor.Position()), false;
        const std::string id = cursor.FourCC(0);
        const std::uint32_t size = cursor.U32(4);
        const std::uint64_t body = cursor.Position() + 8;
        const std::uint64_t padded = size + (size & 1u);
        cursor.Skip(8);
        if (!cursor.Has(padded))
            return error = "chunk " + id + " runs past its parent", false;
        if (id == "LIST")
        {
            if (size < 4)
                return error = "LIST without a type", false;
            const std::string type = cursor.FourCC(0);
            if (!visit(parent, "LIST:" + type, body + 4, size - 4))
                return false;
            if (!Walk(bytes, body + 4, body + size, type, visit, error))
                return false;
        }
        else if (!visit(parent, id, body, size))
            return false;
        cursor.Skip(padded);
    }
    return true;
}

} // namespace

AviContents ReadAvi(const std::vector<std::uint8_t>& bytes)
{
    AviContents avi;
    avi.fileSize = bytes.size();
    Cursor top(bytes, 0, bytes.size());
    if (!top.Has(12) || top.FourCC(0) != "RIFF" || top.FourCC(8) != "AVI ")
    {
        avi.error = "not a RIFF AVI file";
        return avi;
    }
    avi.riffSize = top.U32(4);
    if (avi.riffSize < 4 || avi.riffSize + 8ull > bytes.size())
    {
        avi.error = "RIFF size beyond the file";
        return avi;
    }

    const auto visit = [&](const std::string& parent, const std::string& id, std::uint64_t body,
                           std::uint32_t size) {
        Cursor at(bytes, body, body + size);
        if (id.rfind("LIST:", 0) == 0)
        {
            if (id == "LIST:movi")
            {
                avi.movieListStart = body - 4;
                avi.movieListSize = size + 4;
            }
            return true;
        }
        if (id == "avih")
        {
            if (size != 56)
                return avi.error = "avih is not 56 bytes", false;
            avi.microSecondsPerFrame = at.U32(0);
            avi.maxBytesPerSecond = at.U32(4);
            avi.mainFlags = at.U32(12);
            avi.totalFrames = at.U32(16);
            avi.initialFrames = at.U32(20);
            avi.streams = at.U32(24);
            avi.mainSuggestedBuffer = at.U32(28);
            avi.width = static_cast<std::int32_t>(at.U32(32));
            avi.height = static_cast<std::int32_t>(at.U32(36));
        }
        else if (id == "strh")
        {
            if (size != 56)
                return avi.error = "strh is not 56 bytes", false;
            avi.streamType = at.FourCC(0);
            avi.handler = at.U32(4);
            avi.scale = at.U32(20);
            avi.rate = at.U32(24);
            avi.start = at.U32(28);
            avi.length = at.U32(32);
            avi.streamSuggestedBuffer = at.U32(36);
            avi.quality = static_cast<std::int32_t>(at.U32(40));
            avi.sampleSize = at.U32(44);
            for (int i = 0; i < 4; ++i)
                avi.frame[i] = static_cast<std::int16_t>(at.U16(48 + 2 * static_cast<std::uint64_t>(i)));
        }
        else if (id == "strf")
        {
            if (size < 40)
                return avi.error = "strf shorter than a bitmap header", false;
            avi.formatBytes = size;
            avi.formatHeaderSize = at.U32(0);
            avi.formatWidth = static_cast<std::int32_t>(at.U32(4));
            avi.formatHeight = static_cast<std::int32_t>(at.U32(8));
            avi.formatPlanes = at.U16(12);
            avi.formatBits = at.U16(14);
            avi.formatCompression = at.U32(16);
            avi.formatImageSize = at.U32(20);
        }
        else if (parent == "movi")
        {
            avi.frames.push_back({body - 8, id, std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(body),
                                                                          bytes.begin() + static_cast<long>(body + size))});
        }
        else if (id == "idx1" && parent == "AVI ")
        {
            avi.hasIndex = true;
            if (size % 16 != 0)
                return avi.error = "idx1 is not whole entries", false;
            for (std::uint64_t entry = 0; entry < size; entry += 16)
                avi.index.push_back({at.FourCC(entry), at.U32(entry + 4), at.U32(entry + 8), at.U32(entry + 12)});
        }
        return true;
    };
    std::string error;
    if (!Walk(bytes, 12, 8ull + avi.riffSize, "AVI ", visit, error) && avi.error.empty())
        avi.error = error;
    if (avi.error.empty() && avi.movieListSize == 0)
        avi.error = "no movi list";
    return avi;
}

AviContents ReadAviFile(const std::string& path)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
    {
        AviContents avi;
        avi.error = "cannot read " + path;
        return avi;
    }
    return ReadAvi(*bytes);
}

std::string CheckAviConsistency(const AviContents& avi)
{
    if (!avi.error.empty())
        return avi.error;
    if (avi.riffSize + 8ull != avi.fileSize)
        return "RIFF size is not the file size - 8";
    if (!avi.hasIndex)
        return "no index";
    const std::size_t frames = avi.frames.size();
    if (avi.totalFrames != frames || avi.length != frames || avi.index.size() != frames)
        return "avih " + std::to_string(avi.totalFrames) + ", strh " + std::to_string(avi.length) + ", idx1 " +
               std::to_string(avi.index.size()) + " and chunks " + std::to_string(frames) + " disagree";
    for (std::size_t i = 0; i < frames; ++i)
    {
        const AviIndexRow& row = avi.index[i];
        const AviFrameChunk& chunk = avi.frames[i];
        if (row.id != chunk.id || avi.movieListStart + row.offset != chunk.position || row.size != chunk.bytes.size())
            return "index entry " + std::to_string(i) + " does not point at its chunk";
    }
    return "";
}

} // namespace corvellan::test
