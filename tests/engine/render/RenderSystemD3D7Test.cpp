#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/DeviceInfo_D3D7.h"
#include "engine/render/Image.h"
#include "engine/render/ModeInfo_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "platform/win32/Com.h"
#include "tests/engine/render/D3D7Fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

constexpr const char* kNoDevices = "RenderSystem_D3D7: Failed to find any compatible Direct3D devices";
constexpr const char* kNoMode = "RenderSystem_D3D7: Failed to find compatible video mode";
constexpr const char* kNoDevice = "RenderSystem_D3D7: Failed to create Direct3D device";

class RenderSystemD3D7Test : public corvellan::test::D3D7Fixture
{
protected:
    // Construction, expecting the fatal entry: its text, or "" when it succeeded.
    std::string CreateOrFatal(const std::string& mode, bool fullscreen, bool stencil = false, bool large = false)
    {
        try
        {
            Create(mode, fullscreen, stencil, large);
        }
        catch (const FatalError& error)
        {
            EXPECT_TRUE(HasEntry(3, error.GetText()));
            return error.GetText();
        }
        return "";
    }

    const DeviceInfo_D3D7* ChosenDevice() const
    {
        return static_cast<const DeviceInfo_D3D7*>(renderSystem->adapter->device);
    }
};

d3d7::DeviceDescription DeviceOf(const d3d7::MachineDescription& machine, const d3d7::GUID& guid, bool hardware)
{
    d3d7::DeviceDescription device = machine.adapters.at(0).devices.at(0);
    device.guid = guid;
    device.hardware = hardware;
    device.transformAndLight = guid == d3d7::IID_IDirect3DTnLHalDevice;
    return device;
}

TEST_F(RenderSystemD3D7Test, ConstructionLogsEveryStepAndDestructionLeavesNothing)
{
    const d3d7::MachineDescription machine = MachineOnDesktop(1024, 768);
    d3d7::testing::SetMachine(machine);
    Create("800x600x32", false);
    const d3d7::DeviceDescription& device = machine.adapters[0].devices[0];
    const std::vector<std::string> expected = {
        "\nInitialization of Direct3D subsystem...",
        "...Level device list...",
        "...Creating DirectDraw...",
        "......Setting cooperative level...",
        "......Creating screen buffers...",
        "...Creating Direct3D...",
        "...Creating Direct3D device...",
        "......Setting viewport...",
        "......Creating Z Buffer...",
        std::string(56, '.'),
        "......Capabilities:",
        ".........Maximal texture units: " + std::to_string(device.textureStages),
        ".........Maximal texture size: " + std::to_string(device.maxTextureWidth) + "x" +
            std::to_string(device.maxTextureHeight),
        ".........Maximal texture anisotropy: " + std::to_string(device.maxAnisotropy),
        " ",
    };
    EXPECT_EQ(Entries(0), expected);
    EXPECT_TRUE(Entries(1).empty());
    EXPECT_TRUE(Entries(2).empty());
    EXPECT_TRUE(renderSystem->ready);
    EXPECT_FALSE(renderSystem->resetNeeded);
    EXPECT_LE(renderSystem->textureStageCount, 8u);
    EXPECT_GE(renderSystem->textureStageCount, 1u);
    EXPECT_EQ(renderSystem->stageTexture.size(), renderSystem->textureStageCount);
    EXPECT_EQ(ChosenDevice()->guid, d3d7::IID_IDirect3DTnLHalDevice);
    EXPECT_NE(ChosenDevice()->description.find(machine.adapters[0].devices[0].description.substr(0, 20)),
              std::string::npos);

    // The back buffer is exactly the mode, and so is the window.
    EXPECT_EQ(renderSystem->backBufferDesc.width, 800u);
    EXPECT_EQ(renderSystem->backBufferDesc.height, 600u);
    EXPECT_EQ(renderSystem->backBufferDesc.pixelFormat.rgbBitCount, 32u);
    EXPECT_EQ(renderSystem->backBufferDesc.pixelFormat.redMask, 0x000000FFu);
    EXPECT_EQ(renderSystem->backBufferDesc.pixelFormat.blueMask, 0x00FF0000u);
    EXPECT_EQ(window->width, 800u);
    EXPECT_EQ(window->height, 600u);
    EXPECT_FALSE(window->fullscreen);

    log.ClearMessages();
    renderSystem.reset();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
    EXPECT_TRUE(Entries(3).empty());
    const std::vector<std::string> released = {"\nDirect3D Subsystem destroying:", "...Releasing device...",
                                               "...Releasing surfaces...", "...Releasing Direct3D...",
                                               "...Releasing DirectDraw..."};
    EXPECT_EQ(Entries(0), released);
}

