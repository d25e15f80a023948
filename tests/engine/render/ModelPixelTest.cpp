// The model pass on the real device (llvmpipe when headless): files from the
// model, shader and image writers, loaded by the model manager, drawn by its
// render pass through the default camera (at the origin, looking down -z,
// 60 degrees vertically), and read back before the present.
#include "content/ImageFixtures.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "platform/d3d7/Results.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/engine/render/DrawFixture.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;
using corvellan::test::Describe;
using corvellan::test::Near;
using corvellan::test::Rgb;

class ModelPixelTest : public corvellan::test::DrawFixture
{
protected:
    static constexpr std::uint32_t Flags = Model::FlagVisible | Model::FlagDepthTest | Model::FlagOpaque;

    void SetUp() override
    {
        DrawFixture::SetUp();
        CreateSmall(32, true);
        renderSystem->clearColor = Color(0.0f, 0.0f, 1.0f, 1.0f);
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderSystem.get());
        lights = std::make_unique<LightManager>(&log, renderSystem.get());
        shaders = std::make_unique<ShaderManager>(&log, &files, &timers, &config, renderSystem.get());
        models = std::make_unique<ModelManager>(&log, &files, &timers, renderSystem.get(), cameras.get(),
                                                lights.get(), shaders.get());
    }

    void TearDown() override
    {
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
        DrawFixture::TearDown();
    }

    // data\<name>.mlf, drawn with data\<name>.srf: one stage over a 4 x 4
    // picture of one colour, blended at half opacity when asked.
    void PutTextured(const std::string& name, const ModelFileRecord& record, Rgb colour, bool blended = false)
    {
        ASSERT_TRUE(ModelFileWriter::WriteTo(folder.Join("data/" + name + ".mlf"), record));
        std::string pixels;
        for (int pixel = 0; pixel < 16; ++pixel)
        {
            pixels.push_back(static_cast<char>(colour.b));
            pixels.push_back(static_cast<char>(colour.g));
            pixels.push_back(static_cast<char>(colour.r));
            pixels.push_back(static_cast<char>(blended ? 128 : 255));
        }
        TgaLayout layout;
        layout.depth = 32;
        ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/" + name + ".tga"), Tga(4, 4, layout, pixels)));
        ShaderFileRecord shader;
        shader.flags = blended ? 1 : 0;
        shader.sourceBlend = 4;
        shader.destinationBlend = 5;
        ShaderFileStage stage;
        stage.diffuseName = name + ".tga";
        stage.opacityName = blended ? "32bit" : "";
        shader.stages.push_back(stage);
        ASSERT_TRUE(ShaderFileWriter::WriteTo(folder.Join("data/" + name + ".srf"), shader));
    }

    // The engine's render steps for these services, the read-back, then the present.
    void Frame()
    {
        cameras->Update();
        lights->Update();
        shaders->Update();
        models->Render();
        Grab();
        const std::uint32_t presents = d3d7::testing::GetPresentCount();
        models->Present();
        EXPECT_EQ(d3d7::testing::GetPresentCount(), presents + 1);
    }

    void Expect(float x, float y, const Rgb& expected, int tolerance = 2)
    {
        const Rgb actual = At(x, y);
        EXPECT_TRUE(Near(actual, expected, tolerance))
            << "at (" << x << ", " << y << "): " << Describe(actual) << ", expected " << Describe(expected);
    }

    // Places a static model: its owner moves the volume with the matrix.
    static void Place(Model& model, const Matrix4& matrix)
    {
        model.worldMatrix = matrix;
        model.boundingVolume.SetMatrix(matrix);
    }

    static Matrix4 Translation(float x, float y, float z)
    {
        Matrix4 matrix;
        Matrix4::Translation(matrix, Vector3(x, y, z));
        return matrix;
    }

    static constexpr Rgb Clear{0, 0, 255};

    TimerManager timers;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
};

