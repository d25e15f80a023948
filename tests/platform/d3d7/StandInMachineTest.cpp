#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/platform/d3d7/D3D7PlatformFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{

class StandInMachineTest : public corvellan::test::D3D7PlatformFixture
{
};

struct EnumeratedDevice
{
    std::string name;
    std::string description;
    d3d7::D3DDEVICEDESC7 desc;
};

std::vector<EnumeratedDevice> EnumerateDevices(d3d7::IDirect3D7* direct3D)
{
    std::vector<EnumeratedDevice> devices;
    direct3D->EnumDevices(
        [](const char* description, const char* name, d3d7::D3DDEVICEDESC7* desc, void* context) {
            static_cast<std::vector<EnumeratedDevice>*>(context)->push_back(EnumeratedDevice{name, description, *desc});
            return true;
        },
        &devices);
    return devices;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> ZFormats(d3d7::IDirect3D7* direct3D, const d3d7::GUID& device)
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> formats;
    direct3D->EnumZBufferFormats(
        device,
        [](d3d7::DDPIXELFORMAT* format, void* context) {
            static_cast<std::vector<std::pair<std::uint32_t, std::uint32_t>>*>(context)->emplace_back(
                format->zBufferBitDepth, format->stencilBitDepth);
            return true;
        },
        &formats);
    return formats;
}

TEST_F(StandInMachineTest, DefaultMachineDescribesTheGlContext)
{
    win32::testing::SetDesktopMode(win32::DesktopMode{1000, 700, 24, 75});
    const d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
    ASSERT_EQ(machine.adapters.size(), 1u);
    const d3d7::AdapterDescription& adapter = machine.adapters[0];
    EXPECT_TRUE(adapter.primary);
    EXPECT_TRUE(adapter.canRenderWindowed);
    std::set<std::string> sizes;
    for (const d3d7::DisplayModeDescription& mode : adapter.modes)
    {
        EXPECT_TRUE(mode.bitsPerPixel == 16 || mode.bitsPerPixel == 32);
        EXPECT_EQ(mode.refreshRate, 75u);
        sizes.insert(std::to_string(mode.width) + "x" + std::to_string(mode.height));
    }
    EXPECT_EQ(adapter.modes.size(), 2 * sizes.size());
    EXPECT_EQ(sizes.size(), 18u);
    for (const char* size : {"640x480", "800x600", "1024x768", "1366x768", "2560x1440", "1000x700"})
        EXPECT_EQ(sizes.count(size), 1u) << size;

    ASSERT_EQ(d3d7::DirectDrawCreateEx(nullptr, &directDraw, d3d7::IID_IDirectDraw7, nullptr), d3d7::DD_OK);
    ASSERT_EQ(directDraw->QueryInterface(d3d7::IID_IDirect3D7, &direct3D), d3d7::DD_OK);
    const std::vector<EnumeratedDevice> devices = EnumerateDevices(direct3D);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].desc.deviceGUID, d3d7::IID_IDirect3DTnLHalDevice);
    EXPECT_NE(devices[0].desc.devCaps & d3d7::D3DDEVCAPS_HWRASTERIZATION, 0u);
    EXPECT_EQ(devices[1].desc.deviceGUID, d3d7::IID_IDirect3DRGBDevice);
    EXPECT_EQ(devices[1].desc.devCaps & d3d7::D3DDEVCAPS_HWRASTERIZATION, 0u);
    for (const EnumeratedDevice& device : devices)
    {
        SCOPED_TRACE(device.name);
        // Both draw through the same GL, and say on which.
        const std::string renderer = devices[0].description.substr(devices[0].description.rfind(" on ") + 4);
        EXPECT_FALSE(renderer.empty());
        EXPECT_NE(device.description.find(renderer), std::string::npos);
        EXPECT_GE(device.desc.maxSimultaneousTextures, 1u);
        EXPECT_LE(device.desc.maxSimultaneousTextures, 8u);
        EXPECT_GE(device.desc.maxTextureWidth, 1024u);
        EXPECT_GE(device.desc.maxAnisotropy, 1u);
        EXPECT_EQ(device.desc.deviceRenderBitDepth, d3d7::DDBD_16 | d3d7::DDBD_32);
        EXPECT_EQ(device.desc.triCaps.rasterCaps & d3d7::D3DPRASTERCAPS_ZBUFFERLESSHSR, 0u);
        const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {{16, 0}, {32, 0}, {32, 8}};
        EXPECT_EQ(ZFormats(direct3D, device.desc.deviceGUID), expected);
    }

    // The desktop's depth is reported as 32 bits: the depth of its mode.
    d3d7::DEVMODE desktop;
    ASSERT_TRUE(d3d7::EnumDisplaySettingsA(nullptr, d3d7::ENUM_CURRENT_SETTINGS, &desktop));
    EXPECT_EQ(desktop.pelsWidth, 1000u);
    EXPECT_EQ(desktop.bitsPerPel, 32u);
    EXPECT_EQ(desktop.displayFrequency, 75u);
    EXPECT_FALSE(d3d7::EnumDisplaySettingsA(nullptr, 0, &desktop));
}

