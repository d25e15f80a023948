#pragma once

// A screen capture on a real window whose device context shows an injected
// picture, with the root folder in a temporary folder and every capture hook
// reset around each test.

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/Image.h"
#include "engine/render/ScreenCapture.h"
#include "platform/vfw/testing/VfwHooks.h"
#include "platform/win32/testing/CFileHooks.h"
#include "platform/win32/testing/GdiHooks.h"
#include "platform/win32/testing/StillPictureSource.h"
#include "tests/support/AviReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

class CaptureFixture : public ::testing::Test
{
protected:
    static constexpr std::uint32_t kWidth = 64;
    static constexpr std::uint32_t kHeight = 48;

    void SetUp() override
    {
        ResetHooks();
        gdiObjects = win32::testing::GetLiveGdiObjectCount();
        libraryUses = vfw::testing::GetLibraryUseCount();
        log.SetBlankLines(false);
        window = std::make_unique<OrvaneEngine::Window>(&log, &config, "Capture test", 0, 0, false, kWidth, kHeight,
                                                        false, true, 0, 0);
        source.SetPicture(kWidth, kHeight, Picture(kWidth, kHeight));
        win32::SetPictureSource(window->deviceContext, &source);
        MakeCapture();
    }

    void TearDown() override
    {
        capture.reset();
        window.reset();
        ResetHooks();
        EXPECT_EQ(win32::testing::GetLiveGdiObjectCount(), gdiObjects) << "every context and bitmap deleted";
        EXPECT_EQ(vfw::testing::GetLibraryUseCount(), libraryUses) << "every AVIFileInit matched";
        EXPECT_EQ(vfw::testing::GetLiveFileCount(), 0);
        EXPECT_EQ(vfw::testing::GetLiveStreamCount(), 0);
    }

    static void ResetHooks()
    {
        vfw::testing::ResetHooks();
        win32::testing::ResetGdiHooks();
        win32::testing::ResetFileHooks();
    }

    void MakeCapture()
    {
        capture.reset();
        capture = std::make_unique<OrvaneEngine::ScreenCapture>(&log, &files, &config, window.get());
        log.ClearMessages();
    }

    // Bottom-up B, G, R, A. The bottom row is red-heavy and unlike any other;
    // pixel (5, 0) of the bottom row is pure blue.
    static std::vector<std::uint8_t> Picture(std::uint32_t width, std::uint32_t height)
    {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(std::size_t{width} * height * 4);
        for (std::uint32_t row = 0; row < height; ++row)
            for (std::uint32_t column = 0; column < width; ++column)
            {
                const bool blue = row == 0 && column == 5;
                bytes.push_back(blue ? 255 : static_cast<std::uint8_t>(column * 3));
                bytes.push_back(blue ? 0 : static_cast<std::uint8_t>(row * 5));
                bytes.push_back(blue ? 0 : row == 0 ? 250 : static_cast<std::uint8_t>(100 + column));
                bytes.push_back(255);
            }
        return bytes;
    }

    void Request(const std::string& line) { ASSERT_EQ(config.Execute(line), OrvaneEngine::Config::ExecuteDone); }
    void Update() { capture->Update(); }
    void Updates(int count)
    {
        for (int i = 0; i < count; ++i)
            capture->Update();
    }

    std::string CapturePath(const std::string& name) const { return folder.Join("ScreenCaptures/" + name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(CapturePath(name)); }

    // The names in the capture folder, sorted.
    std::vector<std::string> Captures() const
    {
        std::vector<std::string> names;
        if (std::filesystem::exists(folder.Join("ScreenCaptures")))
            for (const auto& entry : std::filesystem::directory_iterator(folder.Join("ScreenCaptures")))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void ClearCaptures() const { std::filesystem::remove_all(folder.Join("ScreenCaptures")); }

    // The log's entries of a level, each without its trailing newline.
    std::vector<std::string> Entries(std::uint32_t level) const
    {
        std::vector<std::string> out;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        {
            const OrvaneEngine::LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(i));
            if (entry.level != level)
                continue;
            std::string text = entry.text;
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            out.push_back(text);
        }
        return out;
    }
    std::vector<std::string> Errors() const { return Entries(2); }
    std::vector<std::string> Messages() const { return Entries(0); }
    static std::string Error(const std::string& text) { return "Error: " + text + "!"; }

    // A movie of that many frames, each the injected picture.
    void ExpectMovie(const std::string& name, std::size_t frames) const
    {
        const AviContents avi = ReadAviFile(CapturePath(name));
        ASSERT_EQ(CheckAviConsistency(avi), "") << name;
        ASSERT_EQ(avi.frames.size(), frames) << name;
        EXPECT_EQ(avi.width, static_cast<std::int32_t>(kWidth));
        EXPECT_EQ(avi.height, static_cast<std::int32_t>(kHeight));
        for (const AviFrameChunk& frame : avi.frames)
            EXPECT_EQ(frame.bytes, Picture(kWidth, kHeight)) << name;
        EXPECT_FALSE(Exists(name + ".tmp"));
    }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    OrvaneEngine::Config config{&log, &files, folder.Path(), "Test", false, "800x600x32", false, false};
    std::unique_ptr<OrvaneEngine::Window> window;
    win32::testing::StillPictureSource source;
    std::unique_ptr<OrvaneEngine::ScreenCapture> capture;
    std::int32_t gdiObjects = 0;
    std::int32_t libraryUses = 0;
};

} // namespace corvellan::test
