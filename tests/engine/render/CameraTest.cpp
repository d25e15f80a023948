#include "engine/render/CameraManager.h"
#include "engine/render/Camera_D3D7.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace OrvaneEngine;
using corvellan::test::Describe;
using corvellan::test::Mesh;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlack{0, 0, 0};

class CameraTest : public corvellan::test::DrawFixture
{
protected:
    void Start()
    {
        CreateSmall();
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderSystem.get());
    }

    void TearDown() override
    {
        cameras.reset();
        DrawFixture::TearDown();
    }

    // The toolkit's camera over the 800 x 600 virtual screen.
    Camera* GuiCamera()
    {
        Camera* camera = cameras->CreateCamera(1);
        camera->nearPlane = 500.0f;
        camera->farPlane = -500.0f;
        camera->width = 800.0f;
        camera->height = 600.0f;
        return camera;
    }

    std::unique_ptr<CameraManager> cameras;
};

TEST_F(CameraTest, ProjectionsAndViewsFollowTheSettings)
{
    Start();
    Camera* gui = GuiCamera();
    Camera* placed = cameras->CreateCamera(0);
    placed->position = Vector3(0.0f, 0.0f, 10.0f);
    cameras->Update();

    const Matrix4& perspective = cameras->defaultCamera->projection;
    EXPECT_NEAR(perspective.m[0], 1.29904f, 1e-5f);
    EXPECT_NEAR(perspective.m[5], 1.73205f, 1e-5f);
    EXPECT_NEAR(perspective.m[10], -1001.0f / 999.0f, 1e-6f);
    EXPECT_NEAR(perspective.m[14], -2000.0f / 999.0f, 1e-5f);
    EXPECT_FLOAT_EQ(perspective.m[11], -1.0f);
    const auto* device = static_cast<Camera_D3D7*>(cameras->defaultCamera);
    // Direct3D's left-handed form of the same view volume.
    EXPECT_NEAR(device->deviceProjection.m[10], 1000.0f / 999.0f, 1e-6f);
    EXPECT_FLOAT_EQ(device->deviceProjection.m[11], 1.0f);
    EXPECT_NEAR(device->deviceProjection.m[14], -1000.0f / 999.0f, 1e-5f);
    EXPECT_NEAR(device->zBiasedDeviceProjection.m[10], 1001.0f / 1000.0f, 1e-6f);

    const auto* guiDevice = static_cast<Camera_D3D7*>(gui);
    const float expected[16] = {0.0025f, 0, 0, 0, 0, 0.0033333f, 0, 0, 0, 0, 0.001f, 0, -1, -1, 0.5f, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(guiDevice->deviceProjection.m[i], expected[i], 1e-6f) << i;
    EXPECT_NEAR(guiDevice->zBiasedDeviceProjection.m[10], 1.0f / 999.0f, 1e-7f);
    EXPECT_NEAR(gui->projection.m[10], 0.002f, 1e-7f);
    EXPECT_NEAR(gui->projection.m[14], 0.0f, 1e-7f);

    EXPECT_FLOAT_EQ(placed->view.m[14], -10.0f);
    EXPECT_FLOAT_EQ(placed->direction.x, 0.0f);
    EXPECT_FLOAT_EQ(placed->direction.y, 0.0f);
    EXPECT_FLOAT_EQ(placed->direction.z, 1.0f);
}

TEST_F(CameraTest, UnprojectTurnsScreenPointsIntoPickingPoints)
{
    Start();
    Camera* gui = GuiCamera();
    cameras->Update();
    EXPECT_EQ(cameras->viewportWidth, kWidth);
    cameras->viewportWidth = 1024;
    cameras->viewportHeight = 768;
    const struct
    {
        Vector3 screen;
        Vector3 expected;
    } rows[] = {
        {Vector3(512.0f, 384.0f, 0.5f), Vector3(400.0f, 300.0f, 0.0f)},
        {Vector3(0.0f, 0.0f, 0.0f), Vector3(0.0f, 0.0f, -500.0f)},
        {Vector3(1024.0f, 768.0f, 1.0f), Vector3(800.0f, 600.0f, 500.0f)},
    };
    for (const auto& row : rows)
    {
        Vector3 out(9.0f, 9.0f, 9.0f);
        cameras->Unproject(out, gui, row.screen);
        EXPECT_NEAR(out.x, row.expected.x, 1e-3f);
        EXPECT_NEAR(out.y, row.expected.y, 1e-3f);
        EXPECT_NEAR(out.z, row.expected.z, 1e-3f);
    }
}

TEST_F(CameraTest, TheProjectionIsSetOnlyWhenTheCameraOrItsBiasChanges)
{
    Start();
    Camera* gui = GuiCamera();
    cameras->Update();
    const std::uint32_t start = d3d7::testing::GetProjectionSetCount();
    cameras->SetCamera(gui, false);
    cameras->SetCamera(gui, false);
    EXPECT_EQ(d3d7::testing::GetProjectionSetCount(), start + 1);
    cameras->SetCamera(gui, true);
    EXPECT_EQ(d3d7::testing::GetProjectionSetCount(), start + 2);
    cameras->Update();
    cameras->SetCamera(gui, true);
    EXPECT_EQ(d3d7::testing::GetProjectionSetCount(), start + 3);
}

TEST_F(CameraTest, CamerasPlaceGeometryOnTheScreen)
{
    Start();
    Camera* gui = GuiCamera();
    cameras->Update();

    // The virtual screen's (0, 0) to (400, 300) is the bottom-left quarter.
    cameras->SetCamera(gui, false);
    Mesh quarter = Rect(0.0f, 0.0f, 400.0f, 300.0f, 0xFFFF0000u, 0.0f);
    DrawFrame({&quarter});
    EXPECT_TRUE(Near(Pixel(2, kHeight - 3), kRed)) << Describe(Pixel(2, kHeight - 3));
    EXPECT_TRUE(Near(Pixel(kWidth / 2 - 3, kHeight / 2 + 2), kRed));
    EXPECT_TRUE(Near(Pixel(kWidth / 2 + 2, kHeight / 2 + 2), kBlack));
    EXPECT_TRUE(Near(Pixel(kWidth / 2 - 3, kHeight / 2 - 3), kBlack));

    // The perspective camera looks down -z: in front, behind, beyond the far plane.
    const struct
    {
        float z;
        bool shows;
    } rows[] = {{-5.0f, true}, {5.0f, false}, {-1500.0f, false}};
    for (const auto& row : rows)
    {
        cameras->SetCamera(cameras->defaultCamera, false);
        Mesh quad = Rect(-1.0f, -1.0f, 1.0f, 1.0f, 0xFF00FF00u, row.z);
        DrawFrame({&quad});
        EXPECT_EQ(Near(At(0.0f, 0.0f), kGreen), row.shows) << row.z << Describe(At(0.0f, 0.0f));
    }
}

TEST_F(CameraTest, ZBiasedDrawsLieBehindOrBeforeCoplanarOnes)
{
    Start();
    Camera* gui = GuiCamera();
    cameras->Update();
    renderSystem->SetZ(true);
    const struct
    {
        Camera* camera;
        float x0;
        float x1;
        float z;
        Rgb winner;
    } rows[] = {
        // The toolkit's biased projection divides by 999: a little further.
        {gui, 0.0f, 800.0f, 0.0f, kRed},
        // A perspective far plane one unit further brings every depth nearer.
        {cameras->defaultCamera, -2.0f, 2.0f, -5.0f, kGreen},
    };
    for (const auto& row : rows)
    {
        Mesh plain = Rect(row.x0, row.x0, row.x1, row.x1, 0xFFFF0000u, row.z);
        Mesh biased = Rect(row.x0, row.x0, row.x1, row.x1, 0xFF00FF00u, row.z);
        for (const bool biasedFirst : {false, true})
        {
            renderSystem->BeginScene();
            for (const bool bias : {biasedFirst, !biasedFirst})
            {
                cameras->SetCamera(row.camera, bias);
                Draw(bias ? biased : plain);
            }
            renderSystem->EndScene();
            Grab();
            EXPECT_TRUE(Near(At(0.0f, 0.0f), row.winner)) << biasedFirst << Describe(At(0.0f, 0.0f));
        }
    }
}

} // namespace