TEST_F(RenderSystemD3D7Test, DeviceListDropsSmallModesAndSortsLargestFirst)
{
    d3d7::MachineDescription machine = MachineOnDesktop(1024, 768);
    d3d7::AdapterDescription& primary = machine.adapters[0];
    primary.modes = {{640, 350, 32, 60},  {320, 240, 16, 60},  {800, 600, 24, 60}, {640, 480, 16, 60},
                     {1024, 768, 16, 60}, {640, 480, 32, 60},  {1024, 768, 32, 60}, {640, 400, 32, 60},
                     {800, 600, 16, 60}};
    for (d3d7::DeviceDescription& device : primary.devices)
        device.renderDepths = d3d7::DDBD_16 | d3d7::DDBD_24 | d3d7::DDBD_32;
    d3d7::AdapterDescription secondary = primary;
    secondary.primary = false;
    secondary.guid = d3d7::GUID{0x5EC0, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    secondary.description = "Second display";
    secondary.driverName = "second";
    machine.adapters.push_back(secondary);
    d3d7::testing::SetMachine(machine);
    Create("800x600x32", false);

    ASSERT_EQ(renderSystem->adapters.size(), 2u);
    const auto* first = static_cast<const AdapterInfo_D3D7*>(renderSystem->adapters[0]);
    std::vector<std::string> modes;
    for (const d3d7::DDSURFACEDESC2& mode : first->displayModes)
        modes.push_back(std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
                        std::to_string(mode.pixelFormat.rgbBitCount));
    const std::vector<std::string> sorted = {"1024x768x32", "1024x768x16", "800x600x24", "800x600x16",
                                             "640x480x32",  "640x480x16",  "640x400x32"};
    EXPECT_EQ(modes, sorted);
    EXPECT_TRUE(first->canRenderWindowed);
    EXPECT_EQ(first->guidPointer, nullptr);
    EXPECT_EQ(first->desktopMode.pelsWidth, 1024u);

    // A 24-bit display mode is rendered to at depth 32.
    const DeviceInfo* device = first->devices.at(0);
    ASSERT_EQ(device->modes.size(), sorted.size());
    EXPECT_EQ(device->modes[2]->width, 800u);
    EXPECT_EQ(device->modes[2]->depth, 32u);
    EXPECT_EQ(static_cast<const ModeInfo_D3D7*>(device->modes[2])->surfaceDesc, &first->displayModes[2]);

    // Another adapter keeps its hardware devices only and never renders windowed.
    const auto* second = static_cast<const AdapterInfo_D3D7*>(renderSystem->adapters[1]);
    EXPECT_NE(second->guidPointer, nullptr);
    EXPECT_FALSE(second->canRenderWindowed);
    ASSERT_EQ(second->devices.size(), 1u);
    EXPECT_TRUE(static_cast<const DeviceInfo_D3D7*>(second->devices[0])->hardware);
    EXPECT_EQ(renderSystem->adapter, renderSystem->adapters[0]);
}

TEST_F(RenderSystemD3D7Test, NoUsableDeviceIsFatal)
{
    const d3d7::MachineDescription base = MachineOnDesktop(1024, 768);
    std::vector<d3d7::MachineDescription> machines;
    machines.emplace_back(); // no adapter at all
    machines.push_back(base);
    machines.back().adapters[0].devices.clear();
    machines.push_back(base);
    machines.back().adapters[0].modes = {{320, 240, 32, 60}}; // devices without a mode are dropped
    machines.push_back(base);
    machines.back().adapters[0].canRenderWindowed = false; // even with full screen configured
    for (std::size_t i = 0; i < machines.size(); ++i)
    {
        SCOPED_TRACE(i);
        d3d7::testing::SetMachine(machines[i]);
        if (machines[i].adapters.empty())
            win32::testing::SetDesktopMode(win32::DesktopMode{1024, 768, 32, 60});
        EXPECT_EQ(CreateOrFatal("800x600x32", true), kNoDevices);
        EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
    }
}

TEST_F(RenderSystemD3D7Test, DeviceChoicePrefersHardwareInItsOrder)
{
    const d3d7::MachineDescription base = MachineOnDesktop(1024, 768);
    const d3d7::DeviceDescription tnl = DeviceOf(base, d3d7::IID_IDirect3DTnLHalDevice, true);
    const d3d7::DeviceDescription hal = DeviceOf(base, d3d7::IID_IDirect3DHALDevice, true);
    const d3d7::DeviceDescription rgb = DeviceOf(base, d3d7::IID_IDirect3DRGBDevice, false);
    const d3d7::DeviceDescription ref = DeviceOf(base, d3d7::IID_IDirect3DRefDevice, false);
    struct Row
    {
        std::vector<d3d7::DeviceDescription> devices;
        std::optional<d3d7::GUID> chosen;
        std::optional<d3d7::GUID> software;
    };
    const Row rows[] = {
        {{ref, rgb, hal, tnl}, d3d7::IID_IDirect3DTnLHalDevice, d3d7::IID_IDirect3DRGBDevice},
        {{ref, hal}, d3d7::IID_IDirect3DHALDevice, d3d7::IID_IDirect3DRefDevice},
        {{rgb}, d3d7::IID_IDirect3DRGBDevice, d3d7::IID_IDirect3DRGBDevice},
        {{tnl}, d3d7::IID_IDirect3DTnLHalDevice, std::nullopt},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.devices.size());
        d3d7::MachineDescription machine = base;
        machine.adapters[0].devices = row.devices;
        d3d7::testing::SetMachine(machine);
        ASSERT_EQ(CreateOrFatal("800x600x32", false), "");
        EXPECT_EQ(ChosenDevice()->guid, *row.chosen);
        try
        {
            renderSystem->SelectDevice(true);
            ASSERT_TRUE(row.software.has_value());
            EXPECT_EQ(ChosenDevice()->guid, *row.software);
        }
        catch (const FatalError& error)
        {
            EXPECT_FALSE(row.software.has_value());
            EXPECT_EQ(error.GetText(), kNoDevices);
        }
        renderSystem.reset();
    }
}

