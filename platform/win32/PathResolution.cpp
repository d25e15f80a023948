#include "platform/win32/PathResolution.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
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

// The entry of folder that equals name without regard to case; the smallest
// in byte order when several do, so that every run picks the same one.
std::optional<std::string> FindNoCase(const std::string& folder, const std::string& name)
{
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!listing)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(listing))
    {
        const std::string candidate = entry->d_name;
        if (EqualsNoCase(candidate, name) && (!best || candidate < *best))
            best = candidate;
    }
    ::closedir(listing);
    return best;
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
    std::string mapped;
    mapped.reserve(path.size());
    for (char c : path)
    {
        if (c == '\\')
            c = '/';
        if (c != '/' || mapped.empty() || mapped.back() != '/')
            mapped.push_back(c);
    }
    // Nearly every path the program uses exists as written.
    if (mapped.empty() || ExistsExactly(mapped))
        return mapped;

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

    // The deepest level that exists as written, found from the bottom up:
    // usually only the last one or two levels are missing.
    std::size_t exact = components.size();
    while (exact > 0 && !ExistsExactly(levels(--exact)))
    {
    }
    std::string resolved = levels(exact);

    bool missing = false;
    for (std::size_t index = exact; index < components.size(); ++index)
    {
        const std::string component =
            mapped.substr(components[index].first, components[index].second - components[index].first);
        const std::string written = Join(resolved, component);
        if (missing || (index > exact && ExistsExactly(written)))
        {
            resolved = written;
            continue;
        }
        if (const auto match = FindNoCase(resolved, component))
        {
            resolved = Join(resolved, *match);
            continue;
        }
        missing = true;
        resolved = written;
    }
    return resolved;
}

} // namespace win32
