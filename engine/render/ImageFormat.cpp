#include "engine/render/ImageFormat.h"

#include "engine/render/Image.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"

namespace OrvaneEngine
{

std::string IncorrectFormatText(const std::string& path)
{
    return "Incorrect \"" + path + "\" file format";
}

std::string UnsupportedFormatText(const std::string& path)
{
    return "Unsupported \"" + path + "\" file format";
}

std::string FailedToSaveText(const std::string& path)
{
    return "Failed to save \"" + path + "\"";
}

bool ReportImageRead(MessageManager* log, ImageReadResult result, const std::string& path)
{
    if (result == ImageReadResult::Success)
    {
        return true;
    }
    if (log != nullptr)
    {
        log->Error(result == ImageReadResult::Incorrect ? IncorrectFormatText(path) : UnsupportedFormatText(path));
    }
    return false;
}

void ReportFileError(MessageManager* log, const FileError& error)
{
    if (log != nullptr)
    {
        log->Error(error.GetText());
    }
}

std::unique_ptr<FileBinary> OpenImageFile(MessageManager* log, FileManager& fileManager, const std::string& path,
                                          bool forceMemory)
{
    try
    {
        return fileManager.Open(path, false, forceMemory);
    }
    catch (const FileError& error)
    {
        ReportFileError(log, error);
        return nullptr;
    }
}

bool ReportFailedSave(MessageManager* log, const std::string& path)
{
    if (log != nullptr)
    {
        log->Error(FailedToSaveText(path));
    }
    return false;
}

bool RunImageReader(Image& image, MessageManager* log, const std::string& path,
                    const std::function<ImageReadResult()>& read)
{
    ImageReadResult result = ImageReadResult::Incorrect;
    try
    {
        result = read();
    }
    catch (const FileError& error)
    {
        image.Clear();
        ReportFileError(log, error);
        return false;
    }
    if (result != ImageReadResult::Success)
    {
        image.Clear();
    }
    return ReportImageRead(log, result, path);
}

} // namespace OrvaneEngine
