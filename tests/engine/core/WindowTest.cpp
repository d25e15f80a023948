#include "engine/core/Error.h"
#include "platform/win32/Cursor.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/WindowClass.h"
#include "tests/engine/core/InputFixture.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace OrvaneEngine;
namespace wt = win32::testing;

namespace
{

class WindowTest : public corvellan::test::InputFixture
{
protected:
    void MakeOnly(const WindowOptions& options = WindowOptions{}) { window = MakeWindow(options); }
    bool ExitRequested() const { return !config.GetCommandFlag("exit"); }
    bool ModeChangeRequested() const { return !config.GetCommandFlag("v_window_change_mode"); }
};

TEST_F(WindowTest, CloseRequestsExitAndKeepsTheWindow)
{
    const struct
    {
        const char* name;
        bool (*push)(win32::HWND);
    } cases[] = {
        {"close box", [](win32::HWND w) { return wt::PushWindowEvent(w, wt::WindowEvent::Close); }},
        {"quit", [](win32::HWND) { return wt::PushQuit(); }},
        {"Alt+F4",
         [](win32::HWND w) { return wt::PushKey(w, "Left Alt", true) && wt::PushKey(w, "F4", true); }},
    };
    for (const auto& c : cases)
    {
        config.SetCommandFlag("exit", true);
        MakeOnly();
        ASSERT_TRUE(c.push(window->handle)) << c.name;
        Pump();
        EXPECT_TRUE(ExitRequested()) << c.name;
        EXPECT_TRUE(win32::IsWindow(window->handle)) << c.name;
        window.reset();
        wt::ResetWindowHooks();
    }
}

TEST_F(WindowTest, MinimiseRestoreAndMaximiseFollowTheSystemCommands)
{
    MakeOnly();
    wt::PushWindowEvent(window->handle, wt::WindowEvent::Minimized);
    Pump();
    EXPECT_TRUE(window->minimized);

    config.fullscreen = true;
    config.brightness = 3.0f;
    wt::PushWindowEvent(window->handle, wt::WindowEvent::Restored);
    Pump();
    EXPECT_FALSE(window->minimized);
    EXPECT_FLOAT_EQ(config.brightness, 2.0f) << "a restore while fullscreen clamps the gamma settings";

    // The maximise box of a windowed window asks for fullscreen and saves it.
    config.fullscreen = false;
    wt::PushWindowEvent(window->handle, wt::WindowEvent::Maximized);
    Pump();
    EXPECT_TRUE(config.fullscreen);
    EXPECT_TRUE(ModeChangeRequested());
    EXPECT_NE(corvellan::test::ReadFileText(IniPath()).value_or("").find("v_fullscreen 1"), std::string::npos);
    EXPECT_FALSE(wt::IsWindowMaximized(window->handle));

    // In fullscreen it does nothing.
    config.SetCommandFlag("v_window_change_mode", true);
    std::remove(IniPath().c_str());
    wt::PushWindowEvent(window->handle, wt::WindowEvent::Maximized);
    Pump();
    EXPECT_TRUE(config.fullscreen);
    EXPECT_FALSE(ModeChangeRequested());
    EXPECT_FALSE(corvellan::test::ReadFileText(IniPath()).has_value());
}

TEST_F(WindowTest, FocusDecidesActivityAndMinimising)
{
    for (const bool minimizeWhenInactive : {true, false})
    {
        WindowOptions options;
        options.minimizeWhenInactive = minimizeWhenInactive;
        MakeOnly(options);
        EXPECT_TRUE(window->IsActive()) << "focused until it first loses the focus";
        wt::PushWindowEvent(window->handle, wt::WindowEvent::FocusLost);
        Pump();
        window->Update();
        EXPECT_FALSE(window->IsActive());
        Pump();
        EXPECT_EQ(window->minimized, minimizeWhenInactive);
        EXPECT_EQ(wt::IsWindowMinimized(window->handle), minimizeWhenInactive);

        wt::PushWindowEvent(window->handle, wt::WindowEvent::FocusGained);
        Pump();
        EXPECT_TRUE(window->IsActive());
        window.reset();
        wt::ResetWindowHooks();
    }
}

TEST_F(WindowTest, MessagesTheSystemNeverSendsHere)
{
    MakeOnly();
    const struct
    {
        win32::UINT message;
        win32::WPARAM wParam;
        win32::LRESULT result;
    } cases[] = {
        {win32::WM_SYSCOMMAND, win32::SC_TASKLIST, 0},  {win32::WM_SYSCOMMAND, win32::SC_SCREENSAVE, 0},
        {win32::WM_SYSCOMMAND, win32::SC_HOTKEY, 0},    {win32::WM_SYSCOMMAND, win32::SC_MONITORPOWER + 2, 0},
        {win32::WM_SYSCHAR, 'x', 0},                    {win32::WM_SETCURSOR, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Window::HandleMessage(window.get(), window->handle, c.message, c.wParam, 0), c.result)
            << c.message << " " << c.wParam;
    EXPECT_FALSE(ExitRequested());
    EXPECT_EQ(window->GetQueuedKeyCount(), 0u) << "a system character is no typed key";
}

TEST_F(WindowTest, WindowedWindowIsCentredOnTheDesktop)
{
    const struct
    {
        std::uint32_t desktopWidth, desktopHeight, width, height;
        std::int32_t x, y;
    } cases[] = {
        {800, 600, 1024, 768, -112, -84},
        {1024, 768, 800, 600, 112, 84},
        {800, 600, 1025, 600, -112, 0},
    };
    for (const auto& c : cases)
    {
        wt::SetDesktopMode(win32::DesktopMode{c.desktopWidth, c.desktopHeight, 32, 60});
        WindowOptions options;
        options.width = c.width;
        options.height = c.height;
        MakeOnly(options);
        std::int32_t x = 0, y = 0, w = 0, h = 0;
        ASSERT_TRUE(wt::GetPlatformWindowRect(window->handle, x, y, w, h));
        EXPECT_EQ(x, c.x) << c.width << " on " << c.desktopWidth;
        EXPECT_EQ(y, c.y) << c.height << " on " << c.desktopHeight;
        EXPECT_EQ(static_cast<std::uint32_t>(w), c.width);
        EXPECT_EQ(static_cast<std::uint32_t>(h), c.height);
        window.reset();
    }
    WindowOptions placed;
    placed.center = false;
    placed.x = 33;
    placed.y = 44;
    MakeOnly(placed);
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    wt::GetPlatformWindowRect(window->handle, x, y, w, h);
    EXPECT_EQ(x, 33);
    EXPECT_EQ(y, 44);
}

TEST_F(WindowTest, SetModeSwitchesStylesInPlace)
{
    wt::SetDesktopMode(win32::DesktopMode{1024, 768, 32, 60});
    MakeOnly();
    const win32::HWND handle = window->handle;
    EXPECT_FALSE(wt::IsWindowTopmost(handle));
    config.gamma = -1.0f;

    window->SetMode(800, 600, true, 1024, 768);
    EXPECT_TRUE(wt::IsWindowFullscreen(handle));
    EXPECT_TRUE(wt::IsWindowTopmost(handle));
    EXPECT_EQ(window->width, 800u);
    EXPECT_EQ(window->height, 600u);
    EXPECT_TRUE(window->fullscreen);
    EXPECT_FLOAT_EQ(config.gamma, 0.0f);
    win32::RECT client{};
    win32::GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 800);

    window->SetMode(640, 480, false, 1024, 768);
    EXPECT_EQ(window->handle, handle) << "the same window throughout";
    EXPECT_FALSE(wt::IsWindowFullscreen(handle));
    EXPECT_FALSE(wt::IsWindowTopmost(handle));
    EXPECT_FALSE(window->fullscreen);
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    wt::GetPlatformWindowRect(handle, x, y, w, h);
    EXPECT_EQ(x, 192);
    EXPECT_EQ(y, 144);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
}

TEST_F(WindowTest, GammaSettingsAreClampedInPlace)
{
    MakeOnly();
    const struct
    {
        float value;
        float clamped;
    } cases[] = {{-1.0f, 0.0f}, {3.0f, 2.0f}, {1.5f, 1.5f}, {NAN, 0.0f}, {INFINITY, 2.0f}};
    for (const auto& c : cases)
    {
        config.brightness = c.value;
        config.contrast = c.value;
        config.gamma = c.value;
        window->ApplyGamma();
        EXPECT_FLOAT_EQ(config.brightness, c.clamped) << c.value;
        EXPECT_FLOAT_EQ(config.contrast, c.clamped) << c.value;
        EXPECT_FLOAT_EQ(config.gamma, c.clamped) << c.value;
        EXPECT_EQ(config.GetValueText("v_gamma"), config.GetValueText("v_contrast"));
    }
}

TEST_F(WindowTest, CaptionIconAndCursor)
{
    ASSERT_TRUE(wt::SelectCodePage(1252));
    MakeOnly();
    EXPECT_EQ(wt::GetWindowTitle(window->handle), "Test 1.03");
    window->SetCaption("Corvellan \xE9");
    EXPECT_EQ(wt::GetWindowTitle(window->handle), "Corvellan \xC3\xA9");
    EXPECT_EQ(wt::GetWindowIconId(window->handle), 101u);

    window->SetCursor(window->LoadCursor(107));
    EXPECT_EQ(wt::GetCurrentCursorId(), 107u);
    // Another cursor shows up; the window's own comes back when the mouse enters.
    win32::SetCursor(window->LoadCursor(106));
    wt::PushWindowEvent(window->handle, wt::WindowEvent::Enter);
    window->cursor = window->LoadCursor(1000);
    Pump();
    EXPECT_EQ(wt::GetCurrentCursorId(), 1000u) << "entering the window shows the window's cursor";
    window.reset();

    WindowOptions noIcon;
    noIcon.icon = 0;
    MakeOnly(noIcon);
    EXPECT_EQ(wt::GetWindowIconId(window->handle), 0u);
}

TEST_F(WindowTest, LogsItsLifeAndLeavesNothingBehind)
{
    MakeOnly();
    window.reset();
    const std::vector<std::string> expected = {
        " \n",
        "Window creation:\n",
        "...Registering the window class...\n",
        "...Creating a device context...\n",
        "\nWindow destroying:\n",
        "...Releasing device context...\n",
        "...Releasing window...\n",
        "...Unregistering class...\n",
    };
    EXPECT_EQ(LogTexts(), expected);
    EXPECT_EQ(wt::GetWindowCount(), 0u);
    EXPECT_FALSE(wt::IsVideoStarted());
}

TEST_F(WindowTest, RefusedStepsAreFatalAndLeaveNothingBehind)
{
    const struct
    {
        wt::WindowCall call;
        const char* text;
    } cases[] = {
        {wt::WindowCall::RegisterClass, "Failed to register the window class"},
        {wt::WindowCall::CreateWindow, "Failed to create window"},
        {wt::WindowCall::GetDC, "Failed to create a device context"},
    };
    for (const auto& c : cases)
    {
        wt::SetRefused(c.call, true);
        log.ClearMessages();
        try
        {
            MakeOnly();
            ADD_FAILURE() << c.text;
        }
        catch (const FatalError& error)
        {
            EXPECT_EQ(error.GetText(), c.text);
        }
        EXPECT_EQ(LogTexts().back(), std::string("PROGRAM ABORTING: ") + c.text + "\n");
        EXPECT_EQ(wt::GetWindowCount(), 0u) << c.text;
        EXPECT_FALSE(wt::IsVideoStarted()) << c.text;
        wt::SetRefused(c.call, false);
    }
    // Two windows one after the other both work.
    for (int i = 0; i < 2; ++i)
    {
        MakeOnly();
        EXPECT_NE(window->handle, 0u);
        EXPECT_NE(window->deviceContext, nullptr);
        window.reset();
    }
}

TEST_F(WindowTest, AltEnterTogglesOncePerPress)
{
    MakeOnly();
    config.fullscreen = false;
    Key("Left Alt", true);
    Key("Return", true);
    for (int frame = 0; frame < 5; ++frame)
    {
        Pump();
        window->Update();
        if (frame == 0)
        {
            EXPECT_TRUE(ModeChangeRequested());
            config.SetCommandFlag("v_window_change_mode", true);
        }
    }
    EXPECT_TRUE(config.fullscreen) << "five frames held toggle once";
    EXPECT_FALSE(ModeChangeRequested());
    EXPECT_NE(corvellan::test::ReadFileText(IniPath()).value_or("").find("v_fullscreen 1"), std::string::npos);

    Key("Return", false);
    Pump();
    window->Update();
    Key("Return", true);
    Pump();
    window->Update();
    window->Update();
    EXPECT_FALSE(config.fullscreen) << "a new press toggles back";
}

TEST_F(WindowTest, ChildFollowsItsHost)
{
    win32::WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = &win32::DefWindowProcA;
    hostClass.lpszClassName = "Host class";
    ASSERT_NE(win32::RegisterClassA(&hostClass), 0);
    const win32::HWND host = win32::CreateWindowExA(0, "Host class", "Host", win32::WS_CAPTION, 50, 60, 320, 200,
                                                    0, nullptr, win32::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, 0u);

    WindowOptions options;
    options.parent = host;
    options.fullscreen = true;
    MakeOnly(options);
    EXPECT_FALSE(window->fullscreen);
    EXPECT_EQ(window->width, 320u);
    EXPECT_EQ(window->height, 200u);
    ASSERT_EQ(window->ancestors.size(), 1u);
    EXPECT_EQ(window->ancestors[0], host);
    EXPECT_TRUE(window->IsActive()) << "the focus is on the host";
    win32::SetFocus(window->handle);
    EXPECT_FALSE(window->IsActive()) << "only the host and its ancestors count";
    win32::SetFocus(host);

    win32::PostMessageA(window->handle, win32::WM_SYSCOMMAND, win32::SC_MINIMIZE, 0);
    win32::PostMessageA(window->handle, win32::WM_SYSCOMMAND, win32::SC_MAXIMIZE, 0);
    Pump();
    EXPECT_FALSE(window->minimized);
    EXPECT_FALSE(config.fullscreen);
    EXPECT_FALSE(ModeChangeRequested());
    window->SetMode(800, 600, true, 1024, 768);
    EXPECT_EQ(window->width, 320u) << "the host decides the size";

    window->Update();
    EXPECT_FALSE(ExitRequested());
    win32::DestroyWindow(host);
    window->Update();
    EXPECT_TRUE(ExitRequested()) << "the host is gone";
    window.reset();
    EXPECT_TRUE(win32::UnregisterClassA("Host class", win32::GetModuleHandleA(nullptr)));
}

} // namespace
