#include "platform/dinput/IDirectInput7.h"
#include "platform/dinput/IDirectInputDevice7.h"
#include "platform/dinput/testing/DirectInputHooks.h"
#include "platform/win32/Cursor.h"
#include "platform/win32/Messages.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/WindowHooks.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

using namespace dinput;
namespace wt = win32::testing;
namespace dt = dinput::testing;

namespace
{

win32::LRESULT Ignore(win32::HWND, win32::UINT, win32::WPARAM, win32::LPARAM)
{
    return 0;
}

// A window to address events to, the input system and both devices set up
// as the engine sets them up.
class DirectInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wt::ResetWindowHooks();
        dt::ResetDirectInputHooks();
        win32::WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Ignore;
        windowClass.lpszClassName = "Input test";
        ASSERT_NE(win32::RegisterClassA(&windowClass), 0);
        window = win32::CreateWindowExA(0, "Input test", "", win32::WS_CAPTION, 0, 0, 320, 240, 0, nullptr,
                                        module, nullptr);
        ASSERT_NE(window, 0u);
        win32::SetFocus(window);
        ASSERT_EQ(DirectInputCreateEx(module, DIRECTINPUT_VERSION, IID_IDirectInput7A, &input, nullptr), DI_OK);
        keyboard = Open(GUID_SysKeyboard, c_dfDIKeyboard, 8);
        mouse = Open(GUID_SysMouse, c_dfDIMouse2, 16);
    }

    void TearDown() override
    {
        for (IDirectInputDevice7* device : {keyboard, mouse})
            if (device != nullptr)
                device->Release();
        if (input != nullptr)
            input->Release();
        EXPECT_EQ(dt::GetLiveDeviceCount(), 0u);
        win32::DestroyWindow(window);
        win32::UnregisterClassA("Input test", module);
        dt::ResetDirectInputHooks();
        wt::ResetWindowHooks();
    }

    IDirectInputDevice7* Open(const GUID& guid, const DIDATAFORMAT& format, std::uint32_t bufferSize)
    {
        IDirectInputDevice7* device = nullptr;
        EXPECT_EQ(input->CreateDeviceEx(guid, IID_IDirectInputDevice7A, &device, nullptr), DI_OK);
        if (device == nullptr)
            return nullptr;
        EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
        EXPECT_EQ(device->SetCooperativeLevel(win32::GetDesktopWindow(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
                  DI_OK);
        if (bufferSize != 0)
        {
            DIPROPDWORD property{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, bufferSize};
            EXPECT_EQ(device->SetProperty(DIPROP_BUFFERSIZE, &property.diph), DI_OK);
        }
        EXPECT_EQ(device->Acquire(), DI_OK);
        return device;
    }

    struct Read
    {
        HRESULT result;
        std::vector<DIDEVICEOBJECTDATA> records;
    };

    static Read ReadData(IDirectInputDevice7* device, std::uint32_t wanted = 8)
    {
        std::array<DIDEVICEOBJECTDATA, 32> buffer{};
        std::uint32_t count = wanted;
        Read read{device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), buffer.data(), &count, 0), {}};
        read.records.assign(buffer.begin(), buffer.begin() + count);
        return read;
    }

    const win32::HINSTANCE module = win32::GetModuleHandleA(nullptr);
    win32::HWND window = 0;
    IDirectInput7* input = nullptr;
    IDirectInputDevice7* keyboard = nullptr;
    IDirectInputDevice7* mouse = nullptr;
};

TEST_F(DirectInputTest, KeysRecordTheirKeyboardCodes)
{
    const struct
    {
        const char* scancode;
        std::uint32_t code;
    } cases[] = {
        {"Escape", 1},        {"1", 2},          {"0", 11},         {"A", 30},          {"Return", 28},
        {"`", 41},            {"PrintScreen", 183}, {"Pause", 197}, {"Right Alt", 184}, {"ModeSwitch", 184},
        {"Keypad .", 83},     {"\\", 43},        {"#", 43},         {"Keypad /", 181},  {"Right Ctrl", 157},
        {"Left GUI", 219},    {"Keypad Enter", 156}, {"F11", 87},   {"Numlock", 69},    {"Delete", 211},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(wt::PushKey(window, c.scancode, true)) << c.scancode;
        ASSERT_TRUE(wt::PushKey(window, c.scancode, true, true));
        ASSERT_TRUE(wt::PushKey(window, c.scancode, false));
        const Read read = ReadData(keyboard);
        ASSERT_EQ(read.result, DI_OK);
        ASSERT_EQ(read.records.size(), 2u) << c.scancode << ": the repeat is no record";
        EXPECT_EQ(read.records[0].dwOfs, c.code) << c.scancode;
        EXPECT_EQ(read.records[0].dwData & 0x80, 0x80u);
        EXPECT_EQ(read.records[1].dwOfs, c.code);
        EXPECT_EQ(read.records[1].dwData & 0x80, 0u);
        EXPECT_LT(read.records[0].dwSequence, read.records[1].dwSequence);
    }
}

