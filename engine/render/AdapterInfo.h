#pragma once

#include <vector>

namespace OrvaneEngine
{

struct DeviceInfo;

// One display adapter with its drawing devices. The render system owns the
// devices and deletes them.
struct AdapterInfo
{
    virtual ~AdapterInfo() = default;

    std::vector<DeviceInfo*> devices;
    DeviceInfo* device = nullptr;
};

} // namespace OrvaneEngine
