#include "content/ModelMeshes.h"
#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/ModelFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <typeinfo>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;

class ModelFileTest : public corvellan::test::ModelFixture
{
protected:
    // The text of the Error the file constructor throws after checking that
    // it is a plain Error; "" when the file is read.
    std::string ReadError(const std::string& name)
    {
        log.ClearMessages();
        try
        {
            Load(name);
        }
        catch (const Error& error)
        {
            EXPECT_EQ(typeid(error), typeid(Error));
            return error.GetText();
        }
        return "";
    }

    static Vertex VertexAt(const VertexBuffer& buffer, std::uint32_t index)
    {
        const std::uint8_t* data = buffer.GetData() + static_cast<std::size_t>(buffer.GetStride()) * index;
        Vertex vertex;
        std::memcpy(&vertex.position, data, 12);
        std::memcpy(&vertex.normal, data + 12, 12);
        std::memcpy(&vertex.u, data + buffer.GetStride() - 8, 4);
        std::memcpy(&vertex.v, data + buffer.GetStride() - 4, 4);
        return vertex;
    }

    static std::uint32_t IndexAt(const IndexBuffer& buffer, std::uint32_t slot)
    {
        std::uint32_t value = 0;
        std::memcpy(&value, buffer.GetData() + buffer.GetIndexSize() * slot, buffer.GetIndexSize());
        return value;
    }

    static void ExpectVertex(const Vertex& actual, const ModelFileVertex& expected)
    {
        EXPECT_FLOAT_EQ(actual.position.x, expected.position[0]);
        EXPECT_FLOAT_EQ(actual.position.y, expected.position[1]);
        EXPECT_FLOAT_EQ(actual.position.z, expected.position[2]);
        EXPECT_FLOAT_EQ(actual.normal.x, expected.normal[0]);
        EXPECT_FLOAT_EQ(actual.normal.y, expected.normal[1]);
        EXPECT_FLOAT_EQ(actual.normal.z, expected.normal[2]);
        EXPECT_FLOAT_EQ(actual.u, expected.u);
        EXPECT_FLOAT_EQ(actual.v, expected.v);
    }

    static void ExpectBox(const BoundingVolume& volume, const ModelFileBox& box)
    {
        EXPECT_FLOAT_EQ(volume.localMin.x, box.min[0]);
        EXPECT_FLOAT_EQ(volume.localMin.y, box.min[1]);
        EXPECT_FLOAT_EQ(volume.localMin.z, box.min[2]);
        EXPECT_FLOAT_EQ(volume.localMax.x, box.max[0]);
        EXPECT_FLOAT_EQ(volume.localMax.y, box.max[1]);
        EXPECT_FLOAT_EQ(volume.localMax.z, box.max[2]);
    }

    // Two bones (the second outside the box) over three frames; each vertex
    // follows both.
    static ModelFileRecord TwoBones(std::uint32_t version)
    {
        ModelFileRecord record = MakeOneBoneModel(MakeGridMesh(2, 1, -1, -1, 1, 1),
                                                  {MakeKey({0, 0, 0}), MakeKey({1, 0, 0}), MakeKey({0, 2, 0})}, 5.0f);
        record.version = version;
        ModelFileBone tip = record.bones.front();
        tip.name = "tip";
        tip.flag = 1;
        tip.pivot = {0.5f, 0.25f, 0.125f};
        tip.boxMin = {5, 5, 5};
        tip.boxMax = {6, 6, 6};
        tip.values = {3, 7};
        record.bones.push_back(tip);
        std::vector<ModelFileKey> keys;
        for (const ModelFileKey& key : record.keys)
        {
            keys.push_back(key);
            keys.push_back(MakeKey({0, 0, 1}, 0.5f));
        }
        record.keys = keys;
        for (ModelFileSkinnedVertex& vertex : record.skinned)
        {
            ModelFileInfluence second = vertex.influences.front();
            second.bone = 1;
            second.weight = 0.25f;
            vertex.influences.front().weight = 0.75f;
            vertex.influences.push_back(second);
        }
        return record;
    }
};

