#include "engine/render/Image.h"

#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/ImageFormat.h"

namespace OrvaneEngine
{

namespace
{

enum class ImageFileType
{
    Unknown,
    BMP,
    TGA,
    JPEG
};

ImageFileType TypeOf(const std::string& path)
{
    const std::string extension = ToLower(GetExtension(path));
    if (extension == "bmp")
    {
        return ImageFileType::BMP;
    }
    if (extension == "tga")
    {
        return ImageFileType::TGA;
    }
    if (extension == "jpg" || extension == "jpeg")
    {
        return ImageFileType::JPEG;
    }
    return ImageFileType::Unknown;
}

void ReportUnknownType(MessageManager* log, const std::string& path)
{
    if (log != nullptr)
    {
        log->Error("Unknown \"" + path + "\" image file type");
    }
}

} // namespace

bool Image::IsSizeAcceptable(std::uint64_t pictureWidth, std::uint64_t pictureHeight, std::uint32_t bits)
{
    return pictureWidth >= 1 && pictureWidth <= MaxSide && pictureHeight >= 1 && pictureHeight <= MaxSide
        && pictureWidth * pictureHeight * bits / 8 <= MaxPixelBytes;
}

bool Image::Load(MessageManager* newLog, FileManager* fileManager, const std::string& path)
{
    switch (TypeOf(path))
    {
    case ImageFileType::BMP:
        return LoadBMP(newLog, fileManager, path);
    case ImageFileType::TGA:
        return LoadTGA(newLog, fileManager, path);
    case ImageFileType::JPEG:
        return LoadJPEG(newLog, fileManager, path);
    case ImageFileType::Unknown:
        break;
    }
    ReportUnknownType(newLog, path);
    return false;
}

bool Image::Save(FileManager* fileManager, const std::string& path)
{
    switch (TypeOf(path))
    {
    case ImageFileType::BMP:
        return SaveBMP(fileManager, path);
    case ImageFileType::TGA:
        return SaveTGA(fileManager, path);
    case ImageFileType::JPEG:
        return SaveJPEG(fileManager, path, 85);
    case ImageFileType::Unknown:
        break;
    }
    ReportUnknownType(log, path);
    return false;
}

bool Image::CanSave(const std::string& path) const
{
    // An image that holds nothing writes no file: its width, height and depth mean nothing.
    if (empty || width == 0 || height == 0 || (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32))
    {
        return ReportFailedSave(log, path);
    }
    return true;
}

} // namespace OrvaneEngine
