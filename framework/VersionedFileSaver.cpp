#include "framework/VersionedFileSaver.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/MessageManager.h"
#include "framework/VersionedFile.h"

namespace GameFramework
{

bool VersionedFileSaver::Save(VersionedFile& file, const std::string& path, OrvaneEngine::MessageManager* log,
                              const std::function<void(OrvaneEngine::FileBinary*)>& writeBody)
{
    try
    {
        file.Open(path, 1, 0, nullptr);
        writeBody(file.GetFile());
        file.Close();
        return true;
    }
    catch (const OrvaneEngine::FileError& error)
    {
        // A body cut short by the error is still open; closing it the usual
        // way would give it a header and put it in place of the good file.
        if (OrvaneEngine::FileBinary* unfinished = file.GetFile(); unfinished != nullptr && unfinished->IsWrite())
        {
            unfinished->Discard();
            try
            {
                file.Close();
            }
            catch (const OrvaneEngine::FileError&)
            {
                // Nothing is left to close: the discarded file takes no header.
            }
        }
        if (log != nullptr)
            log->Error(error.GetText());
        return false;
    }
}

} // namespace GameFramework
