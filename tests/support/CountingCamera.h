#pragma once

#include "engine/render/Camera.h"

namespace corvellan::test
{

// A camera that counts how often it was made current, in each form.
class CountingCamera : public OrvaneEngine::Camera
{
public:
    using Camera::Camera;

    void Apply() override { ++applies; }
    void ApplyZBiased() override { ++zBiasedApplies; }

    int applies = 0;
    int zBiasedApplies = 0;
};

} // namespace corvellan::test
