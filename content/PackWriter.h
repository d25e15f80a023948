#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

// Departures from a sound pack, for readers that must cope with damaged ones.
struct PackDamage
{
    std::optional<std::uint32_t> sizeField;
    // Written as given in place of the five magic characters (cut or padded
    // with zeros to five).
    std::optional<std::string> magic;
    std::optional<std::uint32_t> version;
    std::optional<std::uint32_t> count;
    // Record index to the offset or size written for it.
    std::map<std::size_t, std::uint32_t> recordOffsets;
    std::map<std::size_t, std::uint32_t> recordSizes;
};

// Builds "OVPAK" pack files: a header, the entry names, one {offset, size}
// record per entry, then the entries' bytes one after the other.
class PackWriter
{
public:
    // The form the reader looks names up in: '/' becomes '\', doubled
    // separators and leading ones go, ASCII letters are lower-cased.
    static std::string NormalizeName(const std::string& name);

    // Adds an entry under its normalized name; adding a name twice stores it
    // twice. Names longer than 255 bytes cannot be stored and throw
    // std::invalid_argument.
    void Add(const std::string& name, const std::string& bytes);
    // Adds an entry under the name exactly as given.
    void AddVerbatim(const std::string& name, const std::string& bytes);
    // Adds every file under folder (not the skipped path), named by its path
    // relative to folder, in the byte order of the names.
    void AddFolder(const std::string& folder, const std::string& skipped = "");

    std::size_t GetCount() const { return entries.size(); }

    std::string Build(const PackDamage& damage = {}) const;
    // Writes the pack to path (an operating-system path) under a temporary
    // name first; false when it could not be written.
    bool WriteTo(const std::string& path, const PackDamage& damage = {}) const;

private:
    struct Entry
    {
        std::string name;
        std::string bytes;
    };
    std::vector<Entry> entries;
};

} // namespace corvellan::content
