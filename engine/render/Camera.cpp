#include "engine/render/Camera.h"

namespace OrvaneEngine
{

Camera::Camera(std::uint32_t type_) : type(type_)
{
    Matrix4::Identity(projection);
    Matrix4::Identity(zBiasedProjection);
    Matrix4::Identity(view);
}

Camera::~Camera() = default;

void Camera::Update(float)
{
    const float* m = view.m;
    right = Vector3(m[0], m[4], m[8]);
    up = Vector3(m[1], m[5], m[9]);
    direction = Vector3(m[2], m[6], m[10]);
    direction.SetLength(1.0f);
    frustum.Update(projection, view);
}

void Camera::Apply()
{
}

void Camera::ApplyZBiased()
{
}

} // namespace OrvaneEngine
