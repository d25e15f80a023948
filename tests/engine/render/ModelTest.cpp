#include "content/ModelMeshes.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/ModelFixture.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;

class ModelTest : public corvellan::test::ModelFixture
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

    static std::uint32_t IndexAt(const IndexBuffer& buffer, std::uint32_t slot)
    {
        std::uint32_t value = 0;
        std::memcpy(&value, buffer.GetData() + buffer.GetIndexSize() * slot, buffer.GetIndexSize());
        return value;
    }
};

TEST_F(ModelTest, BoxHasSixFacesOfTwoTrianglesAndTheCornersAsItsBox)
{
    for (std::uint32_t flags : {0u, Model::FlagColored})
    {
        SCOPED_TRACE(flags);
        auto box = Box(Vector3(-1, -2, -3), Vector3(1, 2, 3), flags);
        EXPECT_EQ(box->GetName(), "box");
        EXPECT_EQ(box->GetFlags(), 0x422c9u | flags);
        EXPECT_FALSE(box->IsStrip());
        const VertexBuffer& vertices = *box->GetVertexBuffer();
        ASSERT_EQ(vertices.GetVertexCount(), 24u);
        EXPECT_EQ(vertices.IsColored(), flags != 0);
        EXPECT_EQ(box->GetIndexBuffer()->GetIndexCount(), 36u);
        EXPECT_EQ(box->GetPrimitiveCount(), 12u);
        EXPECT_EQ(box->GetPrimitivesToDraw(), 0u);
        EXPECT_FLOAT_EQ(box->boundingVolume.localMin.x, -1.0f);
        EXPECT_FLOAT_EQ(box->boundingVolume.localMin.y, -2.0f);
        EXPECT_FLOAT_EQ(box->boundingVolume.localMin.z, -3.0f);
        EXPECT_FLOAT_EQ(box->boundingVolume.localMax.z, 3.0f);

        // Face 1: vertex 0 at a with normal -z and uv (1, 0); vertex 2 at (b.x, b.y, a.z), uv (0, 1).
        const Vertex first = VertexAt(vertices, 0);
        EXPECT_FLOAT_EQ(first.normal.z, -1.0f);
        EXPECT_FLOAT_EQ(first.u, 1.0f);
        EXPECT_FLOAT_EQ(first.v, 0.0f);
        const Vertex third = VertexAt(vertices, 2);
        EXPECT_FLOAT_EQ(third.position.x, 1.0f);
        EXPECT_FLOAT_EQ(third.position.y, 2.0f);
        EXPECT_FLOAT_EQ(third.position.z, -3.0f);
        EXPECT_FLOAT_EQ(third.u, 0.0f);
        EXPECT_FLOAT_EQ(third.v, 1.0f);
        // Face 6 (vertices 20 to 23): normal -x, vertex 2 at (a.x, a.y, b.z).
        const Vertex last = VertexAt(vertices, 22);
        EXPECT_FLOAT_EQ(last.normal.x, -1.0f);
        EXPECT_FLOAT_EQ(last.position.x, -1.0f);
        EXPECT_FLOAT_EQ(last.position.y, -2.0f);
        EXPECT_FLOAT_EQ(last.position.z, 3.0f);

        const std::uint32_t expected[6] = {20, 21, 22, 22, 23, 20};
        for (std::uint32_t k = 0; k < 6; ++k)
            EXPECT_EQ(IndexAt(*box->GetIndexBuffer(), 30 + k), expected[k]);
    }
}

TEST_F(ModelTest, BoxFlagsGoThroughTheExclusiveGroups)
{
    EXPECT_EQ(Box(Vector3(0, 0, 0), Vector3(1, 1, 1), 0x400)->GetFlags() & 0x600, 0x400u);
    EXPECT_EQ(Box(Vector3(0, 0, 0), Vector3(1, 1, 1), 0x4000)->GetFlags() & 0x406000, 0x4000u);
    EXPECT_EQ(Box(Vector3(0, 0, 0), Vector3(1, 1, 1), 0x400000)->GetFlags() & 0x406000, 0x400000u);
}

TEST_F(ModelTest, ProceduralModelStartsEmptyWithATinyBox)
{
    auto empty = Procedural(0, 8, 12, 3);
    EXPECT_EQ(empty->GetName(), "self_made");
    EXPECT_EQ(empty->GetFlags(), 0x200000u);
    EXPECT_TRUE(empty->IsStrip());
    EXPECT_EQ(empty->GetVertexBuffer()->GetVertexCount(), 8u);
    EXPECT_EQ(empty->GetIndexBuffer()->GetCapacity(), 12u);
    EXPECT_EQ(empty->GetAnimationControl()->GetFrameCount(), 3u);
    EXPECT_FLOAT_EQ(empty->boundingVolume.localMin.x, -0.0001f);
    EXPECT_FLOAT_EQ(empty->boundingVolume.localMax.y, 0.0001f);

    auto font = Procedural(0x248C29, 4096, 6144);
    EXPECT_EQ(font->GetFlags(), 0x248C29u);
    EXPECT_FALSE(font->IsStrip());
    EXPECT_TRUE(font->GetVertexBuffer()->IsColored());
}

