#include "engine/render/Model.h"

#include "engine/core/Frustum.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Quaternion.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

constexpr float RewriteTolerance = 0.0001f;
constexpr float EmptyBox = 100000.0f;

Vector3 Lerp(const Vector3& a, const Vector3& b, float t)
{
    return a * (1.0f - t) + b * t;
}

Vector3 KeyVector(const float* key, std::uint32_t offset)
{
    return Vector3(key[offset], key[offset + 1], key[offset + 2]);
}

} // namespace

std::uint32_t Model::FrameCount() const
{
    return animationControl->GetFrameCount();
}

void Model::Update(bool cull)
{
    std::uint32_t firstFrame = 0;
    std::uint32_t secondFrame = 0;
    float blend = 0.0f;
    const bool morph = (flags & FlagMorph) != 0;
    const bool skeletal = (flags & FlagSkeletal) != 0;
    if (morph || skeletal)
    {
        animationControl->Update();
        firstFrame = animationControl->GetFirstFrame();
        secondFrame = animationControl->GetSecondFrame();
        blend = animationControl->GetBlend();
        ClampFrames(firstFrame, secondFrame);
    }

    if ((flags & FlagVisible) == 0)
        return;

    if ((flags & (FlagFollowVertices | FlagStatic)) == (FlagFollowVertices | FlagStatic))
    {
        ComputeBoundingBox(boundingVolume);
        boundingVolume.SetMatrix(worldMatrix);
    }
    if (morph)
    {
        if (std::max(firstFrame, secondFrame) < frameVolumes.size())
            BoundingVolume::Lerp(boundingVolume, frameVolumes[firstFrame], frameVolumes[secondFrame], blend);
        boundingVolume.SetMatrix(worldMatrix);
    }
    else if (skeletal)
    {
        PoseBones(firstFrame, secondFrame, blend);
        boundingVolume.SetMatrix(worldMatrix);
    }

    UpdatePrimitiveCount();
    primitivesToDraw = primitiveCount;
    if (cull && !camera->frustum.Contains(boundingVolume))
        primitivesToDraw = 0;
    if (primitivesToDraw == 0)
        return;

    if ((flags & FlagFixedDepth) == 0)
        depth = camera->direction.Dot(camera->position - boundingVolume.center);

    const bool rewrite = !(writtenFrames.valid && writtenFrames.firstFrame == firstFrame &&
                           writtenFrames.secondFrame == secondFrame &&
                           std::fabs(writtenFrames.blend - blend) < RewriteTolerance);
    writtenFrames = WrittenFrames{true, firstFrame, secondFrame, blend};
    if (!rewrite)
        return;
    if (morph)
        WriteMorphVertices(firstFrame, secondFrame, blend);
    else if (skeletal)
        WriteSkinnedVertices();
}

void Model::ClampFrames(std::uint32_t& firstFrame, std::uint32_t& secondFrame)
{
    const std::uint32_t last = FrameCount() - 1;
    if (firstFrame <= last && secondFrame <= last)
        return;
    // A range beyond the model's frames (from a caller or a list) would
    // read past the morph vertices and keys.
    if (!frameRangeReported)
    {
        log->Warning("Model \"" + name + "\": animation frames " + UIntToString(firstFrame, 0) + " and " +
                     UIntToString(secondFrame, 0) + " lie beyond its " + UIntToString(FrameCount(), 0) +
                     " frames and are clamped");
        frameRangeReported = true;
    }
    firstFrame = std::min(firstFrame, last);
    secondFrame = std::min(secondFrame, last);
}

