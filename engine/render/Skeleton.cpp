#include "engine/render/Skeleton.h"

#include <cassert>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

// A zero or non-finite quaternion (damaged key data) would turn every skinned
// vertex into NaN; it stands for no rotation instead.
Matrix4 RotationOf(const Quaternion& rotation)
{
    const float lengthSquared = rotation.LengthSquared();
    if (!(lengthSquared > 0.0f) || !std::isfinite(lengthSquared) || !std::isfinite(2.0f / lengthSquared))
    {
        Matrix4 identity;
        Matrix4::Identity(identity);
        return identity;
    }
    return rotation.ToMatrix();
}

} // namespace

Skeleton::Skeleton(MessageManager* log_, std::uint16_t boneCount_)
    : log(log_), boneCount(boneCount_), bones(boneCount_ > 0 ? std::make_unique<Bone[]>(boneCount_) : nullptr)
{
}

Skeleton::Skeleton(const Skeleton& source)
    : log(source.log), boneCount(source.boneCount),
      bones(source.boneCount > 0 ? std::make_unique<Bone[]>(source.boneCount) : nullptr)
{
    for (std::uint32_t index = 0; index < boneCount; ++index)
        bones[index] = source.bones[index];
}

Skeleton::~Skeleton() = default;

Bone& Skeleton::GetBone(std::uint32_t index)
{
    assert(index < boneCount);
    return bones[index];
}

const Bone& Skeleton::GetBone(std::uint32_t index) const
{
    assert(index < boneCount);
    return bones[index];
}

void Skeleton::UpdateBoneMatrices()
{
    for (std::uint32_t index = 0; index < boneCount; ++index)
    {
        Bone& bone = bones[index];
        bone.rotationMatrix = RotationOf(bone.rotation);
        Matrix4::Translation(bone.translationMatrix, bone.translation);
        Matrix4& scale = bone.scaleMatrix;
        for (float& element : scale.m)
            element = 0.0f;
        scale.m[0] = bone.scale.x;
        scale.m[5] = bone.scale.y;
        scale.m[10] = bone.scale.z;
        scale.m[15] = 1.0f;
        bone.fullMatrix = bone.translationMatrix.Multiply(scale.Multiply(bone.rotationMatrix));
        bone.volume.SetMatrix(bone.fullMatrix);
    }
}

} // namespace OrvaneEngine
