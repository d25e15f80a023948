#include "content/ModelMeshes.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/ModelFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;

class ModelUpdateTest : public corvellan::test::ModelFixture
{
protected:
    static Vertex VertexAt(const VertexBuffer& buffer, std::uint32_t index)
    {
        const std::uint8_t* data = buffer.GetData() + static_cast<std::size_t>(buffer.GetStride()) * index;
        Vertex vertex;
        std::memcpy(&vertex.position, data, 12);
        std::memcpy(&vertex.normal, data + 12, 12);
        std::memcpy(&vertex.u, data + buffer.GetStride() - 8, 8);
        return vertex;
    }

    static void ExpectNear(const Vector3& actual, const Vector3& expected)
    {
        EXPECT_NEAR(actual.x, expected.x, 1e-5f);
        EXPECT_NEAR(actual.y, expected.y, 1e-5f);
        EXPECT_NEAR(actual.z, expected.z, 1e-5f);
    }

    // Frame 0 the quad (-1, -1)-(0, 1) facing +z, frame 1 the quad (0, -1)-(1, 1)
    // facing +x with u and v mirrored, 10 units in front of the default camera.
    static ModelFileRecord TwoFrameMorph()
    {
        ModelFileRecord first = MakeQuadMesh(-1, -1, 0, 1, -10);
        ModelFileRecord second = MakeQuadMesh(0, -1, 1, 1, -10);
        for (ModelFileVertex& vertex : second.vertices)
        {
            vertex.normal = {1, 0, 0};
            vertex.u = 1.0f - vertex.u;
            vertex.v = 1.0f - vertex.v;
        }
        return MakeMorphModel({first, second}, 1.0f);
    }

    // The frames are read at the next update; a speed of 0 keeps them there.
    static void ShowTime(Model& model, float time)
    {
        model.GetAnimationControl()->speed = 0.0f;
        model.GetAnimationControl()->time = time;
    }
};

TEST_F(ModelUpdateTest, MorphBlendsPositionNormalAndUvButKeepsTheColour)
{
    Put("morph.mlf", TwoFrameMorph());
    auto model = Load("morph.mlf", Model::FlagVisible | Model::FlagColored);
    model->SetColor(Color(1, 0, 0, 1));
    ShowTime(*model, 0.5f);
    model->Update(true);
    ASSERT_EQ(model->GetPrimitivesToDraw(), 2u);
    const Vertex vertex = VertexAt(*model->GetVertexBuffer(), 0);
    ExpectNear(vertex.position, Vector3(-0.5f, -1.0f, -10.0f));
    ExpectNear(vertex.normal, Vector3(0.5f, 0.0f, 0.5f));
    EXPECT_NEAR(vertex.u, 0.5f, 1e-6f);
    EXPECT_NEAR(vertex.v, 0.5f, 1e-6f);
    const Color colour = model->GetVertexBuffer()->GetColor(0);
    EXPECT_FLOAT_EQ(colour.r, 1.0f);
    EXPECT_FLOAT_EQ(colour.g, 0.0f);
    // The box is blended between the two frames' boxes.
    EXPECT_NEAR(model->boundingVolume.localMin.x, -0.5f, 1e-5f);
    EXPECT_NEAR(model->boundingVolume.localMax.x, 0.5f, 1e-5f);
}

TEST_F(ModelUpdateTest, VerticesAreRewrittenOnlyWhenTheFramesOrBlendChange)
{
    Put("morph.mlf", TwoFrameMorph());
    auto model = Load("morph.mlf", Model::FlagVisible);
    ShowTime(*model, 0.5f);
    model->Update(true);
    auto mark = [&] {
        model->GetVertexBuffer()->LockVertices(0, 1)->position = Vector3(9, 9, 9);
        model->GetVertexBuffer()->Unlock();
    };
    mark();
    ShowTime(*model, 0.50005f); // within 0.0001 of the written blend
    model->Update(true);
    ExpectNear(VertexAt(*model->GetVertexBuffer(), 0).position, Vector3(9, 9, 9));
    EXPECT_TRUE(model->GetWrittenFrames().valid);

    ShowTime(*model, 0.6f);
    model->Update(true);
    ExpectNear(VertexAt(*model->GetVertexBuffer(), 0).position, Vector3(-0.4f, -1.0f, -10.0f));
}