void Model::PoseBones(std::uint32_t firstFrame, std::uint32_t secondFrame, float blend)
{
    if (!skeleton)
        return;
    const std::uint32_t boneCount = skeleton->GetBoneCount();
    const std::size_t needed = static_cast<std::size_t>(std::max(firstFrame, secondFrame) + 1) * boneCount * KeySize;
    if (boneKeys.size() < needed)
        return;
    Vector3 min(EmptyBox, EmptyBox, EmptyBox);
    Vector3 max(-EmptyBox, -EmptyBox, -EmptyBox);
    for (std::uint32_t index = 0; index < boneCount; ++index)
    {
        const float* ka = &boneKeys[(static_cast<std::size_t>(firstFrame) * boneCount + index) * KeySize];
        const float* kb = &boneKeys[(static_cast<std::size_t>(secondFrame) * boneCount + index) * KeySize];
        Bone& bone = skeleton->GetBone(index);
        bone.translation = Lerp(KeyVector(ka, 0), KeyVector(kb, 0), blend);
        Quaternion::Slerp(bone.rotation, Quaternion(ka[3], ka[4], ka[5], ka[6]), Quaternion(kb[3], kb[4], kb[5], kb[6]),
                          blend);
        bone.scale = Lerp(KeyVector(ka, 7), KeyVector(kb, 7), blend);
    }
    skeleton->UpdateBoneMatrices();
    for (std::uint32_t index = 0; index < boneCount; ++index)
    {
        const Bone& bone = skeleton->GetBone(index);
        if (bone.flag != 0)
            continue;
        const Vector3& a = bone.volume.worldMin;
        const Vector3& b = bone.volume.worldMax;
        min = Vector3(std::min(min.x, a.x), std::min(min.y, a.y), std::min(min.z, a.z));
        max = Vector3(std::max(max.x, b.x), std::max(max.y, b.y), std::max(max.z, b.z));
    }
    boundingVolume.SetBox(min, max);
}

void Model::WriteMorphVertices(std::uint32_t firstFrame, std::uint32_t secondFrame, float blend)
{
    const std::uint32_t count = vertexBuffer->GetVertexCount();
    if (morphVertices.size() < static_cast<std::size_t>(std::max(firstFrame, secondFrame) + 1) * count)
        return;
    const Vertex* a = &morphVertices[static_cast<std::size_t>(firstFrame) * count];
    const Vertex* b = &morphVertices[static_cast<std::size_t>(secondFrame) * count];
    const std::uint32_t stride = vertexBuffer->GetStride();
    auto* target = static_cast<std::uint8_t*>(vertexBuffer->Lock(0, count));
    for (std::uint32_t index = 0; index < count; ++index, target += stride)
    {
        const Vector3 position = Lerp(a[index].position, b[index].position, blend);
        const Vector3 normal = Lerp(a[index].normal, b[index].normal, blend);
        const float uv[2] = {a[index].u * (1.0f - blend) + b[index].u * blend,
                             a[index].v * (1.0f - blend) + b[index].v * blend};
        // A coloured vertex keeps its colour between normal and u, v.
        std::memcpy(target, &position, 12);
        std::memcpy(target + 12, &normal, 12);
        std::memcpy(target + stride - 8, uv, 8);
    }
    vertexBuffer->Unlock();
}

void Model::WriteSkinnedVertices()
{
    const std::uint32_t count = vertexBuffer->GetVertexCount();
    if (!skeleton || skinRecords.size() < count)
        return;
    const std::uint32_t boneCount = skeleton->GetBoneCount();
    const std::uint32_t stride = vertexBuffer->GetStride();
    auto* target = static_cast<std::uint8_t*>(vertexBuffer->Lock(0, count));
    for (std::uint32_t index = 0; index < count; ++index, target += stride)
    {
        const SkinRecord& record = skinRecords[index];
        Vector3 normal(0.0f, 0.0f, 0.0f);
        Vector3 position(0.0f, 0.0f, 0.0f);
        const std::uint16_t influences = std::min(record.influenceCount, SkinRecord::MaxInfluences);
        for (std::uint16_t slot = 0; slot < influences; ++slot)
        {
            const SkinInfluence& influence = record.influences[slot];
            if (influence.boneIndex >= boneCount)
                continue;
            const Bone& bone = skeleton->GetBone(influence.boneIndex);
            normal += bone.rotationMatrix.TransformPoint(influence.normal) * influence.weight;
            position += bone.fullMatrix.TransformPoint(influence.position) * influence.weight;
        }
        std::memcpy(target, &position, 12);
        std::memcpy(target + 12, &normal, 12);
    }
    vertexBuffer->Unlock();
}

} // namespace OrvaneEngine
