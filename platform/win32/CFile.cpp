#include "platform/win32/CFile.h"
#include "platform/win32/PathResolution.h"
#include "platform/win32/testing/CFileHooks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace win32
{
namespace
{

using testing::FileCall;

constexpr std::size_t CallKinds = 6;

// One armed failure per kind of call.
struct Fault
{
    bool armed = false;
    std::uint32_t remaining = 0;
    std::optional<std::size_t> keep; // set: come up short; unset: fail
    std::string pathPart;
};

std::mutex state;
std::array<Fault, CallKinds> faults;
std::atomic<bool> anyArmed{false};
std::unordered_map<std::FILE*, std::string> openStreams;
std::atomic<std::uint32_t> openCount{0};

std::string PathOf(std::FILE* file)
{
    const auto found = openStreams.find(file);
    return found == openStreams.end() ? std::string() : found->second;
}

// Counts this call against an armed fault of its kind. Empty: the call runs
// normally; a value: it fails (0) or moves at most that many bytes.
std::optional<std::size_t> Trip(FileCall call, std::FILE* file, const std::string& renamedPath = "")
{
    if (!anyArmed)
        return std::nullopt;
    std::lock_guard lock(state);
    Fault& fault = faults[static_cast<std::size_t>(call)];
    if (!fault.armed)
        return std::nullopt;
    if (!fault.pathPart.empty())
    {
        const std::string path = file ? PathOf(file) : renamedPath;
        if (path.find(fault.pathPart) == std::string::npos)
            return std::nullopt;
    }
    if (--fault.remaining > 0)
        return std::nullopt;
    fault.armed = false;
    return fault.keep.value_or(0);
}

} // namespace

std::string ToSystemPath(const std::string& path)
{
    std::string systemPath = path;
    std::replace(systemPath.begin(), systemPath.end(), '\\', '/');
    return systemPath;
}

std::FILE* fopen(const std::string& path, const char* mode)
{
    if (!mode || !*mode)
        return nullptr;
    std::string systemMode;
    for (const char* c = mode; *c; ++c)
    {
        if (*c != 't')
            systemMode += *c;
    }

    std::FILE* file = nullptr;
    std::string opened;
    if (mode[0] == 'r')
    {
        // The name as written is tried first; resolving costs a look at
        // every level. Non-blocking, so that a pipe cannot hold the open up.
        const int access = systemMode.find('+') != std::string::npos ? O_RDWR : O_RDONLY;
        opened = ToSystemPath(path);
        int descriptor = ::open(opened.c_str(), access | O_CLOEXEC | O_NONBLOCK);
        if (descriptor < 0 && (errno == ENOENT || errno == ENOTDIR))
        {
            const std::string resolved = ResolvePath(path);
            if (resolved != opened)
            {
                opened = resolved;
                descriptor = ::open(opened.c_str(), access | O_CLOEXEC | O_NONBLOCK);
            }
        }
        if (descriptor < 0)
            return nullptr;
        struct stat status
        {
        };
        // Linux opens folders, and a device may never end.
        if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
            !(file = ::fdopen(descriptor, systemMode.c_str())))
        {
            ::close(descriptor);
            return nullptr;
        }
    }
    else
    {
        // Streams must not leak into the programs the game starts.
        opened = ResolvePath(path);
        file = std::fopen(opened.c_str(), (systemMode + 'e').c_str());
        if (!file)
            return nullptr;
    }
    std::lock_guard lock(state);
    openStreams[file] = opened;
    ++openCount;
    return file;
}

