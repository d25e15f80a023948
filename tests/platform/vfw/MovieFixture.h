#pragma once

// A movie opened the way the screen capture opens one, in a temporary
// folder, with frames of a small known picture.

#include "platform/vfw/VideoForWindows.h"
#include "platform/vfw/testing/VfwHooks.h"
#include "platform/win32/GdiTypes.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/AviReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace corvellan::test
{

class MovieFixture : public ::testing::Test
{
protected:
    static constexpr std::int32_t kWidth = 8;
    static constexpr std::int32_t kHeight = 4;
    static constexpr std::uint32_t kImageSize = kWidth * kHeight * 4;

    void SetUp() override
    {
        vfw::testing::ResetHooks();
        win32::testing::ResetFileHooks();
        files = vfw::testing::GetLiveFileCount();
        streams = vfw::testing::GetLiveStreamCount();
        uses = vfw::testing::GetLibraryUseCount();
    }

    void TearDown() override
    {
        Close();
        vfw::testing::ResetHooks();
        win32::testing::ResetFileHooks();
        EXPECT_EQ(vfw::testing::GetLiveFileCount(), files);
        EXPECT_EQ(vfw::testing::GetLiveStreamCount(), streams);
        EXPECT_EQ(vfw::testing::GetLibraryUseCount(), uses);
    }

    static win32::BITMAPINFOHEADER Format(std::int32_t width = kWidth, std::int32_t height = kHeight)
    {
        win32::BITMAPINFOHEADER header{};
        header.size = sizeof(header);
        header.width = width;
        header.height = height;
        header.planes = 1;
        header.bitCount = 32;
        header.compression = win32::BI_RGB;
        header.sizeImage = static_cast<std::uint32_t>(width * height * 4);
        return header;
    }

    // The pixels of frame n: every byte tells the frame and its own place.
    static std::vector<std::uint8_t> Picture(std::uint32_t n, std::uint32_t size = kImageSize)
    {
        std::vector<std::uint8_t> bytes(size);
        for (std::uint32_t i = 0; i < size; ++i)
            bytes[i] = static_cast<std::uint8_t>(n * 37 + i);
        return bytes;
    }

    // The capture's steps up to a stream ready for frames; the first failing
    // call's result, or AVIERR_OK.
    vfw::HRESULT Open(const win32::BITMAPINFOHEADER& format = Format())
    {
        vfw::AVIFileInit();
        initialised = true;
        vfw::HRESULT result = vfw::AVIFileOpenA(&file, path.c_str(), vfw::OF_CREATE | vfw::OF_WRITE, nullptr);
        if (vfw::FAILED(result))
            return result;
        vfw::AVISTREAMINFOA info{};
        info.type = vfw::streamtypeVIDEO;
        info.scale = 1;
        info.rate = 33;
        info.suggestedBufferSize = format.sizeImage;
        info.frame = win32::RECT{0, 0, format.width, format.height};
        result = vfw::AVIFileCreateStreamA(file, &stream, &info);
        if (vfw::FAILED(result))
            return result;
        vfw::AVICOMPRESSOPTIONS options{};
        vfw::AVICOMPRESSOPTIONS* chosen = &options;
        if (!vfw::AVISaveOptions(0, 0, 1, &stream, &chosen))
            return vfw::AVIERR_ERROR;
        result = vfw::AVIMakeCompressedStream(&compressed, stream, &options, nullptr);
        if (vfw::FAILED(result))
            return result;
        return vfw::AVIStreamSetFormat(compressed, 0, &format, sizeof(format));
    }

    vfw::HRESULT Write(std::uint32_t n, std::uint32_t size = kImageSize)
    {
        const std::vector<std::uint8_t> picture = Picture(n, size);
        return vfw::AVIStreamWrite(compressed, static_cast<std::int32_t>(written), 1, picture.data(),
                                   static_cast<std::int32_t>(size), vfw::AVIIF_KEYFRAME, nullptr, nullptr);
    }

    // Adds frames until the movie holds count of them or one is refused;
    // the frames in the movie.
    std::uint32_t WriteFrames(std::uint32_t count)
    {
        for (; written < count; ++written)
            if (vfw::FAILED(Write(written)))
                break;
        return written;
    }

    // Releases as the capture does: stream, compressed stream, file.
    void Close()
    {
        if (stream)
            vfw::AVIStreamRelease(stream);
        if (compressed)
            vfw::AVIStreamRelease(compressed);
        if (file)
            vfw::AVIFileRelease(file);
        stream = compressed = nullptr;
        file = nullptr;
        if (initialised)
            vfw::AVIFileExit();
        initialised = false;
    }

    // Every frame chunk holds the picture written for it.
    void ExpectFrames(const AviContents& avi, std::uint32_t count) const
    {
        ASSERT_EQ(CheckAviConsistency(avi), "");
        ASSERT_EQ(avi.frames.size(), count);
        for (std::uint32_t n = 0; n < count; ++n)
        {
            EXPECT_EQ(avi.frames[n].id, "00db");
            EXPECT_EQ(avi.frames[n].bytes, Picture(n)) << "frame " << n;
            EXPECT_EQ(avi.index[n].flags, vfw::AVIIF_KEYFRAME);
        }
    }

    TempFolder folder;
    std::string path = folder.Join("movie000.avi");
    vfw::PAVIFILE file = nullptr;
    vfw::PAVISTREAM stream = nullptr;
    vfw::PAVISTREAM compressed = nullptr;
    std::uint32_t written = 0;
    bool initialised = false;
    std::int32_t files = 0;
    std::int32_t streams = 0;
    std::int32_t uses = 0;
};

} // namespace corvellan::test
