#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace win32::testing
{

// While on, SHFileOperationA deletes nothing and records the operating
// system's path of each entry it would have deleted (after its guards).
void SetDeleteRecording(bool on);
std::vector<std::string> GetRecordedDeletes();

// One ShellExecuteA call, with what else had happened when it came: the
// message boxes recorded before it and the windows still open.
struct ShellExecuteCall
{
    std::string verb;
    std::string file;
    std::int32_t show = 0;
    std::size_t messageBoxesBefore = 0;
    std::size_t windowsOpen = 0;
};

// On from the start in every program that links the hooks, so that no test
// opens a browser: each ShellExecuteA call is recorded and nothing started.
// Off, the stand-in starts the opener for real.
void SetShellExecuteRecording(bool on);
std::vector<ShellExecuteCall> GetShellExecuteCalls();

// Deleting for real again and recording shell requests; forgets what was
// recorded.
void ResetShell();

} // namespace win32::testing
