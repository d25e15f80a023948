#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/DeviceInfo_D3D7.h"
#include "engine/render/ModeInfo_D3D7.h"
#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Window.h"
#include "platform/d3d7/DirectDraw.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirect3D7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/Results.h"
#include "platform/win32/WindowCalls.h"

#include <algorithm>

namespace OrvaneEngine
{
namespace
{

constexpr std::size_t kNameLength = 63;
constexpr const char* kNoDevices = "RenderSystem_D3D7: Failed to find any compatible Direct3D devices";
constexpr const char* kNoMode = "RenderSystem_D3D7: Failed to find compatible video mode";
constexpr const char* kLastResortMode = "640x480x16";

std::string CopyName(const char* text)
{
    return text ? std::string(text).substr(0, kNameLength) : std::string();
}

bool EnumModesCallback(d3d7::DDSURFACEDESC2* mode, void* context)
{
    auto* adapter = static_cast<AdapterInfo_D3D7*>(context);
    if (mode->width >= 640 && mode->height >= 400)
        adapter->displayModes.push_back(*mode);
    return true;
}

// Larger first: width, then height, then bit depth.
bool CompareDisplayModes(const d3d7::DDSURFACEDESC2& a, const d3d7::DDSURFACEDESC2& b)
{
    if (a.width != b.width)
        return a.width > b.width;
    if (a.height != b.height)
        return a.height > b.height;
    return a.pixelFormat.rgbBitCount > b.pixelFormat.rgbBitCount;
}

bool CanRenderTo(const d3d7::D3DDEVICEDESC7& desc, std::uint32_t bits)
{
    return (bits == 32 && (desc.deviceRenderBitDepth & d3d7::DDBD_32)) ||
           (bits == 24 && (desc.deviceRenderBitDepth & d3d7::DDBD_24)) ||
           (bits == 16 && (desc.deviceRenderBitDepth & d3d7::DDBD_16));
}

bool EnumDevicesCallback(const char* description, const char* name, d3d7::D3DDEVICEDESC7* desc, void* context)
{
    auto* adapter = static_cast<AdapterInfo_D3D7*>(context);
    auto* device = new DeviceInfo_D3D7;
    device->desc = *desc;
    device->guid = desc->deviceGUID;
    device->guidPointer = &device->guid;
    device->name = CopyName(name);
    device->description = CopyName(description);
    device->hardware = (desc->devCaps & d3d7::D3DDEVCAPS_HWRASTERIZATION) != 0;
    if (adapter->guidPointer && !device->hardware)
    {
        delete device;
        return true;
    }
    for (const d3d7::DDSURFACEDESC2& mode : adapter->displayModes)
    {
        const std::uint32_t bits = mode.pixelFormat.rgbBitCount;
        if (!CanRenderTo(*desc, bits))
            continue;
        auto* info = new ModeInfo_D3D7;
        info->width = mode.width;
        info->height = mode.height;
        info->depth = bits == 16 ? 16 : 32;
        info->surfaceDesc = &mode;
        device->modes.push_back(info);
    }
    if (device->modes.empty())
        delete device;
    else
        adapter->devices.push_back(device);
    return true;
}

bool EnumAdaptersCallback(d3d7::GUID* guid, const char* description, const char*, void* context, void*)
{
    auto* adapters = static_cast<std::vector<AdapterInfo*>*>(context);
    d3d7::IDirectDraw7* directDraw = nullptr;
    if (d3d7::FAILED(d3d7::DirectDrawCreateEx(guid, &directDraw, d3d7::IID_IDirectDraw7, nullptr)))
        return true;
    d3d7::IDirect3D7* direct3D = nullptr;
    if (d3d7::FAILED(directDraw->QueryInterface(d3d7::IID_IDirect3D7, &direct3D)))
    {
        directDraw->Release();
        return true;
    }
    auto* adapter = new AdapterInfo_D3D7;
    adapters->push_back(adapter);
    if (guid)
    {
        adapter->guid = *guid;
        adapter->guidPointer = &adapter->guid;
    }
    adapter->description = CopyName(description);
    adapter->hardwareCaps.size = sizeof(d3d7::DDCAPS);
    adapter->emulationCaps.size = sizeof(d3d7::DDCAPS);
    directDraw->GetCaps(&adapter->hardwareCaps, &adapter->emulationCaps);
    adapter->canRenderWindowed =
        !adapter->guidPointer && (adapter->hardwareCaps.caps2 & d3d7::DDCAPS2_CANRENDERWINDOWED) != 0;
    adapter->desktopMode.size = sizeof(d3d7::DEVMODE);
    d3d7::EnumDisplaySettingsA(nullptr, d3d7::ENUM_CURRENT_SETTINGS, &adapter->desktopMode);
    directDraw->EnumDisplayModes(0, nullptr, adapter, EnumModesCallback);
    std::sort(adapter->displayModes.begin(), adapter->displayModes.end(), CompareDisplayModes);
    direct3D->EnumDevices(EnumDevicesCallback, adapter);
    direct3D->Release();
    directDraw->Release();
    return true;
}

} // namespace

void RenderSystem_D3D7::BuildDeviceList()
{
    log->Message("...Level device list...");
    d3d7::DirectDrawEnumerateExA(EnumAdaptersCallback, &adapters,
                                 d3d7::DDENUM_ATTACHEDSECONDARYDEVICES | d3d7::DDENUM_DETACHEDSECONDARYDEVICES |
                                     d3d7::DDENUM_NONDISPLAYDEVICES);
    if (adapters.empty() || adapters.front()->devices.empty())
        log->Fatal(kNoDevices);
}

void RenderSystem_D3D7::SelectDevice(bool software)
{
    struct Choice
    {
        AdapterInfo* adapter = nullptr;
        DeviceInfo* device = nullptr;
    };
    Choice transformAndLight;
    Choice hal;
    Choice emulation;
    Choice reference;
    for (AdapterInfo* each : adapters)
    {
        if (!static_cast<AdapterInfo_D3D7*>(each)->canRenderWindowed)
            continue;
        for (DeviceInfo* device : each->devices)
        {
            const auto* info = static_cast<DeviceInfo_D3D7*>(device);
            if (info->hardware)
                (info->guid == d3d7::IID_IDirect3DTnLHalDevice ? transformAndLight : hal) = Choice{each, device};
            else
                (info->guid == d3d7::IID_IDirect3DRefDevice ? reference : emulation) = Choice{each, device};
        }
    }
    Choice chosen;
    if (!software && transformAndLight.device)
        chosen = transformAndLight;
    else if (!software && hal.device)
        chosen = hal;
    else if (emulation.device)
        chosen = emulation;
    else if (reference.device)
        chosen = reference;
    else
        log->Fatal(kNoDevices);
    adapter = chosen.adapter;
    adapter->device = chosen.device;
}

ModeInfo* RenderSystem_D3D7::FindMode(std::uint32_t width, std::uint32_t height, std::uint32_t depth) const
{
    for (ModeInfo* mode : adapter->device->modes)
        if (mode->width == width && mode->height == height && mode->depth == depth)
            return mode;
    return nullptr;
}

void RenderSystem_D3D7::SelectVideoMode()
{
    const auto* adapterInfo = static_cast<AdapterInfo_D3D7*>(adapter);
    DeviceInfo* device = adapter->device;
    // The chain is the configured mode, the default mode, then "640x480x16";
    // once that last one has been looked for in vain, nothing is left.
    bool lastResortTried = false;
    for (int pass = 0;; ++pass)
    {
        win32::RECT desktop{0, 0, 0, 0};
        win32::GetWindowRect(win32::GetDesktopWindow(), &desktop);
        const auto desktopWidth = static_cast<std::uint32_t>(std::max(0, desktop.right - desktop.left));
        const auto desktopHeight = static_cast<std::uint32_t>(std::max(0, desktop.bottom - desktop.top));

        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint32_t depth = 0;
        if (ToLower(videoSettings->videoMode) == "desktop")
        {
            width = adapterInfo->desktopMode.pelsWidth;
            height = adapterInfo->desktopMode.pelsHeight;
            depth = adapterInfo->desktopMode.bitsPerPel;
            videoSettings->fullscreen = true;
        }
        else
        {
            ParseVideoMode(videoSettings->videoMode, &width, &height, &depth);
        }

        ModeInfo* found = nullptr;
        bool shrunk = false;
        if (!videoSettings->fullscreen && !allowLargeWindow && (width >= desktopWidth || height >= desktopHeight))
        {
            // The largest 4:3-friendly mode of the wanted depth that fits
            // inside the desktop; failing that, the walk's own start.
            std::uint32_t currentWidth = 640;
            std::uint32_t currentHeight = 480;
            for (ModeInfo* mode : device->modes)
            {
                if (mode->depth == depth && mode->width % 4 == 0 && mode->height % 3 == 0 &&
                    mode->width < desktopWidth && mode->height < desktopHeight && mode->width > currentWidth &&
                    mode->height > currentHeight)
                {
                    currentWidth = mode->width;
                    currentHeight = mode->height;
                    found = mode;
                }
            }
            if (!found)
                found = FindMode(640, 480, depth);
            if (found)
            {
                shrunk = true;
                videoSettings->videoMode = UIntToString(found->width, 0) + "x" + UIntToString(found->height, 0) +
                                           "x" + UIntToString(depth, 0);
            }
        }
        if (!shrunk)
            found = FindMode(width, height, depth);
        if (found)
        {
            device->mode = found;
            break;
        }

        // Three passes at most: the configured mode, the default, "640x480x16".
        if (lastResortTried || pass >= 2)
            log->Fatal(kNoMode);
        const std::string current = ToLower(videoSettings->videoMode);
        if (current == ToLower(config->GetDefaultText("v_mode")))
        {
            if (current == kLastResortMode)
                log->Fatal(kNoMode);
            videoSettings->videoMode = kLastResortMode;
            lastResortTried = true;
        }
        else
        {
            config->ResetVariable("v_mode");
        }
    }
    device->fullscreen = videoSettings->fullscreen && window->parentWindow == 0;
}

} // namespace OrvaneEngine
