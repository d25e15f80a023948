#include "platform/win32/CFile.h"
#include "platform/win32/PathResolution.h"
#include "platform/win32/HookTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace win32
{
namespace
{

using detail::FileCall;

// Empty: the call runs normally; a value: a test wants it to fail (0) or to
// move at most that many bytes.
std::optional<std::size_t> Trip(FileCall call, std::FILE* file, const std::string& renamedPath)
{
    const detail::HookTable* hooks = detail::Hooks();
    if (hooks == nullptr)
        return std::nullopt;
    return hooks->tripFileCall(call, file, renamedPath);
}

const std::string noPath;

std::optional<std::size_t> Trip(FileCall call, std::FILE* file)
{
    return Trip(call, file, noPath);
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
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr)
        hooks->fileOpened(file, opened);
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
    // Counted as a stream would be; there is none to name.
    const detail::HookTable* hooks = detail::Hooks();
    if (hooks != nullptr)
        hooks->fileOpened(nullptr, opened);
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
    if (hooks != nullptr)
        hooks->fileClosed(nullptr);
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
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr)
        hooks->fileClosed(file);
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

} // namespace win32
