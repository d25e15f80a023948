#pragma once

#include "platform/d3d7/Types.h"

#include <cstdint>

namespace d3d7
{

class IDirectDraw7;

using EnumAdaptersCallback = bool (*)(GUID* guid, const char* description, const char* name, void* context,
                                      void* monitor);

// Lists the display adapters: the primary display driver (a null GUID) and,
// as the flags ask, the others. Makes the GL context on the first call.
HRESULT DirectDrawEnumerateExA(EnumAdaptersCallback callback, void* context, std::uint32_t flags);

// The DirectDraw object of the adapter a GUID names (null: the primary one).
HRESULT DirectDrawCreateEx(const GUID* guid, IDirectDraw7** out, const GUID& iid, void* outer);

// The current desktop settings (ENUM_CURRENT_SETTINGS only); a null device
// name means the primary display. False for anything else.
bool EnumDisplaySettingsA(const char* deviceName, std::uint32_t modeIndex, DEVMODE* out);

} // namespace d3d7
