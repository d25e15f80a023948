#include "platform/win32/KeyState.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/platform/win32/WindowFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using corvellan::test::WindowFixture;
namespace wt = win32::testing;

namespace
{

class WindowMessagesTest : public WindowFixture
{
};

TEST_F(WindowMessagesTest, WindowEventsBecomeTheirMessages)
{
    const win32::HWND window = Make();
    ASSERT_NE(window, 0u);
    win32::SetFocus(window);
    const struct
    {
        wt::WindowEvent event;
        win32::UINT message;
        win32::WPARAM wParam;
    } cases[] = {
        {wt::WindowEvent::Close, win32::WM_CLOSE, 0},
        {wt::WindowEvent::Minimized, win32::WM_SYSCOMMAND, win32::SC_MINIMIZE},
        {wt::WindowEvent::Restored, win32::WM_SYSCOMMAND, win32::SC_RESTORE},
        {wt::WindowEvent::Maximized, win32::WM_SYSCOMMAND, win32::SC_MAXIMIZE},
        {wt::WindowEvent::FocusLost, win32::WM_KILLFOCUS, 0},
        {wt::WindowEvent::FocusGained, win32::WM_SETFOCUS, 0},
        {wt::WindowEvent::Enter, win32::WM_SETCURSOR, window},
    };
    for (const auto& c : cases)
    {
        received.clear();
        ASSERT_TRUE(wt::PushWindowEvent(window, c.event));
        Pump();
        ASSERT_EQ(received.size(), 1u) << c.message;
        EXPECT_EQ(received[0].hwnd, window);
        EXPECT_EQ(received[0].message, c.message);
        if (c.message == win32::WM_SYSCOMMAND || c.message == win32::WM_SETCURSOR)
        {
            EXPECT_EQ(received[0].wParam, c.wParam);
        }
    }
    // The window is never left maximised, and it still exists after the close.
    EXPECT_FALSE(wt::IsWindowMaximized(window));
    EXPECT_TRUE(win32::IsWindow(window));
}

TEST_F(WindowMessagesTest, FocusFollowsTheLibraryOnceLost)
{
    const win32::HWND window = Make();
    EXPECT_EQ(win32::GetFocus(), 0u);
    win32::SetFocus(window);
    EXPECT_EQ(win32::GetFocus(), window);
    wt::PushWindowEvent(window, wt::WindowEvent::FocusLost);
    EXPECT_EQ(win32::GetFocus(), 0u);
    wt::PushWindowEvent(window, wt::WindowEvent::FocusGained);
    EXPECT_EQ(win32::GetFocus(), window);
}

TEST_F(WindowMessagesTest, QuitClosesEveryTopLevelWindowOnly)
{
    const win32::HWND host = Make();
    const win32::HWND child = Make(win32::WS_CHILD, 0, 0, 100, 100, host);
    const win32::HWND other = Make();
    ASSERT_NE(child, 0u);
    ASSERT_TRUE(wt::PushQuit());
    Pump();
    const auto closes = ReceivedOf(win32::WM_CLOSE);
    ASSERT_EQ(closes.size(), 2u);
    EXPECT_EQ(closes[0].hwnd, host);
    EXPECT_EQ(closes[1].hwnd, other);
}

TEST_F(WindowMessagesTest, MinimiseAndRestoreDoNotEchoTheirOwnChange)
{
    const win32::HWND window = Make();
    // Our own minimise: the default procedure acts once; a second request
    // changes nothing.
    win32::PostMessageA(window, win32::WM_SYSCOMMAND, win32::SC_MINIMIZE, 0);
    Pump();
    EXPECT_TRUE(wt::IsWindowMinimized(window));
    // The library's report of it brings no second command.
    received.clear();
    wt::PushWindowEvent(window, wt::WindowEvent::Minimized);
    Pump();
    EXPECT_TRUE(received.empty());
    wt::PushWindowEvent(window, wt::WindowEvent::Restored);
    Pump();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, win32::SC_RESTORE);
    EXPECT_FALSE(wt::IsWindowMinimized(window));
    // A restore while not minimised (after the stand-in undid a maximise) is no command.
    received.clear();
    wt::PushWindowEvent(window, wt::WindowEvent::Restored);
    Pump();
    EXPECT_TRUE(received.empty());
}

TEST_F(WindowMessagesTest, KeysBecomeVirtualKeyMessages)
{
    const win32::HWND window = Make();
    const struct
    {
        const char* scancode;
        win32::WPARAM virtualKey;
    } cases[] = {
        {"Backspace", 8},   {"Tab", 9},        {"Return", 13},      {"Keypad Enter", 13}, {"Left Shift", 16},
        {"Right Ctrl", 17}, {"Pause", 19},     {"CapsLock", 20},    {"Escape", 27},       {"Space", 32},
        {"PageUp", 33},     {"PageDown", 34},  {"End", 35},         {"Home", 36},         {"Left", 37},
        {"Up", 38},         {"Right", 39},     {"Down", 40},        {"PrintScreen", 44},  {"Insert", 45},
        {"Delete", 46},     {"0", 48},         {"9", 57},           {"A", 65},            {"Z", 90},
        {"Keypad 0", 96},   {"Keypad /", 111}, {"Keypad .", 110},   {"F1", 112},          {"F12", 123},
        {"Numlock", 144},   {"ScrollLock", 145}, {";", 186},        {"=", 187},           {",", 188},
        {"-", 189},         {".", 190},        {"/", 191},          {"`", 192},           {"[", 219},
        {"\\", 220},        {"]", 221},        {"'", 222},
    };
    for (const auto& c : cases)
    {
        received.clear();
        ASSERT_TRUE(wt::PushKey(window, c.scancode, true)) << c.scancode;
        ASSERT_TRUE(wt::PushKey(window, c.scancode, false));
        Pump();
        ASSERT_EQ(received.size(), 2u) << c.scancode;
        EXPECT_EQ(received[0].message, win32::WM_KEYDOWN) << c.scancode;
        EXPECT_EQ(received[0].wParam, c.virtualKey) << c.scancode;
        EXPECT_EQ(received[1].message, win32::WM_KEYUP) << c.scancode;
        EXPECT_EQ(received[1].wParam, c.virtualKey) << c.scancode;
    }
}

