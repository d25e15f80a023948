#include "engine/core/Error.h"
#include "engine/core/KeyNames.h"
#include "platform/win32/WindowCalls.h"
#include "tests/engine/core/InputFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using namespace OrvaneEngine;
namespace wt = win32::testing;
namespace dt = dinput::testing;

namespace
{

class ControlsTest : public corvellan::test::InputFixture
{
};

// Every keyboard name with the key of the platform library that gives it.
const struct
{
    const char* scancode;
    const char* name;
} kKeys[] = {
    {"CapsLock", "CAPS_LOCK"}, {"Numlock", "NUM_LOCK"}, {"ScrollLock", "SCROLL_LOCK"},
    {"0", "0"}, {"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}, {"6", "6"}, {"7", "7"}, {"8", "8"},
    {"9", "9"}, {"A", "A"}, {"B", "B"}, {"C", "C"}, {"D", "D"}, {"E", "E"}, {"F", "F"}, {"G", "G"}, {"H", "H"},
    {"I", "I"}, {"J", "J"}, {"K", "K"}, {"L", "L"}, {"M", "M"}, {"N", "N"}, {"O", "O"}, {"P", "P"}, {"Q", "Q"},
    {"R", "R"}, {"S", "S"}, {"T", "T"}, {"U", "U"}, {"V", "V"}, {"W", "W"}, {"X", "X"}, {"Y", "Y"}, {"Z", "Z"},
    {"Backspace", "BACKSPACE"}, {"Tab", "TAB"}, {"Space", "SPACE"}, {"Return", "ENTER"}, {"Escape", "ESCAPE"},
    {"Right Shift", "RSHIFT"}, {"Left Shift", "LSHIFT"}, {"Right Ctrl", "RCTRL"}, {"Left Ctrl", "LCTRL"},
    {"Right Alt", "RALT"}, {"Left Alt", "LALT"}, {"PageUp", "PAGEUP"}, {"PageDown", "PAGEDOWN"}, {"End", "END"},
    {"Home", "HOME"}, {"PrintScreen", "PRINTSCRN"}, {"Insert", "INSERT"}, {"Delete", "DELETE"},
    {"Pause", "PAUSE"}, {"Left", "LEFTARROW"}, {"Up", "UPARROW"}, {"Right", "RIGHTARROW"},
    {"Down", "DOWNARROW"}, {"Keypad 0", "NUMPAD_0"}, {"Keypad 1", "NUMPAD_1"}, {"Keypad 2", "NUMPAD_2"},
    {"Keypad 3", "NUMPAD_3"}, {"Keypad 4", "NUMPAD_4"}, {"Keypad 5", "NUMPAD_5"}, {"Keypad 6", "NUMPAD_6"},
    {"Keypad 7", "NUMPAD_7"}, {"Keypad 8", "NUMPAD_8"}, {"Keypad 9", "NUMPAD_9"},
    {"Keypad *", "NUMPAD_MULTIPLY"}, {"Keypad +", "NUMPAD_PLUS"}, {"Keypad -", "NUMPAD_MINUS"},
    {"Keypad .", "NUMPAD_DELETE"}, {"Keypad /", "NUMPAD_DIVIDE"}, {"F1", "F1"}, {"F2", "F2"}, {"F3", "F3"},
    {"F4", "F4"}, {"F5", "F5"}, {"F6", "F6"}, {"F7", "F7"}, {"F8", "F8"}, {"F9", "F9"}, {"F10", "F10"},
    {"F11", "F11"}, {"F12", "F12"}, {"`", "~"}, {";", ";"}, {"=", "="}, {",", ","}, {"-", "-"}, {".", "."},
    {"/", "/"}, {"[", "["}, {"\\", "\\"}, {"]", "]"}, {"'", "'"},
};

TEST_F(ControlsTest, EveryKeyNameFollowsItsKey)
{
    MakeAll();
    std::set<std::string> names;
    for (const auto& key : kKeys)
    {
        names.insert(key.name);
        Key(key.scancode, true);
        Frame();
        EXPECT_TRUE(controls->IsKeyPressed(key.name)) << key.name;
        EXPECT_TRUE(controls->IsKeyDown(key.name)) << key.name;
        EndFrame();
        Frame();
        EXPECT_FALSE(controls->IsKeyPressed(key.name)) << key.name;
        EXPECT_TRUE(controls->IsKeyDown(key.name)) << key.name;
        EndFrame();
        Key(key.scancode, false);
        Frame();
        EXPECT_FALSE(controls->IsKeyPressed(key.name)) << key.name;
        EXPECT_FALSE(controls->IsKeyDown(key.name)) << key.name;
        EXPECT_FALSE(controls->AnyKeyDown()) << key.name << ": nothing else moved";
        EndFrame();
    }
    // The table above names every keyboard key of the engine.
    std::set<std::string> engineKeys;
    for (const KeyName& key : GetKeyNames())
        if (!key.mouseButton)
            engineKeys.insert(key.name);
    EXPECT_EQ(names, engineKeys);
}

TEST_F(ControlsTest, MouseButtonsAreMouseNames)
{
    MakeAll();
    const char* names[] = {"MOUSE1", "MOUSE2", "MOUSE3", "MOUSE4", "MOUSE5"};
    for (std::uint32_t button = 0; button < 5; ++button)
    {
        ASSERT_TRUE(wt::PushMouseButton(window->handle, button, true));
        Frame();
        for (std::uint32_t other = 0; other < 5; ++other)
            EXPECT_EQ(controls->IsKeyPressed(names[other]), other == button) << names[button];
        EndFrame();
        wt::PushMouseButton(window->handle, button, false);
        Frame();
        EXPECT_FALSE(controls->IsKeyDown(names[button]));
        EndFrame();
    }
}

TEST_F(ControlsTest, NamesAreUpperCasedAndUnknownOnesAreFalse)
{
    MakeAll();
    Key("Space", true);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("space"));
    EXPECT_TRUE(controls->IsKeyDown("Space"));
    EXPECT_FALSE(controls->IsKeyDown("HYPER"));
    EXPECT_FALSE(controls->IsKeyPressed(""));
    EXPECT_TRUE(controls->AnyKeyPressed());
    controls->SetKeyState("HYPER", true);
    EXPECT_FALSE(controls->IsKeyDown("HYPER"));
}

TEST_F(ControlsTest, PerFrameRules)
{
    MakeAll();
    const win32::HWND w = window->handle;
    // A tap inside one frame: pressed and down that frame, nothing the next.
    Key("T", true);
    Key("T", false);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("T"));
    EXPECT_TRUE(controls->IsKeyDown("T"));
    EndFrame();
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("T"));
    EndFrame();

    // Ten events in one frame: eight now, two in the next.
    for (const char* key : {"1", "2", "3", "4", "5"})
    {
        Key(key, true);
        Key(key, false);
    }
    Frame();
    for (const char* key : {"1", "2", "3", "4"})
        EXPECT_TRUE(controls->IsKeyPressed(key)) << key;
    EXPECT_FALSE(controls->IsKeyPressed("5"));
    EndFrame();
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("5"));
    EXPECT_FALSE(controls->IsKeyPressed("4"));
    EndFrame();

    // Two wheel notches in one frame, then the latch.
    wt::PushWheel(w, 1);
    wt::PushWheel(w, 1);
    Frame();
    EXPECT_EQ(controls->GetWheel(), 240);
    EndFrame();
    wt::PushWheel(w, 1);
    Frame();
    EXPECT_EQ(controls->GetWheel(), 0) << "the frame after a wheel reads 0";
    EndFrame();

    // Keys without a name are ignored.
    Key("Left GUI", true);
    Key("Keypad Enter", true);
    Frame();
    EXPECT_FALSE(controls->AnyKeyPressed());
    EndFrame();
}

