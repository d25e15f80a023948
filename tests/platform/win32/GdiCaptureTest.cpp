#include "platform/win32/Gdi.h"
#include "platform/win32/testing/GdiHooks.h"
#include "platform/win32/testing/StillPictureSource.h"
#include "tests/platform/win32/WindowFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{

using win32::testing::GdiCall;

class GdiCaptureTest : public corvellan::test::WindowFixture
{
protected:
    static constexpr std::int32_t kWidth = 16;
    static constexpr std::int32_t kHeight = 8;

    void SetUp() override
    {
        WindowFixture::SetUp();
        win32::testing::ResetGdiHooks();
        objects = win32::testing::GetLiveGdiObjectCount();
        window = Make(win32::WS_CAPTION, 10, 20, kWidth, kHeight);
        ASSERT_NE(window, 0u);
        context = win32::GetDC(window);
        ASSERT_NE(context, nullptr);
        source.SetPicture(kWidth, kHeight, Picture(kWidth, kHeight));
        win32::SetPictureSource(context, &source);
    }

    void TearDown() override
    {
        win32::SetPictureSource(context, nullptr);
        win32::ReleaseDC(window, context);
        win32::testing::ResetGdiHooks();
        EXPECT_EQ(win32::testing::GetLiveGdiObjectCount(), objects) << "every context and bitmap deleted";
        WindowFixture::TearDown();
    }

    // Bottom-up B, G, R, A; each pixel tells its column, its row from the
    // bottom and which byte it is.
    static std::vector<std::uint8_t> Picture(std::int32_t width, std::int32_t height)
    {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t row = 0; row < height; ++row)
            for (std::int32_t column = 0; column < width; ++column)
                for (std::uint8_t channel = 0; channel < 4; ++channel)
                    bytes.push_back(static_cast<std::uint8_t>(column * 8 + row + channel * 64));
        return bytes;
    }

    static win32::BITMAPINFO Header(std::int32_t width, std::int32_t height)
    {
        win32::BITMAPINFO info{};
        info.header.size = sizeof(win32::BITMAPINFOHEADER);
        info.header.width = width;
        info.header.height = height;
        info.header.planes = 1;
        info.header.bitCount = 32;
        info.header.compression = win32::BI_RGB;
        return info;
    }

    // The capture's sequence: a bitmap of the window's picture, copied by a
    // block copy, read back through a second memory context. Empty when a
    // step fails; every object is deleted either way.
    std::vector<std::uint8_t> Grab(std::int32_t x = 0, std::int32_t y = 0, std::int32_t width = kWidth,
                                   std::int32_t height = kHeight, std::int32_t sourceX = 0, std::int32_t sourceY = 0)
    {
        const win32::HDC memory = win32::CreateCompatibleDC(context);
        const win32::HBITMAP bitmap = win32::CreateCompatibleBitmap(context, kWidth, kHeight);
        const win32::HGDIOBJ previous = bitmap ? win32::SelectObject(memory, bitmap) : nullptr;
        const bool copied =
            previous && win32::BitBlt(memory, x, y, width, height, context, sourceX, sourceY, win32::SRCCOPY);
        if (previous)
            win32::SelectObject(memory, previous);
        win32::DeleteDC(memory);
        std::vector<std::uint8_t> bits;
        if (copied)
        {
            bits.assign(static_cast<std::size_t>(kWidth * kHeight * 4), 0xEE);
            const win32::HDC reader = win32::CreateCompatibleDC(context);
            win32::BITMAPINFO info = Header(kWidth, kHeight);
            const std::int32_t lines = win32::GetDIBits(reader, bitmap, 0, kHeight, bits.data(), &info,
                                                        win32::DIB_RGB_COLORS);
            win32::DeleteDC(reader);
            if (lines != kHeight)
                bits.clear();
            else
                EXPECT_EQ(info.header.sizeImage, static_cast<std::uint32_t>(kWidth * kHeight * 4));
        }
        if (bitmap)
        {
            EXPECT_EQ(win32::DeleteObject(bitmap), win32::TRUE);
        }
        return bits;
    }

    win32::HWND window = 0;
    win32::HDC context = nullptr;
    win32::testing::StillPictureSource source;
    std::int32_t objects = 0;
};

TEST_F(GdiCaptureTest, TheWholeWindowReadsBackAsTheBottomUpPictureItShows)
{
    EXPECT_EQ(Grab(), Picture(kWidth, kHeight));
}