TEST_F(ModelPixelTest, StaticQuadIsDrawnWithItsTexture)
{
    PutTextured("red", MakeQuadMesh(-1, -1, 1, 1, -5), {255, 0, 0});
    models->LoadModel("red.mlf", nullptr, Flags);
    Frame();
    Expect(0.0f, 0.0f, {255, 0, 0});
    Expect(-0.98f, -0.98f, Clear);
    Expect(0.98f, 0.98f, Clear);
    EXPECT_EQ(models->drawnModels, 1u);
    EXPECT_EQ(models->trianglesDrawn, 2u);
}

TEST_F(ModelPixelTest, MorphQuadMovesFromItsFirstFrameToItsLast)
{
    PutTextured("morph", MakeMorphModel({MakeQuadMesh(-2, -1, -0.5f, 1, -5), MakeQuadMesh(0.5f, -1, 2, 1, -5)}, 1),
                {0, 255, 0});
    Model* model = models->LoadModel("morph.mlf", nullptr, Flags);
    Frame();
    Expect(-0.3f, 0.0f, {0, 255, 0});
    Expect(0.3f, 0.0f, Clear);
    model->GetAnimationControl()->SetLastFrame();
    Frame();
    Expect(-0.3f, 0.0f, Clear);
    Expect(0.3f, 0.0f, {0, 255, 0});
}

TEST_F(ModelPixelTest, SkinnedQuadFollowsItsBone)
{
    PutTextured("bone",
                MakeOneBoneModel(MakeQuadMesh(-2, -1, -0.5f, 1, -5), {MakeKey({0, 0, 0}), MakeKey({2.5f, 0, 0})}, 1),
                {255, 255, 0});
    Model* model = models->LoadModel("bone.mlf", nullptr, Flags);
    Frame();
    Expect(-0.3f, 0.0f, {255, 255, 0});
    Expect(0.3f, 0.0f, Clear);
    model->GetAnimationControl()->SetLastFrame();
    Frame();
    Expect(-0.3f, 0.0f, Clear);
    Expect(0.3f, 0.0f, {255, 255, 0});
}

TEST_F(ModelPixelTest, BlendedModelsAreDrawnOverOpaqueOnes)
{
    PutTextured("white", MakeQuadMesh(-1, -1, 1, 1, -4), {255, 255, 255}, true);
    PutTextured("green", MakeQuadMesh(-1, -1, 1, 1, -6), {0, 255, 0});
    // Registered in reverse: the blended one first.
    models->LoadModel("white.mlf", nullptr,
                      Model::FlagVisible | Model::FlagDepthTest | Model::FlagBlended | Model::FlagNoDepthWrite);
    models->LoadModel("green.mlf", nullptr, Flags);
    Frame();
    Expect(0.0f, 0.0f, {128, 255, 128}, 3);
}

TEST_F(ModelPixelTest, DepthTestKeepsTheNearColourWhenTheFarModelComesLast)
{
    PutTextured("near", MakeQuadMesh(-1, -1, 1, 1, -4), {255, 0, 0});
    PutTextured("far", MakeQuadMesh(-1, -1, 1, 1, -6), {0, 255, 0});
    Model* nearModel = models->LoadModel("near.mlf", nullptr, Flags | Model::FlagFixedDepth);
    Model* farModel = models->LoadModel("far.mlf", nullptr, Flags | Model::FlagFixedDepth);
    nearModel->depth = 1.0f; // the opaque group draws ascending depths: the far quad last
    farModel->depth = 2.0f;
    Frame();
    Expect(0.0f, 0.0f, {255, 0, 0});
}

TEST_F(ModelPixelTest, TwoPassBoxShowsFacesFromOutsideAndInside)
{
    PutTextured("cube", MakeBoxMesh({-1, -1, -1}, {1, 1, 1}), {255, 0, 255});
    Model* box = models->LoadModel("cube.mlf", nullptr, Flags | Model::FlagTwoPass);
    Place(*box, Translation(0, 0, -5));
    Frame();
    Expect(0.0f, 0.0f, {255, 0, 255});
    Expect(-0.98f, 0.0f, Clear);

    Place(*box, Matrix4::MakeScaling(Vector3(20, 20, 20))); // the camera inside
    Frame();
    Expect(0.0f, 0.0f, {255, 0, 255});
    Expect(-0.98f, 0.98f, {255, 0, 255});

    // One cull mode alone shows the box from one side only.
    box->SetFlags(Model::FlagCullClockwise);
    Frame();
    const Rgb inside = At(0.0f, 0.0f);
    box->SetFlags(Model::FlagCullCounterClockwise);
    Frame();
    EXPECT_NE(Near(inside, Clear), Near(At(0.0f, 0.0f), Clear));
}