TEST_F(ModelFileTest, StaticFileGivesItsVerticesIndicesAndBox)
{
    ModelFileRecord record = MakeQuadMesh(-1, -2, 3, 4, 0.5f);
    record.vertices[2].u = 0.75f;
    Put("m\\quad.mlf", record);
    // The caller's colour flag changes only the layout the vertices land in.
    for (std::uint32_t callerFlags : {0u, Model::FlagColored | Model::FlagVisible})
    {
        SCOPED_TRACE(callerFlags);
        auto model = Load("m\\quad.mlf", callerFlags);
        EXPECT_EQ(model->GetFlags(), 0x9u | callerFlags);
        EXPECT_EQ(model->GetName(), "m\\quad.mlf");
        EXPECT_FALSE(model->IsStrip());
        EXPECT_EQ(model->GetPrimitiveCount(), 2u);
        const VertexBuffer& vertices = *model->GetVertexBuffer();
        EXPECT_EQ(vertices.IsColored(), callerFlags != 0);
        ASSERT_EQ(vertices.GetVertexCount(), 4u);
        for (std::uint32_t index = 0; index < 4; ++index)
            ExpectVertex(VertexAt(vertices, index), record.vertices[index]);
        const IndexBuffer& indices = *model->GetIndexBuffer();
        ASSERT_EQ(indices.GetIndexCount(), 6u);
        for (std::uint32_t slot = 0; slot < 6; ++slot)
            EXPECT_EQ(IndexAt(indices, slot), record.indices[slot]);
        ExpectBox(model->boundingVolume, record.boxes.front());
        EXPECT_EQ(model->GetAnimationControl()->GetFrameCount(), 1u);
    }
}

TEST_F(ModelFileTest, MorphFileHoldsEveryFrameAndStartsWithTheFirstBox)
{
    std::vector<ModelFileRecord> frames;
    for (int frame = 0; frame < 3; ++frame)
        frames.push_back(MakeGridMesh(4, 1, 0, 0, 1.0f + frame, 1.0f + 2 * frame));
    const ModelFileRecord record = MakeMorphModel(frames, 12.5f);
    ASSERT_EQ(record.VertexCount(), 10u);
    Put("morph.mlf", record);
    auto model = Load("morph.mlf");
    ASSERT_EQ(model->GetMorphVertices().size(), 30u);
    for (std::uint32_t index = 0; index < 30; ++index)
    {
        const Vertex& vertex = model->GetMorphVertices()[index];
        const ModelFileVertex& written = record.vertices[index];
        EXPECT_FLOAT_EQ(vertex.position.x, written.position[0]);
        EXPECT_FLOAT_EQ(vertex.position.y, written.position[1]);
        EXPECT_FLOAT_EQ(vertex.u, written.u);
        EXPECT_FLOAT_EQ(vertex.v, written.v);
    }
    ASSERT_EQ(model->GetFrameVolumes().size(), 3u);
    for (std::size_t frame = 0; frame < 3; ++frame)
        ExpectBox(model->GetFrameVolumes()[frame], record.boxes[frame]);
    ExpectBox(model->boundingVolume, record.boxes.front());
    EXPECT_EQ(model->GetAnimationControl()->GetFrameCount(), 3u);
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->speed, 12.5f);
    EXPECT_TRUE(model->GetSkinRecords().empty());
}

