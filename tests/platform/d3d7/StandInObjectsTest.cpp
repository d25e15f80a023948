#include "tests/platform/d3d7/D3D7PlatformFixture.h"

#include "platform/d3d7/testing/SurfaceProbe.h"

#include <gtest/gtest.h>

#include <thread>

using d3d7::testing::GetLiveObjectCount;
using d3d7::testing::GetLiveObjectTotal;
using d3d7::testing::ObjectKind;

namespace
{

class StandInObjectsTest : public corvellan::test::D3D7PlatformFixture
{
};

TEST_F(StandInObjectsTest, EverySurfaceHoldsItsDirectDrawObject)
{
    MakeWindowedDevice(320, 240);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::DirectDraw), 1);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Direct3D), 1);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Device), 1);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Surface), 2);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Clipper), 1);
    EXPECT_EQ(device->AddRef(), 2u);
    EXPECT_EQ(device->Release(), 1u);

    d3d7::IDirectDrawSurface7* texture = MakeSystemSurface(8, 8);
    ReleaseOne(device);
    ReleaseOne(back);
    ReleaseOne(primary);
    ReleaseOne(direct3D);
    // The texture surface still holds DirectDraw, as a real one does.
    EXPECT_EQ(directDraw->Release(), 1u);
    directDraw = nullptr;
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::DirectDraw), 1);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Clipper), 0) << "the primary surface held the clipper";
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(GetLiveObjectTotal(), 0);
}

TEST_F(StandInObjectsTest, InjectedFailuresSkipThenFailCountTimes)
{
    ASSERT_EQ(d3d7::DirectDrawCreateEx(nullptr, &directDraw, d3d7::IID_IDirectDraw7, nullptr), d3d7::DD_OK);
    d3d7::testing::FailCall("CreateClipper", d3d7::DDERR_OUTOFMEMORY, 2, 1);
    const d3d7::HRESULT expected[] = {d3d7::DD_OK, d3d7::DDERR_OUTOFMEMORY, d3d7::DDERR_OUTOFMEMORY, d3d7::DD_OK};
    for (const d3d7::HRESULT result : expected)
    {
        d3d7::IDirectDrawClipper* clipper = nullptr;
        EXPECT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), result);
        if (clipper)
            clipper->Release();
    }
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Clipper), 0);
}

TEST_F(StandInObjectsTest, DisplayModesAreVirtual)
{
    d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
    machine.adapters[0].desktop = win32::DesktopMode{1024, 768, 32, 60};
    for (d3d7::DisplayModeDescription& mode : machine.adapters[0].modes)
        mode.refreshRate = 60;
    d3d7::testing::SetMachine(machine);
    ASSERT_EQ(d3d7::DirectDrawCreateEx(nullptr, &directDraw, d3d7::IID_IDirectDraw7, nullptr), d3d7::DD_OK);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, d3d7::DDSCL_NORMAL), d3d7::DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32, 60, 0), d3d7::DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, d3d7::DDSCL_FULLSCREEN | d3d7::DDSCL_EXCLUSIVE), d3d7::DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(1000, 700, 32, 60, 0), d3d7::DDERR_INVALIDMODE);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16, 60, 0), d3d7::DD_OK);

    const auto displayed = [&] {
        d3d7::DDSURFACEDESC2 desc;
        desc.size = sizeof(desc);
        EXPECT_EQ(directDraw->GetDisplayMode(&desc), d3d7::DD_OK);
        return std::to_string(desc.width) + "x" + std::to_string(desc.height) + "x" +
               std::to_string(desc.pixelFormat.rgbBitCount);
    };
    EXPECT_EQ(displayed(), "640x480x16");
    EXPECT_EQ(win32::GetDesktopMode().width, 1024u) << "the real display never changes";
    EXPECT_EQ(directDraw->TestCooperativeLevel(), d3d7::DD_OK);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, d3d7::DDSCL_NORMAL), d3d7::DD_OK);
    EXPECT_EQ(displayed(), "1024x768x32");

    // A windowed program whose desktop changed must start again.
    win32::testing::SetDesktopMode(win32::DesktopMode{1280, 1024, 32, 60});
    EXPECT_EQ(directDraw->TestCooperativeLevel(), d3d7::DDERR_WRONGMODE);
    EXPECT_EQ(directDraw->RestoreAllSurfaces(), d3d7::DDERR_WRONGMODE);
}

