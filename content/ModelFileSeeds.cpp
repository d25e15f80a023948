#include "content/FuzzSeeds.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"

namespace corvellan::content
{
namespace
{

// Two bones, each vertex shared between them, over three frames.
ModelFileRecord TwoBoneGrid(std::uint32_t version)
{
    const ModelFileRecord mesh = MakeGridMesh(2, 1, -1.0f, -1.0f, 1.0f, 1.0f);
    ModelFileRecord record = MakeOneBoneModel(
        mesh, {MakeKey({0, 0, 0}), MakeKey({1, 0, 0}), MakeKey({0, 2, 0}, 2.0f)}, 10.0f);
    record.version = version;
    ModelFileBone second = record.bones.front();
    second.name = "tip";
    second.flag = 1;
    second.pivot = {0.5f, 0.0f, 0.0f};
    second.values = {3, 7};
    record.bones.push_back(second);
    std::vector<ModelFileKey> keys;
    for (const ModelFileKey& key : record.keys)
    {
        keys.push_back(key);
        keys.push_back(MakeKey({0, 0, 1}));
    }
    record.keys = keys;
    for (ModelFileSkinnedVertex& vertex : record.skinned)
    {
        vertex.influences.front().weight = 0.75f;
        ModelFileInfluence other = vertex.influences.front();
        other.bone = 1;
        other.weight = 0.25f;
        vertex.influences.push_back(other);
    }
    return record;
}

} // namespace

bool WriteModelFileSeeds(const std::string& folder)
{
    const std::string target = "model_file";
    bool written = WriteSeed(folder, target, "quad_v202.mlf", ModelFileWriter::Build(MakeQuadMesh(-1, -1, 1, 1)));
    written = WriteSeed(folder, target, "box.mlf", ModelFileWriter::Build(MakeBoxMesh({-1, -2, -3}, {1, 2, 3}))) &&
              written;

    ModelFileRecord strip = MakeGridMesh(1, 1, 0, 0, 1, 1);
    strip.flags = 0x1;
    strip.indices = {0, 1, 2, 3};
    written = WriteSeed(folder, target, "strip.mlf", ModelFileWriter::Build(strip)) && written;

    const ModelFileRecord morph = MakeMorphModel(
        {MakeQuadMesh(-1, -1, 0, 1), MakeQuadMesh(0, -1, 1, 1), MakeQuadMesh(-2, -2, 2, 2)}, 4.0f);
    written = WriteSeed(folder, target, "morph_3_frames.mlf", ModelFileWriter::Build(morph)) && written;

    const ModelFileRecord oneBone =
        MakeOneBoneModel(MakeQuadMesh(-1, -1, 1, 1), {MakeKey({0, 0, 0}), MakeKey({1, 0, 0})}, 1.0f);
    written = WriteSeed(folder, target, "one_bone_v202.mlf", ModelFileWriter::Build(oneBone)) && written;
    written = WriteSeed(folder, target, "two_bones_v201.mlf", ModelFileWriter::Build(TwoBoneGrid(201))) && written;
    written = WriteSeed(folder, target, "two_bones_v202.mlf", ModelFileWriter::Build(TwoBoneGrid(202))) && written;

    ModelFileRecord noBones = oneBone;
    noBones.bones.clear();
    noBones.keys.clear();
    noBones.skinned.clear();
    noBones.indices.clear();
    written = WriteSeed(folder, target, "no_bones.mlf", ModelFileWriter::Build(noBones)) && written;

    ModelFileRecord noVertexData;
    noVertexData.flags = 0;
    written = WriteSeed(folder, target, "no_vertex_data.mlf", ModelFileWriter::Build(noVertexData)) && written;

    // 65,536 indices are stored as u32: one triangle among degenerate ones.
    ModelFileRecord wide = MakeQuadMesh(-1, -1, 1, 1);
    wide.indices.resize(65536, 0);
    written = WriteSeed(folder, target, "wide_indices.mlf", ModelFileWriter::Build(wide)) && written;
    return written;
}

} // namespace corvellan::content
