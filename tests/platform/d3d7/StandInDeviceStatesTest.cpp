#include "tests/platform/d3d7/D3D7PlatformFixture.h"

#include "platform/d3d7/DeviceTypes.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class StandInDeviceStatesTest : public corvellan::test::D3D7PlatformFixture
{
protected:
    d3d7::DDSURFACEDESC2 TextureDesc(std::uint32_t width, std::uint32_t height, const d3d7::DDPIXELFORMAT& format)
    {
        d3d7::DDSURFACEDESC2 desc = PlainDesc(width, height, d3d7::DDSCAPS_TEXTURE);
        desc.flags |= d3d7::DDSD_PIXELFORMAT;
        desc.pixelFormat = format;
        return desc;
    }

    std::vector<d3d7::DDPIXELFORMAT> Formats()
    {
        std::vector<d3d7::DDPIXELFORMAT> formats;
        device->EnumTextureFormats(
            [](d3d7::DDPIXELFORMAT* format, void* context) {
                static_cast<std::vector<d3d7::DDPIXELFORMAT>*>(context)->push_back(*format);
                return true;
            },
            &formats);
        return formats;
    }
};

TEST_F(StandInDeviceStatesTest, StatesOutsideTheEnginesSetAreRefused)
{
    MakeWindowedDevice(64, 64);
    const struct
    {
        std::uint32_t state;
        std::uint32_t value;
    } refusedRenderStates[] = {
        {8, 2},                                         // FILLMODE: not one the engine sets
        {d3d7::D3DRENDERSTATE_ZENABLE, 2},              // w-buffering
        {d3d7::D3DRENDERSTATE_DESTBLEND, d3d7::D3DBLEND_SRCALPHASAT},
        {d3d7::D3DRENDERSTATE_SRCBLEND, 12},
        {d3d7::D3DRENDERSTATE_CULLMODE, 0},
        {d3d7::D3DRENDERSTATE_ZFUNC, 9},
        {d3d7::D3DRENDERSTATE_STENCILPASS, 9},
    };
    for (const auto& row : refusedRenderStates)
        EXPECT_EQ(device->SetRenderState(row.state, row.value), d3d7::DDERR_INVALIDPARAMS) << row.state;
    const struct
    {
        std::uint32_t stage;
        std::uint32_t state;
        std::uint32_t value;
    } refusedStageStates[] = {
        {0, d3d7::D3DTSS_COLORARG1, d3d7::D3DTA_DIFFUSE},
        {0, d3d7::D3DTSS_ADDRESSU, 2},    // mirror
        {0, d3d7::D3DTSS_MAGFILTER, 3},   // cubic
        {0, d3d7::D3DTSS_TEXCOORDINDEX, 1},
        {0, d3d7::D3DTSS_MAXANISOTROPY, 0},
        {99, d3d7::D3DTSS_COLOROP, d3d7::D3DTOP_MODULATE},
    };
    for (const auto& row : refusedStageStates)
        EXPECT_EQ(device->SetTextureStageState(row.stage, row.state, row.value), d3d7::DDERR_INVALIDPARAMS)
            << row.state;
    d3d7::D3DMATRIX matrix;
    EXPECT_EQ(device->SetTransform(4, &matrix), d3d7::DDERR_INVALIDPARAMS);
    EXPECT_EQ(device->SetTransform(d3d7::D3DTRANSFORMSTATE_WORLD, nullptr), d3d7::DDERR_INVALIDPARAMS);
    std::uint32_t value = 0;
    EXPECT_EQ(device->GetRenderState(8, &value), d3d7::DDERR_INVALIDPARAMS);

    // What the device starts with: Direct3D's own defaults.
    ASSERT_EQ(device->GetRenderState(d3d7::D3DRENDERSTATE_CULLMODE, &value), d3d7::D3D_OK);
    EXPECT_EQ(value, d3d7::D3DCULL_CCW);
    ASSERT_EQ(device->GetRenderState(d3d7::D3DRENDERSTATE_LIGHTING, &value), d3d7::D3D_OK);
    EXPECT_EQ(value, 1u);
    ASSERT_EQ(device->GetTextureStageState(1, d3d7::D3DTSS_COLOROP, &value), d3d7::D3D_OK);
    EXPECT_EQ(value, d3d7::D3DTOP_DISABLE);
    ASSERT_EQ(device->GetTextureStageState(0, d3d7::D3DTSS_ALPHAOP, &value), d3d7::D3D_OK);
    EXPECT_EQ(value, d3d7::D3DTOP_SELECTARG1);
}