TEST_F(StandInObjectsTest, LostSurfacesRefuseFrameCallsUntilRestored)
{
    MakeWindowedDevice(64, 64);
    d3d7::IDirectDrawSurface7* copy = MakeSystemSurface(64, 64);
    d3d7::testing::LoseSurfaces(d3d7::DD_OK);
    EXPECT_EQ(directDraw->TestCooperativeLevel(), d3d7::DD_OK);
    EXPECT_EQ(device->BeginScene(), d3d7::DDERR_SURFACELOST);
    EXPECT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DDERR_SURFACELOST);
    EXPECT_EQ(copy->Blt(nullptr, back, nullptr, 0, nullptr), d3d7::DDERR_SURFACELOST);
    EXPECT_EQ(back->IsLost(), d3d7::DDERR_SURFACELOST);
    EXPECT_EQ(primary->Flip(nullptr, d3d7::DDFLIP_WAIT), d3d7::DDERR_NOTFLIPPABLE) << "not a flip chain";
    const std::uint32_t presents = d3d7::testing::GetPresentCount();

    EXPECT_EQ(directDraw->RestoreAllSurfaces(), d3d7::DD_OK);
    EXPECT_FALSE(d3d7::testing::AreSurfacesLost());
    EXPECT_EQ(device->BeginScene(), d3d7::DD_OK);
    EXPECT_EQ(device->BeginScene(), d3d7::D3DERR_SCENE_IN_SCENE);
    d3d7::testing::LoseSurfaces(d3d7::DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(device->EndScene(), d3d7::DDERR_SURFACELOST);
    EXPECT_EQ(directDraw->TestCooperativeLevel(), d3d7::DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(directDraw->RestoreAllSurfaces(), d3d7::DDERR_NOEXCLUSIVEMODE) << "nothing comes back while inactive";
    d3d7::testing::LoseSurfaces(d3d7::DD_OK);
    EXPECT_EQ(directDraw->RestoreAllSurfaces(), d3d7::DD_OK);
    EXPECT_EQ(device->BeginScene(), d3d7::DD_OK) << "the failed end closed the scene";
    EXPECT_EQ(device->EndScene(), d3d7::DD_OK);
    EXPECT_EQ(device->EndScene(), d3d7::D3DERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(primary->Blt(nullptr, back, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1);
    copy->Release();
}

TEST_F(StandInObjectsTest, DepthAndStencilClearsNeedTheirBuffers)
{
    MakeWindowedDevice(64, 32);
    const std::uint32_t both = d3d7::D3DCLEAR_TARGET | d3d7::D3DCLEAR_ZBUFFER;
    EXPECT_EQ(device->Clear(0, nullptr, both, 0, 1.0f, 0), d3d7::D3DERR_ZBUFFER_NOTPRESENT);
    EXPECT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_STENCIL, 0, 1.0f, 0), d3d7::D3DERR_STENCILBUFFER_NOTPRESENT);
    EXPECT_EQ(device->Clear(0, nullptr, 0, 0, 1.0f, 0), d3d7::DDERR_INVALIDPARAMS);
    EXPECT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_TARGET, 0, 1.0f, 0), d3d7::DD_OK);

    // Attaching: a depth surface of another size, and a second one, are refused.
    d3d7::DDSURFACEDESC2 wrong = PlainDesc(32, 32, d3d7::DDSCAPS_ZBUFFER);
    wrong.flags |= d3d7::DDSD_PIXELFORMAT;
    wrong.pixelFormat.flags = d3d7::DDPF_ZBUFFER;
    wrong.pixelFormat.zBufferBitDepth = 24;
    d3d7::IDirectDrawSurface7* other = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&wrong, &other, nullptr), d3d7::DDERR_INVALIDPIXELFORMAT);
    wrong.pixelFormat.zBufferBitDepth = 16;
    ASSERT_EQ(directDraw->CreateSurface(&wrong, &other, nullptr), d3d7::DD_OK);
    EXPECT_EQ(back->AddAttachedSurface(other), d3d7::DDERR_CANNOTATTACHSURFACE);
    other->Release();

    AttachDepth(32, 0);
    EXPECT_EQ(device->Clear(0, nullptr, both, 0, 1.0f, 0), d3d7::DD_OK);
    EXPECT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_STENCIL, 0, 1.0f, 0), d3d7::D3DERR_STENCILBUFFER_NOTPRESENT);
    EXPECT_EQ(back->AddAttachedSurface(depth), d3d7::DDERR_SURFACEALREADYATTACHED);
    d3d7::DDSCAPS2 caps;
    caps.caps = d3d7::DDSCAPS_ZBUFFER;
    d3d7::IDirectDrawSurface7* found = nullptr;
    ASSERT_EQ(back->GetAttachedSurface(&caps, &found), d3d7::DD_OK);
    EXPECT_EQ(found, depth);
    found->Release();
    caps.caps = d3d7::DDSCAPS_BACKBUFFER;
    EXPECT_EQ(back->GetAttachedSurface(&caps, &found), d3d7::DDERR_NOTFOUND);
}

