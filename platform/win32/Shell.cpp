#include "platform/win32/Shell.h"
#include "platform/win32/PathResolution.h"
#include "platform/win32/HookTable.h"
#include "platform/win32/Module.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace win32
{
namespace
{

namespace fs = std::filesystem;

std::optional<std::string> AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return std::nullopt;
    return std::string(value);
}

// Where the application-data folder is, whether or not it exists.
std::optional<std::string> AppDataLocation()
{
    std::optional<std::string> folder = AbsoluteVariable("XDG_DATA_HOME");
    if (!folder)
    {
        const auto home = AbsoluteVariable("HOME");
        if (!home)
            return std::nullopt;
        folder = *home + "/.local/share";
    }
    while (folder->size() > 1 && folder->back() == '/')
        folder->pop_back();
    return folder;
}

std::optional<fs::path> ProgramFolder()
{
    const std::string name = GetModuleFileNameA(nullptr);
    if (name.empty())
        return std::nullopt;
    return fs::path(name).parent_path();
}

// The folders whose loss would wipe more than the caller could mean: each as
// given and with its links resolved.
std::vector<fs::path> ProtectedFolders()
{
    std::vector<fs::path> folders{fs::path("/")};
    std::vector<fs::path> given;
    if (const auto home = AbsoluteVariable("HOME"))
        given.emplace_back(*home);
    if (const auto program = ProgramFolder())
        given.push_back(*program);
    if (const auto appData = AppDataLocation())
        given.emplace_back(*appData);
    for (const fs::path& folder : given)
    {
        std::error_code error;
        folders.push_back(folder.lexically_normal());
        const fs::path resolved = fs::weakly_canonical(folder, error);
        if (!error)
            folders.push_back(resolved);
    }
    return folders;
}

// Whether ancestor is folder itself or one of the folders above it.
bool Contains(const fs::path& ancestor, const fs::path& folder)
{
    auto a = ancestor.begin();
    auto f = folder.begin();
    for (; a != ancestor.end(); ++a, ++f)
    {
        if (a->empty())
            continue; // a trailing separator
        if (f == folder.end() || *a != *f)
            return false;
    }
    return true;
}

// The entry a path names, its folder's links resolved but not a link it
// ends in: deleting a link must not reach what it points to.
std::optional<fs::path> Locate(const std::string& path)
{
    std::error_code error;
    fs::path raw = fs::absolute(fs::path(ResolvePath(path)), error);
    if (error)
        return std::nullopt;
    while (raw.has_relative_path() && raw.filename().empty())
        raw = raw.parent_path();
    const fs::path name = raw.filename();
    fs::path entry;
    if (name.empty() || name == "." || name == "..")
        entry = fs::canonical(raw, error);
    else
        entry = fs::canonical(raw.parent_path(), error) / name;
    if (error || !fs::exists(fs::symlink_status(entry, error)))
        return std::nullopt;
    return entry;
}

// The answers ShellExecuteA gives: above 32 is success.
constexpr std::intptr_t ShellStarted = 42;
constexpr std::intptr_t ShellFileNotFound = 2;
constexpr std::intptr_t ShellNoAssociation = 31;

HINSTANCE ShellAnswer(std::intptr_t code)
{
    return reinterpret_cast<HINSTANCE>(code);
}

// The grandchild runs the opener in a session of its own; the child between
// them ends at once, so the caller reaps it now and nothing is left a zombie.
// The grandchild's exec failure travels back through a pipe that closes on a
// successful exec. Only async-signal-safe calls run after the fork.
bool StartDetached(const std::string& file)
{
    std::string program = "xdg-open";
    std::string argument = file;
    char* const arguments[] = {program.data(), argument.data(), nullptr};

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0)
    {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0)
    {
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0)
        {
            const int nothing = open("/dev/null", O_RDWR);
            if (nothing >= 0)
            {
                dup2(nothing, STDIN_FILENO);
                dup2(nothing, STDOUT_FILENO);
                dup2(nothing, STDERR_FILENO);
                if (nothing > STDERR_FILENO)
                    close(nothing);
            }
            execvp(arguments[0], arguments);
            const int failure = errno;
            [[maybe_unused]] const ssize_t written = write(report[1], &failure, sizeof failure);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    int failure = 0;
    ssize_t got = 0;
    do
        got = read(report[0], &failure, sizeof failure);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    const bool childOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return childOk && got == 0;
}

bool Delete(const std::string& path)
{
    if (path.empty())
        return false;
    const auto entry = Locate(path);
    if (!entry)
        return false;
    for (const fs::path& folder : ProtectedFolders())
    {
        if (Contains(*entry, folder))
            return false;
    }
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->deleteEntry(entry->string()))
        return true;
    std::error_code error;
    fs::remove_all(*entry, error);
    return !error;
}

} // namespace

int SHFileOperationA(SHFILEOPSTRUCTA* operation)
{
    if (!operation || operation->wFunc != FO_DELETE || !operation->pFrom)
        return 1;
    bool allDeleted = true;
    for (const char* path = operation->pFrom; *path; path += std::strlen(path) + 1)
        allDeleted = Delete(path) && allDeleted;
    return allDeleted ? 0 : 1;
}

HRESULT SHGetFolderPathA(HWND, int folder, void*, std::uint32_t, char* path)
{
    if (!path)
        return E_FAIL;
    path[0] = '\0';
    if ((folder & ~CSIDL_FLAG_CREATE) != CSIDL_APPDATA)
        return E_FAIL;
    const auto location = AppDataLocation();
    if (!location || location->size() >= MAX_PATH)
        return E_FAIL;
    std::error_code error;
    if (folder & CSIDL_FLAG_CREATE)
        fs::create_directories(*location, error);
    if (error || !fs::is_directory(*location, error))
        return E_FAIL;
    std::memcpy(path, location->c_str(), location->size() + 1);
    return S_OK;
}

HINSTANCE ShellExecuteA(HWND, const char* verb, const char* file, const char*, const char*, std::int32_t show)
{
    const std::string verbText = verb ? verb : "";
    const std::string fileText = file ? file : "";
    const detail::HookTable* hooks = detail::Hooks();
    const bool recorded =
        hooks != nullptr && hooks->shellExecute != nullptr && hooks->shellExecute(verbText, fileText, show);
    if (verbText != "open")
        return ShellAnswer(ShellNoAssociation);
    if (fileText.empty())
        return ShellAnswer(ShellFileNotFound);
    if (recorded)
        return ShellAnswer(ShellStarted);
    return ShellAnswer(StartDetached(fileText) ? ShellStarted : ShellFileNotFound);
}

} // namespace win32
