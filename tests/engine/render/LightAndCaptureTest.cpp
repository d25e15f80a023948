#include "engine/render/Image.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/Results.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace OrvaneEngine;
using corvellan::test::Mesh;

namespace
{

class LightAndCaptureTest : public corvellan::test::DrawFixture
{
protected:
    d3d7::D3DLIGHT7 DeviceLight(std::uint32_t index)
    {
        d3d7::D3DLIGHT7 light;
        EXPECT_EQ(renderSystem->d3dDevice->GetLight(index, &light), d3d7::D3D_OK);
        return light;
    }

    bool Enabled(std::uint32_t index)
    {
        bool enabled = false;
        EXPECT_EQ(renderSystem->d3dDevice->GetLightEnable(index, &enabled), d3d7::D3D_OK);
        return enabled;
    }
};

TEST_F(LightAndCaptureTest, LightsReachTheDeviceAsTheirTypeSays)
{
    CreateSmall();
    auto lights = std::make_unique<LightManager>(&log, renderSystem.get());
    Light* point = lights->CreateLight();
    Light* spot = lights->CreateLight();
    spot->type = Light::Spot;
    spot->position = Vector3(1.0f, 2.0f, 3.0f);
    spot->direction = Vector3(0.0f, -1.0f, 0.0f);
    spot->innerConeAngle = 0.25f;
    spot->outerConeAngle = 0.5f;
    spot->linearAttenuation = 0.125f;
    Light* directional = lights->CreateLight();
    directional->type = Light::Directional;
    directional->diffuseColor = Color(0.5f, 0.25f, 0.0f, 1.0f);
    lights->Update();

    const d3d7::D3DLIGHT7 first = DeviceLight(0);
    EXPECT_EQ(first.type, d3d7::D3DLIGHT_POINT);
    EXPECT_FLOAT_EQ(first.position.x, 0.0f);
    EXPECT_FLOAT_EQ(first.attenuation0, 1.0f);
    EXPECT_FLOAT_EQ(first.attenuation1, 0.0f);
    EXPECT_FLOAT_EQ(first.diffuse.g, 1.0f);
    EXPECT_FLOAT_EQ(first.specular.b, 1.0f);
    EXPECT_FLOAT_EQ(first.ambient.r, 1.0f);
    EXPECT_NEAR(first.range, 1.8446743e19f, 1e13f);
    EXPECT_TRUE(Enabled(0));

    const d3d7::D3DLIGHT7 second = DeviceLight(1);
    EXPECT_EQ(second.type, d3d7::D3DLIGHT_SPOT);
    EXPECT_FLOAT_EQ(second.position.z, 3.0f);
    EXPECT_FLOAT_EQ(second.direction.y, -1.0f);
    EXPECT_FLOAT_EQ(second.theta, 0.25f);
    EXPECT_FLOAT_EQ(second.phi, 0.5f);
    EXPECT_FLOAT_EQ(second.falloff, 1.0f);
    EXPECT_FLOAT_EQ(second.attenuation1, 0.125f);

    const d3d7::D3DLIGHT7 third = DeviceLight(2);
    EXPECT_EQ(third.type, d3d7::D3DLIGHT_DIRECTIONAL);
    EXPECT_FLOAT_EQ(third.direction.z, -1.0f);
    EXPECT_FLOAT_EQ(third.diffuse.g, 0.25f);
    EXPECT_TRUE(Entries(2).empty());

    // A disabled light is only switched off; what was sent stays.
    point->enabled = false;
    point->position = Vector3(9.0f, 9.0f, 9.0f);
    lights->Update();
    EXPECT_FALSE(Enabled(0));
    EXPECT_FLOAT_EQ(DeviceLight(0).position.x, 0.0f);

    // A type the device does not know is refused and reported.
    spot->type = 7;
    lights->Update();
    EXPECT_EQ(CountEntries(2, "Direct3D Subsystem (Light_D3D7::Refresh): "), 1u);

    // Deleting a light switches it off.
    lights->DeleteLight(directional);
    EXPECT_FALSE(Enabled(2));
    lights.reset();
    EXPECT_FALSE(Enabled(1));
}

TEST_F(LightAndCaptureTest, MoreLightsThanTheDeviceHoldsAreRefused)
{
    CreateSmall();
    LightManager lights(&log, renderSystem.get());
    for (int i = 0; i < 9; ++i)
        lights.CreateLight();
    lights.Update();
    EXPECT_EQ(CountEntries(2, "Direct3D Subsystem (Light_D3D7::Refresh): "), 1u);
    EXPECT_FALSE(Enabled(8));
}

TEST_F(LightAndCaptureTest, CaptureScreenCopiesTheBackBufferBottomRowFirst)
{
    const struct
    {
        std::uint32_t bits;
        std::uint32_t imageBits;
        std::uint8_t green;
    } rows[] = {{32, 32, 128}, {16, 24, 130}};
    for (const auto& row : rows)
    {
        renderSystem.reset();
        window.reset();
        CreateSmall(row.bits, false, true);
        ASSERT_EQ(renderSystem->backBufferDesc.pixelFormat.rgbBitCount, row.bits);
        // An orange quad over the top-left quarter.
        Mesh quad = Rect(-1.0f, 0.0f, 0.0f, 1.0f, 0xFFFF8000u);
        renderSystem->BeginScene();
        Draw(quad);
        renderSystem->EndScene();
        Image image;
        renderSystem->CaptureScreen(image);
        ASSERT_EQ(image.GetWidth(), kWidth);
        ASSERT_EQ(image.GetHeight(), kHeight);
        ASSERT_EQ(image.GetBitsPerPixel(), row.imageBits);
        const std::uint32_t bytes = row.imageBits / 8;
        const auto at = [&](std::uint32_t x, std::uint32_t y) {
            return image.GetPixels() + (static_cast<std::size_t>(y) * kWidth + x) * bytes;
        };
        // Image row height - 1 is the top of the picture.
        const std::uint8_t* top = at(10, kHeight - 10);
        EXPECT_EQ(top[0], 255) << row.bits;
        EXPECT_NEAR(top[1], row.green, 1) << row.bits;
        EXPECT_EQ(top[2], 0) << row.bits;
        if (bytes == 4)
        {
            EXPECT_EQ(top[3], 255);
        }
        const std::uint8_t* bottom = at(10, 10);
        EXPECT_EQ(bottom[0] + bottom[1] + bottom[2], 0) << row.bits;
    }
}

} // namespace
