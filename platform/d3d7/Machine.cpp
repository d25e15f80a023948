#include "platform/d3d7/Machine.h"

#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/TextureFormats.h"
#include "platform/d3d7/Counters.h"
#include "platform/d3d7/HookTable.h"

#include <algorithm>
#include <utility>

namespace d3d7::detail
{
namespace
{

constexpr std::pair<std::uint32_t, std::uint32_t> kModeSizes[] = {
    {640, 480},   {800, 600},   {1024, 768},  {1152, 864},  {1280, 960},  {1280, 1024},
    {1400, 1050}, {1600, 1200}, {1280, 720},  {1280, 800},  {1366, 768},  {1440, 900},
    {1600, 900},  {1680, 1050}, {1920, 1080}, {1920, 1200}, {2560, 1440},
};

bool GlOffersZFormat(const ZFormatDescription& format)
{
    return (format.zBits == 16 && format.stencilBits == 0) || (format.zBits == 32 && format.stencilBits == 0) ||
           (format.zBits == 32 && format.stencilBits == 8);
}

std::vector<ZFormatDescription> GlZFormats()
{
    return {ZFormatDescription{16, 0}, ZFormatDescription{32, 0}, ZFormatDescription{32, 8}};
}

void CutToGl(DeviceDescription& device, const GlLimits& limits)
{
    device.textureStages = std::min(device.textureStages, limits.textureUnits);
    device.maxTextureWidth = std::min(device.maxTextureWidth, limits.maxTextureSize);
    device.maxTextureHeight = std::min(device.maxTextureHeight, limits.maxTextureSize);
    device.maxAnisotropy = std::min(device.maxAnisotropy, limits.maxAnisotropy);
    device.renderDepths &= DDBD_16 | DDBD_24 | DDBD_32;
    std::erase_if(device.zFormats, [](const ZFormatDescription& format) { return !GlOffersZFormat(format); });
    // A test machine may list the formats in its own order or leave some
    // out; compressed ones stay listed (programs skip them), others must be
    // ones GL can hold.
    std::erase_if(device.textureFormats, [](const DDPIXELFORMAT& format) {
        TextureUpload upload;
        return !(format.flags & DDPF_FOURCC) && !DescribeTextureFormat(format, upload);
    });
    if (!limits.usable)
        device.renderDepths = 0;
}

} // namespace

std::uint32_t ReportedDepth(std::uint32_t bitsPerPixel)
{
    return bitsPerPixel == 24 ? 32 : bitsPerPixel;
}

DDPIXELFORMAT MakeColorFormat(std::uint32_t bitsPerPixel)
{
    DDPIXELFORMAT format;
    format.size = sizeof(DDPIXELFORMAT);
    format.flags = DDPF_RGB;
    format.rgbBitCount = bitsPerPixel;
    if (bitsPerPixel == 16)
    {
        format.redMask = 0xF800;
        format.greenMask = 0x07E0;
        format.blueMask = 0x001F;
    }
    else
    {
        format.redMask = 0x000000FF;
        format.greenMask = 0x0000FF00;
        format.blueMask = 0x00FF0000;
    }
    return format;
}

MachineDescription BuildDefaultMachine(const GlLimits& limits)
{
    const win32::DesktopMode desktop = win32::GetDesktopMode();
    AdapterDescription adapter;
    adapter.primary = true;
    adapter.description = "OpenGL display";
    adapter.driverName = "display";
    adapter.canRenderWindowed = true;
    adapter.desktop = desktop;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes(std::begin(kModeSizes), std::end(kModeSizes));
    if (std::find(sizes.begin(), sizes.end(), std::make_pair(desktop.width, desktop.height)) == sizes.end())
        sizes.emplace_back(desktop.width, desktop.height);
    for (const auto& [width, height] : sizes)
        for (std::uint32_t bits : {16u, 32u})
            adapter.modes.push_back(DisplayModeDescription{width, height, bits, desktop.refreshRate});

    if (limits.usable)
    {
        DeviceDescription hal;
        hal.guid = IID_IDirect3DTnLHalDevice;
        hal.name = "TnL HAL";
        hal.description = "Hardware transform, lighting and rasterisation on " + limits.renderer;
        hal.hardware = true;
        hal.transformAndLight = true;
        hal.renderDepths = DDBD_16 | DDBD_32;
        hal.textureStages = limits.textureUnits;
        hal.maxTextureWidth = limits.maxTextureSize;
        hal.maxTextureHeight = limits.maxTextureSize;
        hal.maxAnisotropy = limits.maxAnisotropy;
        hal.zFormats = GlZFormats();
        hal.textureFormats = StandardTextureFormats();
        DeviceDescription rgb = hal;
        rgb.guid = IID_IDirect3DRGBDevice;
        rgb.name = "RGB";
        rgb.description = "Software rasterisation on " + limits.renderer;
        rgb.hardware = false;
        rgb.transformAndLight = false;
        adapter.devices.push_back(std::move(hal));
        adapter.devices.push_back(std::move(rgb));
    }
    MachineDescription machine;
    machine.adapters.push_back(std::move(adapter));
    return machine;
}

MachineDescription GetMachine()
{
    GlContext& context = GlContext::Get();
    context.Ensure();
    const GlLimits& limits = context.GetLimits();
    std::optional<MachineDescription> injected = GetInjectedMachine();
    if (!injected)
        return BuildDefaultMachine(limits);
    for (AdapterDescription& adapter : injected->adapters)
    {
        for (DeviceDescription& device : adapter.devices)
            CutToGl(device, limits);
        if (!limits.usable)
            adapter.devices.clear();
    }
    return *injected;
}

const AdapterDescription* FindAdapter(const MachineDescription& machine, const GUID* guid)
{
    for (const AdapterDescription& adapter : machine.adapters)
    {
        if (guid == nullptr ? adapter.primary : (!adapter.primary && adapter.guid == *guid))
            return &adapter;
    }
    return nullptr;
}

win32::DesktopMode GetAdapterDesktop(const AdapterDescription& adapter)
{
    return adapter.primary ? win32::GetDesktopMode() : adapter.desktop;
}

} // namespace d3d7::detail
