#pragma once

#include "platform/vfw/Types.h"
#include "platform/win32/GdiTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Config;
class FileManager;
class Image;
class MessageManager;
class Window;

// Screenshots of the window into numbered image files, and movies of it
// into numbered AVI files, both under "ScreenCaptures\" in the root folder.
// Driven by the "sc_" commands; the engine runs Update once per frame, after
// the frame has been presented. The picture is read from the window's device
// context, bottom row first.
class ScreenCapture
{
public:
    ScreenCapture(MessageManager* messageManager, FileManager* fileManager, Config* config, Window* window);
    virtual ~ScreenCapture();
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    // Serves the commands, then takes the wanted screenshot or else the next
    // movie frame.
    void Update();
    // The first free screenshot name for the current format; empty when all
    // 1000 are taken.
    std::string MakeFileName() const;
    void StartMovieRecord();
    // Closes the movie into a complete file; nothing while idle.
    void StopMovieRecord();
    // A bitmap holding the window's picture; null (logged, recording stopped)
    // when it cannot be made.
    win32::HBITMAP GrabBitmap();
    // The bitmap (deleted here) as a DIB: a 40-byte header, the colour table
    // at 8 bits or less, then the bottom-up rows. Empty when not every row
    // could be read. The image, when given, receives the picture as 24-bit
    // R, G, B, but only from a DIB of the window's size.
    std::vector<std::uint8_t> BitmapToDib(win32::HBITMAP bitmap, std::uint32_t bitsPerPixel, Image* image);
    // Grabs the window into the grabbed DIB (and the image). On failure the
    // error is logged once, a recording stops and the image is left alone.
    bool GrabFrame(Image* image);

    bool IsRecording() const { return recording; }

    // The three parts of every capture's name.
    static constexpr const char* kFolder = "ScreenCaptures\\";
    static constexpr const char* kPicturePrefix = "picture";
    static constexpr const char* kMoviePrefix = "movie";

private:
    // "ScreenCaptures\" + prefix + three digits + "." + extension, the first
    // that is not on disk under the root folder; empty when none is free.
    std::string FindFreeName(const std::string& prefix, const std::string& extension) const;
    // The name under the root folder, where captures are both searched and written.
    std::string UnderRoot(const std::string& name) const;
    bool IsWindowSize(const std::vector<std::uint8_t>& dib) const;
    void TakeScreenshot();
    void WriteMovieFrame();
    void ReleaseMovie();
    void ReleaseDib();
    void LogError(const std::string& text) const;

    MessageManager* log;
    FileManager* files;
    Config* config;
    Window* window;
    bool videoUsable = false;
    bool screenshotWanted = false;
    std::uint32_t format = 0;
    // A screenshot and a movie started in the same frame each keep their own name.
    std::string screenshotName;
    std::string movieName;
    bool recording = false;
    std::uint32_t frameIndex = 0;
    vfw::AVISTREAMINFOA streamInfo{};
    vfw::PAVIFILE aviFile = nullptr;
    vfw::PAVISTREAM stream = nullptr;
    vfw::PAVISTREAM compressedStream = nullptr;
    vfw::AVICOMPRESSOPTIONS compressionOptions{};
    vfw::AVICOMPRESSOPTIONS* compressionOptionsPointer = &compressionOptions;
    std::vector<std::uint8_t> grabbedDib;
    // The memory of the DIB released last while recording, for the next grab.
    std::vector<std::uint8_t> spareDib;
};

} // namespace OrvaneEngine