TEST_F(ModelFileTest, BothVersionsGiveTheSameBonesAndOnlyTheCurrentOneHasPivots)
{
    for (std::uint32_t version : {201u, 202u})
    {
        SCOPED_TRACE(version);
        const ModelFileRecord record = TwoBones(version);
        Put("bones.mlf", record);
        auto model = Load("bones.mlf");
        const Skeleton& skeleton = *model->GetSkeleton();
        ASSERT_EQ(skeleton.GetBoneCount(), 2u);
        EXPECT_EQ(skeleton.GetBone(0).name, "root");
        EXPECT_EQ(skeleton.GetBone(1).name, "tip");
        EXPECT_EQ(skeleton.GetBone(0).flag, 0);
        EXPECT_EQ(skeleton.GetBone(1).flag, 1);
        EXPECT_EQ(skeleton.GetBone(1).fileValues[0], 3);
        EXPECT_EQ(skeleton.GetBone(1).fileValues[1], 7);
        EXPECT_FLOAT_EQ(skeleton.GetBone(1).volume.localMin.x, 5.0f);
        EXPECT_FLOAT_EQ(skeleton.GetBone(1).volume.localMax.z, 6.0f);
        EXPECT_FLOAT_EQ(skeleton.GetBone(1).pivot.x, version == 202 ? 0.5f : 0.0f);

        // Keys frame-major: frame 1, bone 0 moves by +x.
        ASSERT_EQ(model->GetBoneKeys().size(), 3u * 2u * 10u);
        EXPECT_FLOAT_EQ(model->GetBoneKeys()[(1 * 2 + 0) * 10 + 0], 1.0f);
        EXPECT_FLOAT_EQ(model->GetBoneKeys()[(0 * 2 + 1) * 10 + 7], 0.5f);

        ASSERT_EQ(model->GetSkinRecords().size(), 6u);
        const SkinRecord& skin = model->GetSkinRecords()[5];
        ASSERT_EQ(skin.influenceCount, 2u);
        EXPECT_EQ(skin.influences[1].boneIndex, 1u);
        EXPECT_FLOAT_EQ(skin.influences[0].weight, 0.75f);
        EXPECT_FLOAT_EQ(skin.influences[1].position.x, record.skinned[5].influences[1].position[0]);
        EXPECT_FLOAT_EQ(skin.influences[1].normal.z, 1.0f);
        // u and v go straight into the buffer; positions wait for the first update.
        EXPECT_FLOAT_EQ(VertexAt(*model->GetVertexBuffer(), 5).u, record.skinned[5].u);
        EXPECT_FLOAT_EQ(VertexAt(*model->GetVertexBuffer(), 5).v, record.skinned[5].v);
    }
}

TEST_F(ModelFileTest, SkeletalFileWithoutBonesReadsNoKeys)
{
    ModelFileRecord record = MakeOneBoneModel(MakeQuadMesh(0, 0, 1, 1), {MakeKey({0, 0, 0}), MakeKey({1, 0, 0})}, 1);
    record.bones.clear();
    record.keys.clear();
    for (ModelFileSkinnedVertex& vertex : record.skinned)
        vertex.influences.clear();
    Put("empty.mlf", record);
    auto model = Load("empty.mlf");
    EXPECT_EQ(model->GetSkeleton()->GetBoneCount(), 0u);
    EXPECT_TRUE(model->GetBoneKeys().empty());
    EXPECT_EQ(model->GetSkinRecords().size(), 4u);
    EXPECT_EQ(model->GetAnimationControl()->GetFrameCount(), 2u);
}

TEST_F(ModelFileTest, IndexWidthFollowsTheIndexCount)
{
    for (std::uint32_t count : {65535u, 65536u})
    {
        SCOPED_TRACE(count);
        ModelFileRecord record = MakeQuadMesh(0, 0, 1, 1);
        record.indices.assign(count, 1);
        record.indices[count - 1] = 3;
        Put("wide.mlf", record);
        auto model = Load("wide.mlf");
        const IndexBuffer& indices = *model->GetIndexBuffer();
        EXPECT_EQ(indices.Is32Bit(), count == 65536);
        ASSERT_EQ(indices.GetIndexCount(), count);
        EXPECT_EQ(IndexAt(indices, count - 1), 3u);
        EXPECT_EQ(IndexAt(indices, count - 2), 1u);
    }
}

TEST_F(ModelFileTest, NoFlagsAtAllBecomeTheVertexUsageFlag)
{
    ModelFileRecord record;
    record.flags = 0;
    Put("bare.mlf", record);
    auto model = Load("bare.mlf");
    EXPECT_EQ(model->GetFlags(), 0x200000u);
    EXPECT_TRUE(model->IsStrip());
    EXPECT_EQ(model->GetPrimitiveCount(), 0u);
}