TEST_F(ControlsTest, FailedReadsFallBackToTheImmediateState)
{
    MakeAll();
    const win32::HWND w = window->handle;
    // Overflow: the held key comes from the immediate state; motion and wheel are lost.
    Key("Left Shift", true);
    for (int i = 0; i < 9; ++i)
    {
        Key("Q", true);
        Key("Q", false);
    }
    wt::PushMouseButton(w, 0, true);
    for (int i = 0; i < 20; ++i)
    {
        wt::PushMouseButton(w, 1, true);
        wt::PushMouseButton(w, 1, false);
    }
    wt::PushWheel(w, 1);
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("LSHIFT"));
    EXPECT_FALSE(controls->IsKeyDown("Q"));
    EXPECT_TRUE(controls->IsKeyDown("MOUSE1"));
    EXPECT_FALSE(controls->IsKeyDown("MOUSE2"));
    EXPECT_EQ(controls->GetWheel(), 0);
    EXPECT_FLOAT_EQ(controls->GetMouseMotion().x, 0.0f);
    EndFrame();

    // An injected failed read: the immediate state again.
    Key("Left Shift", false);
    dt::AnswerNextReads(dt::Device::Keyboard, dinput::DIERR_INPUTLOST, 1);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("LSHIFT"));
    EndFrame();

    // A failed immediate read releases every key.
    Key("G", true);
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("G"));
    EndFrame();
    dt::AnswerNextReads(dt::Device::Keyboard, dinput::DIERR_INPUTLOST, 1);
    dt::FailDeviceState(dt::Device::Keyboard, true);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("G"));
    EndFrame();
}