TEST_F(StandInDeviceStatesTest, LightsNeedATypeAndAFreeGlLight)
{
    MakeWindowedDevice(64, 64);
    d3d7::D3DLIGHT7 light;
    EXPECT_EQ(device->SetLight(0, &light), d3d7::DDERR_INVALIDPARAMS) << "type 0";
    light.type = d3d7::D3DLIGHT_POINT;
    for (std::uint32_t index = 0; index < 8; ++index)
    {
        ASSERT_EQ(device->SetLight(index * 10, &light), d3d7::D3D_OK);
        ASSERT_EQ(device->LightEnable(index * 10, true), d3d7::D3D_OK);
    }
    EXPECT_EQ(device->LightEnable(100, true), d3d7::DDERR_INVALIDPARAMS);
    EXPECT_EQ(device->LightEnable(0, true), d3d7::D3D_OK) << "already on";
    EXPECT_EQ(device->LightEnable(0, false), d3d7::D3D_OK);
    EXPECT_EQ(device->LightEnable(100, true), d3d7::D3D_OK);
    d3d7::D3DLIGHT7 read;
    EXPECT_EQ(device->GetLight(100, &read), d3d7::D3D_OK);
    EXPECT_EQ(read.type, d3d7::D3DLIGHT_DIRECTIONAL) << "a light enabled unset is the default one";
    EXPECT_EQ(device->GetLight(5, &read), d3d7::DDERR_INVALIDPARAMS);
}

