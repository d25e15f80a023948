#include "platform/d3d7/IDirectDrawClipper.h"
#include "platform/d3d7/HookTable.h"

#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/Results.h"

namespace d3d7
{

IDirectDrawClipper::IDirectDrawClipper(IDirectDraw7* owner_) : Object(detail::ObjectKind::Clipper), owner(owner_)
{
    owner->AddRef();
}

IDirectDrawClipper::~IDirectDrawClipper()
{
    owner->Release();
}

HRESULT IDirectDrawClipper::SetHWnd(std::uint32_t, HWND newWindow)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("SetHWnd", code))
        return code;
    window = newWindow;
    return DD_OK;
}

} // namespace d3d7
