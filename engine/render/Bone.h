#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

// One bone of a skeleton: its file data, the pose of the current frame and
// the matrices made from that pose. A bone depends on its own pose only.
struct Bone
{
    // Not 0: the bone stays out of the model's box.
    std::uint8_t flag = 0;
    std::string name;
    // The local box comes from the file; the world box follows the full matrix.
    BoundingVolume volume;
    // Stored with the bone; the engine never reads them.
    std::uint16_t fileValues[2] = {0, 0};
    // Kept from the file, not part of the matrices.
    Vector3 pivot{0.0f, 0.0f, 0.0f};

    Quaternion rotation{0.0f, 0.0f, 0.0f, 1.0f};
    Vector3 translation{0.0f, 0.0f, 0.0f};
    Vector3 scale{0.0f, 0.0f, 0.0f};

    // Identity until the first update, so copies and early draws are deterministic.
    Matrix4 translationMatrix = IdentityMatrix();
    Matrix4 rotationMatrix = IdentityMatrix();
    Matrix4 scaleMatrix = IdentityMatrix();
    Matrix4 fullMatrix = IdentityMatrix();

private:
    static Matrix4 IdentityMatrix()
    {
        Matrix4 identity;
        Matrix4::Identity(identity);
        return identity;
    }
};

} // namespace OrvaneEngine
