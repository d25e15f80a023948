#include "engine/render/Texture2D.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/testing/SurfaceProbe.h"
#include "tests/engine/render/D3D7Fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace OrvaneEngine;
using d3d7::testing::ReadColor;
using d3d7::testing::ReadDepth;
using d3d7::testing::ReadStencil;

namespace
{

class RenderSystemD3D7FrameTest : public corvellan::test::D3D7Fixture
{
protected:
    void CreateOnDesktop(const std::string& mode, bool fullscreen, bool stencil = false)
    {
        d3d7::testing::SetMachine(MachineOnDesktop(1024, 768));
        Create(mode, fullscreen, stencil);
        log.ClearMessages();
    }

    void Frame()
    {
        renderSystem->BeginScene();
        renderSystem->EndScene();
        renderSystem->SwapBuffers();
    }
};

TEST_F(RenderSystemD3D7FrameTest, DeviceColoursClampEachChannel)
{
    struct Row
    {
        Color color;
        std::uint32_t device;
    };
    const Row rows[] = {
        {Color(1.5f, -0.2f, 0.5f, 1.0f), 0xFFFF007Fu},
        {Color(0.0f, 0.0f, 0.0f, 0.0f), 0x00000000u},
        {Color(1.0f, 1.0f, 1.0f, 1.0f), 0xFFFFFFFFu},
        {Color(2.0f, 2.0f, -3.0f, -1.0f), 0x00FFFF00u},
    };
    for (const Row& row : rows)
        EXPECT_EQ(RenderSystem_D3D7::ToDeviceColor(row.color), row.device) << std::hex << row.device;
}

TEST_F(RenderSystemD3D7FrameTest, ClearFlagsDecideWhatBeginSceneClears)
{
    CreateOnDesktop("800x600x32", false, true);
    ASSERT_TRUE(renderSystem->stencilAvailable);
    d3d7::IDirectDrawSurface7* back = renderSystem->backBuffer;
    // Something to keep or clear: colour, depth 0.25 and stencil 7 everywhere.
    const auto paint = [&] {
        ASSERT_EQ(renderSystem->d3dDevice->Clear(0, nullptr,
                                                 d3d7::D3DCLEAR_TARGET | d3d7::D3DCLEAR_ZBUFFER | d3d7::D3DCLEAR_STENCIL,
                                                 0xFF204060u, 0.25f, 7),
                  d3d7::DD_OK);
    };
    renderSystem->clearColor = Color(1.5f, -0.2f, 0.5f, 1.0f);

    paint();
    renderSystem->clearFlags = 0;
    Frame();
    d3d7::testing::ColorSample kept = ReadColor(back, 10, 10);
    EXPECT_EQ(kept.r, 0x20);
    EXPECT_EQ(kept.g, 0x40);
    EXPECT_EQ(kept.b, 0x60);
    EXPECT_NEAR(ReadDepth(back, 10, 10), 0.25f, 0.001f);
    EXPECT_EQ(ReadStencil(back, 10, 10), 7u) << "clearFlags 0 skips even the stencil";

    paint();
    renderSystem->clearFlags = 1;
    Frame();
    const d3d7::testing::ColorSample cleared = ReadColor(back, 799, 599);
    EXPECT_EQ(cleared.r, 255);
    EXPECT_EQ(cleared.g, 0);
    EXPECT_EQ(cleared.b, 127);
    EXPECT_NEAR(ReadDepth(back, 10, 10), 0.25f, 0.001f);
    EXPECT_EQ(ReadStencil(back, 10, 10), 0u) << "a stencil buffer is cleared with every clear";

    paint();
    renderSystem->clearFlags = 2;
    Frame();
    kept = ReadColor(back, 400, 300);
    EXPECT_EQ(kept.r, 0x20);
    EXPECT_NEAR(ReadDepth(back, 400, 300), 1.0f, 0.001f);
    EXPECT_EQ(ReadStencil(back, 400, 300), 0u);
    EXPECT_TRUE(Entries(2).empty());
}

TEST_F(RenderSystemD3D7FrameTest, BackBufferReadsBackIn16And32BitModes)
{
    struct Row
    {
        const char* mode;
        bool fullscreen;
        std::uint32_t bits;
    };
    for (const Row row : {Row{"800x600x32", false, 32}, Row{"640x480x16", true, 16}})
    {
        SCOPED_TRACE(row.mode);
        CreateOnDesktop(row.mode, row.fullscreen);
        ASSERT_EQ(renderSystem->backBufferDesc.pixelFormat.rgbBitCount, row.bits);
        renderSystem->clearColor = Color(1.0f, 0.5f, 0.25f, 1.0f);
        renderSystem->BeginScene();
        // A second colour in the top-left corner shows the row order.
        const d3d7::D3DRECT corner{0, 0, 2, 1};
        ASSERT_EQ(renderSystem->d3dDevice->Clear(1, &corner, d3d7::D3DCLEAR_TARGET, 0xFF0000FFu, 1.0f, 0), d3d7::DD_OK);
        renderSystem->EndScene();

        // As the screen copy does it: a system-memory surface of the back buffer's format.
        d3d7::DDSURFACEDESC2 desc = renderSystem->backBufferDesc;
        desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
        desc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY;
        d3d7::IDirectDrawSurface7* copy = nullptr;
        ASSERT_EQ(renderSystem->directDraw->CreateSurface(&desc, &copy, nullptr), d3d7::DD_OK);
        ASSERT_EQ(copy->Blt(nullptr, renderSystem->backBuffer, nullptr, 0, nullptr), d3d7::DD_OK);
        d3d7::DDSURFACEDESC2 locked;
        locked.size = sizeof(locked);
        ASSERT_EQ(copy->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT | d3d7::DDLOCK_READONLY, nullptr), d3d7::DD_OK);
        const auto* bytes = static_cast<const std::uint8_t*>(locked.surface);
        const std::size_t lastRow = static_cast<std::size_t>(locked.pitch) * (locked.height - 1);
        if (row.bits == 32)
        {
            const std::uint8_t corner32[4] = {0, 0, 255, 0};
            const std::uint8_t body32[4] = {255, 127, 63, 0};
            EXPECT_EQ(std::memcmp(bytes, corner32, 4), 0);
            EXPECT_EQ(std::memcmp(bytes + 8, body32, 4), 0);
            EXPECT_EQ(std::memcmp(bytes + lastRow + 4 * 799, body32, 4), 0);
        }
        else
        {
            std::uint16_t first;
            std::uint16_t body;
            std::memcpy(&first, bytes, 2);
            std::memcpy(&body, bytes + lastRow + 2 * 639, 2);
            EXPECT_EQ(first, 0x001Fu);
            EXPECT_EQ(body, 0xFBE7u);
        }
        copy->Unlock(nullptr);
        copy->Release();
        renderSystem.reset();
        window.reset();
        EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
    }
}

