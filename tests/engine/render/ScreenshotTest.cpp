#include "tests/engine/render/CaptureFixture.h"

#include "engine/core/StringFunctions.h"
#include "platform/win32/CFile.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <functional>

using namespace OrvaneEngine;

namespace
{

using win32::testing::GdiCall;

class ScreenshotTest : public corvellan::test::CaptureFixture
{
protected:
    void Place(const std::string& name, const std::string& bytes = "old") const
    {
        ASSERT_TRUE(corvellan::test::WriteFileBytes(CapturePath(name), bytes));
    }

    // The saved screenshot read back: the window's size, 24 bits.
    void ExpectPicture(const std::string& name)
    {
        Image image;
        ASSERT_TRUE(image.Load(&log, &files, folder.Path() + "\\ScreenCaptures\\" + name)) << name;
        EXPECT_EQ(image.GetWidth(), kWidth);
        EXPECT_EQ(image.GetHeight(), kHeight);
        EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    }
};

TEST_F(ScreenshotTest, NamesAndFormatsFollowTheRequests)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> before;
        std::vector<std::string> requests;
        std::string created;
        std::uint32_t formatAfter;
    };
    const Case cases[] = {
        {"first", {}, {"sc_take_screenshot"}, "picture000.bmp", 0},
        {"first free", {"picture000.bmp", "picture001.bmp"}, {"sc_take_screenshot"}, "picture002.bmp", 0},
        {"per extension", {"picture000.bmp"}, {"sc_take_screenshot_format 1", "sc_take_screenshot"}, "picture000.tga", 1},
        {"JPEG", {}, {"sc_take_screenshot_format 2", "sc_take_screenshot"}, "picture000.jpg", 2},
        {"format 7", {}, {"sc_take_screenshot_format 7", "sc_take_screenshot"}, "picture000.jpg", 7},
        {"negative", {}, {"sc_take_screenshot_format -1", "sc_take_screenshot"}, "picture000.bmp", 0},
        {"tga command", {}, {"sc_take_screenshot_format 2", "sc_take_screenshot_tga"}, "picture000.tga", 2},
        {"jpg command", {}, {"sc_take_screenshot_format 0", "sc_take_screenshot_jpg"}, "picture000.jpg", 0},
        {"tga then jpg", {}, {"sc_take_screenshot_tga", "sc_take_screenshot_jpg"}, "picture000.jpg", 0},
        {"all three", {}, {"sc_take_screenshot_jpg", "sc_take_screenshot_tga", "sc_take_screenshot"}, "picture000.jpg", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ClearCaptures();
        config.screenshotFormat = 0;
        for (const std::string& name : c.before)
            Place(name);
        for (const std::string& line : c.requests)
            Request(line);
        Update();
        std::vector<std::string> expected = c.before;
        expected.push_back(c.created);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Captures(), expected);
        ExpectPicture(c.created);
        EXPECT_EQ(config.screenshotFormat, c.formatAfter);
        EXPECT_TRUE(Errors().empty());
        Update();
        EXPECT_EQ(Captures(), expected) << "one request, one picture";
    }
}

TEST_F(ScreenshotTest, TheImageIsTheWindowBottomRowFirstInRedGreenBlue)
{
    Request("sc_take_screenshot");
    Update();
    Image image;
    ASSERT_TRUE(image.Load(&log, &files, CapturePath("picture000.bmp")));
    ASSERT_EQ(image.GetBitsPerPixel(), 24u);
    const std::vector<std::uint8_t> picture = Picture(kWidth, kHeight);
    const std::uint8_t* pixels = image.GetPixels();
    for (std::uint32_t i = 0; i < kWidth * kHeight; ++i)
    {
        ASSERT_EQ(pixels[i * 3 + 0], picture[i * 4 + 2]) << i;
        ASSERT_EQ(pixels[i * 3 + 1], picture[i * 4 + 1]) << i;
        ASSERT_EQ(pixels[i * 3 + 2], picture[i * 4 + 0]) << i;
    }
    EXPECT_EQ(pixels[0 * 3], 250) << "the bottom row is image row 0";
    EXPECT_EQ(pixels[5 * 3 + 0], 0);
    EXPECT_EQ(pixels[5 * 3 + 1], 0);
    EXPECT_EQ(pixels[5 * 3 + 2], 255) << "blue stays blue";
}

TEST_F(ScreenshotTest, JpegShotsUseQuality85)
{
    Request("sc_take_screenshot_jpg");
    Update();
    // The same picture written by the image writer at quality 85.
    Image expected;
    expected.Create(&log, kWidth, kHeight, 32);
    const std::vector<std::uint8_t> picture = Picture(kWidth, kHeight);
    std::copy(picture.begin(), picture.end(), expected.GetPixels());
    expected.ConvertBitsPerPixel(24);
    expected.SwapRedBlue();
    ASSERT_TRUE(expected.SaveJPEG(&files, folder.Path() + "\\reference.jpg", 85));
    EXPECT_EQ(corvellan::test::ReadFileBytes(CapturePath("picture000.jpg")),
              corvellan::test::ReadFileBytes(folder.Join("reference.jpg")));
}

TEST_F(ScreenshotTest, WhenEveryNameIsTakenNothingIsOverwritten)
{
    for (int n = 0; n < 1000; ++n)
        Place("picture" + IntToString(n, 3) + ".bmp", "old " + std::to_string(n));
    Request("sc_take_screenshot");
    Update();
    EXPECT_EQ(Errors(), std::vector<std::string>{Error("Failed to find a free screen capture file name")});
    EXPECT_EQ(corvellan::test::ReadFileText(CapturePath("picture999.bmp")), "old 999");
    EXPECT_EQ(Captures().size(), 1000u);
    log.ClearMessages();
    Update();
    EXPECT_TRUE(Errors().empty()) << "the request was served";
}

TEST_F(ScreenshotTest, NamesAreSearchedWhereTheyAreWrittenUnderTheRoot)
{
    // The root is a temporary folder, not the program's folder.
    ASSERT_NE(win32::ToSystemPath(files.GetRootFolder()), win32::ToSystemPath(GetExecutableFolder()));
    Place("picture000.bmp");
    Request("sc_take_screenshot");
    Update();
    EXPECT_EQ(Captures(), (std::vector<std::string>{"picture000.bmp", "picture001.bmp"}));
    EXPECT_EQ(corvellan::test::ReadFileText(CapturePath("picture000.bmp")), "old");
}

TEST_F(ScreenshotTest, AFailedGrabSavesNothingLogsOnceAndServesTheRequest)
{
    struct Case
    {
        const char* name;
        std::function<void()> arm;
    };
    const Case cases[] = {
        {"bitmap", [] { win32::testing::FailGdiCall(GdiCall::CreateCompatibleBitmap); }},
        {"selection", [] { win32::testing::FailGdiCall(GdiCall::SelectObject); }},
        {"copy", [] { win32::testing::FailGdiCall(GdiCall::BitBlt); }},
        {"DIB", [] { win32::testing::FailGdiCall(GdiCall::GetDIBits); }},
        {"no picture", [this] { source.ClearPicture(); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        log.ClearMessages();
        c.arm();
        Request("sc_take_screenshot_jpg");
        Update();
        EXPECT_TRUE(Captures().empty());
        EXPECT_EQ(Errors(), std::vector<std::string>{Error("Failed to print image from screen")});
        ResetHooks();
        source.SetPicture(kWidth, kHeight, Picture(kWidth, kHeight));
        Update();
        EXPECT_TRUE(Captures().empty()) << "the request was served";
    }
}

} // namespace