TEST_F(ModelUpdateTest, OneBoneSkinsWithTranslationAndScale)
{
    // Vertex 0 of the quad lies at (1, 0, 0).
    Put("bone.mlf", MakeOneBoneModel(MakeQuadMesh(1, 0, 2, 1), {MakeKey({1, 2, 3}, 2.0f)}, 0.0f));
    auto model = Load("bone.mlf", Model::FlagVisible);
    model->Update(false);
    const Vertex vertex = VertexAt(*model->GetVertexBuffer(), 0);
    ExpectNear(vertex.position, Vector3(3, 2, 3));
    ExpectNear(vertex.normal, Vector3(0, 0, 1));
    // The box is the bone's box moved by the bone.
    ExpectNear(model->boundingVolume.localMin, Vector3(3, 2, 3));
    ExpectNear(model->boundingVolume.localMax, Vector3(5, 4, 3));
}

TEST_F(ModelUpdateTest, WeightsAreUsedAsTheyAre)
{
    ModelFileRecord record = MakeOneBoneModel(MakeQuadMesh(1, 0, 2, 1), {MakeKey({0, 0, 0})}, 0.0f);
    record.skinned[0].influences.push_back(record.skinned[0].influences.front());
    record.skinned[0].influences[1].weight = 0.5f;
    Put("heavy.mlf", record);
    auto model = Load("heavy.mlf", Model::FlagVisible);
    model->Update(false);
    ExpectNear(VertexAt(*model->GetVertexBuffer(), 0).position, Vector3(1.5f, 0, 0));
    ExpectNear(VertexAt(*model->GetVertexBuffer(), 0).normal, Vector3(0, 0, 1.5f));
}

TEST_F(ModelUpdateTest, BonesWithAFlagStayOutOfTheBox)
{
    ModelFileRecord record = MakeOneBoneModel(MakeQuadMesh(-1, -1, 1, 1, -10), {MakeKey({0, 0, 0})}, 0.0f);
    ModelFileBone far = record.bones.front();
    far.flag = 1;
    far.boxMin = {50, 50, 50};
    far.boxMax = {60, 60, 60};
    record.bones.push_back(far);
    record.keys.push_back(MakeKey({0, 0, 0}));
    Put("two.mlf", record);
    auto model = Load("two.mlf", Model::FlagVisible);
    model->Update(true);
    ExpectNear(model->boundingVolume.localMin, Vector3(-1, -1, -10));
    ExpectNear(model->boundingVolume.localMax, Vector3(1, 1, -10));
}

TEST_F(ModelUpdateTest, HiddenModelsAnimateButKeepWhatTheyDraw)
{
    Put("morph.mlf", TwoFrameMorph());
    auto model = Load("morph.mlf", Model::FlagVisible);
    model->Update(true);
    ASSERT_EQ(model->GetPrimitivesToDraw(), 2u);
    model->ClearFlags(Model::FlagVisible);
    model->GetAnimationControl()->speed = 2.0f;
    model->GetAnimationControl()->Play();
    timers.frameTime = 0.125f;
    model->Update(true);
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.25f);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 2u);
    EXPECT_FALSE(model->GetWrittenFrames().blend > 0.0f);
}

