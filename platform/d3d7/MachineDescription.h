#pragma once

#include "platform/d3d7/Types.h"
#include "platform/win32/Desktop.h"

#include <cstdint>
#include <string>
#include <vector>

namespace d3d7
{

// What the display adapters and drawing devices of the machine offer. By
// default it is read from the GL context and the desktop; a test may put a
// narrower one in its place.
struct DisplayModeDescription
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 32;
    std::uint32_t refreshRate = 0;
};

// A depth format as the device reports it: zBits is the whole pixel
// (depth and stencil together), so 24-bit depth reads 32.
struct ZFormatDescription
{
    std::uint32_t zBits = 16;
    std::uint32_t stencilBits = 0;
};

struct DeviceDescription
{
    GUID guid;
    std::string name;
    std::string description;
    bool hardware = true;
    bool transformAndLight = false;
    // DDBD_ flags.
    std::uint32_t renderDepths = DDBD_16 | DDBD_32;
    bool zBufferlessHsr = false;
    std::uint32_t textureStages = 0;
    std::uint32_t maxTextureWidth = 0;
    std::uint32_t maxTextureHeight = 0;
    std::uint32_t maxAnisotropy = 1;
    std::vector<ZFormatDescription> zFormats;
    // In the order EnumTextureFormats lists them.
    std::vector<DDPIXELFORMAT> textureFormats;
};

struct AdapterDescription
{
    // The primary display driver is named by a null GUID pointer.
    bool primary = true;
    GUID guid;
    std::string description;
    std::string driverName;
    bool canRenderWindowed = true;
    // The primary adapter's desktop is the platform's desktop (the window
    // code reads the same); the others keep their own.
    win32::DesktopMode desktop;
    std::vector<DisplayModeDescription> modes;
    std::vector<DeviceDescription> devices;
};

struct MachineDescription
{
    std::vector<AdapterDescription> adapters;
};

} // namespace d3d7
