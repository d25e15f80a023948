#include "engine/render/ScreenCapture.h"

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Window.h"
#include "engine/render/Image.h"
#include "platform/vfw/VideoForWindows.h"
#include "platform/win32/Gdi.h"

#include <algorithm>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t kFormatBMP = 0;
constexpr std::uint32_t kFormatTGA = 1;
constexpr std::uint32_t kFormatJPEG = 2;
constexpr std::uint32_t kNamesPerKind = 1000;
constexpr std::uint32_t kMovieRate = 33;
constexpr std::uint32_t kHeaderBytes = sizeof(win32::BITMAPINFOHEADER);

std::uint32_t ColorTableBytes(std::uint32_t bitsPerPixel)
{
    return bitsPerPixel <= 8 ? (1u << bitsPerPixel) * 4 : 0;
}

win32::BITMAPINFOHEADER ReadHeader(const std::vector<std::uint8_t>& dib)
{
    win32::BITMAPINFOHEADER header{};
    if (dib.size() >= kHeaderBytes)
        std::memcpy(&header, dib.data(), kHeaderBytes);
    return header;
}

} // namespace

ScreenCapture::ScreenCapture(MessageManager* messageManager, FileManager* fileManager, Config* configuration,
                             Window* captured)
    : log(messageManager), files(fileManager), config(configuration), window(captured)
{
    videoUsable = (vfw::VideoForWindowsVersion() >> 16) >= 0x010A;
}

ScreenCapture::~ScreenCapture()
{
    StopMovieRecord();
}

void ScreenCapture::Update()
{
    if (static_cast<std::int32_t>(config->screenshotFormat) < 0)
        config->screenshotFormat = 0;

    // A later command of the same frame decides the format; the variable
    // itself is left as the user set it.
    const struct
    {
        const char* command;
        bool fromVariable;
        std::uint32_t format;
    } shots[] = {
        {"sc_take_screenshot", true, 0},
        {"sc_take_screenshot_tga", false, kFormatTGA},
        {"sc_take_screenshot_jpg", false, kFormatJPEG},
    };
    for (const auto& shot : shots)
    {
        if (config->GetCommandFlag(shot.command))
            continue;
        config->SetCommandFlag(shot.command, true);
        screenshotWanted = true;
        format = shot.fromVariable ? config->screenshotFormat : shot.format;
    }
    if (screenshotWanted)
        screenshotName = MakeFileName();

    if (!config->GetCommandFlag("sc_start_movie_record"))
    {
        config->SetCommandFlag("sc_start_movie_record", true);
        StartMovieRecord();
    }
    if (!config->GetCommandFlag("sc_stop_movie_record"))
    {
        config->SetCommandFlag("sc_stop_movie_record", true);
        StopMovieRecord();
    }

    if (screenshotWanted)
        TakeScreenshot();
    else if (recording)
        WriteMovieFrame();
}

std::string ScreenCapture::MakeFileName() const
{
    const char* extension = format == kFormatBMP ? "bmp" : format == kFormatTGA ? "tga" : "jpg";
    return FindFreeName(kPicturePrefix, extension);
}

std::string ScreenCapture::FindFreeName(const std::string& prefix, const std::string& extension) const
{
    for (std::uint32_t n = 0; n < kNamesPerKind; ++n)
    {
        const std::string name =
            kFolder + prefix + IntToString(static_cast<std::int32_t>(n), 3) + "." + extension;
        if (!FileManager::ExistsOnDisk(UnderRoot(name)))
            return name;
    }
    return "";
}

std::string ScreenCapture::UnderRoot(const std::string& name) const
{
    return files->GetRootFolder() + "\\" + name;
}

void ScreenCapture::TakeScreenshot()
{
    // The request is served even when no picture comes of it.
    screenshotWanted = false;
    if (screenshotName.empty())
    {
        LogError("Failed to find a free screen capture file name");
        return;
    }
    Image image;
    if (GrabFrame(&image))
        image.Save(files, UnderRoot(screenshotName));
    image.Clear();
    ReleaseDib();
}