TEST_F(StandInObjectsTest, LockingRules)
{
    MakeWindowedDevice(16, 16);
    d3d7::IDirectDrawSurface7* plain = MakeSystemSurface(5, 3);
    d3d7::DDSURFACEDESC2 locked;
    locked.size = sizeof(locked);
    ASSERT_EQ(plain->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT, nullptr), d3d7::DD_OK);
    EXPECT_NE(locked.surface, nullptr);
    EXPECT_GE(locked.pitch, 20);
    EXPECT_EQ(locked.pitch % 4, 0);
    EXPECT_EQ(locked.pixelFormat.rgbBitCount, 32u) << "the display's format";
    d3d7::DDSURFACEDESC2 again;
    again.size = sizeof(again);
    EXPECT_EQ(plain->Lock(nullptr, &again, d3d7::DDLOCK_WAIT, nullptr), d3d7::DDERR_SURFACEBUSY);
    EXPECT_EQ(plain->Unlock(nullptr), d3d7::DD_OK);
    EXPECT_EQ(plain->Unlock(nullptr), d3d7::DDERR_NOTLOCKED);
    EXPECT_EQ(back->Lock(nullptr, &again, d3d7::DDLOCK_WAIT, nullptr), d3d7::DDERR_CANTLOCKSURFACE);
    d3d7::DDSURFACEDESC2 wrongSize;
    wrongSize.size = 12;
    EXPECT_EQ(plain->Lock(nullptr, &wrongSize, d3d7::DDLOCK_WAIT, nullptr), d3d7::DDERR_INVALIDPARAMS);
    plain->Release();
}

TEST_F(StandInObjectsTest, SurfacesMadeOffTheGlThreadGetTheirGlObjectsOnIt)
{
    MakeWindowedDevice(32, 32);
    d3d7::IDirectDrawSurface7* target = nullptr;
    std::thread maker([&] {
        d3d7::DDSURFACEDESC2 desc = PlainDesc(32, 32, d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_3DDEVICE);
        EXPECT_EQ(directDraw->CreateSurface(&desc, &target, nullptr), d3d7::DD_OK);
    });
    maker.join();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(device->SetRenderTarget(target, 0), d3d7::DD_OK);
    ASSERT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_TARGET, 0xFF0000FFu, 1.0f, 0), d3d7::DD_OK);
    EXPECT_EQ(d3d7::testing::ReadColor(target, 31, 31).b, 0xFF);
    ASSERT_EQ(device->SetRenderTarget(back, 0), d3d7::DD_OK);
    // Released on the other thread, its GL objects go at the next GL call.
    std::thread releaser([&] { EXPECT_EQ(target->Release(), 0u); });
    releaser.join();
    EXPECT_EQ(device->Clear(0, nullptr, d3d7::D3DCLEAR_TARGET, 0, 1.0f, 0), d3d7::DD_OK);
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), 0u);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Surface), 2);
}

} // namespace
