#pragma once

#include "engine/render/AdapterInfo.h"
#include "platform/d3d7/Types.h"

#include <string>
#include <vector>

namespace OrvaneEngine
{

// A display adapter as DirectDraw lists it, with its desktop and display modes.
struct AdapterInfo_D3D7 : AdapterInfo
{
    d3d7::GUID guid;
    // &guid, or null for the primary display driver.
    d3d7::GUID* guidPointer = nullptr;
    std::string description;
    d3d7::DDCAPS hardwareCaps;
    d3d7::DDCAPS emulationCaps;
    bool canRenderWindowed = false;
    d3d7::DEVMODE desktopMode;
    // Largest first: by width, then height, then bit depth.
    std::vector<d3d7::DDSURFACEDESC2> displayModes;
};

} // namespace OrvaneEngine