struct ModeRow
{
    const char* name;
    std::uint32_t desktopWidth;
    std::uint32_t desktopHeight;
    const char* configured;
    bool fullscreen;
    bool allowLargeWindow;
    const char* defaultMode;
    // Listed sizes at 16 and 32 bits; empty: the stand-in's usual list.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes;
    std::vector<std::uint32_t> depths;
    // The outcome: the mode chosen, "v_mode" and "v_fullscreen" afterwards, or the fatal text.
    const char* mode;
    const char* modeAfter;
    bool fullscreenAfter;
    const char* fatal;
};

class SelectVideoModeTest : public corvellan::test::D3D7Fixture, public ::testing::WithParamInterface<ModeRow>
{
};

TEST_P(SelectVideoModeTest, ChoosesTheModeOrEndsTheChain)
{
    const ModeRow& row = GetParam();
    d3d7::MachineDescription machine = MachineOnDesktop(row.desktopWidth, row.desktopHeight);
    if (!row.sizes.empty())
    {
        machine.adapters[0].modes.clear();
        for (const auto& [width, height] : row.sizes)
            for (const std::uint32_t depth : row.depths)
                machine.adapters[0].modes.push_back(d3d7::DisplayModeDescription{width, height, depth, 60});
    }
    d3d7::testing::SetMachine(machine);
    // The configuration is built with this row's default mode text.
    Config rowConfig(&log, &files, folder.Path(), "Row", false, row.defaultMode, false, row.fullscreen);
    rowConfig.videoMode = row.configured;
    rowConfig.fullscreen = row.fullscreen;
    Window rowWindow(&log, &rowConfig, "Mode test", 0, 0, false, 640, 480, row.fullscreen, true, 0, 0);
    std::string fatal;
    std::unique_ptr<RenderSystem_D3D7> system;
    try
    {
        system = std::make_unique<RenderSystem_D3D7>(&log, &rowConfig, &rowWindow, false, row.allowLargeWindow);
    }
    catch (const FatalError& error)
    {
        fatal = error.GetText();
    }
    if (row.fatal)
    {
        EXPECT_EQ(fatal, row.fatal);
        EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
        return;
    }
    ASSERT_EQ(fatal, "");
    const ModeInfo* mode = system->adapter->device->mode;
    EXPECT_EQ(std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" + std::to_string(mode->depth),
              row.mode);
    EXPECT_EQ(rowConfig.videoMode, row.modeAfter);
    EXPECT_EQ(rowConfig.fullscreen, row.fullscreenAfter);
    EXPECT_EQ(system->adapter->device->fullscreen, row.fullscreenAfter);
    EXPECT_EQ(rowWindow.width, mode->width);
    EXPECT_EQ(system->backBufferDesc.width, mode->width);
    EXPECT_EQ(system->backBufferDesc.height, mode->height);
    system.reset();
}

