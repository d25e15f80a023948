#include "platform/win32/PathResolution.h"

#include "platform/win32/FolderListings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace win32
{
namespace
{

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ExistsExactly(const std::string& path)
{
    struct stat status
    {
    };
    return ::lstat(path.c_str(), &status) == 0;
}

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder == "/")
        return "/" + name;
    return folder + "/" + name;
}

std::string MapPath(const std::string& path)
{
    std::string mapped;
    mapped.reserve(path.size());
    for (char c : path)
    {
        if (c == '\\')
            c = '/';
        if (c != '/' || mapped.empty() || mapped.back() != '/')
            mapped.push_back(c);
    }
    return mapped;
}

// The resolution of a mapped path that does not exist as written.
std::string ResolveMissing(const std::string& mapped)
{
    // Where each component ends in the mapped text, so that the path down
    // to any level is a prefix of it.
    const bool absolute = mapped.front() == '/';
    std::vector<std::pair<std::size_t, std::size_t>> components; // start, end
    for (std::size_t start = absolute ? 1 : 0; start < mapped.size();)
    {
        std::size_t end = mapped.find('/', start);
        if (end == std::string::npos)
            end = mapped.size();
        if (end > start)
            components.emplace_back(start, end);
        start = end + 1;
    }
    const auto levels = [&](std::size_t count) {
        return count == 0 ? std::string(absolute ? "/" : "") : mapped.substr(0, components[count - 1].second);
    };

    // Every level above one that exists as written exists as written too,
    // so the walk may begin at the deepest level whose listing is kept, and
    // otherwise at the deepest level that exists as written, found from the
    // bottom up: usually only the last one or two levels are missing.
    FolderListings& listings = FolderListings::Shared();
    std::size_t start = components.size();
    while (start > 0 && !listings.IsKept(levels(start - 1)))
        --start;
    if (start > 0)
        --start;
    else
    {
        start = components.size();
        while (start > 0 && !ExistsExactly(levels(--start)))
        {
        }
    }
    std::string resolved = levels(start);

    bool missing = false;
    for (std::size_t index = start; index < components.size(); ++index)
    {
        const std::string component =
            mapped.substr(components[index].first, components[index].second - components[index].first);
        if (!missing)
        {
            if (const auto match = listings.Find(resolved, component))
            {
                resolved = Join(resolved, *match);
                continue;
            }
            missing = true;
        }
        resolved = Join(resolved, component);
    }
    return resolved;
}

} // namespace

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string ResolvePath(const std::string& path)
{
    const std::string mapped = MapPath(path);
    // Nearly every path the program uses exists as written.
    if (mapped.empty() || ExistsExactly(mapped))
        return mapped;
    return ResolveMissing(mapped);
}

std::string FindExistingPath(const std::string& path, int accessMode)
{
    const std::string mapped = MapPath(path);
    if (mapped.empty())
        return mapped;
    if (::access(mapped.c_str(), accessMode) == 0)
        return mapped;
    std::string resolved = ResolveMissing(mapped);
    if (resolved == mapped || ::access(resolved.c_str(), accessMode) != 0)
        resolved.clear();
    return resolved;
}

} // namespace win32
