#pragma once

#include <functional>
#include <string>

namespace OrvaneEngine
{
class FileBinary;
class MessageManager;
} // namespace OrvaneEngine

namespace GameFramework
{

class VersionedFile;

// The save path the profiles, the profile list and the high-score table
// share: the body goes to a temporary file that replaces the target only
// when every byte reached the disk.
class VersionedFileSaver
{
public:
    // Opens path for writing, hands the open file to writeBody, closes. A
    // FileError anywhere is logged and swallowed; the target then keeps its
    // old contents and no temporary file is left. False when it failed.
    static bool Save(VersionedFile& file, const std::string& path, OrvaneEngine::MessageManager* log,
                     const std::function<void(OrvaneEngine::FileBinary*)>& writeBody);
};

} // namespace GameFramework