TEST_F(WindowMessagesTest, AltMakesSystemKeysAndAltF4Closes)
{
    const win32::HWND window = Make();
    wt::PushKey(window, "Left Alt", true);
    wt::PushKey(window, "F4", true);
    Pump();
    const auto systemKeys = ReceivedOf(win32::WM_SYSKEYDOWN);
    ASSERT_EQ(systemKeys.size(), 2u);
    EXPECT_EQ(systemKeys[0].wParam, 18u);
    EXPECT_EQ(systemKeys[1].wParam, 0x73u);
    const auto commands = ReceivedOf(win32::WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, win32::SC_CLOSE);
    // F4 alone closes nothing.
    received.clear();
    wt::PushKey(window, "Left Alt", false);
    wt::PushKey(window, "F4", false);
    wt::PushKey(window, "F4", true);
    Pump();
    EXPECT_TRUE(ReceivedOf(win32::WM_SYSCOMMAND).empty());
}

TEST_F(WindowMessagesTest, TextBecomesCodePageCharacters)
{
    const win32::HWND window = Make();
    ASSERT_TRUE(wt::SelectCodePage(1252));
    const struct
    {
        const char* name;
        std::string text;
        bool leftAlt;
        bool rightAlt;
        std::vector<win32::WPARAM> characters;
    } cases[] = {
        {"ascii", "abc", false, false, {'a', 'b', 'c'}},
        {"euro", "\xE2\x82\xAC", false, false, {0x80}},
        {"e acute", "\xC3\xA9", false, false, {0xE9}},
        {"not in 1252", "\xD0\x96", false, false, {}},
        {"outside the plane", "\xF0\x9F\x98\x80", false, false, {}},
        {"bad lead byte", "a\xFFz", false, false, {'a', 'z'}},
        {"cut sequence", "a\xE2\x82", false, false, {'a'}},
        {"overlong", "\xC0\xAFx", false, false, {'x'}},
        {"surrogate", "\xED\xA0\x80y", false, false, {'y'}},
        {"left Alt held", "x", true, false, {}},
        {"AltGr", "\xE2\x82\xAC", false, true, {0x80}},
    };
    for (const auto& c : cases)
    {
        if (c.leftAlt)
            wt::PushKey(window, "Left Alt", true);
        if (c.rightAlt)
            wt::PushKey(window, "Right Alt", true);
        Pump();
        received.clear();
        ASSERT_TRUE(wt::PushText(window, c.text)) << c.name;
        Pump();
        std::vector<win32::WPARAM> got;
        for (const win32::MSG& m : ReceivedOf(win32::WM_CHAR))
            got.push_back(m.wParam);
        EXPECT_EQ(got, c.characters) << c.name;
        wt::PushKey(window, "Left Alt", false);
        wt::PushKey(window, "Right Alt", false);
        Pump();
    }
}

TEST_F(WindowMessagesTest, QueueKeepsOrderAndForgetsDestroyedWindows)
{
    const win32::HWND first = Make();
    const win32::HWND second = Make();
    EXPECT_TRUE(win32::PostMessageA(first, 0x400, 1, 0));
    EXPECT_TRUE(win32::PostMessageA(second, 0x400, 2, 0));
    EXPECT_TRUE(win32::PostMessageA(first, 0x400, 3, 0));
    win32::DestroyWindow(second);
    EXPECT_FALSE(win32::PostMessageA(second, 0x400, 4, 0));
    // Peeking without removing leaves the message first in line.
    win32::MSG peeked{};
    ASSERT_TRUE(win32::PeekMessageA(&peeked, 0, 0, 0, win32::PM_NOREMOVE));
    EXPECT_EQ(peeked.wParam, 1u);
    Pump();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].wParam, 1u);
    EXPECT_EQ(received[1].wParam, 3u);
}

TEST_F(WindowMessagesTest, AsyncKeyStateFollowsTheEvents)
{
    const win32::HWND window = Make();
    wt::PushKey(window, "Right Alt", true);
    wt::PushKey(window, "Left Shift", true);
    wt::PushMouseButton(window, 3, true);
    const struct
    {
        std::int32_t virtualKey;
        bool down;
    } cases[] = {{18, true}, {165, true}, {164, false}, {16, true}, {160, true}, {161, false},
                 {17, false}, {5, true},  {1, false},   {'A', false}};
    for (const auto& c : cases)
        EXPECT_EQ((win32::GetAsyncKeyState(c.virtualKey) & 0x8000) != 0, c.down) << c.virtualKey;
    wt::PushKey(window, "Right Alt", false);
    wt::PushMouseButton(window, 3, false);
    EXPECT_EQ(win32::GetAsyncKeyState(18), 0);
    EXPECT_EQ(win32::GetAsyncKeyState(5), 0);
}

} // namespace
