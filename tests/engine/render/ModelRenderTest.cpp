#include "content/ModelMeshes.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/ModelFixture.h"

#include <gtest/gtest.h>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;

class ModelRenderTest : public corvellan::test::ModelFixture
{
protected:
    // A visible box 10 units in front of the default camera, updated so that it may be drawn.
    std::unique_ptr<Model> ReadyBox(std::uint32_t flags, const ShaderDescriptor* descriptor = nullptr)
    {
        auto box = Box(Vector3(-1, -1, -11), Vector3(1, 1, -9), flags, descriptor);
        box->Update(true);
        EXPECT_EQ(box->GetPrimitivesToDraw(), 12u);
        return box;
    }

    std::vector<std::string> CallNames() const
    {
        std::vector<std::string> names;
        for (const auto& call : renderSystem.calls)
            names.push_back(call.name);
        return names;
    }
};

TEST_F(ModelRenderTest, PassesAndCullModesFollowTheFlags)
{
    struct Case
    {
        std::uint32_t flags;
        std::vector<std::uint32_t> cullModes;
    };
    const Case cases[] = {
        {0x0, {1}}, // a box starts with cull mode 1
        {0x4000, {2, 1}},
        {0x400000, {2}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.flags);
        auto box = ReadyBox(c.flags);
        renderSystem.draws.clear();
        box->Render();
        ASSERT_EQ(renderSystem.draws.size(), c.cullModes.size());
        for (std::size_t pass = 0; pass < c.cullModes.size(); ++pass)
        {
            EXPECT_EQ(renderSystem.draws[pass].cullMode, c.cullModes[pass]);
            EXPECT_EQ(renderSystem.draws[pass].primitives, 12u);
            EXPECT_FALSE(renderSystem.draws[pass].strip);
            EXPECT_EQ(renderSystem.draws[pass].indexBuffer, box->GetIndexBuffer());
        }
    }
    auto none = Procedural(Model::FlagList | Model::FlagVisible, 3, 3);
    none->boundingVolume.SetBox(Vector3(-1, -1, -11), Vector3(1, 1, -9));
    none->Update(true);
    renderSystem.draws.clear();
    none->Render();
    ASSERT_EQ(renderSystem.draws.size(), 1u);
    EXPECT_EQ(renderSystem.draws[0].cullMode, 0u);
}

TEST_F(ModelRenderTest, DepthLightingAndStencilStatesFollowTheFlags)
{
    auto lit = ReadyBox(0); // lit and depth tested
    renderSystem.draws.clear();
    lit->Render();
    ASSERT_EQ(renderSystem.draws.size(), 1u);
    EXPECT_TRUE(renderSystem.draws[0].lighting);
    EXPECT_TRUE(renderSystem.draws[0].normalizeNormals);
    EXPECT_TRUE(renderSystem.draws[0].zEnable);
    EXPECT_TRUE(renderSystem.draws[0].zWrite);
    EXPECT_FALSE(renderSystem.draws[0].stencil);

    auto flat = ReadyBox(Model::FlagNoDepthWrite);
    flat->ClearFlags(Model::FlagLit | Model::FlagDepthTest);
    renderSystem.draws.clear();
    flat->Render();
    ASSERT_EQ(renderSystem.draws.size(), 1u);
    EXPECT_FALSE(renderSystem.draws[0].lighting);
    EXPECT_FALSE(renderSystem.draws[0].normalizeNormals);
    EXPECT_FALSE(renderSystem.draws[0].zEnable);
    EXPECT_FALSE(renderSystem.draws[0].zWrite);
}

TEST_F(ModelRenderTest, StencilModelsNeedAStencilBufferAndSwitchItOnlyForThemselves)
{
    auto stencil = ReadyBox(Model::FlagStencil);
    auto plain = ReadyBox(0);
    renderSystem.stencilAvailable = false;
    renderSystem.draws.clear();
    stencil->Render();
    EXPECT_TRUE(renderSystem.draws.empty());

    renderSystem.stencilAvailable = true;
    stencil->Render();
    plain->Render();
    ASSERT_EQ(renderSystem.draws.size(), 2u);
    EXPECT_TRUE(renderSystem.draws[0].stencil);
    EXPECT_FALSE(renderSystem.draws[1].stencil);
}

TEST_F(ModelRenderTest, ModelsAreSkippedWhenHiddenCulledOrBeyondTheDevicesStages)
{
    ShaderDescriptor twoStages(0);
    twoStages.AddStage(ShaderStage::OwnerTexture, 0, 1, 1, 0, 0.0f, "a.tga", "", 0);
    twoStages.AddStage(ShaderStage::OwnerTexture, 0, 1, 1, 0, 0.0f, "b.tga", "", 0);
    auto detailed = ReadyBox(0, &twoStages);
    renderSystem.draws.clear();
    detailed->Render();
    EXPECT_EQ(renderSystem.draws.size(), 1u);
    renderSystem.textureStageCount = 1;
    detailed->Render();
    EXPECT_EQ(renderSystem.draws.size(), 1u);
    renderSystem.textureStageCount = 2;

    auto hidden = ReadyBox(0);
    hidden->ClearFlags(Model::FlagVisible);
    auto culled = Box(Vector3(-1, -1, 9), Vector3(1, 1, 11)); // behind the camera
    culled->Update(true);
    EXPECT_EQ(culled->GetPrimitivesToDraw(), 0u);
    renderSystem.draws.clear();
    hidden->Render();
    culled->Render();
    EXPECT_TRUE(renderSystem.draws.empty());
}