TEST_F(ModelTest, PrimitiveCountsOfStripsAndLists)
{
    struct Case
    {
        std::uint32_t flags;
        std::uint32_t used;
        std::uint32_t primitives;
    };
    const Case cases[] = {
        {0x1, 4, 2}, {0x1, 3, 1}, {0x1, 2, 0}, {0x1, 1, 0}, {0x1, 0, 0},
        {0x9, 36, 12}, {0x9, 35, 11}, {0x9, 2, 0}, {0x9, 0, 0},
    };
    auto model = Procedural(0x1, 4, 36);
    auto list = Procedural(0x9, 4, 36);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.flags << " " << c.used);
        Model& target = c.flags & 0x8 ? *list : *model;
        target.GetIndexBuffer()->SetIndexCount(c.used);
        target.UpdatePrimitiveCount();
        EXPECT_EQ(target.GetPrimitiveCount(), c.primitives);
    }
}

TEST_F(ModelTest, SetFlagsAndClearFlagsKeepTheGroupsExclusive)
{
    struct Case
    {
        std::uint32_t start;
        std::uint32_t set;
        std::uint32_t clear;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0x0, 0x600, 0, 0x200},
        {0x200, 0x400, 0, 0x400},
        {0x400, 0x200, 0, 0x200},
        {0x4000, 0x402000, 0, 0x2000},
        {0x2000, 0x404000, 0, 0x400000},
        {0x400000, 0x4000, 0, 0x4000},
        {0x200, 0, 0x200, 0x400},
        {0x400, 0, 0x400, 0x200},
        {0x200, 0, 0x600, 0x0},
        {0x40200, 0, 0x40000, 0x200},
    };
    auto model = Procedural(0x8, 3, 3);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::hex << c.start << " +" << c.set << " -" << c.clear);
        model->ClearFlags(0xFFFFFFFF);
        model->SetFlags(c.start);
        model->SetFlags(c.set);
        model->ClearFlags(c.clear);
        EXPECT_EQ(model->GetFlags(), c.expected);
    }
}

TEST_F(ModelTest, ComputeBoundingBoxCountsOnlyUsedIndicesWithinTheVertices)
{
    auto model = Procedural(0x9, 4, 6);
    Vertex* vertices = model->GetVertexBuffer()->LockVertices(0, 4);
    vertices[0].position = Vector3(-1, 0, 0);
    vertices[1].position = Vector3(2, 5, 0);
    vertices[2].position = Vector3(0, -3, 1);
    vertices[3].position = Vector3(50, 50, 50); // named by no used index
    model->GetVertexBuffer()->Unlock();
    const std::uint32_t indices[6] = {0, 1, 2, 9, 3, 3};
    model->GetIndexBuffer()->SetIndices(0, 6, indices);
    model->GetIndexBuffer()->SetIndexCount(4); // the 9 is a creator's mistake; 3 is unused
    BoundingVolume volume;
    model->ComputeBoundingBox(volume);
    EXPECT_FLOAT_EQ(volume.localMin.x, -1.0f);
    EXPECT_FLOAT_EQ(volume.localMin.y, -3.0f);
    EXPECT_FLOAT_EQ(volume.localMax.y, 5.0f);
    EXPECT_FLOAT_EQ(volume.localMax.z, 1.0f);

    model->GetIndexBuffer()->SetIndexCount(0);
    model->ComputeBoundingBox(volume);
    EXPECT_FLOAT_EQ(volume.localMin.x, 100000.0f);
    EXPECT_FLOAT_EQ(volume.localMax.x, -100000.0f);
}