using Sizes = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
const std::vector<std::uint32_t> kBoth = {16, 32};

INSTANTIATE_TEST_SUITE_P(
    Rows, SelectVideoModeTest,
    ::testing::Values(
        ModeRow{"Desktop", 1024, 768, "DESKTOP", false, false, "1024x768x32", {}, {}, "1024x768x32", "DESKTOP", true,
                nullptr},
        ModeRow{"WindowTooLarge", 1024, 768, "1024x768x32", false, false, "1024x768x32", {}, {}, "800x600x32",
                "800x600x32", false, nullptr},
        ModeRow{"LargeWindowAllowed", 1024, 768, "1024x768x32", false, true, "1024x768x32", {}, {}, "1024x768x32",
                "1024x768x32", false, nullptr},
        ModeRow{"FullscreenKeepsTheDesktopSize", 1024, 768, "1024x768x32", true, false, "1024x768x32", {}, {},
                "1024x768x32", "1024x768x32", true, nullptr},
        ModeRow{"TwentyFourBitsFallsBackToTheDefault", 1920, 1200, "1280x1024x24", false, false, "1024x768x32", {},
                {}, "1024x768x32", "1024x768x32", false, nullptr},
        ModeRow{"DefaultMissing", 1920, 1200, "1280x1024x24", false, false, "1024x768x32",
                Sizes{{800, 600}, {640, 480}}, kBoth, "640x480x16", "640x480x16", false, nullptr},
        ModeRow{"EverythingMissing", 1920, 1200, "1280x1024x24", false, false, "1024x768x32", Sizes{{800, 600}},
                kBoth, nullptr, nullptr, false, kNoMode},
        ModeRow{"LastResortConfiguredAndMissing", 1920, 1200, "640x480x16", false, false, "1024x768x32",
                Sizes{{800, 600}}, kBoth, nullptr, nullptr, false, kNoMode},
        ModeRow{"DefaultIsTheLastResort", 1920, 1200, "640x480x16", false, false, "640x480x16", Sizes{{800, 600}},
                kBoth, nullptr, nullptr, false, kNoMode},
        ModeRow{"NoSmallerModeOnASmallDesktop", 800, 600, "1024x768x32", false, false, "1024x768x32", {}, {},
                "640x480x32", "640x480x32", false, nullptr},
        ModeRow{"NoSmallerModeAndNo640x480", 800, 600, "1024x768x32", false, false, "1024x768x32",
                Sizes{{1024, 768}, {800, 600}}, kBoth, "1024x768x32", "1024x768x32", false, nullptr}),
    [](const ::testing::TestParamInfo<ModeRow>& row) { return std::string(row.param.name); });

