#include "engine/gui/GUIFont.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace OrvaneEngine
{

namespace
{

constexpr std::uint32_t HeaderSize = 13;
constexpr std::uint32_t CountEnd = HeaderSize + 4;
constexpr std::uint32_t RecordSize = 22;

std::uint32_t Little32(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

float LittleFloat(const std::uint8_t* bytes)
{
    const std::uint32_t bits = Little32(bytes);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

FileError FormatError(const std::string& fileName)
{
    return FileError("Incorrect \"" + fileName + "\" file format");
}

} // namespace

void GUIFont::ReadFile(const std::string& fileName)
{
    const std::unique_ptr<FileBinary> file = files->Open(MakeDataPath(fileName), false);
    const std::uint32_t size = file->GetSize();
    std::uint8_t header[CountEnd] = {};
    std::uint32_t got = 0;
    file->Read(header, CountEnd, &got);
    if (got < HeaderSize || Little32(header) != size || std::memcmp(header + 4, "OVFNT", 5) != 0)
        throw FormatError(fileName);
    if (Little32(header + 9) != FileVersion)
        throw FileError("Incorrect \"" + fileName + "\" format version, current is " + UIntToString(FileVersion, 0));
    if (got < CountEnd)
        throw FormatError(fileName);

    // The count is checked against the bytes present before any record is
    // read, so a damaged count costs neither memory nor a long loop.
    const std::uint32_t count = Little32(header + HeaderSize);
    if (std::uint64_t{count} * RecordSize > std::uint64_t{size} - CountEnd)
        throw FormatError(fileName);

    for (std::uint32_t i = 0; i < count; ++i)
    {
        std::uint8_t record[RecordSize];
        file->Read(record, RecordSize);
        const char16_t character = static_cast<char16_t>(record[0] | record[1] << 8);
        GUIGlyph glyph;
        glyph.u = LittleFloat(record + 2);
        glyph.v = LittleFloat(record + 6);
        glyph.du = LittleFloat(record + 10);
        glyph.dv = LittleFloat(record + 14);
        glyph.ratio = LittleFloat(record + 18);
        // Measures and vertices would carry a NaN or an infinity everywhere.
        if (!std::isfinite(glyph.u) || !std::isfinite(glyph.v) || !std::isfinite(glyph.du) ||
            !std::isfinite(glyph.dv) || !std::isfinite(glyph.ratio))
            throw FormatError(fileName);
        glyphs.emplace(character, glyph);
        widestRatio = std::max(widestRatio, glyph.ratio);
    }
}

} // namespace OrvaneEngine