// Only data the reader reads has to be in the file: a mesh without vertex
// data (its owner writes the vertices) and morph frames under static
// vertices are made, not read.
TEST_F(ModelFileTest, VerticesTheFileDoesNotHoldAreMadeNotRequired)
{
    ModelFileRecord bare = MakeQuadMesh(-1, -2, 3, 4);
    bare.flags = Model::FlagList;
    bare.vertices.clear();
    bare.indices = {0, 1, 999, 999, 3, 0};
    ModelFileDamage thousand;
    thousand.vertexCount = 1000;
    Put("bare.mlf", bare, thousand);
    ASSERT_LT(ModelFileWriter::Build(bare, thousand).size(), 100u);
    ASSERT_EQ(ReadError("bare.mlf"), "");
    auto model = Load("bare.mlf");
    EXPECT_EQ(model->GetVertexBuffer()->GetVertexCount(), 1000u);
    ASSERT_EQ(model->GetIndexBuffer()->GetIndexCount(), 6u);
    EXPECT_EQ(IndexAt(*model->GetIndexBuffer(), 2), 999u);
    ExpectBox(model->boundingVolume, bare.boxes.front());
    EXPECT_EQ(model->GetAnimationControl()->GetFrameCount(), 1u);

    ModelFileRecord staticMorph = MakeQuadMesh(-1, -2, 3, 4);
    staticMorph.flags = Model::FlagStatic | Model::FlagMorph | Model::FlagList;
    staticMorph.frameCount = 3;
    staticMorph.speed = 2.0f;
    staticMorph.boxes.resize(3);
    staticMorph.boxes[1].max = {5, 5, 5};
    staticMorph.boxes[2].max = {7, 7, 7};
    Put("static_morph.mlf", staticMorph);
    ASSERT_EQ(ReadError("static_morph.mlf"), "");
    auto morph = Load("static_morph.mlf");
    ASSERT_EQ(morph->GetVertexBuffer()->GetVertexCount(), 4u);
    for (std::uint32_t index = 0; index < 4; ++index)
        ExpectVertex(VertexAt(*morph->GetVertexBuffer(), index), staticMorph.vertices[index]);
    EXPECT_EQ(morph->GetMorphVertices().size(), 12u);
    ASSERT_EQ(morph->GetFrameVolumes().size(), 3u);
    for (std::size_t frame = 0; frame < 3; ++frame)
        ExpectBox(morph->GetFrameVolumes()[frame], staticMorph.boxes[frame]);
    EXPECT_EQ(morph->GetAnimationControl()->GetFrameCount(), 3u);
}

TEST_F(ModelFileTest, DamagedFilesAreLoggedOnceAndBecomeABoxInTheManager)
{
    const std::string format = "Incorrect \"m\\a.mlf\" file format";
    const ModelFileRecord quad = MakeQuadMesh(0, 0, 1, 1);
    const std::string whole = ModelFileWriter::Build(quad);
    auto damaged = [](auto change) {
        ModelFileDamage damage;
        change(damage);
        return damage;
    };
    ModelFileRecord fiveInfluences = TwoBones(202);
    fiveInfluences.skinned[2].influences.resize(5, fiveInfluences.skinned[2].influences.front());
    ModelFileRecord boneIndex = TwoBones(202);
    boneIndex.skinned[4].influences[1].bone = 2;
    ModelFileRecord index = quad;
    index.indices[4] = 4;
    ModelFileRecord morphNoFrames = MakeMorphModel({quad}, 1.0f);
    morphNoFrames.frameCount = 0;
    morphNoFrames.vertices.clear();
    morphNoFrames.boxes.clear();
    ModelFileRecord skeletalNoFrames = TwoBones(202);
    skeletalNoFrames.frameCount = 0;
    skeletalNoFrames.keys.clear();
    ModelFileRecord morph = MakeMorphModel({quad, quad}, 1.0f);
    ModelFileRecord manyBones = TwoBones(202);
    ModelFileRecord bare = quad;
    bare.flags = 0;
    bare.vertices.clear();
    // 2,048 static vertices under 1,100 morph frames: 72 MB of frames that no
    // byte of the 90 KB file backs.
    ModelFileRecord staticMorph = MakeGridMesh(63, 31, 0, 0, 1, 1);
    staticMorph.flags |= 0x2;
    staticMorph.frameCount = 1100;
    staticMorph.boxes.resize(1100);

    struct Case
    {
        std::string name;
        ModelFileRecord record;
        ModelFileDamage damage;
        std::string text;
    };
    const Case cases[] = {
        {"size field one more", quad, damaged([&](auto& d) { d.sizeField = whole.size() + 1; }), format},
        {"size field one less", quad, damaged([&](auto& d) { d.sizeField = whole.size() - 1; }), format},
        {"magic", quad, damaged([](auto& d) { d.magic = "OVMLX"; }), format},
        {"version 200", quad, damaged([](auto& d) { d.version = 200; }),
         "Incorrect \"m\\a.mlf\" format version, current is 202"},
        {"version 203", quad, damaged([](auto& d) { d.version = 203; }),
         "Incorrect \"m\\a.mlf\" format version, current is 202"},
        {"five influences", fiveInfluences, {}, format},
        {"bone index = bone count", boneIndex, {}, format},
        {"index = vertex count", index, {}, format},
        {"morph of 0 frames", morphNoFrames, {}, format},
        {"skeleton of 0 frames", skeletalNoFrames, {}, format},
        {"2^31 vertices in a small file", quad, damaged([](auto& d) { d.vertexCount = 0x80000000u; }), format},
        {"2^31 indices in a small file", quad, damaged([](auto& d) { d.indexCount = 0x80000000u; }), format},
        {"every vertex count", quad, damaged([](auto& d) { d.vertexCount = 0xFFFFFFFFu; }), format},
        {"morph frames x vertices past 2^64 bytes", morph,
         damaged([](auto& d) {
             d.frameCount = 0xFFFFFFFFu;
             d.vertexCount = 0xFFFFFFFFu;
         }),
         format},
        {"every vertex count without vertex data", bare, damaged([](auto& d) { d.vertexCount = 0xFFFFFFFFu; }),
         format},
        {"morph frames under static vertices past the ceiling", staticMorph, {}, format},
        {"65535 bones in a small file", manyBones, damaged([](auto& d) { d.boneCount = 65535; }), format},
        {"keys past the end", manyBones, damaged([](auto& d) { d.frameCount = 0x10000000u; }), format},
    };
    std::uint32_t registered = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Put("m\\a.mlf", c.record, c.damage);
        EXPECT_EQ(ReadError("m\\a.mlf"), c.text);
        EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(c.text)});

        log.ClearMessages();
        Model* box = models.LoadModel("m\\a.mlf", nullptr, Model::FlagVisible);
        ++registered;
        EXPECT_EQ(models.GetModelCount(), registered);
        EXPECT_EQ(box->GetName(), "m\\a.mlf");
        EXPECT_EQ(box->GetVertexBuffer()->GetVertexCount(), 24u);
        EXPECT_TRUE(box->GetFlags() & Model::FlagVisible);
        EXPECT_FLOAT_EQ(box->boundingVolume.localMin.x, -1.0f);
        EXPECT_FLOAT_EQ(box->boundingVolume.localMax.z, 1.0f);
        EXPECT_EQ(box->GetShaderUser()->stageCount, 0u);
        EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(c.text)});
    }
}