TEST_F(ModelRenderTest, TheCameraIsAppliedWithItsZBiasOnlyWhenItChanges)
{
    auto normal = ReadyBox(0);
    auto biased = ReadyBox(Model::FlagZBiased);
    auto& camera = static_cast<corvellan::test::CountingCamera&>(*cameras.defaultCamera);
    normal->Render();
    normal->Render();
    EXPECT_EQ(camera.applies, 1);
    EXPECT_EQ(camera.zBiasedApplies, 0);
    biased->Render();
    EXPECT_EQ(camera.applies, 1);
    EXPECT_EQ(camera.zBiasedApplies, 1);

    // A model of its own camera makes that one current.
    auto& gui = static_cast<corvellan::test::CountingCamera&>(*cameras.CreateCamera(1));
    normal->SetCamera(&gui);
    normal->Render();
    EXPECT_EQ(gui.applies, 1);
    normal->SetCamera(nullptr);
    EXPECT_EQ(normal->GetCamera(), cameras.defaultCamera);
}

TEST_F(ModelRenderTest, EqualStatesReachTheDeviceOnlyOnce)
{
    auto first = ReadyBox(0);
    auto second = ReadyBox(0);
    first->Render();
    renderSystem.ClearCalls();
    second->Render();
    EXPECT_EQ(CallNames(), std::vector<std::string>{"DrawIndexedPrimitive"});
}

TEST_F(ModelRenderTest, PickTestsTheVolumeFirst)
{
    // A creator-made triangle around the origin whose creator set a box elsewhere.
    auto model = Procedural(Model::FlagList | Model::FlagVisible, 3, 3);
    Vertex* vertices = model->GetVertexBuffer()->LockVertices(0, 3);
    vertices[0].position = Vector3(-1, -1, 0);
    vertices[1].position = Vector3(1, -1, 0);
    vertices[2].position = Vector3(0, 1, 0);
    model->GetVertexBuffer()->Unlock();
    const std::uint32_t indices[3] = {0, 1, 2};
    model->GetIndexBuffer()->SetIndices(0, 3, indices);
    model->UpdatePrimitiveCount();
    const Ray ray(Vector3(0, 0, 10), Vector3(0, 0, -20));

    float distance = -1.0f;
    model->boundingVolume.SetBox(Vector3(100, 100, 100), Vector3(101, 101, 101));
    EXPECT_FALSE(model->Pick(ray, &distance));
    EXPECT_FLOAT_EQ(distance, -1.0f);

    model->ComputeBoundingBox(model->boundingVolume);
    EXPECT_TRUE(model->Pick(ray, &distance));
    EXPECT_NEAR(distance, 10.0f, 1e-4f);
    EXPECT_TRUE(model->Pick(ray, nullptr));
    EXPECT_FALSE(model->Pick(Ray(Vector3(5, 0, 10), Vector3(0, 0, -20)), &distance));
}

TEST_F(ModelRenderTest, PickMeasuresInTheModelsOwnSpace)
{
    Put("quad.mlf", MakeQuadMesh(-1, -1, 1, 1));
    auto model = Load("quad.mlf", Model::FlagVisible);
    Matrix4::Scaling(model->worldMatrix, Vector3(2, 2, 2));
    model->boundingVolume.SetMatrix(model->worldMatrix);
    float distance = 0.0f;
    // From world z = 10 to the plane z = 0.
    EXPECT_TRUE(model->Pick(Ray(Vector3(1.5f, 0, 10), Vector3(0, 0, -10)), &distance));
    EXPECT_NEAR(distance, 5.0f, 1e-4f);
    // Outside the quad's local extent but inside its scaled one: a hit.
    EXPECT_TRUE(model->Pick(Ray(Vector3(1.9f, 1.9f, 10), Vector3(0, 0, -10)), nullptr));
    EXPECT_FALSE(model->Pick(Ray(Vector3(2.1f, 0, 10), Vector3(0, 0, -10)), nullptr));
}

TEST_F(ModelRenderTest, PickFindsTheNearestHitWhenADistanceIsAsked)
{
    // Two triangles on the ray, the far one first in index order; a strip.
    auto model = Procedural(Model::FlagVisible, 6, 6);
    Vertex* vertices = model->GetVertexBuffer()->LockVertices(0, 6);
    const float depths[2] = {-4.0f, 2.0f};
    for (int t = 0; t < 2; ++t)
    {
        vertices[3 * t + 0].position = Vector3(-1, -1, depths[t]);
        vertices[3 * t + 1].position = Vector3(1, -1, depths[t]);
        vertices[3 * t + 2].position = Vector3(0, 1, depths[t]);
    }
    model->GetVertexBuffer()->Unlock();
    // Strip triangles (0, 1, 2), (1, 2, 3), (2, 3, 4), (3, 4, 5).
    const std::uint32_t indices[6] = {0, 1, 2, 3, 4, 5};
    model->GetIndexBuffer()->SetIndices(0, 6, indices);
    model->UpdatePrimitiveCount();
    ASSERT_EQ(model->GetPrimitiveCount(), 4u);
    model->ComputeBoundingBox(model->boundingVolume);
    float distance = 0.0f;
    EXPECT_TRUE(model->Pick(Ray(Vector3(0, 0, 10), Vector3(0, 0, -20)), &distance));
    EXPECT_NEAR(distance, 8.0f, 1e-4f);
}

} // namespace
} // namespace OrvaneEngine
