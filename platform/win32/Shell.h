#pragma once

#include "platform/win32/Types.h"

#include "platform/win32/ComTypes.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace win32
{

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

constexpr std::uint32_t MAX_PATH = 260;

constexpr std::uint32_t FO_DELETE = 3;
constexpr std::uint16_t FOF_SILENT = 0x0004;
constexpr std::uint16_t FOF_NOCONFIRMATION = 0x0010;

struct SHFILEOPSTRUCTA
{
    HWND hwnd = 0;
    std::uint32_t wFunc = 0;
    // One or more path texts, each ended by a zero character, the list by
    // a second one.
    const char* pFrom = nullptr;
    const char* pTo = nullptr;
    std::uint16_t fFlags = 0;
    std::int32_t fAnyOperationsAborted = 0;
    void* hNameMappings = nullptr;
    const char* lpszProgressTitle = nullptr;
};

// FO_DELETE only: deletes each file or folder tree of pFrom. Symbolic links
// are removed, never followed. A path that is, after ".", ".." and links,
// the root, the home folder, the program's folder, the application-data
// folder or an ancestor of one of them is refused and left alone.
// 0 when everything named was deleted.
int SHFileOperationA(SHFILEOPSTRUCTA* operation);

constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_FLAG_CREATE = 0x8000;

// CSIDL_APPDATA: $XDG_DATA_HOME when it is set and absolute, else
// $HOME/.local/share, into path (MAX_PATH characters). With
// CSIDL_FLAG_CREATE the folder is created when it is missing. E_FAIL, with
// path empty, when neither variable is usable, the folder cannot be made or
// the text does not fit.
HRESULT SHGetFolderPathA(HWND owner, int folder, void* token, std::uint32_t flags, char* path);

// The verb "open" with a non-empty file: starts "xdg-open <file>" in its own
// session, its standard streams on /dev/null, and returns without waiting and
// without leaving a child to reap. Parameters, folder and show flag change
// nothing. Above 32 once xdg-open has started; 32 or less when nothing was
// started (another verb, an empty file, no xdg-open to run).
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters, const char* folder,
                        std::int32_t show);

} // namespace win32