TEST_F(RenderSystemD3D7Test, DepthBufferSearch)
{
    using Z = d3d7::ZFormatDescription;
    struct Row
    {
        const char* mode;
        bool fullscreen;
        bool stencil;
        std::vector<Z> formats;
        bool zBufferless;
        // Depth surface bits (0: none), its stencil bits, stencilAvailable; or the error.
        std::uint32_t zBits;
        std::uint32_t stencilBits;
        bool stencilAvailable;
        bool fails;
    };
    const Row rows[] = {
        {"800x600x32", false, true, {Z{16, 0}, Z{32, 8}}, false, 32, 8, true, false},
        {"800x600x32", false, true, {Z{16, 0}, Z{32, 0}}, false, 16, 0, false, false},
        {"800x600x32", false, false, {Z{16, 0}, Z{32, 0}}, false, 32, 0, false, false},
        {"800x600x32", false, false, {Z{32, 8}}, false, 32, 8, false, false},
        {"640x480x16", true, false, {Z{32, 0}, Z{16, 0}}, false, 16, 0, false, false},
        {"800x600x32", false, true, {Z{32, 8}}, true, 0, 0, false, false},
        {"800x600x32", false, false, {}, false, 0, 0, false, true},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << row.mode << " stencil " << row.stencil << " formats "
                                          << row.formats.size());
        d3d7::MachineDescription machine = MachineOnDesktop(1024, 768);
        for (d3d7::DeviceDescription& device : machine.adapters[0].devices)
        {
            device.zFormats = row.formats;
            device.zBufferlessHsr = row.zBufferless;
        }
        d3d7::testing::SetMachine(machine);
        log.ClearMessages();
        const std::string fatal = CreateOrFatal(row.mode, row.fullscreen, row.stencil);
        if (row.fails)
        {
            EXPECT_EQ(fatal, kNoDevice);
            EXPECT_EQ(CountEntries(2, "RenderSystem_D3D7: Failed to create Z Buffer"), 2u);
            EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
            window.reset();
            continue;
        }
        ASSERT_EQ(fatal, "");
        EXPECT_EQ(renderSystem->stencilAvailable, row.stencilAvailable);
        if (row.zBits == 0)
        {
            EXPECT_EQ(renderSystem->zBuffer, nullptr);
        }
        else
        {
            ASSERT_NE(renderSystem->zBuffer, nullptr);
            d3d7::DDSURFACEDESC2 desc;
            desc.size = sizeof(desc);
            ASSERT_EQ(renderSystem->zBuffer->GetSurfaceDesc(&desc), d3d7::DD_OK);
            EXPECT_EQ(desc.pixelFormat.zBufferBitDepth, row.zBits);
            EXPECT_EQ(desc.pixelFormat.stencilBitDepth, row.stencilBits);
            EXPECT_EQ(desc.width, renderSystem->backBufferDesc.width);
            EXPECT_NE(desc.caps.caps & d3d7::DDSCAPS_VIDEOMEMORY, 0u) << "hardware devices keep it in video memory";
        }
        renderSystem.reset();
        window.reset();
    }
}

TEST_F(RenderSystemD3D7Test, FailedCreationStepsFallBackToSoftwareOrEndTheProgram)
{
    struct Row
    {
        const char* operation;
        std::uint32_t skip;
        std::uint32_t count;
        bool fullscreen;
        const char* text;
    };
    const Row rows[] = {
        {"DirectDrawCreateEx", 1, 1, false, "Failed to create DirectDraw"},
        {"SetCooperativeLevel", 0, 1, false, "Failed to set DirectDraw cooperative level"},
        {"GetDisplayMode", 0, 1, false, "Invalid DirectDraw display mode"},
        {"SetDisplayMode", 0, 1, true, "Failed to set display mode"},
        {"CreateSurface", 0, 1, false, "Failed to create primary surface"},
        {"CreateClipper", 0, 1, false, "Failed to create clipper"},
        {"CreateSurface", 1, 1, false, "Failed to create back buffer"},
        {"GetAttachedSurface", 0, 1, true, "Failed to create back buffer"},
        {"QueryInterface", 1, 1, false, "Failed to create Direct3D"},
        {"CreateDevice", 0, 1, false, "Failed to create Direct3D device"},
        {"SetViewport", 0, 1, false, "Failed to set viewport"},
        {"EnumZBufferFormats", 0, 2, false, "Failed to create Z Buffer"},
        {"CreateSurface", 2, 1, false, "Failed to create Z Buffer"},
        {"AddAttachedSurface", 0, 1, false, "Failed to create Z Buffer"},
        {"SetRenderTarget", 0, 1, false, "Failed to set render target"},
    };
    const d3d7::MachineDescription hardware = MachineOnDesktop(1024, 768);
    d3d7::MachineDescription software = hardware;
    software.adapters[0].devices.erase(software.adapters[0].devices.begin());
    for (const Row& row : rows)
    {
        for (const bool onSoftware : {false, true})
        {
            SCOPED_TRACE(::testing::Message() << row.operation << " skip " << row.skip
                                              << (onSoftware ? " software" : " hardware"));
            d3d7::testing::SetMachine(onSoftware ? software : hardware);
            d3d7::testing::FailCall(row.operation, d3d7::DDERR_GENERIC, row.count, row.skip);
            const std::string fatal = CreateOrFatal("800x600x32", row.fullscreen);
            d3d7::testing::ClearFailures();
            EXPECT_EQ(Entries(2), std::vector<std::string>{"\nError: RenderSystem_D3D7: " + std::string(row.text) + "!"});
            if (onSoftware)
            {
                EXPECT_EQ(fatal, kNoDevice);
                EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
            }
            else
            {
                ASSERT_EQ(fatal, "");
                EXPECT_EQ(Entries(1), std::vector<std::string>{
                                          "\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!"});
                EXPECT_FALSE(ChosenDevice()->hardware);
                EXPECT_TRUE(renderSystem->ready);
                renderSystem.reset();
                EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
            }
            window.reset();
        }
    }
}