TEST_F(ControlsTest, DeviceLostForeverDoesNotHangTheFrame)
{
    MakeAll();
    Key("H", true);
    wt::PushMouseButton(window->handle, 2, true);
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("H"));
    EXPECT_TRUE(controls->IsKeyDown("MOUSE3"));
    EndFrame();
    for (const auto device : {dt::Device::Keyboard, dt::Device::Mouse})
    {
        dt::AnswerNextReads(device, dinput::DIERR_INPUTLOST, dt::kAlways);
        dt::FailAcquire(device, dt::kAlways);
    }
    const std::uint32_t before = dt::GetAcquireCount(dt::Device::Keyboard);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("H"));
    EXPECT_FALSE(controls->IsKeyDown("MOUSE3"));
    EXPECT_EQ(dt::GetAcquireCount(dt::Device::Keyboard) - before, Controls_DI7::kAcquireTries);
    EndFrame();
    // The next frame tries again, and a device that comes back works.
    dt::ResetDirectInputHooks();
    Frame();
    EndFrame();
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("H")) << "read from the immediate state after the re-acquire";
    EndFrame();
}

TEST_F(ControlsTest, RefusedBufferMissesATap)
{
    dt::RefuseStep(dt::Step::KeyboardBufferSize);
    MakeAll();
    EXPECT_FALSE(controls->IsKeyboardBuffered());
    EXPECT_TRUE(controls->IsMouseBuffered());
    bool logged = false;
    for (const std::string& text : LogTexts())
        logged = logged || text.find("Error: Failed to set the buffered mode, switching to the immediate mode") !=
                               std::string::npos;
    EXPECT_TRUE(logged);
    Key("K", true);
    Key("K", false);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("K")) << "the immediate state never saw it";
    EndFrame();
    Key("K", true);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("K"));
    EndFrame();
}

TEST_F(ControlsTest, BlockLastsUntilEverythingIsReleased)
{
    MakeAll();
    wt::PushMouseButton(window->handle, 0, true);
    Frame();
    EndFrame();
    controls->BlockInput();
    for (int frame = 0; frame < 3; ++frame)
    {
        Key("Space", true);
        Key("Space", false);
        Frame();
        EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
        EXPECT_FALSE(controls->IsKeyPressed("SPACE"));
        EXPECT_FALSE(controls->AnyKeyDown());
        EXPECT_FALSE(controls->AnyKeyPressed());
        EndFrame();
    }
    wt::PushMouseButton(window->handle, 0, false);
    Frame();
    EndFrame();
    Key("Space", true);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("SPACE")) << "working again the frame after the release";
    EndFrame();
}