TEST_F(RenderSystemD3D7FrameTest, SwapIntervalFollowsVerticalSyncInBothPresentPaths)
{
    struct Row
    {
        bool fullscreen;
        bool verticalSync;
        std::int32_t interval;
    };
    const Row rows[] = {{false, true, 1}, {false, false, 0}, {true, true, 1}, {true, false, 0}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(::testing::Message() << "full screen " << row.fullscreen << ", vsync " << row.verticalSync);
        CreateOnDesktop("800x600x32", row.fullscreen);
        config.verticalSync = row.verticalSync;
        const std::uint32_t presents = d3d7::testing::GetPresentCount();
        Frame();
        EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1);
        EXPECT_EQ(d3d7::testing::GetLastSwapInterval(), row.interval);
        // The picture persists across presents: the loading screen relies on it.
        renderSystem->clearFlags = 0;
        renderSystem->SwapBuffers();
        EXPECT_EQ(ReadColor(renderSystem->backBuffer, 5, 5).a, 255);
        renderSystem.reset();
        window.reset();
    }
}

TEST_F(RenderSystemD3D7FrameTest, WorkerMakesTexturesWhileTheMainThreadPresents)
{
    CreateOnDesktop("640x480x32", false);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i)
        {
            std::unique_ptr<Texture2D> texture =
                renderSystem->CreateTexture(nullptr, "t" + std::to_string(i), nullptr, nullptr, false);
            d3d7::DDSURFACEDESC2 desc;
            desc.size = sizeof(desc);
            desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT;
            desc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY;
            desc.width = 32;
            desc.height = 16;
            d3d7::IDirectDrawSurface7* surface = nullptr;
            if (renderSystem->directDraw->CreateSurface(&desc, &surface, nullptr) == d3d7::DD_OK)
            {
                d3d7::DDSURFACEDESC2 locked;
                locked.size = sizeof(locked);
                if (surface->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT, nullptr) == d3d7::DD_OK)
                {
                    std::memset(locked.surface, i, static_cast<std::size_t>(locked.pitch) * locked.height);
                    surface->Unlock(nullptr);
                }
                surface->Release();
            }
        }
        done = true;
    });
    int frames = 0;
    while (!done || frames < 3)
    {
        Frame();
        ++frames;
    }
    worker.join();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), 0u);
    EXPECT_TRUE(renderSystem->textures.empty());
    EXPECT_TRUE(Entries(2).empty());
    EXPECT_TRUE(Entries(3).empty());
    renderSystem.reset();
    EXPECT_EQ(d3d7::testing::GetLiveObjectTotal(), 0);
}

} // namespace