TEST_F(ModelPixelTest, ThirtyTwoBitIndicesAreDrawn)
{
    ModelFileRecord record = MakeQuadMesh(-1, -1, 1, 1, -5);
    record.indices.assign(65536, 0); // degenerate triangles
    const std::uint32_t triangle[3] = {0, 1, 2}; // the lower right half of the quad
    std::copy(triangle, triangle + 3, record.indices.begin() + 30000);
    PutTextured("wide", record, {0, 255, 255});
    Model* model = models->LoadModel("wide.mlf", nullptr, Flags);
    ASSERT_TRUE(model->GetIndexBuffer()->Is32Bit());
    Frame();
    Expect(0.1f, -0.1f, {0, 255, 255});
    Expect(-0.1f, 0.1f, Clear);
}

TEST_F(ModelPixelTest, MissingFileIsDrawnAsTheDefaultBox)
{
    Model* box = models->LoadModel("nothing\\here.mlf", nullptr, Flags);
    EXPECT_EQ(box->GetName(), "nothing\\here.mlf");
    box->ClearFlags(Model::FlagLit);
    Place(*box, Translation(0, 0, -5));
    Frame();
    Expect(0.0f, 0.0f, {255, 255, 255});
    Expect(-0.98f, 0.98f, Clear);
    EXPECT_TRUE(HasEntry(2, "here.mlf"));
}

TEST_F(ModelPixelTest, CountersMatchTheScreen)
{
    PutTextured("red", MakeQuadMesh(-1, -1, 1, 1), {255, 0, 0});
    Model* left = models->LoadModel("red.mlf", nullptr, Flags);
    Model* right = models->LoadModel("red.mlf", nullptr, Flags);
    Model* behind = models->LoadModel("red.mlf", nullptr, Flags);
    Place(*left, Translation(-1.5f, 0, -5));
    Place(*right, Translation(1.5f, 0, -5));
    Place(*behind, Translation(0, 0, 5));
    Frame();
    EXPECT_EQ(models->visibleModels, 3u);
    EXPECT_EQ(models->drawnModels, 2u);
    EXPECT_EQ(models->triangles, 6u);
    EXPECT_EQ(models->trianglesDrawn, 4u);
    Expect(-0.45f, 0.0f, {255, 0, 0});
    Expect(0.45f, 0.0f, {255, 0, 0});
    Expect(0.0f, 0.0f, Clear);
}

TEST_F(ModelPixelTest, NothingMovesOrIsPresentedWhileTheDeviceIsLost)
{
    PutTextured("morph", MakeMorphModel({MakeQuadMesh(-2, -1, -0.5f, 1, -5), MakeQuadMesh(0.5f, -1, 2, 1, -5)}, 1),
                {0, 255, 0});
    Model* model = models->LoadModel("morph.mlf", nullptr, Flags);
    model->GetAnimationControl()->Play();
    timers.frameTime = 0.25f;
    Frame();
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.25f);

    d3d7::testing::LoseSurfaces(d3d7::DDERR_NOEXCLUSIVEMODE);
    renderSystem->Refresh();
    ASSERT_FALSE(renderSystem->ready);
    const std::uint32_t presents = d3d7::testing::GetPresentCount();
    models->Render();
    models->Present();
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presents);
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.25f);
    EXPECT_EQ(models->visibleModels, 0u);
    EXPECT_EQ(models->drawnModels, 0u);

    // Restored: the pass goes on from where it stood.
    d3d7::testing::LoseSurfaces(d3d7::DD_OK);
    renderSystem->Refresh();
    ASSERT_TRUE(renderSystem->ready);
    Frame();
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.5f);
    // Half way: the quad spans -0.75 to 0.75.
    Expect(0.0f, 0.0f, {0, 255, 0});
    Expect(-0.3f, 0.0f, Clear);
}

} // namespace
} // namespace OrvaneEngine
