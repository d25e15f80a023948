#pragma once

#include "engine/render/Bone.h"

#include <cstdint>
#include <memory>

namespace OrvaneEngine
{

class MessageManager;

// The bones of a skeletal model. The model writes each bone's pose every
// frame and then asks for the matrices that skinning and the model's box use.
class Skeleton
{
public:
    Skeleton(MessageManager* log, std::uint16_t boneCount);
    // A deep copy: every bone with its names, pose and matrices.
    Skeleton(const Skeleton& source);
    virtual ~Skeleton();
    Skeleton& operator=(const Skeleton&) = delete;

    // The index must be below the bone count; readers of model files check
    // bone indices before they get here.
    Bone& GetBone(std::uint32_t index);
    const Bone& GetBone(std::uint32_t index) const;
    std::uint32_t GetBoneCount() const { return boneCount; }

    // For each bone: full = translation * (scale * rotation); the bone's
    // volume takes the full matrix.
    void UpdateBoneMatrices();

private:
    MessageManager* log;
    std::uint16_t boneCount;
    std::unique_ptr<Bone[]> bones;
};

} // namespace OrvaneEngine
