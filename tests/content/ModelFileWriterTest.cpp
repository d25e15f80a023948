#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace corvellan::content
{
namespace
{

std::uint32_t U32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// Header 17, counts 8, box 24: what every file without animation carries.
constexpr std::size_t StaticFrame = 17 + 8 + 24;

TEST(ModelFileWriterTest, SectionsFollowTheFlagsAndTheSizeFieldIsExact)
{
    const ModelFileRecord quad = MakeQuadMesh(-1, -1, 1, 1);
    const std::string bytes = ModelFileWriter::Build(quad);
    EXPECT_EQ(bytes.size(), StaticFrame + 6 * 2 + 4 * 32);
    EXPECT_EQ(U32At(bytes, 0), bytes.size());
    EXPECT_EQ(bytes.substr(4, 5), "OVMLF");
    EXPECT_EQ(U32At(bytes, 9), 202u);
    EXPECT_EQ(U32At(bytes, 13), 0x9u);
    EXPECT_EQ(U32At(bytes, 17), 6u);
    EXPECT_EQ(U32At(bytes, 21), 4u);

    // Three frames of four vertices: 12 records and 3 boxes, after frames and speed.
    const ModelFileRecord morph =
        MakeMorphModel({MakeQuadMesh(0, 0, 1, 1), MakeQuadMesh(1, 0, 2, 1), MakeQuadMesh(2, 0, 3, 1)}, 2.0f);
    EXPECT_EQ(ModelFileWriter::Build(morph).size(), StaticFrame + 8 + 6 * 2 + 12 * 32 + 2 * 24);
}

TEST(ModelFileWriterTest, IndexWidthFollowsTheCountAndPivotsTheVersion)
{
    ModelFileRecord record = MakeQuadMesh(-1, -1, 1, 1);
    record.indices.assign(65535, 0);
    const std::size_t narrow = ModelFileWriter::Build(record).size();
    record.indices.assign(65536, 0);
    const std::size_t wide = ModelFileWriter::Build(record).size();
    EXPECT_EQ(narrow, StaticFrame + 4 * 32 + 65535 * 2);
    EXPECT_EQ(wide, StaticFrame + 4 * 32 + 65536 * 4);

    ModelFileRecord bones =
        MakeOneBoneModel(MakeQuadMesh(-1, -1, 1, 1), {MakeKey({0, 0, 0}), MakeKey({1, 0, 0})}, 1.0f);
    bones.bones.push_back(bones.bones.front());
    bones.keys.insert(bones.keys.end(), bones.keys.begin(), bones.keys.end());
    const std::size_t current = ModelFileWriter::Build(bones).size();
    bones.version = 201;
    EXPECT_EQ(current - ModelFileWriter::Build(bones).size(), 2u * 12u);
}

TEST(ModelFileWriterTest, DamageOverridesCountsAndCuts)
{
    const ModelFileRecord quad = MakeQuadMesh(-1, -1, 1, 1);
    ModelFileDamage damage;
    damage.vertexCount = 0x80000000u;
    damage.magic = "OVM";
    damage.version = 200;
    const std::string bytes = ModelFileWriter::Build(quad, damage);
    EXPECT_EQ(bytes.substr(4, 5), std::string("OVM\0\0", 5));
    EXPECT_EQ(U32At(bytes, 9), 200u);
    EXPECT_EQ(U32At(bytes, 21), 0x80000000u);

    ModelFileDamage cut;
    cut.cutTo = 30;
    const std::string shortened = ModelFileWriter::Build(quad, cut);
    EXPECT_EQ(shortened.size(), 30u);
    EXPECT_EQ(U32At(shortened, 0), 30u);
}

} // namespace
} // namespace corvellan::content
