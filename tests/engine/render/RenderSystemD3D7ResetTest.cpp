#include "engine/render/AdapterInfo.h"
#include "engine/render/DeviceInfo_D3D7.h"
#include "engine/render/Image.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "platform/win32/WindowCalls.h"
#include "tests/engine/render/D3D7Fixture.h"

#include <gtest/gtest.h>

using namespace OrvaneEngine;

namespace
{

class RenderSystemD3D7ResetTest : public corvellan::test::D3D7Fixture
{
protected:
    void CreateOnDesktop(const std::string& mode, bool fullscreen)
    {
        d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
        Create(mode, fullscreen);
        log.ClearMessages();
    }
};

TEST_F(RenderSystemD3D7ResetTest, RefreshFollowsTheCooperativeLevel)
{
    struct Row
    {
        const char* name;
        d3d7::HRESULT cooperative;
        d3d7::HRESULT restore;
        bool readyBefore;
        bool fullscreen;
        bool ready;
        bool resetNeeded;
        bool reloadTextures;
        bool logged;
    };
    const Row rows[] = {
        {"active and ready", d3d7::DD_OK, d3d7::DD_OK, true, false, true, false, false, false},
        {"not exclusive", d3d7::DDERR_NOEXCLUSIVEMODE, d3d7::DD_OK, true, false, false, false, false, false},
        {"wrong mode, windowed", d3d7::DDERR_WRONGMODE, d3d7::DD_OK, true, false, false, true, true, false},
        {"wrong mode, full screen", d3d7::DDERR_WRONGMODE, d3d7::DD_OK, true, true, false, false, false, false},
        {"back and restored", d3d7::DD_OK, d3d7::DD_OK, false, false, true, false, false, false},
        {"back, restore fails", d3d7::DD_OK, d3d7::DDERR_GENERIC, false, false, false, true, true, true},
    };
    CreateOnDesktop("800x600x32", false);
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        log.ClearMessages();
        renderSystem->ready = row.readyBefore;
        renderSystem->resetNeeded = false;
        renderSystem->reloadTextures = false;
        config.fullscreen = row.fullscreen;
        if (row.cooperative != d3d7::DD_OK)
            d3d7::testing::FailCall("TestCooperativeLevel", row.cooperative);
        if (row.restore != d3d7::DD_OK)
            d3d7::testing::FailCall("RestoreAllSurfaces", row.restore);
        renderSystem->Refresh();
        d3d7::testing::ClearFailures();
        EXPECT_EQ(renderSystem->ready, row.ready);
        EXPECT_EQ(renderSystem->resetNeeded, row.resetNeeded);
        EXPECT_EQ(renderSystem->reloadTextures, row.reloadTextures);
        const std::vector<std::string> expected =
            row.logged ? std::vector<std::string>{"\nError: Direct3D Subsystem (RenderSystem_D3D7::Refresh): There is "
                                                  "an undefined error condition.!"}
                       : std::vector<std::string>{};
        EXPECT_EQ(Entries(2), expected);
    }
}

TEST_F(RenderSystemD3D7ResetTest, InjectedLossStopsDrawingUntilRestored)
{
    CreateOnDesktop("800x600x32", false);
    const std::uint32_t presents = d3d7::testing::GetPresentCount();
    // Not active: the device is not ready, and nothing is presented.
    d3d7::testing::LoseSurfaces(d3d7::DDERR_NOEXCLUSIVEMODE);
    renderSystem->Refresh();
    EXPECT_FALSE(renderSystem->ready);
    renderSystem->SwapBuffers();
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents);
    renderSystem->Refresh();
    EXPECT_FALSE(renderSystem->ready);
    EXPECT_TRUE(d3d7::testing::AreSurfacesLost());
    // Active again: the next refresh restores the surfaces.
    d3d7::testing::LoseSurfaces(d3d7::DD_OK);
    renderSystem->Refresh();
    EXPECT_TRUE(renderSystem->ready);
    EXPECT_FALSE(renderSystem->resetNeeded);
    EXPECT_FALSE(d3d7::testing::AreSurfacesLost());
    renderSystem->BeginScene();
    renderSystem->EndScene();
    renderSystem->SwapBuffers();
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1);
    EXPECT_TRUE(Entries(2).empty());
}

