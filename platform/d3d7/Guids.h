#pragma once

#include "platform/d3d7/Types.h"

namespace d3d7
{

// Interfaces asked for by QueryInterface and DirectDrawCreateEx.
extern const GUID IID_IDirectDraw7;
extern const GUID IID_IDirect3D7;

// The kinds of drawing device: hardware with transform and lighting,
// hardware rasterisation only, software, and the reference rasteriser.
extern const GUID IID_IDirect3DTnLHalDevice;
extern const GUID IID_IDirect3DHALDevice;
extern const GUID IID_IDirect3DRGBDevice;
extern const GUID IID_IDirect3DRefDevice;

} // namespace d3d7
