#pragma once

#include "content/VersionedFileWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

// One character's rectangle on the atlas: origin (u, v) and extent (du, dv)
// in 0..1 with v counted from the atlas's bottom row; ratio is width ÷ height.
struct FontGlyphRecord
{
    char16_t character = 0;
    float u = 0.0f;
    float v = 0.0f;
    float du = 0.0f;
    float dv = 0.0f;
    float ratio = 0.0f;
};

// Departures from a sound font file, for readers that must reject damage.
// Duplicate characters are made by listing a record twice.
struct FontFileDamage
{
    VersionedFileDamage header;
    // Written in place of the number of records.
    std::optional<std::uint32_t> count;
};

// Builds an "OVFNT" font file: the 13-byte versioned header (version 201),
// the record count and 22 bytes per record, little-endian.
class FontFileWriter
{
public:
    static constexpr std::uint32_t Version = 201;
    static constexpr std::size_t RecordSize = 22;

    static std::string Build(const std::vector<FontGlyphRecord>& glyphs, const FontFileDamage& damage = {});
    // Writes the file at path (an operating-system path), whole or not at
    // all; false when it could not be written.
    static bool WriteTo(const std::string& path, const std::vector<FontGlyphRecord>& glyphs,
                        const FontFileDamage& damage = {});
};

} // namespace corvellan::content