TEST_F(GdiCaptureTest, APartialCopyLandsWhereTopLeftCoordinatesSay)
{
    // Two columns and two rows from (3, 1) of the window to (5, 2) of the bitmap.
    const std::vector<std::uint8_t> bits = Grab(5, 2, 2, 2, 3, 1);
    ASSERT_FALSE(bits.empty());
    const std::vector<std::uint8_t> picture = Picture(kWidth, kHeight);
    const auto at = [](const std::vector<std::uint8_t>& pixels, std::int32_t column, std::int32_t rowFromTop) {
        const std::size_t offset = (static_cast<std::size_t>(kHeight - 1 - rowFromTop) * kWidth + column) * 4;
        return std::vector<std::uint8_t>(pixels.begin() + static_cast<long>(offset),
                                         pixels.begin() + static_cast<long>(offset + 4));
    };
    for (std::int32_t row = 0; row < kHeight; ++row)
        for (std::int32_t column = 0; column < kWidth; ++column)
        {
            const bool inside = column >= 5 && column < 7 && row >= 2 && row < 4;
            const auto expected = inside ? at(picture, column - 2, row - 1) : std::vector<std::uint8_t>(4, 0);
            EXPECT_EQ(at(bits, column, row), expected) << column << ", " << row;
        }
}

TEST_F(GdiCaptureTest, EachFailingStepFailsTheGrabAndLeavesNothingBehind)
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
        {"nothing shown", [this] { source.ClearPicture(); }},
        {"another size shown", [this] { source.SetPicture(kWidth, kHeight + 1, Picture(kWidth, kHeight + 1)); }},
        {"no source", [this] { win32::SetPictureSource(context, nullptr); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.arm();
        EXPECT_TRUE(Grab().empty());
        EXPECT_EQ(win32::testing::GetLiveGdiObjectCount(), objects);
        win32::testing::ResetGdiHooks();
        source.SetPicture(kWidth, kHeight, Picture(kWidth, kHeight));
        win32::SetPictureSource(context, &source);
    }
    EXPECT_EQ(Grab(), Picture(kWidth, kHeight)) << "nothing stays armed";
}

TEST_F(GdiCaptureTest, ObjectsFollowTheRulesOfSelection)
{
    const win32::HDC first = win32::CreateCompatibleDC(context);
    const win32::HDC second = win32::CreateCompatibleDC(nullptr);
    const win32::HBITMAP bitmap = win32::CreateCompatibleBitmap(context, kWidth, kHeight);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(win32::CreateCompatibleBitmap(context, 0, kHeight), nullptr);
    const win32::HGDIOBJ stock = win32::SelectObject(first, bitmap);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(win32::SelectObject(second, bitmap), nullptr) << "one context at a time";
    EXPECT_EQ(win32::DeleteObject(bitmap), win32::FALSE) << "still selected";
    EXPECT_EQ(win32::BitBlt(first, 0, 0, kWidth, kHeight, context, 0, 0, 0x00EE0086u), win32::FALSE)
        << "only a plain copy";
    EXPECT_EQ(win32::BitBlt(second, 0, 0, kWidth, kHeight, context, 0, 0, win32::SRCCOPY), win32::FALSE)
        << "nothing selected to copy into";
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(kWidth * kHeight * 4));
    win32::BITMAPINFO info = Header(kWidth, kHeight);
    EXPECT_EQ(win32::GetDIBits(second, bitmap, 0, kHeight, bits.data(), &info, win32::DIB_RGB_COLORS), 0)
        << "a selected bitmap is not read";
    EXPECT_EQ(win32::DeleteDC(context), win32::FALSE) << "a window's context is not deleted";
    EXPECT_EQ(win32::DeleteDC(first), win32::TRUE);
    EXPECT_EQ(win32::GetDIBits(second, bitmap, 0, kHeight, bits.data(), &info, win32::DIB_RGB_COLORS), kHeight)
        << "deleting the context freed the bitmap";
    info.header.bitCount = 24;
    EXPECT_EQ(win32::GetDIBits(second, bitmap, 0, kHeight, bits.data(), &info, win32::DIB_RGB_COLORS), 0);
    EXPECT_EQ(win32::DeleteObject(bitmap), win32::TRUE);
    EXPECT_EQ(win32::DeleteDC(second), win32::TRUE);
}

} // namespace
