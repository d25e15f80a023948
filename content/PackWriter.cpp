#include "content/PackWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace corvellan::content
{
namespace
{

} // namespace

std::string PackWriter::NormalizeName(const std::string& name)
{
    std::string normalized;
    for (char c : name)
    {
        if (c == '/' || c == '\\')
        {
            if (!normalized.empty() && normalized.back() != '\\')
                normalized.push_back('\\');
            continue;
        }
        normalized.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return normalized;
}

void PackWriter::Add(const std::string& name, const std::string& bytes)
{
    AddVerbatim(NormalizeName(name), bytes);
}

void PackWriter::AddVerbatim(const std::string& name, const std::string& bytes)
{
    if (name.size() > 255)
        throw std::invalid_argument("pack entry name longer than 255 bytes: " + name);
    entries.push_back({name, bytes});
}

void PackWriter::AddFolder(const std::string& folder, const std::string& skipped)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path skip = skipped.empty() ? fs::path() : fs::weakly_canonical(skipped, error);
    std::vector<std::pair<std::string, fs::path>> files;
    for (const auto& item : fs::recursive_directory_iterator(folder))
    {
        if (!item.is_regular_file())
            continue;
        if (!skip.empty() && fs::weakly_canonical(item.path(), error) == skip)
            continue;
        files.emplace_back(NormalizeName(fs::relative(item.path(), folder).generic_string()), item.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& [name, path] : files)
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            throw std::runtime_error("cannot read " + path.string());
        Add(name, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
}

std::string PackWriter::Build(const PackDamage& damage) const
{
    std::string pack;
    AppendLittle32(pack, 0); // the size, once it is known
    std::string magic = damage.magic.value_or("OVPAK");
    magic.resize(5, '\0');
    pack += magic;
    AppendLittle32(pack, damage.version.value_or(100));
    AppendLittle32(pack, damage.count.value_or(static_cast<std::uint32_t>(entries.size())));
    for (const Entry& entry : entries)
    {
        pack.push_back(static_cast<char>(entry.name.size()));
        pack += entry.name;
    }
    std::size_t offset = pack.size() + 8 * entries.size();
    for (std::size_t index = 0; index < entries.size(); ++index)
    {
        const auto offsetOverride = damage.recordOffsets.find(index);
        const auto sizeOverride = damage.recordSizes.find(index);
        AppendLittle32(pack, offsetOverride != damage.recordOffsets.end() ? offsetOverride->second
                                                                  : static_cast<std::uint32_t>(offset));
        AppendLittle32(pack, sizeOverride != damage.recordSizes.end()
                         ? sizeOverride->second
                         : static_cast<std::uint32_t>(entries[index].bytes.size()));
        offset += entries[index].bytes.size();
    }
    for (const Entry& entry : entries)
        pack += entry.bytes;
    SetLittle32(pack, 0, damage.sizeField.value_or(static_cast<std::uint32_t>(pack.size())));
    return pack;
}

bool PackWriter::WriteTo(const std::string& path, const PackDamage& damage) const
{
    return WriteFileAtomically(path, Build(damage));
}

} // namespace corvellan::content