TEST_F(StandInMachineTest, InjectedMachinesOnlyNarrowWhatGlOffers)
{
    const d3d7::MachineDescription real = d3d7::testing::GetDefaultMachine();
    d3d7::MachineDescription machine = real;
    d3d7::DeviceDescription& device = machine.adapters[0].devices[0];
    device.textureStages = 64;
    device.maxTextureWidth = 1u << 24;
    device.maxTextureHeight = 256;
    device.maxAnisotropy = 4096;
    device.zFormats = {{24, 8}, {32, 8}, {16, 4}};
    machine.adapters[0].desktop = win32::DesktopMode{1280, 720, 32, 60};
    d3d7::AdapterDescription second = machine.adapters[0];
    second.primary = false;
    second.guid = d3d7::GUID{0xABCD, 1, 1, {1, 1, 1, 1, 1, 1, 1, 1}};
    machine.adapters.push_back(second);
    d3d7::testing::SetMachine(machine);

    // The window code sees the same desktop.
    win32::RECT desktop{};
    ASSERT_NE(win32::GetWindowRect(win32::GetDesktopWindow(), &desktop), 0);
    EXPECT_EQ(desktop.right - desktop.left, 1280);
    EXPECT_EQ(desktop.bottom - desktop.top, 720);

    ASSERT_EQ(d3d7::DirectDrawCreateEx(nullptr, &directDraw, d3d7::IID_IDirectDraw7, nullptr), d3d7::DD_OK);
    ASSERT_EQ(directDraw->QueryInterface(d3d7::IID_IDirect3D7, &direct3D), d3d7::DD_OK);
    const std::vector<EnumeratedDevice> devices = EnumerateDevices(direct3D);
    ASSERT_FALSE(devices.empty());
    const d3d7::DeviceDescription& gl = real.adapters[0].devices[0];
    EXPECT_EQ(devices[0].desc.maxSimultaneousTextures, gl.textureStages);
    EXPECT_EQ(devices[0].desc.maxTextureWidth, gl.maxTextureWidth);
    EXPECT_EQ(devices[0].desc.maxTextureHeight, 256u);
    EXPECT_EQ(devices[0].desc.maxAnisotropy, gl.maxAnisotropy);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> onlyReal = {{32, 8}};
    EXPECT_EQ(ZFormats(direct3D, devices[0].desc.deviceGUID), onlyReal);

    // Adapters: the primary one alone, or every one as the flags ask.
    struct Listing
    {
        std::vector<bool> primary;
    };
    for (const std::uint32_t flags : {0u, 7u})
    {
        Listing listing;
        d3d7::DirectDrawEnumerateExA(
            [](d3d7::GUID* guid, const char*, const char*, void* context, void*) {
                static_cast<Listing*>(context)->primary.push_back(guid == nullptr);
                return true;
            },
            &listing, flags);
        const std::vector<bool> expected = flags == 0 ? std::vector<bool>{true} : std::vector<bool>{true, false};
        EXPECT_EQ(listing.primary, expected);
    }
    d3d7::IDirectDraw7* other = nullptr;
    ASSERT_EQ(d3d7::DirectDrawCreateEx(&second.guid, &other, d3d7::IID_IDirectDraw7, nullptr), d3d7::DD_OK);
    other->Release();
    const d3d7::GUID unknown{0x1234, 0, 0, {}};
    EXPECT_EQ(d3d7::DirectDrawCreateEx(&unknown, &other, d3d7::IID_IDirectDraw7, nullptr),
              d3d7::DDERR_INVALIDDIRECTDRAWGUID);
}

} // namespace
