#pragma once

#include "engine/render/ModeInfo.h"
#include "platform/d3d7/Types.h"

namespace OrvaneEngine
{

// A display mode a device renders to, with the adapter's description of it.
struct ModeInfo_D3D7 : ModeInfo
{
    // Inside the adapter's displayModes, which no longer changes once devices are listed.
    const d3d7::DDSURFACEDESC2* surfaceDesc = nullptr;
};

} // namespace OrvaneEngine
