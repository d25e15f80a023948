#pragma once

#include <vector>

namespace OrvaneEngine
{

struct ModeInfo;

// One drawing device of an adapter with the display modes it can render to.
// The render system owns the modes and deletes them.
struct DeviceInfo
{
    virtual ~DeviceInfo() = default;

    std::vector<ModeInfo*> modes;
    ModeInfo* mode = nullptr;
    bool fullscreen = false;
};

} // namespace OrvaneEngine
