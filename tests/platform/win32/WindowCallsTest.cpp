#include "platform/win32/Cursor.h"
#include "platform/win32/PictureRect.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/platform/win32/WindowFixture.h"

#include <gtest/gtest.h>

using corvellan::test::WindowFixture;
namespace wt = win32::testing;

namespace
{

class WindowCallsTest : public WindowFixture
{
};

win32::LRESULT Ignore(win32::HWND, win32::UINT, win32::WPARAM, win32::LPARAM)
{
    return 0;
}

TEST(WindowClassTest, RegistrationRunsVideoAndRefusalsFail)
{
    wt::ResetWindowHooks();
    win32::WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Ignore;
    windowClass.lpszClassName = "Class test";
    const win32::HINSTANCE module = win32::GetModuleHandleA(nullptr);

    ASSERT_FALSE(wt::IsVideoStarted());
    ASSERT_NE(win32::RegisterClassA(&windowClass), 0);
    EXPECT_TRUE(wt::IsVideoStarted());
    EXPECT_EQ(win32::RegisterClassA(&windowClass), 0) << "a name is registered once";

    const win32::HWND window =
        win32::CreateWindowExA(0, "Class test", "", win32::WS_CAPTION, 0, 0, 64, 64, 0, nullptr, module, nullptr);
    ASSERT_NE(window, 0u);
    EXPECT_FALSE(win32::UnregisterClassA("Class test", module)) << "a window of it still lives";
    wt::SetRefused(wt::WindowCall::GetDC, true);
    EXPECT_EQ(win32::GetDC(window), nullptr);
    wt::SetRefused(wt::WindowCall::CreateWindow, true);
    EXPECT_EQ(win32::CreateWindowExA(0, "Class test", "", 0, 0, 0, 64, 64, 0, nullptr, module, nullptr), 0u);
    EXPECT_EQ(win32::CreateWindowExA(0, "Unknown class", "", 0, 0, 0, 64, 64, 0, nullptr, module, nullptr), 0u);
    EXPECT_TRUE(win32::DestroyWindow(window));
    EXPECT_FALSE(win32::DestroyWindow(window));
    EXPECT_FALSE(win32::IsWindow(window));
    EXPECT_TRUE(win32::UnregisterClassA("Class test", module));
    EXPECT_FALSE(wt::IsVideoStarted());

    wt::SetRefused(wt::WindowCall::RegisterClass, true);
    EXPECT_EQ(win32::RegisterClassA(&windowClass), 0);
    EXPECT_FALSE(wt::IsVideoStarted());
    wt::ResetWindowHooks();
}

TEST_F(WindowCallsTest, StylesSwitchFullscreenAndTopmostInPlace)
{
    const win32::HWND window = Make(win32::WS_CAPTION, -112, -84, 1024, 768);
    ASSERT_NE(window, 0u);
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(wt::GetPlatformWindowRect(window, x, y, w, h));
    EXPECT_EQ(x, -112);
    EXPECT_EQ(y, -84);
    EXPECT_FALSE(wt::IsWindowFullscreen(window));

    win32::SetWindowLongA(window, win32::GWL_STYLE, static_cast<std::int32_t>(win32::WS_POPUP));
    win32::SetWindowPos(window, win32::HWND_TOPMOST, 0, 0, 640, 480, win32::SWP_SHOWWINDOW);
    EXPECT_TRUE(wt::IsWindowFullscreen(window));
    EXPECT_TRUE(wt::IsWindowTopmost(window));
    EXPECT_TRUE(wt::IsWindowShown(window));
    win32::RECT client{};
    ASSERT_TRUE(win32::GetClientRect(window, &client));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);

