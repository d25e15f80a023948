#include "engine/render/Skeleton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace OrvaneEngine
{
namespace
{

void ExpectPoint(const Vector3& actual, const Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

struct PoseCase
{
    std::string name;
    Vector3 translation;
    Vector3 scale;
    Quaternion rotation;
    Vector3 expected; // where (1, 0, 0) goes
};

TEST(SkeletonTest, FullMatrixRotatesThenScalesThenMoves)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const PoseCase cases[] = {
        {"translate and scale", {1, 2, 3}, {2, 2, 2}, {0, 0, 0, 1}, {3, 2, 3}},
        {"new bone collapses onto its translation", {1, 2, 3}, {0, 0, 0}, {0, 0, 0, 1}, {1, 2, 3}},
        {"unnormalised quarter turn about z", {0, 0, 0}, {1, 1, 1}, {0, 0, 2, 2}, {0, 1, 0}},
        // Scaling x after the turn leaves the turned point alone; the other
        // order would stretch it to (0, 2, 0).
        {"scale along the model's axes", {0, 0, 0}, {2, 1, 1}, {0, 0, 2, 2}, {0, 1, 0}},
        {"zero quaternion is no rotation", {0, 0, 0}, {1, 1, 1}, {0, 0, 0, 0}, {1, 0, 0}},
        {"NaN quaternion is no rotation", {0, 0, 0}, {1, 1, 1}, {nan, 0, 0, 1}, {1, 0, 0}},
        {"tiny quaternion is no rotation", {0, 0, 0}, {1, 1, 1}, {0, 0, 1e-30f, 0}, {1, 0, 0}},
    };
    Skeleton skeleton(nullptr, static_cast<std::uint16_t>(std::size(cases)));
    for (std::uint32_t index = 0; index < std::size(cases); ++index)
    {
        Bone& bone = skeleton.GetBone(index);
        bone.translation = cases[index].translation;
        bone.scale = cases[index].scale;
        bone.rotation = cases[index].rotation;
    }
    skeleton.UpdateBoneMatrices();
    for (std::uint32_t index = 0; index < std::size(cases); ++index)
    {
        SCOPED_TRACE(cases[index].name);
        const Bone& bone = skeleton.GetBone(index);
        ExpectPoint(bone.fullMatrix.TransformPoint(Vector3(1, 0, 0)), cases[index].expected);
        for (float element : bone.rotationMatrix.m)
            EXPECT_TRUE(std::isfinite(element));
        EXPECT_EQ(bone.fullMatrix, bone.translationMatrix.Multiply(bone.scaleMatrix.Multiply(bone.rotationMatrix)));
    }
}

TEST(SkeletonTest, BoneVolumeFollowsTheFullMatrix)
{
    Skeleton skeleton(nullptr, 1);
    Bone& bone = skeleton.GetBone(0);
    bone.volume.SetBox(Vector3(-1, -1, -1), Vector3(1, 1, 1));
    bone.translation = Vector3(10, 0, 0);
    bone.scale = Vector3(2, 3, 4);
    bone.rotation = Quaternion(0, 0, 0, 1);
    skeleton.UpdateBoneMatrices();
    ExpectPoint(bone.volume.worldMin, Vector3(8, -3, -4));
    ExpectPoint(bone.volume.worldMax, Vector3(12, 3, 4));
    EXPECT_EQ(bone.volume.worldMatrix, bone.fullMatrix);
}

TEST(SkeletonTest, CopyKeepsPoseAndMatricesUntilItsOwnUpdate)
{
    Skeleton source(nullptr, 2);
    for (std::uint32_t index = 0; index < 2; ++index)
    {
        Bone& bone = source.GetBone(index);
        bone.name = "bone" + std::to_string(index);
        bone.flag = static_cast<std::uint8_t>(index + 1);
        bone.fileValues[1] = 7;
        bone.pivot = Vector3(1, 1, 1);
        bone.translation = Vector3(static_cast<float>(index + 1), 0, 0);
        bone.scale = Vector3(1, 1, 1);
        bone.rotation = Quaternion(0, 0, 0, 1);
    }
    source.UpdateBoneMatrices();

    Skeleton copy(source);
    ASSERT_EQ(copy.GetBoneCount(), 2u);
    source.GetBone(1).translation = Vector3(50, 0, 0);
    source.GetBone(1).name = "renamed";
    source.UpdateBoneMatrices();

    const Bone& copied = copy.GetBone(1);
    EXPECT_EQ(copied.name, "bone1");
    EXPECT_EQ(copied.flag, 2);
    EXPECT_EQ(copied.fileValues[1], 7);
    ExpectPoint(copied.fullMatrix.TransformPoint(Vector3(0, 0, 0)), Vector3(2, 0, 0));
    copy.GetBone(1).translation = Vector3(-5, 0, 0);
    copy.UpdateBoneMatrices();
    ExpectPoint(copy.GetBone(1).fullMatrix.TransformPoint(Vector3(0, 0, 0)), Vector3(-5, 0, 0));
    ExpectPoint(source.GetBone(1).fullMatrix.TransformPoint(Vector3(0, 0, 0)), Vector3(50, 0, 0));
}

TEST(SkeletonTest, NewBonesAreIdentityAndEmptySkeletonsDoNothing)
{
    Skeleton empty(nullptr, 0);
    EXPECT_EQ(empty.GetBoneCount(), 0u);
    empty.UpdateBoneMatrices();
    Skeleton emptyCopy(empty);
    EXPECT_EQ(emptyCopy.GetBoneCount(), 0u);

    Skeleton skeleton(nullptr, 1);
    const Bone& bone = skeleton.GetBone(0);
    Matrix4 identity;
    Matrix4::Identity(identity);
    EXPECT_EQ(bone.fullMatrix, identity);
    EXPECT_EQ(bone.rotationMatrix, identity);
    EXPECT_TRUE(bone.name.empty());
    ExpectPoint(bone.scale, Vector3(0, 0, 0));
}

#ifndef NDEBUG
TEST(SkeletonDeathTest, BoneIndexOutOfRangeAsserts)
{
    Skeleton skeleton(nullptr, 2);
    EXPECT_DEATH(skeleton.GetBone(2), "");
}
#endif

} // namespace
} // namespace OrvaneEngine