TEST_F(DirectInputTest, MouseRecordsAxesButtonsAndWheel)
{
    for (std::uint32_t button = 0; button < 5; ++button)
    {
        wt::PushMouseButton(window, button, true);
        wt::PushMouseButton(window, button, false);
    }
    wt::PushWheel(window, 1);
    wt::PushWheel(window, 2, true);
    const Read buttons = ReadData(mouse, 16);
    ASSERT_EQ(buttons.result, DI_OK);
    ASSERT_EQ(buttons.records.size(), 12u);
    for (std::uint32_t button = 0; button < 5; ++button)
    {
        EXPECT_EQ(buttons.records[2 * button].dwOfs, DIMOFS_BUTTON0 + button);
        EXPECT_EQ(buttons.records[2 * button].dwData, 0x80u);
        EXPECT_EQ(buttons.records[2 * button + 1].dwData, 0u);
    }
    EXPECT_EQ(buttons.records[10].dwOfs, DIMOFS_Z);
    EXPECT_EQ(static_cast<std::int32_t>(buttons.records[10].dwData), 120);
    EXPECT_EQ(static_cast<std::int32_t>(buttons.records[11].dwData), 240) << "a flipped wheel is turned back";

    // Motion adds up until a button record lies between.
    wt::PushMouseMotion(window, 5, 5, 5, -3);
    wt::PushMouseMotion(window, 7, 5, 2, 0);
    wt::PushMouseButton(window, 0, true);
    wt::PushMouseMotion(window, 8, 6, 1, 1);
    const Read motion = ReadData(mouse, 16);
    ASSERT_EQ(motion.records.size(), 5u);
    EXPECT_EQ(motion.records[0].dwOfs, DIMOFS_X);
    EXPECT_EQ(static_cast<std::int32_t>(motion.records[0].dwData), 7);
    EXPECT_EQ(motion.records[1].dwOfs, DIMOFS_Y);
    EXPECT_EQ(static_cast<std::int32_t>(motion.records[1].dwData), -3);
    EXPECT_EQ(motion.records[2].dwOfs, DIMOFS_BUTTON0);
    EXPECT_EQ(motion.records[3].dwOfs, DIMOFS_X);
    EXPECT_EQ(motion.records[4].dwOfs, DIMOFS_Y);
}

TEST_F(DirectInputTest, BufferReadsInPiecesAndOverflowsPastCapacity)
{
    for (int i = 0; i < 5; ++i)
    {
        wt::PushKey(window, "A", true);
        wt::PushKey(window, "A", false);
    }
    const Read first = ReadData(keyboard, 8);
    EXPECT_EQ(first.records.size(), 8u);
    const Read rest = ReadData(keyboard, 8);
    EXPECT_EQ(rest.records.size(), 2u) << "what was not read waits";

    for (int i = 0; i < 9; ++i)
    {
        wt::PushKey(window, "B", true);
        wt::PushKey(window, "B", false);
    }
    const Read overflow = ReadData(keyboard, 8);
    EXPECT_EQ(overflow.result, DI_BUFFEROVERFLOW);
    EXPECT_TRUE(overflow.records.empty());
    const Read after = ReadData(keyboard, 8);
    EXPECT_EQ(after.result, DI_OK);
    EXPECT_TRUE(after.records.empty()) << "the overflow emptied the buffer";
}

TEST_F(DirectInputTest, ImmediateStateFollowsTheSameEvents)
{
    wt::PushKey(window, "Space", true);
    wt::PushKey(window, "Left Alt", true);
    wt::PushMouseButton(window, 1, true);
    wt::PushMouseMotion(window, 1, 1, 4, -2);
    wt::PushMouseMotion(window, 2, 2, 1, 1);
    wt::PushWheel(window, -1);

    std::array<std::uint8_t, 256> keys{};
    ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK);
    for (std::size_t code = 0; code < keys.size(); ++code)
        EXPECT_EQ(keys[code] != 0, code == 57 || code == 56) << code;

    DIMOUSESTATE2 state{};
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 5);
    EXPECT_EQ(state.lY, -1);
    EXPECT_EQ(state.lZ, -120);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    ASSERT_EQ(mouse->GetDeviceState(sizeof(state), &state), DI_OK);
    EXPECT_EQ(state.lX, 0) << "axes count from the last immediate read";
    EXPECT_EQ(state.rgbButtons[1], 0x80);
    EXPECT_EQ(keyboard->GetDeviceState(20, keys.data()), DIERR_INVALIDPARAM);
}

