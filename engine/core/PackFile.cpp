#include "engine/core/PackFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"

#include <algorithm>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

constexpr char Magic[5] = {'O', 'V', 'P', 'A', 'K'};
constexpr std::uint32_t Version = 100;
// The smallest room one entry takes: an empty name's length byte and its record.
constexpr std::uint32_t SmallestEntry = 9;

} // namespace

PackFile::PackFile(MessageManager* messageLog, const std::string& packPath) : log(messageLog), path(packPath)
{
    if (log)
        log->Message("...Pack file " + path + " found...");
    try
    {
        ReadDirectory();
    }
    catch (const FileError& error)
    {
        if (log)
        {
            log->SetBlankLines(false);
            log->Message("......");
            log->Error(error.GetText());
            log->SetBlankLines(true);
        }
        Close();
        throw Error("");
    }
}

void PackFile::ReadDirectory()
{
    file = std::make_unique<FileBinary>(path, false, false);

    std::uint8_t header[13] = {};
    file->Read(header, sizeof(header));
    if (std::memcmp(header + 4, Magic, sizeof(Magic)) != 0 || LoadLittle32(header) != file->GetSize())
        throw FileError("Incorrect pack file format");
    if (LoadLittle32(header + 9) != Version)
        throw FileError("Incorrect pack file version, current is " + UIntToString(Version, 0));

    std::uint32_t count = 0;
    file->ReadUInt32(count);
    if (log)
        log->Message("......It contains " + UIntToString(count, 0) + " files...");
    // A count that no file of this size could hold is a damaged header, and
    // must not make the reader take that many names. A directory that merely
    // runs past the end is read until its bytes run out.
    if (count > file->GetSize() / SmallestEntry)
        throw FileError("Incorrect pack file format");

    // Grown as names are read, so memory follows the bytes actually there.
    std::vector<std::string> names;
    names.reserve(std::min<std::uint32_t>(count, 4096));
    for (std::uint32_t index = 0; index < count; ++index)
    {
        std::string name;
        file->ReadString(name);
        StringToLower(name);
        names.push_back(std::move(name));
    }
    std::vector<std::uint8_t> records(static_cast<std::size_t>(count) * 8);
    file->Read(records.data(), static_cast<std::uint32_t>(records.size()));
    for (std::uint32_t index = 0; index < count; ++index)
    {
        const std::uint8_t* record = records.data() + 8 * static_cast<std::size_t>(index);
        directory.emplace(names[index], Entry{LoadLittle32(record), LoadLittle32(record + 4)});
    }
}

PackFile::~PackFile()
{
    Close();
}

void PackFile::Close()
{
    file.reset();
    directory.clear();
}

const PackFile::Entry* PackFile::Find(const std::string& name) const
{
    return FindLowerCase(ToLower(name));
}

const PackFile::Entry* PackFile::FindLowerCase(const std::string& lowerCaseName) const
{
    const auto found = directory.find(lowerCaseName);
    if (found == directory.end())
        return nullptr;
    const Entry& entry = found->second;
    const std::uint64_t packSize = file ? file->GetSize() : 0;
    if (entry.offset > packSize || entry.size > packSize - entry.offset)
        throw FileError("Failed to read " + UIntToString(entry.size, 0) + " bytes from \"" + path + "\" file");
    return &entry;
}

bool PackFile::Contains(const std::string& name) const
{
    return directory.find(ToLower(name)) != directory.end();
}

bool PackFile::GetFileSize(const std::string& name, std::uint32_t& size) const
{
    const Entry* entry = Find(name);
    if (!entry)
        return false;
    size = entry->size;
    return true;
}

bool PackFile::ReadFile(const std::string& name, void* buffer)
{
    const Entry* entry = Find(name);
    if (!entry)
        return false;
    std::lock_guard lock(readLock);
    file->Seek(0, static_cast<std::int32_t>(entry->offset));
    file->Read(buffer, entry->size);
    return true;
}

std::unique_ptr<std::uint8_t[]> PackFile::ReadEntry(const std::string& lowerCaseName, std::uint32_t& size)
{
    const Entry* entry = FindLowerCase(lowerCaseName);
    if (!entry)
        return nullptr;
    auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(entry->size);
    {
        std::lock_guard lock(readLock);
        file->Seek(0, static_cast<std::int32_t>(entry->offset));
        file->Read(bytes.get(), entry->size);
    }
    size = entry->size;
    return bytes;
}

void PackFile::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const
{
    std::string prefix = ToLower(folder);
    if (prefix.empty() || prefix.back() != '\\')
        prefix += '\\';
    std::string pattern = ToLower(mask);
    if (const std::size_t star = pattern.find('*'); star != std::string::npos)
        pattern.erase(star, 1);
    for (const auto& [name, entry] : directory)
    {
        if (name.compare(0, prefix.size(), prefix) == 0 && name.find(pattern, prefix.size()) != std::string::npos)
            list.push_back(name);
    }
}

} // namespace OrvaneEngine
