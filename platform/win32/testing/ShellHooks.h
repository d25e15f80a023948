#pragma once

#include <string>
#include <vector>

namespace win32::testing
{

// While on, SHFileOperationA deletes nothing and records the operating
// system's path of each entry it would have deleted (after its guards).
void SetDeleteRecording(bool on);
std::vector<std::string> GetRecordedDeletes();

// Deleting for real again; forgets the recorded paths.
void ResetShell();

} // namespace win32::testing
