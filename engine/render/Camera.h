#pragma once

#include "engine/core/Frustum.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

#include <cstdint>

namespace OrvaneEngine
{

// A viewpoint: position, orientation and lens settings, turned once a frame
// into a view matrix, projections and a frustum. The settings are written
// directly by the camera's owner and take effect at the next Update.
//
// Matrices are kept in the device's row-vector layout (translation in
// elements 12 to 14).
class Camera
{
public:
    explicit Camera(std::uint32_t type);
    virtual ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Takes the axes from the view and rebuilds the frustum; the device
    // implementation first rebuilds the matrices.
    virtual void Update(float aspect);
    // Make this camera current on the device.
    virtual void Apply();
    virtual void ApplyZBiased();

    // 0 perspective, anything else orthographic.
    std::uint32_t type;
    float nearPlane = 1.0f;
    float farPlane = 1000.0f;
    // Radians; perspective only.
    float fieldOfView = 1.5707964f;
    // Orthographic only: the size of the view volume.
    float width = 1.0f;
    float height = 1.0f;
    Quaternion orientation{0.0f, 0.0f, 0.0f, 1.0f};
    Vector3 position{0.0f, 0.0f, 0.0f};

    // Right-handed, looking towards -z: the frustum and unprojection use it.
    Matrix4 projection;
    Matrix4 zBiasedProjection;
    Matrix4 view;
    Vector3 right{0.0f, 0.0f, 0.0f};
    Vector3 up{0.0f, 0.0f, 0.0f};
    // Length 1.
    Vector3 direction{0.0f, 0.0f, 0.0f};
    Frustum frustum;
};

} // namespace OrvaneEngine
