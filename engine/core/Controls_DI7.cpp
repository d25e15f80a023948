#include "engine/core/Controls_DI7.h"

#include "engine/core/KeyNames.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "platform/dinput/IDirectInput7.h"
#include "platform/dinput/IDirectInputDevice7.h"
#include "platform/win32/WindowCalls.h"

#include <algorithm>
#include <array>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t kKeyboardBufferSize = 8;
constexpr std::uint32_t kMouseBufferSize = 16;

std::int32_t ClampToInt(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

Controls_DI7::Controls_DI7(MessageManager* givenLog, TimerManager* givenTimers, Config* givenConfiguration,
                           Window* givenWindow, bool buffered)
    : Controls(givenLog, givenTimers, givenConfiguration, givenWindow), bufferedKeyboard(buffered),
      bufferedMouse(buffered)
{
    log->Message("Initialization of DirectInput devices...");
    log->Message("...Creating a DirectInput object...");
    if (dinput::FAILED(dinput::DirectInputCreateEx(window->instance, dinput::DIRECTINPUT_VERSION,
                                                   dinput::IID_IDirectInput7A, &directInput, nullptr)))
        log->Fatal("Failed to create a DirectInput object");

    log->Message("...Keyboard:");
    keyboard = OpenDevice(true);
    log->Message("...Mouse:");
    mouse = OpenDevice(false);

    for (const KeyName& key : GetKeyNames())
    {
        codesByName[key.name] = key.code;
        if (!key.mouseButton)
            namesByCode[key.code] = key.name;
    }
}

dinput::IDirectInputDevice7* Controls_DI7::OpenDevice(bool isKeyboard)
{
    log->Message(isKeyboard ? "......Obtaining an interface to the system keyboard device..."
                            : "......Obtaining an interface to the system mouse device...");
    dinput::IDirectInputDevice7* device = nullptr;
    if (dinput::FAILED(directInput->CreateDeviceEx(isKeyboard ? dinput::GUID_SysKeyboard : dinput::GUID_SysMouse,
                                                   dinput::IID_IDirectInputDevice7A, &device, nullptr)))
    {
        ReleaseDevices();
        log->Fatal(isKeyboard ? "Failed to obtain an interface to the system keyboard device"
                              : "Failed to obtain an interface to the system mouse device");
    }
    // Held in its member at once, so a failure below releases it too.
    (isKeyboard ? keyboard : mouse) = device;

    log->Message("......Setting the data format...");
    if (dinput::FAILED(device->SetDataFormat(isKeyboard ? &dinput::c_dfDIKeyboard : &dinput::c_dfDIMouse2)))
    {
        ReleaseDevices();
        log->Fatal("Failed to set the data format");
    }

    log->Message("......Setting the cooperativity level...");
    if (dinput::FAILED(device->SetCooperativeLevel(win32::GetDesktopWindow(),
                                                   dinput::DISCL_NONEXCLUSIVE | dinput::DISCL_BACKGROUND)))
    {
        ReleaseDevices();
        log->Fatal("Failed to set the cooperativity level");
    }

    bool& buffered = isKeyboard ? bufferedKeyboard : bufferedMouse;
    if (buffered)
    {
        log->Message("......Setting the buffered mode...");
        dinput::DIPROPDWORD property{};
        property.diph.dwSize = sizeof(dinput::DIPROPDWORD);
        property.diph.dwHeaderSize = sizeof(dinput::DIPROPHEADER);
        property.diph.dwObj = 0;
        property.diph.dwHow = dinput::DIPH_DEVICE;
        property.dwData = isKeyboard ? kKeyboardBufferSize : kMouseBufferSize;
        if (dinput::FAILED(device->SetProperty(dinput::DIPROP_BUFFERSIZE, &property.diph)))
        {
            buffered = false;
            log->Error("Failed to set the buffered mode, switching to the immediate mode");
        }
    }

    device->Acquire();
    return device;
}

Controls_DI7::~Controls_DI7()
{
    log->Message("\nDirectInput devices destroying:");
    log->Message("...Keyboard...");
    if (keyboard != nullptr)
    {
        keyboard->Unacquire();
        keyboard->Release();
        keyboard = nullptr;
    }
    log->Message("...Mouse...");
    if (mouse != nullptr)
    {
        mouse->Unacquire();
        mouse->Release();
        mouse = nullptr;
    }
    log->Message("...DirectInput object...");
    if (directInput != nullptr)
    {
        directInput->Release();
        directInput = nullptr;
    }
    ShowCursor(true);
}

void Controls_DI7::ReleaseDevices()
{
    for (dinput::IDirectInputDevice7** device : {&keyboard, &mouse})
    {
        if (*device != nullptr)
        {
            (*device)->Unacquire();
            (*device)->Release();
            *device = nullptr;
        }
    }
    if (directInput != nullptr)
    {
        directInput->Release();
        directInput = nullptr;
    }
}

void Controls_DI7::SetKeyState(const std::string& name, bool down)
{
    const auto it = held.find(name);
    if (it == held.end())
        return;
    if (!down)
    {
        it->second = false;
        return;
    }
    if (!it->second)
    {
        it->second = true;
        pressed[name] = true;
    }
}

bool Controls_DI7::Reacquire(dinput::IDirectInputDevice7* device)
{
    // A device that stays lost must not hold the frame up: a few tries, and
    // the next frame tries again.
    dinput::HRESULT result = dinput::DIERR_INPUTLOST;
    for (std::uint32_t attempt = 0; attempt < kAcquireTries && result == dinput::DIERR_INPUTLOST; ++attempt)
        result = device->Acquire();
    return dinput::SUCCEEDED(result);
}

void Controls_DI7::Update()
{
    ReadKeyboard();
    ReadMouse();
    Controls::Update();
}

void Controls_DI7::EndFrame()
{
    Controls::EndFrame();
}

void Controls_DI7::ReadKeyboard()
{
    bool immediate = !bufferedKeyboard;
    if (bufferedKeyboard)
    {
        std::array<dinput::DIDEVICEOBJECTDATA, kReadCount> records{};
        std::uint32_t count = kReadCount;
        const dinput::HRESULT result =
            keyboard->GetDeviceData(sizeof(dinput::DIDEVICEOBJECTDATA), records.data(), &count, 0);
        if (result != dinput::DI_OK)
        {
            if (!Reacquire(keyboard))
            {
                const std::array<std::uint8_t, 256> released{};
                ApplyKeyboardState(released.data());
                return;
            }
            immediate = true;
        }
        else
        {
            for (std::uint32_t i = 0; i < count && i < kReadCount; ++i)
            {
                const auto it = namesByCode.find(static_cast<std::int32_t>(records[i].dwOfs));
                if (it != namesByCode.end())
                    SetKeyState(it->second, (records[i].dwData & 0x80) != 0);
            }
        }
    }
    if (immediate)
    {
        std::array<std::uint8_t, 256> state{};
        if (dinput::FAILED(keyboard->GetDeviceState(static_cast<std::uint32_t>(state.size()), state.data())))
        {
            Reacquire(keyboard);
            state.fill(0);
        }
        ApplyKeyboardState(state.data());
    }
}

void Controls_DI7::ApplyKeyboardState(const std::uint8_t* state)
{
    for (const auto& entry : namesByCode)
        if (entry.first >= 0 && entry.first < 256)
            SetKeyState(entry.second, state[entry.first] != 0);
}

void Controls_DI7::ReadMouse()
{
    mouseMotion = Vector2(0.0f, 0.0f);
    wheel = 0;
    bool immediate = !bufferedMouse;
    if (bufferedMouse)
    {
        std::array<dinput::DIDEVICEOBJECTDATA, kReadCount> records{};
        std::uint32_t count = kReadCount;
        const dinput::HRESULT result =
            mouse->GetDeviceData(sizeof(dinput::DIDEVICEOBJECTDATA), records.data(), &count, 0);
        if (result != dinput::DI_OK)
        {
            if (!Reacquire(mouse))
            {
                const std::array<std::uint8_t, 8> released{};
                ApplyMouseButtons(released.data());
                return;
            }
            immediate = true;
        }
        else
        {
            std::int64_t x = 0;
            std::int64_t y = 0;
            std::int64_t z = 0;
            for (std::uint32_t i = 0; i < count && i < kReadCount; ++i)
            {
                const std::uint32_t offset = records[i].dwOfs;
                const auto data = static_cast<std::int32_t>(records[i].dwData);
                if (offset == dinput::DIMOFS_X)
                    x += data;
                else if (offset == dinput::DIMOFS_Y)
                    y += data;
                else if (offset == dinput::DIMOFS_Z)
                    z += data;
                else if (offset >= dinput::DIMOFS_BUTTON0 && offset < dinput::DIMOFS_BUTTON0 + 8)
                    SetKeyState(mouseButtonNames[offset - dinput::DIMOFS_BUTTON0], (records[i].dwData & 0x80) != 0);
            }
            mouseMotion = Vector2(static_cast<float>(x), static_cast<float>(y));
            wheel = ClampToInt(z);
        }
    }
    if (immediate)
    {
        dinput::DIMOUSESTATE2 state{};
        if (dinput::FAILED(mouse->GetDeviceState(sizeof(state), &state)))
        {
            Reacquire(mouse);
            state = dinput::DIMOUSESTATE2{};
        }
        ApplyMouseButtons(state.rgbButtons);
        // A frame that merely fell back has lost its motion: only a mouse
        // that is read this way by choice reports it.
        if (!bufferedMouse)
        {
            mouseMotion = Vector2(static_cast<float>(state.lX), static_cast<float>(state.lY));
            wheel = state.lZ;
        }
    }
}

void Controls_DI7::ApplyMouseButtons(const std::uint8_t* buttons)
{
    for (std::size_t i = 0; i < mouseButtonNames.size(); ++i)
        SetKeyState(mouseButtonNames[i], buttons[i] != 0);
}

} // namespace OrvaneEngine