TEST_F(RenderSystemD3D7ResetTest, LostSurfaceInAFrameCallRestoresOnce)
{
    struct Row
    {
        const char* operation;
        bool fullscreen;
        const char* context;
    };
    const Row rows[] = {
        {"BeginScene", false, "RenderSystem_D3D7::BeginScene"},
        {"EndScene", false, "RenderSystem_D3D7::EndScene"},
        {"Blt", false, "RenderSystem_D3D7::SwapBuffers"},
        {"Flip", true, "RenderSystem_D3D7::SwapBuffers"},
    };
    const std::string notFound = "The requested item was not found.";
    for (const Row& row : rows)
    {
        for (const bool restoreFails : {false, true})
        {
            SCOPED_TRACE(::testing::Message() << row.operation << (restoreFails ? ", restore fails" : ""));
            CreateOnDesktop("800x600x32", row.fullscreen);
            d3d7::testing::FailCall(row.operation, d3d7::DDERR_SURFACELOST);
            if (restoreFails)
                d3d7::testing::FailCall("RestoreAllSurfaces", d3d7::DDERR_NOTFOUND);
            const std::uint32_t presents = d3d7::testing::GetPresentCount();
            renderSystem->BeginScene();
            renderSystem->EndScene();
            renderSystem->SwapBuffers();
            const bool swapLost = row.context == std::string("RenderSystem_D3D7::SwapBuffers");
            EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + (swapLost ? 0 : 1));
            // A failed restore is reported once, under the frame call; a good one goes unseen.
            const std::vector<std::string> expected =
                restoreFails ? std::vector<std::string>{"\nError: Direct3D Subsystem (" + std::string(row.context) +
                                                        "): " + notFound + "!"}
                             : std::vector<std::string>{};
            EXPECT_EQ(Entries(2), expected);
            // The next frame runs clean.
            log.ClearMessages();
            renderSystem->BeginScene();
            renderSystem->EndScene();
            renderSystem->SwapBuffers();
            EXPECT_TRUE(Entries(2).empty());
            renderSystem.reset();
            window.reset();
            d3d7::testing::ClearFailures();
        }
    }
}

TEST_F(RenderSystemD3D7ResetTest, ModeChangesRebuildDeviceWindowAndBackBuffer)
{
    CreateOnDesktop("800x600x32", false);
    renderSystem->SetZ(true);
    renderSystem->SetCullMode(2);
    renderSystem->SetTextureFilter(0, 0);
    config.videoMode = "640x480x32";
    renderSystem->CheckVideoMode();
    EXPECT_TRUE(renderSystem->resetNeeded);
    EXPECT_TRUE(renderSystem->reloadTextures);
    renderSystem->Reset(3);

    EXPECT_TRUE(HasEntry(0, "\nReseting Direct3D device:"));
    EXPECT_EQ(CountEntries(0, std::string(56, '.')), 3u);
    EXPECT_FALSE(HasEntry(0, "......Capabilities:"));
    EXPECT_TRUE(Entries(2).empty());
    EXPECT_FALSE(renderSystem->resetNeeded);
    EXPECT_FALSE(renderSystem->reloadTextures);
    EXPECT_TRUE(renderSystem->ready);
    EXPECT_TRUE(renderSystem->lightsLost);
    EXPECT_FALSE(renderSystem->zEnable);
    EXPECT_EQ(renderSystem->cullMode, 0u);
    EXPECT_EQ(renderSystem->stageFilter[0], 1u);
    EXPECT_FALSE(renderSystem->forceStates);
    EXPECT_EQ(renderSystem->backBufferDesc.width, 640u);
    EXPECT_EQ(renderSystem->backBufferDesc.height, 480u);
    EXPECT_EQ(window->width, 640u);
    EXPECT_EQ(window->height, 480u);
    EXPECT_FALSE(window->fullscreen);
    win32::RECT client{};
    ASSERT_NE(win32::GetClientRect(window->handle, &client), 0);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
    EXPECT_FALSE(renderSystem->directDraw->IsExclusive());
    renderSystem->CheckVideoMode();
    EXPECT_FALSE(renderSystem->resetNeeded) << "the device is in the configured mode now";

    // Then full screen: exclusive, the display mode set, the back buffer from the flip chain.
    config.fullscreen = true;
    renderSystem->CheckVideoMode();
    EXPECT_TRUE(renderSystem->resetNeeded);
    renderSystem->Reset(3);
    EXPECT_TRUE(window->fullscreen);
    EXPECT_EQ(window->width, 640u);
    EXPECT_TRUE(renderSystem->adapter->device->fullscreen);
    EXPECT_TRUE(renderSystem->directDraw->IsExclusive());
    d3d7::DDSURFACEDESC2 display;
    display.size = sizeof(display);
    ASSERT_EQ(renderSystem->directDraw->GetDisplayMode(&display), d3d7::DD_OK);
    EXPECT_EQ(display.width, 640u);
    EXPECT_EQ(display.height, 480u);
    d3d7::DDSCAPS2 caps;
    caps.caps = d3d7::DDSCAPS_BACKBUFFER;
    d3d7::IDirectDrawSurface7* attached = nullptr;
    ASSERT_EQ(renderSystem->primarySurface->GetAttachedSurface(&caps, &attached), d3d7::DD_OK);
    EXPECT_EQ(attached, renderSystem->backBuffer);
    attached->Release();
    EXPECT_EQ(renderSystem->backBufferDesc.width, 640u);

    renderSystem.reset();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
}