TEST_F(ModelUpdateTest, DepthFollowsTheCameraUnlessFixedAndCulledModelsKeepIt)
{
    Put("quad.mlf", MakeQuadMesh(-1, -1, 1, 1));
    auto model = Load("quad.mlf", Model::FlagVisible);
    // A static model's owner moves the volume with the matrix.
    const auto place = [&](const Vector3& offset) {
        Matrix4::Translation(model->worldMatrix, offset);
        model->boundingVolume.SetMatrix(model->worldMatrix);
    };
    place(Vector3(0, 0, -10));
    model->Update(true);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 2u);
    // dir . (eye - centre) with the camera at the origin looking down -z.
    EXPECT_NEAR(model->depth, 10.0f, 1e-4f);

    place(Vector3(0, 0, 10)); // behind the camera
    model->Update(true);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 0u);
    EXPECT_NEAR(model->depth, 10.0f, 1e-4f);
    model->Update(false);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 2u);
    EXPECT_NEAR(model->depth, -10.0f, 1e-4f);

    model->SetFlags(Model::FlagFixedDepth);
    model->depth = 7.0f;
    place(Vector3(0, 0, -30));
    model->Update(true);
    EXPECT_FLOAT_EQ(model->depth, 7.0f);
}

TEST_F(ModelUpdateTest, RangesBeyondTheFramesAreClampedAndReportedOnce)
{
    std::vector<ModelFileRecord> frames;
    for (int frame = 0; frame < 10; ++frame)
        frames.push_back(MakeQuadMesh(static_cast<float>(frame), 0, frame + 1.0f, 1, -10));
    Put("ten.mlf", MakeMorphModel(frames, 1.0f));
    auto model = Load("ten.mlf", Model::FlagVisible);
    model->GetAnimationControl()->AddRange(5, 0, 20);
    model->GetAnimationControl()->SetAnimation(5);
    ShowTime(*model, 15.5f);
    model->Update(false);
    model->Update(false);
    EXPECT_EQ(model->GetWrittenFrames().firstFrame, 9u);
    EXPECT_EQ(model->GetWrittenFrames().secondFrame, 9u);
    ExpectNear(VertexAt(*model->GetVertexBuffer(), 0).position, Vector3(9, 0, -10));
    EXPECT_EQ(Entries(1).size(), 1u);

    // A range inside the frames is untouched.
    model->GetAnimationControl()->AddRange(6, 2, 5);
    model->GetAnimationControl()->SetAnimation(6);
    ShowTime(*model, 1.5f);
    model->Update(false);
    EXPECT_EQ(model->GetWrittenFrames().firstFrame, 3u);
    EXPECT_EQ(model->GetWrittenFrames().secondFrame, 4u);
}

TEST_F(ModelUpdateTest, StaticModelsFollowTheirVerticesWhenAsked)
{
    auto model = Procedural(Model::FlagStatic | Model::FlagList | Model::FlagFollowVertices | Model::FlagVisible, 3, 3);
    Vertex* vertices = model->GetVertexBuffer()->LockVertices(0, 3);
    vertices[0].position = Vector3(0, 0, -5);
    vertices[1].position = Vector3(2, 0, -5);
    vertices[2].position = Vector3(0, 3, -5);
    model->GetVertexBuffer()->Unlock();
    const std::uint32_t indices[3] = {0, 1, 2};
    model->GetIndexBuffer()->SetIndices(0, 3, indices);
    Matrix4::Translation(model->worldMatrix, Vector3(1, 0, 0));
    model->Update(true);
    ExpectNear(model->boundingVolume.worldMin, Vector3(1, 0, -5));
    ExpectNear(model->boundingVolume.worldMax, Vector3(3, 3, -5));
    EXPECT_EQ(model->GetPrimitivesToDraw(), 1u);
}

TEST_F(ModelUpdateTest, ResourceModelsHaveAUsableVolumeStraightAfterLoading)
{
    Put("quad.mlf", MakeQuadMesh(2, 2, 4, 6));
    std::unique_ptr<Model> model(models.LoadModelResource("quad.mlf"));
    ExpectNear(model->boundingVolume.center, Vector3(3, 4, 0));
    ExpectNear(model->boundingVolume.halfExtents, Vector3(1, 2, 0));
    ExpectNear(model->boundingVolume.worldMin, Vector3(2, 2, 0));
}

} // namespace
} // namespace OrvaneEngine
