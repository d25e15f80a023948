#pragma once

// A window of our own and the drawing stand-in's objects on it, built the
// way the render system builds them for a windowed mode.

#include "platform/d3d7/DirectDraw.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirect3D7.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawClipper.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/testing/DesktopHooks.h"

#include <gtest/gtest.h>

namespace corvellan::test
{

class D3D7PlatformFixture : public ::testing::Test
{
protected:
    static constexpr const char* kClass = "Drawing stand-in test class";

    void SetUp() override
    {
        d3d7::testing::ResetAll();
        win32::testing::ResetDesktopMode();
        win32::WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &win32::DefWindowProcA;
        windowClass.hInstance = win32::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        ASSERT_NE(win32::RegisterClassA(&windowClass), 0);
        window = win32::CreateWindowExA(0, kClass, "Stand-in", win32::WS_CAPTION, 0, 0, 640, 480, 0, nullptr,
                                        win32::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, 0u);
    }

    void TearDown() override
    {
        ReleaseAll();
        win32::DestroyWindow(window);
        win32::UnregisterClassA(kClass, win32::GetModuleHandleA(nullptr));
        d3d7::testing::ResetAll();
        win32::testing::ResetDesktopMode();
    }

    template <typename T>
    static void ReleaseOne(T*& object)
    {
        if (object)
            object->Release();
        object = nullptr;
    }

    void ReleaseAll()
    {
        ReleaseOne(device);
        ReleaseOne(depth);
        ReleaseOne(back);
        ReleaseOne(primary);
        ReleaseOne(direct3D);
        ReleaseOne(directDraw);
    }

    static d3d7::DDSURFACEDESC2 PlainDesc(std::uint32_t width, std::uint32_t height, std::uint32_t caps)
    {
        d3d7::DDSURFACEDESC2 desc;
        desc.size = sizeof(desc);
        desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT;
        desc.width = width;
        desc.height = height;
        desc.caps.caps = caps;
        return desc;
    }

    // DirectDraw at the normal level, the primary surface with its clipper
    // and a back buffer of the given size, Direct3D and the device.
    void MakeWindowedDevice(std::uint32_t width, std::uint32_t height)
    {
        ASSERT_EQ(d3d7::DirectDrawCreateEx(nullptr, &directDraw, d3d7::IID_IDirectDraw7, nullptr), d3d7::DD_OK);
        ASSERT_EQ(directDraw->SetCooperativeLevel(window, d3d7::DDSCL_NORMAL), d3d7::DD_OK);
        d3d7::DDSURFACEDESC2 primaryDesc;
        primaryDesc.size = sizeof(primaryDesc);
        primaryDesc.flags = d3d7::DDSD_CAPS;
        primaryDesc.caps.caps = d3d7::DDSCAPS_PRIMARYSURFACE;
        ASSERT_EQ(directDraw->CreateSurface(&primaryDesc, &primary, nullptr), d3d7::DD_OK);
        d3d7::IDirectDrawClipper* clipper = nullptr;
        ASSERT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), d3d7::DD_OK);
        clipper->SetHWnd(0, window);
        primary->SetClipper(clipper);
        clipper->Release();
        d3d7::DDSURFACEDESC2 backDesc =
            PlainDesc(width, height, d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_3DDEVICE);
        ASSERT_EQ(directDraw->CreateSurface(&backDesc, &back, nullptr), d3d7::DD_OK);
        ASSERT_EQ(directDraw->QueryInterface(d3d7::IID_IDirect3D7, &direct3D), d3d7::DD_OK);
        ASSERT_EQ(direct3D->CreateDevice(d3d7::IID_IDirect3DTnLHalDevice, back, &device), d3d7::DD_OK);
    }

    // A depth surface of the back buffer's size attached to it.
    void AttachDepth(std::uint32_t zBits, std::uint32_t stencilBits)
    {
        d3d7::DDSURFACEDESC2 desc = PlainDesc(back->GetDesc().width, back->GetDesc().height,
                                              d3d7::DDSCAPS_ZBUFFER | d3d7::DDSCAPS_VIDEOMEMORY);
        desc.flags |= d3d7::DDSD_PIXELFORMAT;
        desc.pixelFormat.size = sizeof(desc.pixelFormat);
        desc.pixelFormat.flags = d3d7::DDPF_ZBUFFER | (stencilBits ? d3d7::DDPF_STENCILBUFFER : 0);
        desc.pixelFormat.zBufferBitDepth = zBits;
        desc.pixelFormat.stencilBitDepth = stencilBits;
        ASSERT_EQ(directDraw->CreateSurface(&desc, &depth, nullptr), d3d7::DD_OK);
        ASSERT_EQ(back->AddAttachedSurface(depth), d3d7::DD_OK);
    }

    d3d7::IDirectDrawSurface7* MakeSystemSurface(std::uint32_t width, std::uint32_t height)
    {
        d3d7::DDSURFACEDESC2 desc = PlainDesc(width, height, d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_SYSTEMMEMORY);
        d3d7::IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), d3d7::DD_OK);
        return surface;
    }

    win32::HWND window = 0;
    d3d7::IDirectDraw7* directDraw = nullptr;
    d3d7::IDirect3D7* direct3D = nullptr;
    d3d7::IDirect3DDevice7* device = nullptr;
    d3d7::IDirectDrawSurface7* primary = nullptr;
    d3d7::IDirectDrawSurface7* back = nullptr;
    d3d7::IDirectDrawSurface7* depth = nullptr;
};

} // namespace corvellan::test
