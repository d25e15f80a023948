#pragma once

#include "platform/win32/Messages.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/testing/DesktopHooks.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "platform/win32/testing/WindowHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvellan::test
{

// A registered class whose procedure records every message it is handed,
// and helpers to make windows of it and to pump the queue.
class WindowFixture : public ::testing::Test
{
protected:
    static constexpr const char* kClass = "Window fixture class";

    void SetUp() override
    {
        win32::testing::ResetWindowHooks();
        received.clear();
        win32::WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Record;
        windowClass.hInstance = win32::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        ASSERT_NE(win32::RegisterClassA(&windowClass), 0);
    }

    void TearDown() override
    {
        for (const win32::HWND window : windows)
            win32::DestroyWindow(window);
        windows.clear();
        win32::UnregisterClassA(kClass, win32::GetModuleHandleA(nullptr));
        win32::testing::ResetWindowHooks();
        win32::testing::ResetDesktopMode();
        win32::testing::ResetLocale();
    }

    win32::HWND Make(std::uint32_t style = win32::WS_CAPTION, std::int32_t x = 10, std::int32_t y = 20,
                     std::int32_t width = 640, std::int32_t height = 480, win32::HWND parent = 0)
    {
        const win32::HWND window = win32::CreateWindowExA(0, kClass, "Fixture", style, x, y, width, height, parent,
                                                          nullptr, win32::GetModuleHandleA(nullptr), nullptr);
        if (window != 0)
            windows.push_back(window);
        return window;
    }

    // Dispatches every queued message (the recorded procedure sees them).
    static void Pump()
    {
        win32::MSG message{};
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
    }

    static win32::LRESULT Record(win32::HWND window, win32::UINT message, win32::WPARAM wParam,
                                 win32::LPARAM lParam)
    {
        received.push_back(win32::MSG{window, message, wParam, lParam, 0, {0, 0}});
        return win32::DefWindowProcA(window, message, wParam, lParam);
    }

    // The messages received of one kind, in order.
    static std::vector<win32::MSG> ReceivedOf(win32::UINT message)
    {
        std::vector<win32::MSG> out;
        for (const win32::MSG& m : received)
            if (m.message == message)
                out.push_back(m);
        return out;
    }

    static inline std::vector<win32::MSG> received;
    std::vector<win32::HWND> windows;
};

} // namespace corvellan::test
