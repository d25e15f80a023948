#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvellan::content
{

struct VersionedFileFormat
{
    std::string_view magic;
    std::uint32_t version;
};

// The formats that carry the shared 13-byte header: profiles, the profile
// list, high scores, puzzles and the stage map, at their current versions.
inline constexpr std::array<VersionedFileFormat, 5> VersionedFileFormats{{
    {"MBPRF", 104},
    {"KWPMF", 100},
    {"GFHSF", 101},
    {"MBPZF", 108},
    {"JXGMF", 100},
}};

// Departures from a sound header, for readers that must reject damaged files.
struct VersionedFileDamage
{
    std::optional<std::uint32_t> sizeField;
    // Written in place of the magic (cut or padded with zeros to five).
    std::optional<std::string> magic;
    std::optional<std::uint32_t> version;
};

// Builds a data file: total size (u32), five magic characters, version (u32),
// little-endian, then the body as given.
class VersionedFileWriter
{
public:
    static std::string Build(std::string_view magic, std::uint32_t version, const std::string& body,
                             const VersionedFileDamage& damage = {});
    // Writes the file to path (an operating-system path), making its folders,
    // whole or not at all; false when it could not be written.
    static bool WriteTo(const std::string& path, std::string_view magic, std::uint32_t version,
                        const std::string& body, const VersionedFileDamage& damage = {});
};

} // namespace corvellan::content
