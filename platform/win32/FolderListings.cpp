#include "platform/win32/FolderListings.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>

namespace win32
{
namespace
{

// Enough to keep every folder of the game's data and the user's files; past
// it everything is forgotten at once rather than tracked by age.
constexpr std::size_t MostListings = 1024;

// How long after a folder's modification time a listing must have been read
// to be trusted. The kernel stamps times from a clock that lags the one read
// here by up to a scheduler tick, and a file system keeps them at its own
// granularity: folders stamped in whole seconds (FAT keeps two) wait longer.
constexpr std::int64_t FineMargin = 100'000'000;    // ns
constexpr std::int64_t CoarseMargin = 3'000'000'000; // ns

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = LowerAscii(c);
    return text;
}

bool SameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

FolderListings& FolderListings::Shared()
{
    static FolderListings shared;
    return shared;
}

bool FolderListings::IsKept(std::string_view folder) const
{
    std::lock_guard guard(lock);
    return listings.find(folder) != listings.end();
}

void FolderListings::Clear()
{
    std::lock_guard guard(lock);
    listings.clear();
}

FolderListings::Match FolderListings::Find(const std::string& folder, const std::string& name)
{
    std::lock_guard guard(lock);
    Match match;
    const Listing* listing = Current(folder);
    if (!listing)
        return match;
    match.folderListed = true;
    auto exact = listing->names.find(name);
    if (exact == listing->names.end())
    {
        const auto found = listing->byLowerCase.find(LowerCase(name));
        if (found == listing->byLowerCase.end())
            return match;
        exact = listing->names.find(found->second);
    }
    match.name = exact->first;
    match.plain = exact->second;
    return match;
}

const FolderListings::Listing* FolderListings::Current(const std::string& folder)
{
    const char* systemFolder = folder.empty() ? "." : folder.c_str();
    struct stat status
    {
    };
    // The time is taken before the folder is read: a change after it
    // either shows in the listing or moves the modification time on.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (::stat(systemFolder, &status) != 0 || !S_ISDIR(status.st_mode))
    {
        listings.erase(folder);
        return nullptr;
    }
    auto kept = listings.find(folder);
    if (kept != listings.end())
    {
        const Listing& listing = kept->second;
        if (listing.trusted && listing.device == status.st_dev && listing.inode == status.st_ino &&
            SameTime(listing.modified, status.st_mtim))
            return &listing;
        listings.erase(kept);
    }

    DIR* folderStream = ::opendir(systemFolder);
    if (!folderStream)
        return nullptr;
    if (listings.size() >= MostListings)
        listings.clear();
    Listing& listing = listings[folder];
    listing.device = status.st_dev;
    listing.inode = status.st_ino;
    listing.modified = status.st_mtim;
    const std::int64_t margin = status.st_mtim.tv_nsec == 0 ? CoarseMargin : FineMargin;
    listing.trusted = Nanoseconds(now) - Nanoseconds(status.st_mtim) >= margin;
    while (const dirent* entry = ::readdir(folderStream))
    {
        std::string entryName = entry->d_name;
        auto [slot, added] = listing.byLowerCase.try_emplace(LowerCase(entryName), entryName);
        if (!added && entryName < slot->second)
            slot->second = entryName;
        listing.names.emplace(std::move(entryName), entry->d_type == DT_REG || entry->d_type == DT_DIR);
    }
    ::closedir(folderStream);
    return &listing;
}

} // namespace win32
