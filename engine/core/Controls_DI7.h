#pragma once

#include "engine/core/Controls.h"

#include <cstdint>
#include <map>
#include <string>

namespace dinput
{
class IDirectInput7;
class IDirectInputDevice7;
} // namespace dinput

namespace OrvaneEngine
{

// The device layer under Controls: the system keyboard and mouse through
// DirectInput 7, read once per frame (buffered events, the immediate state
// as the fallback) into key states by name, mouse motion and the wheel.
class Controls_DI7 : public Controls
{
public:
    Controls_DI7(MessageManager* log, TimerManager* timers, Config* configuration, Window* window, bool buffered);
    ~Controls_DI7() override;

    void Update() override;
    void EndFrame() override;
    void SetKeyState(const std::string& name, bool down);

    bool IsKeyboardBuffered() const { return bufferedKeyboard; }
    bool IsMouseBuffered() const { return bufferedMouse; }

    // The most events taken from a device per frame; the rest wait.
    static constexpr std::uint32_t kReadCount = 8;
    // Acquire tries after a failed read before the frame gives up on the device.
    static constexpr std::uint32_t kAcquireTries = 3;

private:
    dinput::IDirectInputDevice7* OpenDevice(bool keyboard);
    void ReleaseDevices();
    static bool Reacquire(dinput::IDirectInputDevice7* device);
    void ReadKeyboard();
    void ApplyKeyboardState(const std::uint8_t* state);
    void ReadMouse();
    void ApplyMouseButtons(const std::uint8_t* buttons);

    dinput::IDirectInput7* directInput = nullptr;
    dinput::IDirectInputDevice7* keyboard = nullptr;
    dinput::IDirectInputDevice7* mouse = nullptr;
    std::map<std::string, std::int32_t> codesByName;
    std::map<std::int32_t, std::string> namesByCode;
    bool bufferedKeyboard;
    bool bufferedMouse;
};

} // namespace OrvaneEngine