TEST_F(StandInDeviceStatesTest, TextureFormatsAndTextureSurfaces)
{
    MakeWindowedDevice(64, 64);
    const std::vector<d3d7::DDPIXELFORMAT> formats = Formats();
    ASSERT_EQ(formats.size(), 7u);
    EXPECT_EQ(formats[0].alphaMask, 0xFF000000u);
    EXPECT_EQ(formats[1].alphaMask, 0u);
    EXPECT_EQ(formats[1].rgbBitCount, 32u);
    EXPECT_EQ(formats[2].redMask, 0xF800u);
    EXPECT_EQ(formats[3].alphaMask, 0x8000u);
    EXPECT_EQ(formats[4].alphaMask, 0xF000u);
    EXPECT_TRUE(formats[5].flags & d3d7::DDPF_LUMINANCE);
    EXPECT_TRUE(formats[6].flags & d3d7::DDPF_FOURCC);

    // A full chain by default; the count asked for otherwise; FourCC refused.
    d3d7::DDSURFACEDESC2 desc = TextureDesc(16, 4, formats[0]);
    desc.caps.caps |= d3d7::DDSCAPS_MIPMAP | d3d7::DDSCAPS_COMPLEX;
    d3d7::IDirectDrawSurface7* chain = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &chain, nullptr), d3d7::DD_OK);
    std::vector<std::uint32_t> widths;
    for (d3d7::IDirectDrawSurface7* level = chain; level;)
    {
        widths.push_back(level->GetDesc().width);
        d3d7::DDSCAPS2 caps;
        caps.caps = d3d7::DDSCAPS_TEXTURE | d3d7::DDSCAPS_MIPMAP;
        d3d7::IDirectDrawSurface7* next = nullptr;
        if (level->GetAttachedSurface(&caps, &next) != d3d7::DD_OK)
            break;
        next->Release();
        level = next;
    }
    EXPECT_EQ(widths, (std::vector<std::uint32_t>{16, 8, 4, 2, 1}));
    desc.flags |= d3d7::DDSD_MIPMAPCOUNT;
    desc.mipMapCount = 6;
    d3d7::IDirectDrawSurface7* refused = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &refused, nullptr), d3d7::DDERR_INVALIDPARAMS);
    d3d7::DDSURFACEDESC2 compressed = TextureDesc(4, 4, formats[6]);
    EXPECT_EQ(directDraw->CreateSurface(&compressed, &refused, nullptr), d3d7::DDERR_INVALIDPIXELFORMAT);

    // Filled through a staging surface of the same format; a plain surface is no texture.
    d3d7::DDSURFACEDESC2 stagingDesc = TextureDesc(16, 4, formats[0]);
    stagingDesc.caps.caps |= d3d7::DDSCAPS_SYSTEMMEMORY;
    d3d7::IDirectDrawSurface7* staging = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&stagingDesc, &staging, nullptr), d3d7::DD_OK);
    d3d7::IDirectDrawSurface7* small = nullptr;
    d3d7::DDSURFACEDESC2 smallDesc = TextureDesc(8, 4, formats[0]);
    ASSERT_EQ(directDraw->CreateSurface(&smallDesc, &small, nullptr), d3d7::DD_OK);
    EXPECT_EQ(chain->Blt(nullptr, staging, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DD_OK);
    EXPECT_EQ(chain->Blt(nullptr, small, nullptr, d3d7::DDBLT_WAIT, nullptr), d3d7::DDERR_INVALIDRECT);
    EXPECT_EQ(device->SetTexture(0, chain), d3d7::D3D_OK);
    EXPECT_EQ(device->SetTexture(0, back), d3d7::DDERR_INVALIDSURFACETYPE);
    // The device holds the texture while it is set.
    EXPECT_EQ(chain->Release(), 1u);
    EXPECT_EQ(device->SetTexture(0, nullptr), d3d7::D3D_OK);
    staging->Release();
    small->Release();
}

TEST_F(StandInDeviceStatesTest, DrawsTakeTheTwoVertexFormatsAsListsAndStrips)
{
    MakeWindowedDevice(64, 64);
    std::vector<std::uint8_t> vertices(3 * 36, 0);
    const std::uint16_t indices[3] = {0, 1, 2};
    void* v = vertices.data();
    void* i = const_cast<std::uint16_t*>(indices);
    EXPECT_EQ(device->DrawIndexedPrimitive(d3d7::D3DPT_TRIANGLELIST, 0x152, v, 3, i, 3, 0), d3d7::D3D_OK);
    EXPECT_EQ(device->DrawIndexedPrimitive(d3d7::D3DPT_TRIANGLESTRIP, 0x112, v, 3, i, 3, 0), d3d7::D3D_OK);
    EXPECT_EQ(d3d7::testing::GetLastDraw().fvf, 0x112u);
    const struct
    {
        std::uint32_t type;
        std::uint32_t fvf;
        std::uint32_t indexSize;
    } refused[] = {{6, 0x112, 2}, {d3d7::D3DPT_TRIANGLELIST, 0x142, 2}, {d3d7::D3DPT_TRIANGLELIST, 0x112, 3}};
    for (const auto& row : refused)
        EXPECT_EQ(device->DrawIndexedPrimitive(row.type, row.fvf, v, 3, i, 3, 0, row.indexSize),
                  d3d7::DDERR_INVALIDPARAMS);
    EXPECT_EQ(device->DrawIndexedPrimitive(d3d7::D3DPT_TRIANGLELIST, 0x112, nullptr, 3, i, 3, 0),
              d3d7::DDERR_INVALIDPARAMS);
}

} // namespace