TEST_F(DirectInputTest, WarpIsNoMotion)
{
    // The library reports a warp as motion from where it last saw the
    // cursor; the second warp's report carries a real distance.
    win32::SetCursorPos(50, 60);
    win32::SetCursorPos(80, 90);
    wt::PushMouseMotion(window, 100, 90, 20, 0);
    const Read read = ReadData(mouse);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(static_cast<std::int32_t>(read.records[0].dwData), 20);
}

TEST_F(DirectInputTest, UnacquiredDevicesBufferNothing)
{
    EXPECT_EQ(keyboard->Acquire(), S_FALSE);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    wt::PushKey(window, "A", true);
    EXPECT_EQ(ReadData(keyboard).result, DIERR_NOTACQUIRED);
    std::array<std::uint8_t, 256> keys{};
    EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    wt::PushKey(window, "A", false);
    const Read read = ReadData(keyboard);
    ASSERT_EQ(read.records.size(), 1u) << "only what happened since the acquire";
    EXPECT_EQ(read.records[0].dwData, 0u);
}

TEST_F(DirectInputTest, HooksProvokeTheFailuresTheEngineHandles)
{
    dt::AnswerNextReads(dt::Device::Keyboard, DIERR_INPUTLOST, 1);
    EXPECT_EQ(ReadData(keyboard).result, DIERR_INPUTLOST);
    EXPECT_EQ(ReadData(keyboard).result, DIERR_NOTACQUIRED) << "a lost device is no longer acquired";

    dt::FailAcquire(dt::Device::Keyboard, 2);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);

    dt::FailDeviceState(dt::Device::Mouse, true);
    DIMOUSESTATE2 state{};
    EXPECT_EQ(mouse->GetDeviceState(sizeof(state), &state), DIERR_INPUTLOST);
    dt::FailDeviceState(dt::Device::Mouse, false);

    dt::DropNextRecords(dt::Device::Keyboard, 1);
    wt::PushKey(window, "C", true);
    wt::PushKey(window, "C", false);
    const Read read = ReadData(keyboard);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0].dwData, 0u) << "the press was dropped, the release came";
    EXPECT_EQ(dt::GetCooperativeWindow(dt::Device::Mouse), win32::GetDesktopWindow());
    EXPECT_EQ(dt::GetCooperativeLevel(dt::Device::Mouse), 0x0Au);
}

TEST_F(DirectInputTest, RefusedStepsAndBadArgumentsFail)
{
    IDirectInputDevice7* device = nullptr;
    EXPECT_EQ(input->CreateDeviceEx(GUID_SysKeyboard, IID_IDirectInput7A, &device, nullptr), DIERR_NOINTERFACE);
    EXPECT_EQ(input->CreateDeviceEx(IID_IDirectInput7A, IID_IDirectInputDevice7A, &device, nullptr),
              DIERR_DEVICENOTREG);
    EXPECT_EQ(device, nullptr);

    dt::RefuseStep(dt::Step::CreateDirectInput);
    IDirectInput7* other = nullptr;
    EXPECT_TRUE(FAILED(DirectInputCreateEx(module, DIRECTINPUT_VERSION, IID_IDirectInput7A, &other, nullptr)));
    EXPECT_EQ(other, nullptr);
    dt::RefuseStep(dt::Step::CreateMouse);
    EXPECT_TRUE(FAILED(input->CreateDeviceEx(GUID_SysMouse, IID_IDirectInputDevice7A, &device, nullptr)));

    ASSERT_EQ(input->CreateDeviceEx(GUID_SysKeyboard, IID_IDirectInputDevice7A, &device, nullptr), DI_OK);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIMouse2), DIERR_INVALIDPARAM) << "the keyboard's own format only";
    EXPECT_EQ(device->SetCooperativeLevel(0, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
    dt::RefuseStep(dt::Step::KeyboardBufferSize);
    DIPROPDWORD property{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 8};
    EXPECT_TRUE(FAILED(device->SetProperty(DIPROP_BUFFERSIZE, &property.diph)));
    EXPECT_EQ(device->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
    EXPECT_EQ(device->Release(), 0u);
}

} // namespace
