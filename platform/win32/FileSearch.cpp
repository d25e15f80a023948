#include "platform/win32/FileSearch.h"
#include "platform/win32/PathResolution.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace win32
{
namespace
{

struct Entry
{
    std::string name;
    std::string lowerName;
    std::uint32_t attrib = _A_NORMAL;
    std::uint64_t size = 0;
};

struct Search
{
    std::vector<Entry> entries;
    std::size_t next = 0;
};

std::mutex searchesMutex;
std::map<std::intptr_t, Search> searches;
std::intptr_t lastHandle = 0;

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
    return lower;
}

Entry Describe(const std::string& folder, const std::string& name)
{
    Entry entry{name, LowerAscii(name), _A_NORMAL, 0};
    const std::string path = folder.empty() ? name : (folder == "/" ? "/" + name : folder + "/" + name);
    struct stat status
    {
    };
    if (::lstat(path.c_str(), &status) != 0)
        return entry;
    if (S_ISLNK(status.st_mode))
    {
        entry.attrib |= FILE_ATTRIBUTE_REPARSE_POINT;
        if (::stat(path.c_str(), &status) != 0)
            return entry;
    }
    if (S_ISDIR(status.st_mode))
        entry.attrib |= _A_SUBDIR;
    else
        entry.size = static_cast<std::uint64_t>(status.st_size);
    return entry;
}

void Fill(const Entry& entry, _finddata_t* data)
{
    data->attrib = entry.attrib;
    data->size = entry.size;
    const std::size_t length = std::min(entry.name.size(), sizeof(data->name) - 1);
    std::memcpy(data->name, entry.name.data(), length);
    data->name[length] = '\0';
}

} // namespace

bool MatchesMask(const std::string& name, const std::string& mask)
{
    // Greedy matching that backs up to the last '*' on a mismatch.
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string::npos;
    std::size_t starName = 0;
    while (n < name.size())
    {
        if (m < mask.size() && (mask[m] == '?' || LowerAscii(mask[m]) == LowerAscii(name[n])))
        {
            ++n;
            ++m;
        }
        else if (m < mask.size() && mask[m] == '*')
        {
            starMask = m++;
            starName = n;
        }
        else if (starMask != std::string::npos)
        {
            m = starMask + 1;
            n = ++starName;
        }
        else
        {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::intptr_t _findfirst(const std::string& filespec, _finddata_t* data)
{
    if (!data)
        return -1;
    const std::size_t split = filespec.find_last_of("\\/");
    const std::string mask = split == std::string::npos ? filespec : filespec.substr(split + 1);
    std::string folder;
    if (split != std::string::npos)
        folder = ResolvePath(split == 0 ? filespec.substr(0, 1) : filespec.substr(0, split));

    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!listing)
        return -1;
    Search search;
    while (const dirent* found = ::readdir(listing))
    {
        const std::string name = found->d_name;
        if (name == "." || name == ".." || !MatchesMask(name, mask))
            continue;
        search.entries.push_back(Describe(folder, name));
    }
    ::closedir(listing);
    if (search.entries.empty())
        return -1;
    std::sort(search.entries.begin(), search.entries.end(), [](const Entry& a, const Entry& b) {
        return a.lowerName != b.lowerName ? a.lowerName < b.lowerName : a.name < b.name;
    });

    Fill(search.entries.front(), data);
    search.next = 1;
    std::lock_guard lock(searchesMutex);
    const std::intptr_t handle = ++lastHandle;
    searches.emplace(handle, std::move(search));
    return handle;
}

int _findnext(std::intptr_t handle, _finddata_t* data)
{
    std::lock_guard lock(searchesMutex);
    const auto found = searches.find(handle);
    if (!data || found == searches.end() || found->second.next >= found->second.entries.size())
        return -1;
    Fill(found->second.entries[found->second.next++], data);
    return 0;
}

int _findclose(std::intptr_t handle)
{
    std::lock_guard lock(searchesMutex);
    return searches.erase(handle) == 1 ? 0 : -1;
}

int _access(const std::string& path, int mode)
{
    if (path.empty())
        return -1;
    int wanted = F_OK;
    if (mode & 2)
        wanted |= W_OK;
    if (mode & 4)
        wanted |= R_OK;
    return FindExistingPath(path, wanted).empty() ? -1 : 0;
}

} // namespace win32