TEST_F(ModelFileTest, ShortAndMissingFilesGiveTheFileLayersText)
{
    // Cut inside the last influence, with the size field telling the truth:
    // every count fits, the reading runs out.
    ModelFileDamage cut;
    const std::string whole = ModelFileWriter::Build(TwoBones(202));
    cut.cutTo = whole.size() - 30;
    Put("short.mlf", TwoBones(202), cut);
    const std::string shortText = ReadError("short.mlf");
    EXPECT_EQ(shortText.rfind("Failed to read", 0), 0u) << shortText;
    EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(shortText)});

    const std::string missing = ReadError("m\\missing.mlf");
    EXPECT_NE(missing.find("missing.mlf"), std::string::npos) << missing;
    EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(missing)});

    log.ClearMessages();
    Model* box = models.LoadModel("m\\missing.mlf");
    EXPECT_EQ(box->GetName(), "m\\missing.mlf");
    EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(missing)});
}

TEST_F(ModelFileTest, TheShaderComesFromTheFilesSrfTwin)
{
    ShaderFileRecord shader;
    shader.flags = 1;
    ShaderFileStage stage;
    stage.flags = 4; // the owner's texture: nothing to load
    stage.diffuseName = "skin.tga";
    shader.stages.push_back(stage);
    Put("m\\a.mlf", MakeQuadMesh(0, 0, 1, 1));
    PutShader("m\\a.srf", shader);
    auto model = Load("m\\a.mlf");
    ASSERT_EQ(model->GetShaderUser()->stageCount, 1u);
    EXPECT_EQ(model->GetShaderUser()->flags, 1u);

    // No twin: the default shader, and the model is fine.
    Put("m\\b.mlf", MakeQuadMesh(0, 0, 1, 1));
    auto plain = Load("m\\b.mlf");
    EXPECT_EQ(plain->GetShaderUser()->stageCount, 0u);
}

} // namespace
} // namespace OrvaneEngine
