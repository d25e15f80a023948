#pragma once

#include "engine/core/Config.h"
#include "engine/core/Controls_DI7.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "platform/dinput/testing/DirectInputHooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/DesktopHooks.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

// How a test's window is made: the engine's arguments.
struct InputWindowOptions
{
    std::uint32_t width = 640;
    std::uint32_t height = 480;
    bool fullscreen = false;
    bool minimizeWhenInactive = true;
    bool center = true;
    std::int32_t x = 0;
    std::int32_t y = 0;
    win32::HWND parent = 0;
    std::uint32_t icon = 101;
};

// The services a window and the input layer are built on, over a fresh
// folder, with every platform hook reset around each test.
class InputFixture : public ::testing::Test
{
protected:
    using WindowOptions = InputWindowOptions;

    void SetUp() override
    {
        ResetHooks();
        log.ClearMessages();
        timers.frameTime = 0.016f;
    }

    void TearDown() override
    {
        controls.reset();
        window.reset();
        ResetHooks();
    }

    static void ResetHooks()
    {
        win32::testing::ResetWindowHooks();
        win32::testing::ResetDesktopMode();
        win32::testing::ResetLocale();
        dinput::testing::ResetDirectInputHooks();
    }

    std::unique_ptr<OrvaneEngine::Window> MakeWindow(const WindowOptions& options)
    {
        return std::make_unique<OrvaneEngine::Window>(&log, &config, "Test 1.03", options.parent, options.icon,
                                                      options.minimizeWhenInactive, options.width, options.height,
                                                      options.fullscreen, options.center, options.x, options.y);
    }

    // The window and buffered input, as the engine builds them.
    void MakeAll(const WindowOptions& options = WindowOptions{})
    {
        window = MakeWindow(options);
        controls = std::make_unique<OrvaneEngine::Controls_DI7>(&log, &timers, &config, window.get(), true);
    }

    // Hands every queued message to its window procedure.
    static void Pump()
    {
        win32::MSG message{};
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
    }

    // One frame as the engine runs it: messages, window, input; the caller
    // looks, then EndFrame.
    void Frame()
    {
        Pump();
        window->Update();
        controls->Update();
    }

    void EndFrame() { controls->EndFrame(); }

    void Key(const std::string& scancode, bool down, bool repeat = false)
    {
        ASSERT_TRUE(win32::testing::PushKey(window->handle, scancode, down, repeat)) << scancode;
    }

    std::vector<std::string> LogTexts() const
    {
        std::vector<std::string> texts;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
            texts.push_back(log.GetMessage(static_cast<std::uint32_t>(i)).text);
        return texts;
    }

    std::string IniPath() const { return folder.Join("Test.ini"); }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    OrvaneEngine::Config config{&log, &files, folder.Path(), "Test", false, "1024x768x32", false, false};
    OrvaneEngine::TimerManager timers;
    std::unique_ptr<OrvaneEngine::Window> window;
    std::unique_ptr<OrvaneEngine::Controls_DI7> controls;
};

} // namespace corvellan::test
