#pragma once

#include "engine/render/DeviceInfo.h"
#include "platform/d3d7/Types.h"

#include <string>

namespace OrvaneEngine
{

// A drawing device of an adapter with the device's own description.
struct DeviceInfo_D3D7 : DeviceInfo
{
    d3d7::GUID guid;
    d3d7::GUID* guidPointer = nullptr;
    std::string name;
    std::string description;
    d3d7::D3DDEVICEDESC7 desc;
    bool hardware = false;
};

} // namespace OrvaneEngine
