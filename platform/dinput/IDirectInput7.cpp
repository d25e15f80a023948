#include "platform/dinput/IDirectInput7.h"

#include "platform/dinput/IDirectInputDevice7.h"
#include "platform/dinput/HookTable.h"

namespace dinput
{

std::uint32_t IDirectInput7::AddRef()
{
    return ++references;
}

std::uint32_t IDirectInput7::Release()
{
    const std::uint32_t left = --references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT IDirectInput7::CreateDeviceEx(const GUID& device, const GUID& interfaceId, IDirectInputDevice7** out,
                                      void* outer)
{
    if (out == nullptr)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (outer != nullptr || !(interfaceId == IID_IDirectInputDevice7A))
        return DIERR_NOINTERFACE;
    const bool keyboard = device == GUID_SysKeyboard;
    if (!keyboard && !(device == GUID_SysMouse))
        return DIERR_DEVICENOTREG;
    if (detail::IsStepRefused(keyboard ? detail::Step::CreateKeyboard : detail::Step::CreateMouse))
        return DIERR_DEVICENOTREG;
    *out = new IDirectInputDevice7(keyboard ? IDirectInputDevice7::Kind::Keyboard
                                            : IDirectInputDevice7::Kind::Mouse);
    return DI_OK;
}

HRESULT DirectInputCreateEx(win32::HINSTANCE instance, std::uint32_t version, const GUID& interfaceId,
                            IDirectInput7** out, void* outer)
{
    if (out == nullptr)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (outer != nullptr || !(interfaceId == IID_IDirectInput7A))
        return DIERR_NOINTERFACE;
    if (instance == nullptr || version == 0 || version > DIRECTINPUT_VERSION)
        return DIERR_INVALIDPARAM;
    if (detail::IsStepRefused(detail::Step::CreateDirectInput))
        return DIERR_GENERIC;
    *out = new IDirectInput7();
    return DI_OK;
}

} // namespace dinput