void ScreenCapture::WriteMovieFrame()
{
    if (GrabFrame(nullptr) && recording)
    {
        const win32::BITMAPINFOHEADER header = ReadHeader(grabbedDib);
        const std::uint32_t rows = kHeaderBytes + ColorTableBytes(header.bitCount);
        const vfw::HRESULT written =
            vfw::AVIStreamWrite(compressedStream, static_cast<std::int32_t>(frameIndex), 1, grabbedDib.data() + rows,
                                static_cast<std::int32_t>(header.sizeImage), vfw::AVIIF_KEYFRAME, nullptr, nullptr);
        if (vfw::FAILED(written))
        {
            LogError("Failed to write to avi stream");
            StopMovieRecord();
        }
    }
    ReleaseDib();
    ++frameIndex;
}

void ScreenCapture::StartMovieRecord()
{
    if (!videoUsable)
    {
        LogError("Video For Windiws version is too old");
        return;
    }
    if (recording)
    {
        LogError("AVI recording was already started");
        return;
    }
    // No compressor dialog comes up here, so the window is neither minimised
    // nor refocused: a minimised window would pause the game being filmed.
    movieName = FindFreeName(kMoviePrefix, "avi");
    if (movieName.empty())
    {
        LogError("Failed to find a free screen capture file name");
        return;
    }

    if (log)
        log->Message("AVI recording is starting...");
    recording = true;
    frameIndex = 0;
    vfw::AVIFileInit();
    if (!GrabFrame(nullptr))
        return; // logged, and the recording has stopped

    const win32::BITMAPINFOHEADER header = ReadHeader(grabbedDib);
    const std::string path = UnderRoot(movieName);
    FileManager::CreateDirectories(path);
    bool made = vfw::SUCCEEDED(vfw::AVIFileOpenA(&aviFile, path.c_str(), vfw::OF_CREATE | vfw::OF_WRITE, nullptr));
    if (made)
    {
        streamInfo = vfw::AVISTREAMINFOA{};
        streamInfo.type = vfw::streamtypeVIDEO;
        streamInfo.handler = 0;
        streamInfo.scale = 1;
        streamInfo.rate = kMovieRate;
        streamInfo.suggestedBufferSize = header.sizeImage;
        streamInfo.frame = win32::RECT{0, 0, header.width, header.height};
        made = vfw::SUCCEEDED(vfw::AVIFileCreateStreamA(aviFile, &stream, &streamInfo));
    }
    if (made)
    {
        compressionOptions = vfw::AVICOMPRESSOPTIONS{};
        made = vfw::AVISaveOptions(0, 0, 1, &stream, &compressionOptionsPointer) != win32::FALSE;
    }
    if (made)
        made = vfw::SUCCEEDED(vfw::AVIMakeCompressedStream(&compressedStream, stream, &compressionOptions, nullptr));
    if (made)
    {
        const auto formatBytes = static_cast<std::int32_t>(kHeaderBytes + ColorTableBytes(header.bitCount));
        made = vfw::SUCCEEDED(vfw::AVIStreamSetFormat(compressedStream, 0, grabbedDib.data(), formatBytes));
    }
    ReleaseDib();
    if (!made)
    {
        LogError("Failed to create avi stream");
        StopMovieRecord();
    }
}

void ScreenCapture::StopMovieRecord()
{
    if (!recording)
        return;
    recording = false;
    spareDib = {};
    ReleaseMovie();
    vfw::AVIFileExit();
    if (log)
        log->Message("AVI record finished");
}

void ScreenCapture::ReleaseMovie()
{
    // The file is complete under its name once its last reference has gone.
    if (stream)
        vfw::AVIStreamRelease(stream);
    if (compressedStream)
        vfw::AVIStreamRelease(compressedStream);
    if (aviFile)
        vfw::AVIFileRelease(aviFile);
    stream = nullptr;
    compressedStream = nullptr;
    aviFile = nullptr;
}