int ReadWholeFile(const std::string& path, std::uint64_t limit, std::unique_ptr<std::uint8_t[]>& bytes,
                  std::uint64_t& size, std::uint64_t& got)
{
    std::string opened = ToSystemPath(path);
    int descriptor = ::open(opened.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0 && (errno == ENOENT || errno == ENOTDIR))
    {
        const std::string resolved = ResolvePath(path);
        if (resolved != opened)
        {
            opened = resolved;
            descriptor = ::open(opened.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        }
    }
    if (descriptor < 0)
        return -1;
    struct stat status
    {
    };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
    {
        ::close(descriptor);
        return -1;
    }
    if (static_cast<std::uint64_t>(status.st_size) > limit)
    {
        ::close(descriptor);
        return 0;
    }
    ++openCount;
    size = static_cast<std::uint64_t>(status.st_size);
    bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    got = 0;
    if (size > 0)
    {
        std::uint64_t wanted = size;
        if (const auto keep = Trip(FileCall::Read, nullptr, opened))
            wanted = std::min<std::uint64_t>(wanted, *keep);
        while (got < wanted)
        {
            const ssize_t read = ::read(descriptor, bytes.get() + got, wanted - got);
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                break;
            got += static_cast<std::uint64_t>(read);
        }
    }
    Trip(FileCall::Close, nullptr, opened);
    ::close(descriptor);
    return 1;
}

std::size_t fread(void* buffer, std::size_t size, std::size_t count, std::FILE* file)
{
    if (!file || !buffer || size == 0)
        return 0;
    if (const auto keep = Trip(FileCall::Read, file))
        count = std::min(count, *keep / size);
    return std::fread(buffer, size, count, file);
}

std::size_t fwrite(const void* data, std::size_t size, std::size_t count, std::FILE* file)
{
    if (!file || !data || size == 0)
        return 0;
    if (const auto keep = Trip(FileCall::Write, file))
        count = std::min(count, *keep / size);
    return std::fwrite(data, size, count, file);
}

int fseek(std::FILE* file, std::int64_t offset, int origin)
{
    if (!file)
        return -1;
    return ::fseeko(file, static_cast<off_t>(offset), origin);
}

std::int64_t ftell(std::FILE* file)
{
    if (!file)
        return -1;
    return static_cast<std::int64_t>(::ftello(file));
}

int fflush(std::FILE* file)
{
    if (!file)
        return EOF;
    if (Trip(FileCall::Flush, file))
        return EOF;
    return std::fflush(file);
}

int fsync(std::FILE* file)
{
    if (!file)
        return -1;
    if (Trip(FileCall::Sync, file))
        return -1;
    return ::fsync(::fileno(file));
}

int fclose(std::FILE* file)
{
    if (!file)
        return EOF;
    const bool fail = Trip(FileCall::Close, file).has_value();
    {
        std::lock_guard lock(state);
        openStreams.erase(file);
    }
    const int result = std::fclose(file);
    return fail ? EOF : result;
}

int rename(const std::string& from, const std::string& to)
{
    const std::string source = ResolvePath(from);
    if (Trip(FileCall::Rename, nullptr, source))
        return -1;
    return std::rename(source.c_str(), ResolvePath(to).c_str());
}

int remove(const std::string& path)
{
    return std::remove(ResolvePath(path).c_str());
}

namespace testing
{

namespace
{
void Arm(FileCall call, std::uint32_t nth, std::optional<std::size_t> keep, const std::string& pathPart)
{
    std::lock_guard lock(state);
    Fault& fault = faults[static_cast<std::size_t>(call)];
    fault.armed = nth > 0;
    fault.remaining = nth;
    fault.keep = keep;
    fault.pathPart = pathPart;
    anyArmed = true;
}
} // namespace

void FailFileCall(FileCall call, std::uint32_t nth, const std::string& pathPart)
{
    Arm(call, nth, std::nullopt, pathPart);
}

void ShortenFileCall(FileCall call, std::uint32_t nth, std::size_t keep, const std::string& pathPart)
{
    Arm(call, nth, keep, pathPart);
}

std::uint32_t GetFileOpenCount()
{
    return openCount;
}

std::uint32_t GetOpenStreamCount()
{
    std::lock_guard lock(state);
    return static_cast<std::uint32_t>(openStreams.size());
}

void ResetFileHooks()
{
    std::lock_guard lock(state);
    faults = {};
    anyArmed = false;
    openCount = 0;
}

} // namespace testing

} // namespace win32
