#pragma once

#include "engine/core/LittleEndian.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace OrvaneEngine
{

class FileBinary;
class FileError;
class FileManager;
class Image;
class MessageManager;

// What a format reader makes of a file; each failure has its own log text.
enum class ImageReadResult
{
    Success,
    Incorrect,
    Unsupported
};

std::string IncorrectFormatText(const std::string& path);
std::string UnsupportedFormatText(const std::string& path);
std::string FailedToSaveText(const std::string& path);

// Logs the failure's text at the error level (when there is a log); true only for Success.
bool ReportImageRead(MessageManager* log, ImageReadResult result, const std::string& path);
// Logs the error's own text (when there is a log).
void ReportFileError(MessageManager* log, const FileError& error);
// Opens a file to read; when that fails, logs why and returns null.
std::unique_ptr<FileBinary> OpenImageFile(MessageManager* log, FileManager& fileManager, const std::string& path,
                                          bool forceMemory);
// Runs one format's picture reader on an image that was just cleared: a
// FileError or a refusal leaves the image empty, and the failure is logged
// in the reader's own words. True only for a sound picture.
bool RunImageReader(Image& image, MessageManager* log, const std::string& path,
                    const std::function<ImageReadResult()>& read);
// Logs "Failed to save" (when there is a log); always false.
bool ReportFailedSave(MessageManager* log, const std::string& path);

} // namespace OrvaneEngine