win32::HBITMAP ScreenCapture::GrabBitmap()
{
    const win32::HDC windowContext = window->deviceContext;
    const auto width = static_cast<std::int32_t>(window->width);
    const auto height = static_cast<std::int32_t>(window->height);
    const win32::HDC memory = win32::CreateCompatibleDC(windowContext);
    const win32::HBITMAP bitmap = memory ? win32::CreateCompatibleBitmap(windowContext, width, height) : nullptr;
    const win32::HGDIOBJ previous = bitmap ? win32::SelectObject(memory, bitmap) : nullptr;
    const bool copied =
        previous && win32::BitBlt(memory, 0, 0, width, height, windowContext, 0, 0, win32::SRCCOPY) != win32::FALSE;
    if (previous)
        win32::SelectObject(memory, previous);
    if (memory)
        win32::DeleteDC(memory);
    if (copied)
        return bitmap;
    if (bitmap)
        win32::DeleteObject(bitmap);
    LogError("Failed to print image from screen");
    StopMovieRecord();
    return nullptr;
}

std::vector<std::uint8_t> ScreenCapture::BitmapToDib(win32::HBITMAP bitmap, std::uint32_t bitsPerPixel, Image* image)
{
    const std::uint32_t width = window->width;
    const std::uint32_t height = window->height;
    const std::uint32_t tableBytes = ColorTableBytes(bitsPerPixel);
    const std::uint64_t imageBytes = win32::DibRowBytes(width, bitsPerPixel) * height;

    win32::BITMAPINFO info{};
    info.header.size = kHeaderBytes;
    info.header.width = static_cast<std::int32_t>(width);
    info.header.height = static_cast<std::int32_t>(height);
    info.header.planes = 1;
    info.header.bitCount = static_cast<std::uint16_t>(bitsPerPixel);
    info.header.compression = win32::BI_RGB;
    info.header.sizeImage = static_cast<std::uint32_t>(imageBytes);

    // Every row is read into it, so a recording's previous DIB serves as it is.
    std::vector<std::uint8_t> dib = std::move(spareDib);
    spareDib = {};
    dib.resize(kHeaderBytes + tableBytes + imageBytes);
    std::memcpy(dib.data(), &info.header, kHeaderBytes);
    std::fill(dib.begin() + kHeaderBytes, dib.begin() + kHeaderBytes + tableBytes, std::uint8_t{0});
    const win32::HDC memory = win32::CreateCompatibleDC(window->deviceContext);
    const std::int32_t lines =
        memory ? win32::GetDIBits(memory, bitmap, 0, height, dib.data() + kHeaderBytes + tableBytes, &info,
                                  win32::DIB_RGB_COLORS)
               : 0;
    if (memory)
        win32::DeleteDC(memory);
    win32::DeleteObject(bitmap);
    if (lines != static_cast<std::int32_t>(height))
        return {};

    // Only 32-bit rows are laid out like an image's: B, G, R, X turn into R, G, B.
    if (image && bitsPerPixel == 32 && IsWindowSize(dib))
    {
        image->Create(log, width, height, 32);
        std::memcpy(image->GetPixels(), dib.data() + kHeaderBytes, static_cast<std::size_t>(imageBytes));
        image->ConvertBitsPerPixel(24);
        image->SwapRedBlue();
    }
    return dib;
}

bool ScreenCapture::GrabFrame(Image* image)
{
    ReleaseDib();
    const win32::HBITMAP bitmap = GrabBitmap();
    if (!bitmap)
        return false;
    grabbedDib = BitmapToDib(bitmap, 32, image);
    if (!grabbedDib.empty() && IsWindowSize(grabbedDib))
        return true;
    LogError("Failed to print image from screen");
    StopMovieRecord();
    ReleaseDib();
    return false;
}

void ScreenCapture::ReleaseDib()
{
    // A recording grabs a DIB of the same size every frame: keep the memory.
    if (recording && grabbedDib.capacity() > spareDib.capacity())
        spareDib.swap(grabbedDib);
    grabbedDib = {};
    if (!recording)
        spareDib = {};
}

bool ScreenCapture::IsWindowSize(const std::vector<std::uint8_t>& dib) const
{
    const win32::BITMAPINFOHEADER header = ReadHeader(dib);
    return dib.size() >= kHeaderBytes && header.width == static_cast<std::int32_t>(window->width) &&
           header.height == static_cast<std::int32_t>(window->height);
}

void ScreenCapture::LogError(const std::string& text) const
{
    if (log)
        log->Error(text);
}

} // namespace OrvaneEngine
