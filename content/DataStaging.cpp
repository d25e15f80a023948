#include "content/DataStaging.h"

#include "content/AtomicWrite.h"
#include "content/PackWriter.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

#include <stdlib.h>

namespace corvellan::content
{

namespace
{

constexpr std::size_t LongestName = 255;

} // namespace

DataStaging::DataStaging()
{
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern = std::string(temporary != nullptr && *temporary != '\0' ? temporary : "/tmp") +
                          "/corvellan-staging-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error(pattern + ": cannot make the staging folder");
    path = buffer.data();
}

DataStaging::~DataStaging()
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
}

std::string DataStaging::PathOf(const std::string& dataName) const
{
    std::string relative = dataName;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return path + "/" + relative;
}

void DataStaging::Write(const std::string& dataName, const std::string& bytes)
{
    const auto [found, added] = staged.emplace(PackWriter::NormalizeName(dataName), dataName);
    if (!added)
        throw std::runtime_error(dataName + ": the same pack name as " + found->second);
    if (!WriteFileAtomically(PathOf(dataName), bytes))
        throw std::runtime_error(dataName + ": cannot be written to " + PathOf(dataName));
}

void DataStaging::CheckNames() const
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    for (const auto& item : fs::recursive_directory_iterator(path))
    {
        if (item.is_regular_file())
            names.push_back(fs::relative(item.path(), path).generic_string());
    }
    std::sort(names.begin(), names.end());
    std::map<std::string, std::string> normalized;
    for (const std::string& name : names)
    {
        const std::string packed = PackWriter::NormalizeName(name);
        if (packed.size() > LongestName)
            throw std::runtime_error(packed + ": the name is longer than " + std::to_string(LongestName) + " bytes");
        const auto [found, added] = normalized.emplace(packed, name);
        if (!added)
            throw std::runtime_error(name + ": the same pack name as " + found->second);
    }
    for (const std::string& name : names)
    {
        if (std::any_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            throw std::runtime_error(name + ": data names are lower-case");
    }
}

} // namespace corvellan::content