TEST_F(ModelTest, CopyOwnsItsDataAndSharesOnlyTheShader)
{
    Put("bones.mlf", MakeOneBoneModel(MakeQuadMesh(0, 0, 1, 1), {MakeKey({0, 0, 0}), MakeKey({1, 0, 0})}, 3.0f));
    auto source = Load("bones.mlf", Model::FlagVisible);
    source->GetAnimationControl()->AddRange(7, 0, 1);
    source->GetAnimationControl()->SetAnimation(7);
    source->GetAnimationControl()->time = 0.25f;
    Matrix4::Translation(source->worldMatrix, Vector3(1, 2, 3));
    Matrix4::Scaling(source->baseMatrix, Vector3(2, 2, 2));
    source->depth = 4.5f;
    Camera* other = cameras.CreateCamera(1);
    source->SetCamera(other);
    const std::uint32_t shaderCount = shaders.GetShaderCount();
    const std::uint32_t userCount = shaders.GetShaderUserCount();

    Model copy(*source, nullptr, Model::FlagColored);
    EXPECT_EQ(shaders.GetShaderCount(), shaderCount);
    EXPECT_EQ(shaders.GetShaderUserCount(), userCount + 1);
    EXPECT_NE(copy.GetShaderUser(), source->GetShaderUser());
    EXPECT_EQ(copy.GetCamera(), other);
    EXPECT_EQ(copy.GetName(), "bones.mlf");
    EXPECT_EQ(copy.GetFlags(), source->GetFlags() | Model::FlagColored);
    EXPECT_TRUE(copy.GetVertexBuffer()->IsColored());
    EXPECT_EQ(copy.GetAnimationControl()->GetCurrentRangeId(), 7);
    EXPECT_FLOAT_EQ(copy.GetAnimationControl()->time, 0.25f);
    EXPECT_FLOAT_EQ(copy.GetAnimationControl()->speed, 3.0f);
    ASSERT_NE(copy.GetSkeleton(), nullptr);
    EXPECT_NE(copy.GetSkeleton(), source->GetSkeleton());
    EXPECT_EQ(copy.GetSkeleton()->GetBone(0).name, "root");
    EXPECT_EQ(copy.GetBoneKeys(), source->GetBoneKeys());
    EXPECT_EQ(copy.GetSkinRecords().size(), 4u);
    EXPECT_EQ(copy.worldMatrix, source->worldMatrix);
    EXPECT_EQ(copy.baseMatrix, source->baseMatrix);
    EXPECT_FLOAT_EQ(copy.boundingVolume.worldMin.x, source->boundingVolume.localMin.x + 1.0f);
    EXPECT_FLOAT_EQ(copy.depth, 4.5f);
    EXPECT_EQ(copy.GetPrimitiveCount(), 2u);

    // Writing the copy's vertices leaves the source alone.
    const float sourceU = source->GetVertexBuffer()->LockVertices(1, 1)->u;
    source->GetVertexBuffer()->Unlock();
    copy.GetVertexBuffer()->LockColoredVertices(1, 1)->u = 42.0f;
    copy.GetVertexBuffer()->Unlock();
    EXPECT_FLOAT_EQ(source->GetVertexBuffer()->LockVertices(1, 1)->u, sourceU);
    source->GetVertexBuffer()->Unlock();
    EXPECT_NE(copy.GetIndexBuffer(), source->GetIndexBuffer());

    // A camera given to the copy wins.
    Model withCamera(*source, cameras.defaultCamera, 0);
    EXPECT_EQ(withCamera.GetCamera(), cameras.defaultCamera);
}

TEST_F(ModelTest, ShaderUsersAreReturnedOnChangeAndDestruction)
{
    const std::uint32_t before = shaders.GetShaderUserCount();
    {
        auto box = Box(Vector3(0, 0, 0), Vector3(1, 1, 1));
        EXPECT_EQ(box->GetCamera(), cameras.defaultCamera);
        EXPECT_EQ(shaders.GetShaderUserCount(), before + 1);
        ShaderDescriptor blended(ShaderDescriptor::Blended);
        box->SetShader(blended);
        EXPECT_EQ(shaders.GetShaderUserCount(), before + 1);
        EXPECT_EQ(box->GetShaderUser()->flags, ShaderDescriptor::Blended);
        box->ReplaceShader(ShaderDescriptor(0));
        EXPECT_EQ(box->GetShaderUser()->flags, 0u);
        EXPECT_EQ(shaders.GetShaderUserCount(), before + 1);
    }
    EXPECT_EQ(shaders.GetShaderUserCount(), before);
}

TEST_F(ModelTest, CallersFlagsAreOredIntoFilesAndCopies)
{
    // A quad stored with its vertices under a flags word that lacks the
    // static flag: the caller's flag makes the reader take the vertices.
    const ModelFileRecord quad = MakeQuadMesh(-1, -2, 3, 4);
    ASSERT_EQ(quad.flags, Model::FlagStatic | Model::FlagList);
    std::string bytes = ModelFileWriter::Build(quad);
    bytes[13] = static_cast<char>(Model::FlagList);
    ASSERT_TRUE(corvellan::test::WriteFileBytes(DataPath("quad.mlf"), bytes));
    auto model = Load("quad.mlf", Model::FlagStatic);
    EXPECT_EQ(model->GetFlags(), Model::FlagStatic | Model::FlagList);
    ASSERT_EQ(model->GetVertexBuffer()->GetVertexCount(), 4u);
    for (std::uint32_t index = 0; index < 4; ++index)
    {
        EXPECT_FLOAT_EQ(VertexAt(*model->GetVertexBuffer(), index).position.x, quad.vertices[index].position[0]);
        EXPECT_FLOAT_EQ(VertexAt(*model->GetVertexBuffer(), index).position.y, quad.vertices[index].position[1]);
    }
    EXPECT_FLOAT_EQ(model->boundingVolume.localMax.y, quad.boxes.front().max[1]);

    // A copy takes animation flags its source has no data for, and still updates.
    auto box = Box(Vector3(0, 0, 0), Vector3(1, 1, 1));
    Model copy(*box, nullptr, Model::FlagMorph | Model::FlagSkeletal);
    EXPECT_EQ(copy.GetFlags(), box->GetFlags() | Model::FlagMorph | Model::FlagSkeletal);
    copy.Update(false);
    EXPECT_EQ(copy.GetPrimitivesToDraw(), 12u);
}

} // namespace
} // namespace OrvaneEngine
