#include "platform/win32/testing/ShellHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <mutex>

namespace win32::testing
{
namespace
{
std::mutex recordingMutex;
bool recording = false;
std::vector<std::string> recorded;
} // namespace

bool entries::RecordDelete(const std::string& systemPath)
{
    std::lock_guard lock(recordingMutex);
    if (recording)
        recorded.push_back(systemPath);
    return recording;
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

void ResetShell()
{
    std::lock_guard lock(recordingMutex);
    recording = false;
    recorded.clear();
}

} // namespace win32::testing