TEST_F(RenderSystemD3D7ResetTest, DesktopChangeUnderAWindowAsksForAReset)
{
    CreateOnDesktop("800x600x32", false);
    renderSystem->Refresh();
    EXPECT_TRUE(renderSystem->ready);
    d3d7::testing::SetMachine(MachineOnDesktop(1280, 1024));
    renderSystem->Refresh();
    EXPECT_FALSE(renderSystem->ready);
    EXPECT_TRUE(renderSystem->resetNeeded);
    EXPECT_TRUE(renderSystem->reloadTextures);
    renderSystem->Reset(3);
    renderSystem->Refresh();
    EXPECT_TRUE(renderSystem->ready);
    EXPECT_FALSE(renderSystem->resetNeeded);
}

TEST_F(RenderSystemD3D7ResetTest, ResetRebuildsLiveTexturesAndResizesTheStageCache)
{
    d3d7::MachineDescription machine = MachineOnDesktop(1024, 768);
    machine.adapters[0].devices[0].textureStages = 4;
    machine.adapters[0].devices[1].textureStages = 2;
    d3d7::testing::SetMachine(machine);
    Create("800x600x32", false);
    ASSERT_EQ(renderSystem->textureStageCount, 4u);
    // The manager keeps the picture for the restore after the reset.
    auto textures = std::make_unique<TextureManager>(&log, &files, &config, nullptr, renderSystem.get());
    auto* picture = new Image;
    picture->Create(&log, 2, 2, 24);
    auto* d3dTexture = static_cast<Texture2D_D3D7*>(textures->CreateTexture(true, false, "sky", "", picture, nullptr));
    ASSERT_NE(d3dTexture, nullptr);
    ASSERT_NE(d3dTexture->surface, nullptr);
    renderSystem->SetTexture(3, d3dTexture);

    // The hardware device is refused this time: the software one has fewer stages.
    d3d7::testing::FailCall("CreateDevice", d3d7::DDERR_GENERIC);
    renderSystem->CheckVideoMode();
    renderSystem->Reset(3);
    EXPECT_TRUE(Entries(3).empty());
    EXPECT_EQ(renderSystem->textureStageCount, 2u);
    EXPECT_EQ(renderSystem->stageTexture.size(), 2u);
    EXPECT_EQ(renderSystem->stageTransform.size(), 2u);
    ASSERT_NE(d3dTexture->surface, nullptr);
    EXPECT_EQ(d3dTexture->surface->GetOwner(), renderSystem->directDraw);

    // Without the surfaces released first, the old DirectDraw object would still be held.
    textures.reset();
    renderSystem.reset();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
}

} // namespace