TEST_F(ControlsTest, BlockGivesUpAfterTwoSecondsWhenTheSystemSeesNoKey)
{
    MakeAll();
    Key("J", true);
    Frame();
    EndFrame();
    controls->BlockInput();
    dt::DropNextRecords(dt::Device::Keyboard, 1);
    Key("J", false);
    timers.frameTime = 0.25f;
    for (int frame = 1; frame <= 8; ++frame)
    {
        Frame();
        EXPECT_TRUE(controls->IsBlocked()) << "frame " << frame;
        EndFrame();
    }
    Frame();
    EXPECT_FALSE(controls->IsBlocked()) << "frame 9: past 2 seconds";
    EndFrame();
}

TEST_F(ControlsTest, MotionFollowsTheInvertSetting)
{
    MakeAll();
    for (const bool invert : {false, true})
    {
        config.invertMouse = invert;
        wt::PushMouseMotion(window->handle, 100, 100, 0, 0);
        Frame();
        EndFrame();
        wt::PushMouseMotion(window->handle, 105, 103, 5, 3);
        Frame();
        EXPECT_FLOAT_EQ(controls->GetMouseMotion().x, 5.0f);
        EXPECT_FLOAT_EQ(controls->GetMouseMotion().y, invert ? 3.0f : -3.0f);
        EXPECT_FLOAT_EQ(controls->GetCursorMotion().x, 5.0f);
        EXPECT_FLOAT_EQ(controls->GetCursorMotion().y, invert ? 3.0f : -3.0f);
        EndFrame();
    }
}

TEST_F(ControlsTest, CursorPositionIsInTheModesPixels)
{
    wt::SetDesktopMode(win32::DesktopMode{1024, 768, 32, 60});
    const struct
    {
        std::uint32_t width, height;
        bool fullscreen;
        std::int32_t x, y;
        float clientX, clientY;
    } cases[] = {
        {640, 480, false, 100, 50, 100.0f, 50.0f},
        {640, 480, true, 512, 384, 320.0f, 240.0f},
        {1280, 720, true, 0, 96, 0.0f, 0.0f},
    };
    for (const auto& c : cases)
    {
        WindowOptions options;
        options.width = c.width;
        options.height = c.height;
        options.fullscreen = c.fullscreen;
        MakeAll(options);
        wt::PushMouseMotion(window->handle, c.x, c.y, 0, 0);
        const Vector2 position = controls->GetCursorPosition();
        EXPECT_FLOAT_EQ(position.x, c.clientX) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(position.y, c.clientY) << c.width << "x" << c.height;
        controls.reset();
        window.reset();
    }
}

