#include "platform/win32/testing/ShellHooks.h"

#include "platform/win32/testing/HookEntries.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/WindowHooks.h"

#include <mutex>
#include <utility>

namespace win32::testing
{
namespace
{
std::mutex recordingMutex;
bool recording = false;
std::vector<std::string> recorded;
bool recordingShell = true;
std::vector<ShellExecuteCall> shellCalls;
} // namespace

bool entries::RecordDelete(const std::string& systemPath)
{
    std::lock_guard lock(recordingMutex);
    if (recording)
        recorded.push_back(systemPath);
    return recording;
}

bool entries::RecordShellExecute(const std::string& verb, const std::string& file, std::int32_t show)
{
    ShellExecuteCall call{verb, file, show, GetMessageBoxCalls().size(), GetWindowCount()};
    std::lock_guard lock(recordingMutex);
    if (recordingShell)
        shellCalls.push_back(std::move(call));
    return recordingShell;
}

void SetDeleteRecording(bool on)
{
    std::lock_guard lock(recordingMutex);
    recording = on;
}

std::vector<std::string> GetRecordedDeletes()
{
    std::lock_guard lock(recordingMutex);
    return recorded;
}

void SetShellExecuteRecording(bool on)
{
    std::lock_guard lock(recordingMutex);
    recordingShell = on;
}

std::vector<ShellExecuteCall> GetShellExecuteCalls()
{
    std::lock_guard lock(recordingMutex);
    return shellCalls;
}

void ResetShell()
{
    std::lock_guard lock(recordingMutex);
    recording = false;
    recorded.clear();
    recordingShell = true;
    shellCalls.clear();
}

} // namespace win32::testing
