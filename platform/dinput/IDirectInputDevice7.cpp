#include "platform/dinput/IDirectInputDevice7.h"

#include "platform/dinput/ScancodeTable.h"
#include "platform/dinput/HookTable.h"

#include <algorithm>
#include <cstring>

namespace dinput
{
namespace
{

constexpr std::int32_t kScancodeCount = 512;

std::int32_t Clamp32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

IDirectInputDevice7::IDirectInputDevice7(Kind givenKind) : kind(givenKind)
{
    win32::AddRawInputListener(this);
    detail::CountDevice(1);
}

IDirectInputDevice7::~IDirectInputDevice7()
{
    win32::RemoveRawInputListener(this);
    detail::CountDevice(-1);
}

std::uint32_t IDirectInputDevice7::AddRef()
{
    return ++references;
}

std::uint32_t IDirectInputDevice7::Release()
{
    const std::uint32_t left = --references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT IDirectInputDevice7::SetDataFormat(const DIDATAFORMAT* format)
{
    if (acquired)
        return DIERR_ACQUIRED;
    const bool keyboard = kind == Kind::Keyboard;
    if (detail::IsStepRefused(keyboard ? detail::Step::KeyboardDataFormat : detail::Step::MouseDataFormat))
        return DIERR_INVALIDPARAM;
    const DIDATAFORMAT& wanted = keyboard ? c_dfDIKeyboard : c_dfDIMouse2;
    if (format == nullptr || format->dwSize != wanted.dwSize || format->dwDataSize != wanted.dwDataSize)
        return DIERR_INVALIDPARAM;
    formatSet = true;
    return DI_OK;
}

HRESULT IDirectInputDevice7::SetCooperativeLevel(win32::HWND window, std::uint32_t flags)
{
    const bool keyboard = kind == Kind::Keyboard;
    if (detail::IsStepRefused(keyboard ? detail::Step::KeyboardCooperativeLevel
                                        : detail::Step::MouseCooperativeLevel))
        return DIERR_INVALIDPARAM;
    const std::uint32_t access = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const std::uint32_t place = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    if (access == 0 || access == (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE) || place == 0 ||
        place == (DISCL_FOREGROUND | DISCL_BACKGROUND))
        return DIERR_INVALIDPARAM;
    detail::RecordCooperativeLevel(keyboard ? detail::Device::Keyboard : detail::Device::Mouse, window, flags);
    return DI_OK;
}

HRESULT IDirectInputDevice7::SetProperty(DIPROP property, const DIPROPHEADER* header)
{
    if (acquired)
        return DIERR_ACQUIRED;
    if (detail::IsStepRefused(kind == Kind::Keyboard ? detail::Step::KeyboardBufferSize
                                                      : detail::Step::MouseBufferSize))
        return DIERR_INVALIDPARAM;
    if (property != DIPROP_BUFFERSIZE || header == nullptr || header->dwSize != sizeof(DIPROPDWORD) ||
        header->dwHeaderSize != sizeof(DIPROPHEADER) || header->dwHow != DIPH_DEVICE || header->dwObj != 0)
        return DIERR_INVALIDPARAM;
    DIPROPDWORD value{};
    std::memcpy(&value, header, sizeof(value));
    buffer.SetRequestedSize(value.dwData);
    return DI_OK;
}

HRESULT IDirectInputDevice7::Acquire()
{
    const detail::Device device = kind == Kind::Keyboard ? detail::Device::Keyboard : detail::Device::Mouse;
    detail::CountAcquire(device);
    if (!formatSet)
        return DIERR_INVALIDPARAM;
    if (detail::TakeAcquireFailure(device))
    {
        Lose();
        return DIERR_INPUTLOST;
    }
    if (acquired)
        return S_FALSE;
    // What happened while not acquired is not the device's.
    win32::PumpEvents();
    acquired = true;
    buffer.Clear();
    stateX = stateY = stateZ = 0;
    return DI_OK;
}

HRESULT IDirectInputDevice7::Unacquire()
{
    if (!acquired)
        return S_FALSE;
    Lose();
    return DI_OK;
}

void IDirectInputDevice7::Lose()
{
    acquired = false;
    buffer.Clear();
}

HRESULT IDirectInputDevice7::GetDeviceData(std::uint32_t recordSize, DIDEVICEOBJECTDATA* records,
                                           std::uint32_t* count, std::uint32_t)
{
    win32::PumpEvents();
    const detail::Device device = kind == Kind::Keyboard ? detail::Device::Keyboard : detail::Device::Mouse;
    if (const auto answer = detail::TakeReadAnswer(device))
    {
        if (count != nullptr)
            *count = 0;
        if (FAILED(*answer))
            Lose();
        else if (*answer != DI_OK)
            buffer.Clear();
        return *answer;
    }
    if (count == nullptr || recordSize != sizeof(DIDEVICEOBJECTDATA) || (records == nullptr && *count != 0))
        return DIERR_INVALIDPARAM;
    if (!acquired)
    {
        *count = 0;
        return DIERR_NOTACQUIRED;
    }
    if (buffer.GetRequestedSize() == 0)
    {
        *count = 0;
        return DIERR_NOTBUFFERED;
    }
    if (buffer.HasOverflowed())
    {
        buffer.Clear();
        *count = 0;
        return DI_BUFFEROVERFLOW;
    }
    *count = buffer.Take(records, *count);
    return DI_OK;
}

HRESULT IDirectInputDevice7::GetDeviceState(std::uint32_t size, void* state)
{
    win32::PumpEvents();
    const bool keyboard = kind == Kind::Keyboard;
    const detail::Device device = keyboard ? detail::Device::Keyboard : detail::Device::Mouse;
    if (detail::IsDeviceStateFailing(device))
    {
        Lose();
        return DIERR_INPUTLOST;
    }
    if (!acquired)
        return DIERR_NOTACQUIRED;
    if (state == nullptr || size != (keyboard ? c_dfDIKeyboard.dwDataSize : c_dfDIMouse2.dwDataSize))
        return DIERR_INVALIDPARAM;
    if (keyboard)
    {
        auto* keys = static_cast<std::uint8_t*>(state);
        std::memset(keys, 0, 256);
        for (std::int32_t scancode = 0; scancode < kScancodeCount; ++scancode)
        {
            const std::int32_t code = KeyCodeForScancode(scancode);
            if (code >= 0 && code < 256 && win32::IsScancodeDown(scancode))
                keys[code] = 0x80;
        }
        return DI_OK;
    }
    DIMOUSESTATE2 mouse{};
    mouse.lX = Clamp32(stateX);
    mouse.lY = Clamp32(stateY);
    mouse.lZ = Clamp32(stateZ);
    stateX = stateY = stateZ = 0;
    for (std::uint32_t button = 0; button < 8; ++button)
        mouse.rgbButtons[button] = win32::IsMouseButtonDown(button) ? 0x80 : 0;
    std::memcpy(state, &mouse, sizeof(mouse));
    return DI_OK;
}

void IDirectInputDevice7::AddRecord(std::uint32_t offset, std::uint32_t data, std::uint32_t time, bool mergeable)
{
    if (!acquired || buffer.GetRequestedSize() == 0)
        return;
    if (detail::TakeRecordDrop(kind == Kind::Keyboard ? detail::Device::Keyboard : detail::Device::Mouse))
        return;
    buffer.Add(offset, data, time, mergeable);
}

void IDirectInputDevice7::OnRawKey(std::int32_t scancode, bool down, std::uint32_t time)
{
    if (kind != Kind::Keyboard)
        return;
    const std::int32_t code = KeyCodeForScancode(scancode);
    if (code >= 0)
        AddRecord(static_cast<std::uint32_t>(code), down ? 0x80 : 0, time, false);
}

void IDirectInputDevice7::OnRawMotion(std::int32_t dx, std::int32_t dy, std::uint32_t time)
{
    if (kind != Kind::Mouse || !acquired)
        return;
    stateX += dx;
    stateY += dy;
    if (dx != 0)
        AddRecord(DIMOFS_X, static_cast<std::uint32_t>(dx), time, true);
    if (dy != 0)
        AddRecord(DIMOFS_Y, static_cast<std::uint32_t>(dy), time, true);
}

void IDirectInputDevice7::OnRawButton(std::uint32_t button, bool down, std::uint32_t time)
{
    if (kind != Kind::Mouse || button >= 8)
        return;
    AddRecord(DIMOFS_BUTTON0 + button, down ? 0x80 : 0, time, false);
}

void IDirectInputDevice7::OnRawWheel(std::int32_t amount, std::uint32_t time)
{
    if (kind != Kind::Mouse || !acquired)
        return;
    stateZ += amount;
    AddRecord(DIMOFS_Z, static_cast<std::uint32_t>(amount), time, false);
}

} // namespace dinput
