#pragma once

#include "platform/dinput/Types.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace dinput
{

class IDirectInputDevice7;

// The input system of the program: makes the system keyboard and mouse.
class IDirectInput7 final
{
public:
    IDirectInput7(const IDirectInput7&) = delete;
    IDirectInput7& operator=(const IDirectInput7&) = delete;

    std::uint32_t AddRef();
    std::uint32_t Release();

    // GUID_SysKeyboard or GUID_SysMouse, interface IID_IDirectInputDevice7A,
    // no outer object. DIERR_DEVICENOTREG for any other device.
    HRESULT CreateDeviceEx(const GUID& device, const GUID& interfaceId, IDirectInputDevice7** out, void* outer);

private:
    friend HRESULT DirectInputCreateEx(win32::HINSTANCE, std::uint32_t, const GUID&, IDirectInput7**, void*);
    IDirectInput7() = default;
    ~IDirectInput7() = default;

    std::uint32_t references = 1;
};

// Makes the input system for a module, at version DIRECTINPUT_VERSION or
// below, interface IID_IDirectInput7A.
HRESULT DirectInputCreateEx(win32::HINSTANCE instance, std::uint32_t version, const GUID& interfaceId,
                            IDirectInput7** out, void* outer);

} // namespace dinput