TEST_F(RenderSystemD3D7Test, ReferencesLeftAfterReleaseAreFatal)
{
    d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
    Create("800x600x32", false);
    d3d7::IDirect3DDevice7* device = renderSystem->d3dDevice;
    device->AddRef();
    try
    {
        renderSystem->Release();
        ADD_FAILURE() << "a device still referenced went unnoticed";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "RenderSystem_D3D7: device object is still referenced");
    }
    device->Release();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);

    renderSystem->CreateDevice(false);
    d3d7::IDirectDrawSurface7* held = nullptr;
    d3d7::DDSURFACEDESC2 desc;
    desc.size = sizeof(desc);
    desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT;
    desc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY;
    desc.width = desc.height = 4;
    ASSERT_EQ(renderSystem->directDraw->CreateSurface(&desc, &held, nullptr), d3d7::DD_OK);
    try
    {
        renderSystem->Release();
        ADD_FAILURE() << "a DirectDraw object still referenced went unnoticed";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "RenderSystem_D3D7: DirectDraw object is still referenced");
    }
    held->Release();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
}

TEST_F(RenderSystemD3D7Test, TexturesRegisterForTheirWholeLife)
{
    d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
    Create("800x600x32", false);
    Image picture;
    picture.Create(&log, 2, 2, 24);
    std::unique_ptr<Texture2D> texture = renderSystem->CreateTexture(nullptr, "wall.tga", &picture, nullptr, false);
    auto* d3dTexture = static_cast<Texture2D_D3D7*>(texture.get());
    ASSERT_EQ(renderSystem->textures.size(), 1u);
    ASSERT_NE(d3dTexture->GetSurface(), nullptr);
    EXPECT_EQ(d3dTexture->surface->GetOwner(), renderSystem->directDraw);

    renderSystem->RemoveTexture(d3dTexture);
    EXPECT_TRUE(renderSystem->textures.empty());
    try
    {
        renderSystem->RemoveTexture(d3dTexture);
        ADD_FAILURE() << "removing an unknown texture went unnoticed";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "RenderSystem_D3D7: Failed to remove texture \"wall.tga\"");
    }
    // Its own destructor meets the same and must not throw.
    texture.reset();
    EXPECT_EQ(CountEntries(3, "Failed to remove texture \"wall.tga\""), 2u);
}

TEST_F(RenderSystemD3D7Test, SurvivesThePlatformRestartingBetweenEngines)
{
    // Each engine brackets its life with the platform's start and stop, and
    // a process may build several engines one after the other.
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        const bool started = win32::CoInitialize(nullptr) == 0;
        d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
        Create("640x480x32", false);
        renderSystem->clearColor = Color(0.0f, 1.0f, 0.0f, 1.0f);
        renderSystem->BeginScene();
        renderSystem->EndScene();
        renderSystem->SwapBuffers();
        EXPECT_TRUE(renderSystem->ready);
        EXPECT_TRUE(Entries(2).empty());
        renderSystem.reset();
        window.reset();
        EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
        if (started)
            win32::CoUninitialize();
    }
}

} // namespace