    win32::SetWindowLongA(window, win32::GWL_STYLE, static_cast<std::int32_t>(win32::WS_CAPTION));
    win32::SetWindowPos(window, win32::HWND_NOTOPMOST, 30, 40, 800, 600, win32::SWP_SHOWWINDOW);
    EXPECT_FALSE(wt::IsWindowFullscreen(window));
    EXPECT_FALSE(wt::IsWindowTopmost(window));
    ASSERT_TRUE(wt::GetPlatformWindowRect(window, x, y, w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
}

TEST_F(WindowCallsTest, DeviceContextCarriesThePlatformWindow)
{
    const win32::HWND window = Make();
    const win32::HDC context = win32::GetDC(window);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->window, window);
    EXPECT_NE(context->nativeWindow, nullptr);
    EXPECT_EQ(win32::GetDC(window), context);
    EXPECT_EQ(win32::ReleaseDC(window, context), 1);
    EXPECT_EQ(win32::ReleaseDC(window, context), 1);
    EXPECT_EQ(win32::ReleaseDC(window, context), 0) << "released more often than got";
    EXPECT_EQ(win32::GetDC(0), nullptr);
}

TEST_F(WindowCallsTest, CaptionIsReadInTheActiveCodePage)
{
    const win32::HWND window = Make();
    ASSERT_TRUE(wt::SelectCodePage(1252));
    win32::SetWindowTextA(window, "Caf\xE9 \x80");
    EXPECT_EQ(wt::GetWindowTitle(window), "Caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(wt::SelectCodePage(1251));
    win32::SetWindowTextA(window, "\xC6");
    EXPECT_EQ(wt::GetWindowTitle(window), "\xD0\x96");
}

TEST_F(WindowCallsTest, DesktopIsOneDescription)
{
    wt::SetDesktopMode(win32::DesktopMode{1280, 1024, 32, 75});
    win32::RECT desktop{};
    ASSERT_TRUE(win32::GetWindowRect(win32::GetDesktopWindow(), &desktop));
    EXPECT_EQ(desktop.right, 1280);
    EXPECT_EQ(desktop.bottom, 1024);
    EXPECT_EQ(win32::GetDesktopMode().refreshRate, 75u);
    wt::ResetDesktopMode();
    const win32::DesktopMode real = win32::GetDesktopMode();
    EXPECT_GT(real.width, 0u);
    EXPECT_GT(real.height, 0u);
}

TEST(PictureRectTest, FullscreenKeepsTheAspectCentred)
{
    const struct
    {
        std::uint32_t pictureWidth, pictureHeight, drawableWidth, drawableHeight;
        bool fullscreen;
        win32::PictureRect expected;
    } cases[] = {
        {640, 480, 640, 480, false, {0, 0, 640, 480}},
        {640, 480, 1024, 768, true, {0, 0, 1024, 768}},
        {1280, 720, 1024, 768, true, {0, 96, 1024, 576}},
        {800, 600, 1920, 1080, true, {240, 0, 1440, 1080}},
        {0, 600, 1920, 1080, true, {0, 0, 1920, 1080}},
    };
    for (const auto& c : cases)
    {
        const win32::PictureRect rect =
            win32::FitPicture(c.pictureWidth, c.pictureHeight, c.drawableWidth, c.drawableHeight, c.fullscreen);
        EXPECT_EQ(rect.x, c.expected.x) << c.pictureWidth << "x" << c.pictureHeight;
        EXPECT_EQ(rect.y, c.expected.y) << c.pictureWidth << "x" << c.pictureHeight;
        EXPECT_EQ(rect.width, c.expected.width) << c.pictureWidth << "x" << c.pictureHeight;
        EXPECT_EQ(rect.height, c.expected.height) << c.pictureWidth << "x" << c.pictureHeight;
    }
}

TEST_F(WindowCallsTest, CursorPositionsAreInTheModesPixels)
{
    wt::SetDesktopMode(win32::DesktopMode{1024, 768, 32, 60});
    const win32::HWND windowed = Make(win32::WS_CAPTION, 50, 60, 640, 480);
    const win32::HWND letterboxed = Make(win32::WS_POPUP, 0, 0, 1280, 720);
    const struct
    {
        win32::HWND window;
        win32::POINT inWindow;
        win32::POINT client;
    } cases[] = {
        {windowed, {100, 50}, {100, 50}},
        {windowed, {-10, 700}, {-10, 700}},
        {letterboxed, {0, 96}, {0, 0}},
        {letterboxed, {512, 384}, {640, 360}},
        {letterboxed, {0, 0}, {0, -120}},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(wt::PushMouseMotion(c.window, c.inWindow.x, c.inWindow.y, 0, 0));
        win32::POINT point{};
        ASSERT_TRUE(win32::GetCursorPos(&point));
        ASSERT_TRUE(win32::ScreenToClient(c.window, &point));
        EXPECT_EQ(point.x, c.client.x) << c.inWindow.x << "," << c.inWindow.y;
        EXPECT_EQ(point.y, c.client.y) << c.inWindow.x << "," << c.inWindow.y;
        // And back: the client point lies where the cursor is.
        win32::POINT back = c.client;
        ASSERT_TRUE(win32::ClientToScreen(c.window, &back));
        win32::POINT screen{};
        win32::GetCursorPos(&screen);
        EXPECT_EQ(back.x, screen.x);
        EXPECT_EQ(back.y, screen.y);
    }
    win32::POINT unknown{1, 2};
    EXPECT_FALSE(win32::ScreenToClient(0, &unknown));
}

TEST_F(WindowCallsTest, CursorsDisplayCounterAndResources)
{
    EXPECT_EQ(win32::ShowCursor(win32::FALSE), -1);
    EXPECT_EQ(win32::ShowCursor(win32::FALSE), -2);
    EXPECT_EQ(win32::ShowCursor(win32::TRUE), -1);
    EXPECT_EQ(wt::GetDisplayCounter(), -1);

    const win32::HINSTANCE module = win32::GetModuleHandleA(nullptr);
    const struct
    {
        win32::HINSTANCE instance;
        std::uint32_t resource;
        std::uint32_t shown;
    } cases[] = {
        {module, 1000, 1000}, {module, 107, 107}, {module, 106, 106},
        {module, 555, win32::IDC_ARROW}, {nullptr, win32::IDC_ARROW, win32::IDC_ARROW},
    };
    Make();
    for (const auto& c : cases)
    {
        const win32::HCURSOR cursor = win32::LoadCursorA(c.instance, c.resource);
        ASSERT_NE(cursor, nullptr) << c.resource;
        EXPECT_EQ(win32::LoadCursorA(c.instance, c.resource), cursor) << "handles are shared";
        win32::SetCursor(cursor);
        EXPECT_EQ(wt::GetCurrentCursorId(), c.shown) << c.resource;
    }
}

TEST_F(WindowCallsTest, WarpMovesTheCursorWithoutMotion)
{
    const win32::HWND window = Make(win32::WS_CAPTION, 10, 20, 640, 480);
    win32::SetFocus(window);
    ASSERT_TRUE(win32::SetCursorPos(110, 70));
    win32::POINT point{};
    win32::GetCursorPos(&point);
    EXPECT_EQ(point.x, 110);
    EXPECT_EQ(point.y, 70);
    win32::ScreenToClient(window, &point);
    EXPECT_EQ(point.x, 100);
    EXPECT_EQ(point.y, 50);
}

TEST_F(WindowCallsTest, ChildSitsInItsHostAndKnowsIt)
{
    const win32::HWND host = Make(win32::WS_CAPTION, 100, 100, 300, 200);
    const win32::HWND child = Make(win32::WS_CHILD, 0, 0, 300, 200, host);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(win32::GetParent(child), host);
    EXPECT_EQ(win32::GetParent(host), 0u);
    win32::RECT rect{};
    ASSERT_TRUE(win32::GetWindowRect(child, &rect));
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    win32::SetForegroundWindow(child);
    EXPECT_EQ(win32::GetFocus(), host) << "the foreground goes to the top-level window";
    EXPECT_EQ(Make(win32::WS_CHILD, 0, 0, 10, 10, 0xDEAD), 0u) << "no host, no child";
}

} // namespace
