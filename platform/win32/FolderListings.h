#pragma once

#include <sys/types.h>

#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace win32
{

// Folder listings kept between lookups, so that a name that is not on disk
// (every name the packs serve) or is written in another case costs one stat
// of its folder rather than a scan of it. A listing is used again only while
// the folder is the same one (device and inode) with the same modification
// time, and only when it was read clearly after that time: a change made
// within the same timestamp tick as the one before it leaves the time as it
// was, so a listing read in that tick is read afresh every time.
// Safe to use from several threads.
class FolderListings
{
public:
    static FolderListings& Shared();

    struct Match
    {
        // False when folder is not a folder that can be listed.
        bool folderListed = false;
        // Empty when the folder holds no such entry.
        std::string name;
        // A file or folder rather than a link or an entry of unknown kind:
        // being listed, it exists.
        bool plain = false;
    };

    // True when a listing of folder is kept; asks the disk nothing.
    bool IsKept(std::string_view folder) const;
    // The entry of folder named name: name itself when present, else the
    // entry equal to it without regard to ASCII case (of several, the
    // smallest in byte order).
    Match Find(const std::string& folder, const std::string& name);
    void Clear();

private:
    struct Listing
    {
        dev_t device = 0;
        ino_t inode = 0;
        timespec modified{};
        bool trusted = false;
        // Name to whether the entry is plain.
        std::unordered_map<std::string, bool> names;
        // Lower-cased name to the smallest entry with that lower case.
        std::unordered_map<std::string, std::string> byLowerCase;
    };

    struct Hash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    // The folder's listing as it is now, read again when needed; null when
    // the folder cannot be listed.
    const Listing* Current(const std::string& folder);

    mutable std::mutex lock;
    std::unordered_map<std::string, Listing, Hash, std::equal_to<>> listings;
};

} // namespace win32
