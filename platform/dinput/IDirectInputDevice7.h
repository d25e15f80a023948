#pragma once

#include "platform/dinput/EventBuffer.h"
#include "platform/dinput/Types.h"
#include "platform/win32/RawInput.h"
#include "platform/win32/Types.h"

#include <cstdint>

namespace dinput
{

class IDirectInput7;

// The system keyboard or the system mouse, fed by the window system's
// translated events. While acquired it buffers one record per event (keys by
// their key code, repeats excluded; mouse axes X, Y, Z and buttons at
// offsets 12 to 16) once a buffer size is set; its immediate state is read
// from the same events.
class IDirectInputDevice7 final : private win32::RawInputListener
{
public:
    IDirectInputDevice7(const IDirectInputDevice7&) = delete;
    IDirectInputDevice7& operator=(const IDirectInputDevice7&) = delete;

    // Shared life: one reference at creation; the Release that drops the
    // last one deletes the device. Both return the count left.
    std::uint32_t AddRef();
    std::uint32_t Release();

    // c_dfDIKeyboard for the keyboard, c_dfDIMouse2 for the mouse.
    HRESULT SetDataFormat(const DIDATAFORMAT* format);
    // DISCL_EXCLUSIVE or DISCL_NONEXCLUSIVE with DISCL_FOREGROUND or
    // DISCL_BACKGROUND. The window is only recorded: input is the program's
    // wherever it goes.
    HRESULT SetCooperativeLevel(win32::HWND window, std::uint32_t flags);
    // DIPROP_BUFFERSIZE for the whole device (DIPH_DEVICE), in a DIPROPDWORD.
    HRESULT SetProperty(DIPROP property, const DIPROPHEADER* header);
    // DI_OK, or S_FALSE when already acquired. Acquiring starts an empty buffer.
    HRESULT Acquire();
    HRESULT Unacquire();
    // Up to *count records (recordSize 16), oldest first; *count becomes the
    // number given. DI_BUFFEROVERFLOW (a success) when events were lost: the
    // buffer is then emptied and nothing is given. DIERR_NOTACQUIRED when not
    // acquired, DIERR_NOTBUFFERED without a buffer size.
    HRESULT GetDeviceData(std::uint32_t recordSize, DIDEVICEOBJECTDATA* records, std::uint32_t* count,
                          std::uint32_t flags);
    // 256 bytes (keyboard) or a DIMOUSESTATE2 (mouse, its axes summed since
    // the last such read).
    HRESULT GetDeviceState(std::uint32_t size, void* state);

private:
    friend class IDirectInput7;
    enum class Kind
    {
        Keyboard,
        Mouse
    };

    explicit IDirectInputDevice7(Kind kind);
    ~IDirectInputDevice7() override;

    void OnRawKey(std::int32_t scancode, bool down, std::uint32_t time) override;
    void OnRawMotion(std::int32_t dx, std::int32_t dy, std::uint32_t time) override;
    void OnRawButton(std::uint32_t button, bool down, std::uint32_t time) override;
    void OnRawWheel(std::int32_t amount, std::uint32_t time) override;

    void Lose();
    void AddRecord(std::uint32_t offset, std::uint32_t data, std::uint32_t time, bool mergeable);

    const Kind kind;
    std::uint32_t references = 1;
    bool formatSet = false;
    bool acquired = false;
    EventBuffer buffer;
    // Mouse axes since the last immediate read.
    std::int64_t stateX = 0;
    std::int64_t stateY = 0;
    std::int64_t stateZ = 0;
};

} // namespace dinput
