#include "platform/win32/PathResolution.h"

#include "platform/win32/FolderListings.h"

#include <sys/stat.h>
#include <unistd.h>

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

// A mapped path split at its separators, so that the path down to any level
// is a prefix of the text.
class Levels
{
public:
    explicit Levels(const std::string& mappedPath) : mapped(mappedPath), absolute(mapped.front() == '/')
    {
        for (std::size_t start = absolute ? 1 : 0; start < mapped.size();)
        {
            std::size_t end = mapped.find('/', start);
            if (end == std::string::npos)
                end = mapped.size();
            if (end > start)
                components.emplace_back(start, end);
            start = end + 1;
        }
    }

    std::size_t Count() const { return components.size(); }
    // The path of the first count components.
    std::string Down(std::size_t count) const
    {
        return count == 0 ? std::string(absolute ? "/" : "") : mapped.substr(0, components[count - 1].second);
    }
    std::string Component(std::size_t index) const
    {
        return mapped.substr(components[index].first, components[index].second - components[index].first);
    }

private:
    const std::string& mapped;
    bool absolute;
    std::vector<std::pair<std::size_t, std::size_t>> components; // start, end
};

struct Walk
{
    std::string resolved;
    // False when the first level was no folder that could be listed.
    bool started = false;
    // Every component matched an entry; the last was a plain one.
    bool found = false;
    bool plain = false;
};

// Resolves the components from index start on, beginning at the folder of
// the first start components, which exists as written.
Walk WalkFrom(const Levels& levels, std::size_t start)
{
    FolderListings& listings = FolderListings::Shared();
    Walk walk;
    walk.resolved = levels.Down(start);
    walk.found = true;
    walk.plain = true;
    for (std::size_t index = start; index < levels.Count(); ++index)
    {
        const std::string component = levels.Component(index);
        if (walk.found)
        {
            const FolderListings::Match match = listings.Find(walk.resolved, component);
            if (index == start)
                walk.started = match.folderListed;
            if (!match.name.empty())
            {
                walk.resolved = Join(walk.resolved, match.name);
                walk.plain = match.plain;
                continue;
            }
            walk.found = false;
        }
        walk.resolved = Join(walk.resolved, component);
    }
    if (start == levels.Count())
        walk.started = true;
    return walk;
}

// The deepest level whose listing is kept: every level above one that exists
// as written exists as written too, so a walk may begin there. Asks the disk
// nothing; the walk checks the listing.
std::optional<std::size_t> DeepestKept(const Levels& levels)
{
    FolderListings& listings = FolderListings::Shared();
    for (std::size_t count = levels.Count(); count-- > 0;)
    {
        if (listings.IsKept(levels.Down(count)))
            return count;
    }
    return std::nullopt;
}

// The resolution of a mapped path that does not exist as written.
Walk ResolveMissing(const std::string& mapped)
{
    const Levels levels(mapped);
    if (const auto kept = DeepestKept(levels))
    {
        Walk walk = WalkFrom(levels, *kept);
        if (walk.started)
            return walk;
    }
    // Otherwise from the deepest level that exists as written, found from
    // the bottom up: usually only the last one or two levels are missing.
    std::size_t start = levels.Count();
    while (start > 0 && !ExistsExactly(levels.Down(--start)))
    {
    }
    return WalkFrom(levels, start);
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
    return ResolveMissing(mapped).resolved;
}

std::string FindExistingPath(const std::string& path, int accessMode)
{
    const std::string mapped = MapPath(path);
    if (mapped.empty())
        return mapped;
    // With the listing of a level above kept, the listings answer at the
    // cost of a stat per level walked, also for a name that does not exist
    // (as every packed name does not); only a link or an access mode needs a
    // look at the entry itself.
    const Levels levels(mapped);
    std::optional<Walk> walk;
    if (const auto kept = DeepestKept(levels))
    {
        walk = WalkFrom(levels, *kept);
        if (!walk->started)
            walk.reset();
    }
    if (!walk)
    {
        if (::access(mapped.c_str(), accessMode) == 0)
            return mapped;
        walk = ResolveMissing(mapped);
    }
    if (!walk->found)
        return "";
    if (walk->plain && accessMode == F_OK)
        return walk->resolved;
    return ::access(walk->resolved.c_str(), accessMode) == 0 ? walk->resolved : "";
}

} // namespace win32