TEST_F(ControlsTest, SetCursorPositionMovesWithoutMotion)
{
    MakeAll();
    Frame();
    EndFrame();
    controls->SetCursorPosition(Vector2(100.0f, 50.0f));
    const Vector2 position = controls->GetCursorPosition();
    EXPECT_FLOAT_EQ(position.x, 100.0f);
    EXPECT_FLOAT_EQ(position.y, 50.0f);
    Frame();
    EXPECT_FLOAT_EQ(controls->GetMouseMotion().x, 0.0f);
    EXPECT_FLOAT_EQ(controls->GetMouseMotion().y, 0.0f);
    EndFrame();

    // Truncated toward zero; not-a-number is 0.
    controls->SetCursorPosition(Vector2(12.9f, -3.7f));
    EXPECT_FLOAT_EQ(controls->GetCursorPosition().x, 12.0f);
    EXPECT_FLOAT_EQ(controls->GetCursorPosition().y, -3.0f);
    controls->SetCursorPosition(Vector2(NAN, 7.0f));
    EXPECT_FLOAT_EQ(controls->GetCursorPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(controls->GetCursorPosition().y, 7.0f);
    // Out of range goes to the far edges of the 32-bit range, never wraps.
    for (const float far : {1e20f, INFINITY})
    {
        controls->SetCursorPosition(Vector2(far, -far));
        const Vector2 moved = controls->GetCursorPosition();
        EXPECT_GT(moved.x, 2.0e9f) << far;
        EXPECT_LT(moved.y, -2.0e9f) << far;
    }
}

TEST_F(ControlsTest, DisplayCounterStaysInItsBand)
{
    MakeAll();
    for (int frame = 0; frame < 20; ++frame)
        Frame();
    EXPECT_EQ(wt::GetDisplayCounter(), 10);
    controls->ShowCursor(false);
    EXPECT_FALSE(controls->IsCursorVisible());
    EXPECT_EQ(wt::GetDisplayCounter(), -1);
    for (int frame = 0; frame < 20; ++frame)
        Frame();
    EXPECT_EQ(wt::GetDisplayCounter(), -10);
    controls.reset();
    EXPECT_GE(wt::GetDisplayCounter(), 0);
}

TEST_F(ControlsTest, RefusedConstructionStepsAreFatal)
{
    const struct
    {
        dt::Step step;
        const char* text;
    } cases[] = {
        {dt::Step::CreateDirectInput, "Failed to create a DirectInput object"},
        {dt::Step::CreateKeyboard, "Failed to obtain an interface to the system keyboard device"},
        {dt::Step::KeyboardDataFormat, "Failed to set the data format"},
        {dt::Step::KeyboardCooperativeLevel, "Failed to set the cooperativity level"},
        {dt::Step::CreateMouse, "Failed to obtain an interface to the system mouse device"},
        {dt::Step::MouseDataFormat, "Failed to set the data format"},
        {dt::Step::MouseCooperativeLevel, "Failed to set the cooperativity level"},
    };
    window = MakeWindow(WindowOptions{});
    for (const auto& c : cases)
    {
        dt::ResetDirectInputHooks();
        dt::RefuseStep(c.step);
        try
        {
            Controls_DI7 failing(&log, &timers, &config, window.get(), true);
            ADD_FAILURE() << c.text;
        }
        catch (const FatalError& error)
        {
            EXPECT_EQ(error.GetText(), c.text);
        }
        EXPECT_EQ(dt::GetLiveDeviceCount(), 0u) << c.text << ": nothing left open";
    }
}

TEST_F(ControlsTest, LogsItsLife)
{
    window = MakeWindow(WindowOptions{});
    log.ClearMessages();
    controls = std::make_unique<Controls_DI7>(&log, &timers, &config, window.get(), true);
    controls.reset();
    const std::vector<std::string> expected = {
        "Initialization of DirectInput devices...\n",
        "...Creating a DirectInput object...\n",
        "...Keyboard:\n",
        "......Obtaining an interface to the system keyboard device...\n",
        "......Setting the data format...\n",
        "......Setting the cooperativity level...\n",
        "......Setting the buffered mode...\n",
        "...Mouse:\n",
        "......Obtaining an interface to the system mouse device...\n",
        "......Setting the data format...\n",
        "......Setting the cooperativity level...\n",
        "......Setting the buffered mode...\n",
        "\nDirectInput devices destroying:\n",
        "...Keyboard...\n",
        "...Mouse...\n",
        "...DirectInput object...\n",
    };
    EXPECT_EQ(LogTexts(), expected);
    EXPECT_EQ(dt::GetLiveDeviceCount(), 0u);
    EXPECT_EQ(dt::GetCooperativeWindow(dt::Device::Keyboard), win32::GetDesktopWindow());
    EXPECT_EQ(dt::GetCooperativeLevel(dt::Device::Keyboard), 0x0Au);
}

} // namespace
