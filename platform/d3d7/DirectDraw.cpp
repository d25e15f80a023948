#include "platform/d3d7/DirectDraw.h"
#include "platform/d3d7/HookTable.h"

#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/Machine.h"
#include "platform/d3d7/Results.h"

#include <string>

namespace d3d7
{

HRESULT DirectDrawEnumerateExA(EnumAdaptersCallback callback, void* context, std::uint32_t flags)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("DirectDrawEnumerateExA", code))
        return code;
    if (!callback)
        return DDERR_INVALIDPARAMS;
    const MachineDescription machine = detail::GetMachine();
    for (const AdapterDescription& adapter : machine.adapters)
    {
        if (!adapter.primary && !(flags & (DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES |
                                           DDENUM_NONDISPLAYDEVICES)))
            continue;
        GUID guid = adapter.guid;
        if (!callback(adapter.primary ? nullptr : &guid, adapter.description.c_str(), adapter.driverName.c_str(),
                      context, nullptr))
            break;
    }
    return DD_OK;
}

HRESULT DirectDrawCreateEx(const GUID* guid, IDirectDraw7** out, const GUID& iid, void*)
{
    HRESULT code;
    if (detail::TakeInjectedFailure("DirectDrawCreateEx", code))
        return code;
    if (!out || !(iid == IID_IDirectDraw7))
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const MachineDescription machine = detail::GetMachine();
    const AdapterDescription* adapter = detail::FindAdapter(machine, guid);
    if (!adapter)
        return DDERR_INVALIDDIRECTDRAWGUID;
    *out = new IDirectDraw7(*adapter);
    return DD_OK;
}

bool EnumDisplaySettingsA(const char* deviceName, std::uint32_t modeIndex, DEVMODE* out)
{
    if (!out || modeIndex != ENUM_CURRENT_SETTINGS)
        return false;
    win32::DesktopMode desktop;
    if (deviceName == nullptr)
    {
        desktop = win32::GetDesktopMode();
    }
    else
    {
        const MachineDescription machine = detail::GetMachine();
        const AdapterDescription* found = nullptr;
        for (const AdapterDescription& adapter : machine.adapters)
            if (adapter.driverName == deviceName)
                found = &adapter;
        if (!found)
            return false;
        desktop = detail::GetAdapterDesktop(*found);
    }
    out->size = sizeof(DEVMODE);
    out->pelsWidth = desktop.width;
    out->pelsHeight = desktop.height;
    out->bitsPerPel = detail::ReportedDepth(desktop.bitsPerPixel);
    out->displayFrequency = desktop.refreshRate;
    return true;
}

} // namespace d3d7
