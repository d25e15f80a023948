#include "engine/render/Camera_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/IDirect3DDevice7.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

// Perspective cameras keep this aspect whatever the window's shape.
constexpr float kAspect = 1.3333334f;

void Clear(Matrix4& matrix)
{
    for (float& element : matrix.m)
        element = 0.0f;
}

// Direct3D's left-handed off-centre perspective: view-space z from n to f
// (towards +z) maps to depth 0 to 1.
d3d7::D3DMATRIX LeftHandedPerspective(float l, float r, float b, float t, float n, float f)
{
    d3d7::D3DMATRIX matrix;
    matrix.m[0] = 2.0f * n / (r - l);
    matrix.m[5] = 2.0f * n / (t - b);
    matrix.m[8] = (r + l) / (l - r);
    matrix.m[9] = (t + b) / (b - t);
    matrix.m[10] = f / (f - n);
    matrix.m[11] = 1.0f;
    matrix.m[14] = f * n / (n - f);
    return matrix;
}

d3d7::D3DMATRIX Orthographic(float l, float r, float b, float t, float n, float f)
{
    d3d7::D3DMATRIX matrix;
    matrix.m[0] = 2.0f / (r - l);
    matrix.m[5] = 2.0f / (t - b);
    matrix.m[10] = 1.0f / (n - f);
    matrix.m[12] = -(r + l) / (r - l);
    matrix.m[13] = -(t + b) / (t - b);
    matrix.m[14] = n / (n - f);
    matrix.m[15] = 1.0f;
    return matrix;
}

} // namespace

Camera_D3D7::Camera_D3D7(RenderSystem_D3D7* renderSystem_, std::uint32_t type_)
    : Camera(type_), renderSystem(renderSystem_), device(renderSystem_ ? &renderSystem_->d3dDevice : nullptr)
{
}

void Camera_D3D7::Update(float aspect)
{
    const float n = nearPlane;
    const float f = farPlane;
    Clear(projection);
    if (type == 0)
    {
        const float t = n * std::tan(kAspect * fieldOfView * 0.25f);
        const float b = -t;
        const float r = t * kAspect;
        const float l = b * kAspect;
        projection.m[0] = 2.0f * n / (r - l);
        projection.m[5] = 2.0f * n / (t - b);
        projection.m[8] = (r + l) / (r - l);
        projection.m[9] = (t + b) / (t - b);
        projection.m[10] = -(f + n) / (f - n);
        projection.m[11] = -1.0f;
        projection.m[14] = -(2.0f * f * n) / (f - n);
        deviceProjection = LeftHandedPerspective(l, r, b, t, n, f);
        zBiasedDeviceProjection = LeftHandedPerspective(l, r, b, t, n, f + 1.0f);
    }
    else
    {
        const float l = 0.0f;
        const float b = 0.0f;
        const float r = width;
        const float t = height;
        projection.m[0] = 2.0f / (r - l);
        projection.m[5] = 2.0f / (t - b);
        projection.m[10] = -2.0f / (f - n);
        projection.m[12] = -(r + l) / (r - l);
        projection.m[13] = -(t + b) / (t - b);
        projection.m[14] = -(f + n) / (f - n);
        projection.m[15] = 1.0f;
        deviceProjection = Orthographic(l, r, b, t, n, f);
        zBiasedDeviceProjection = Orthographic(l, r, b, t, n, f + 1.0f);
    }
    std::copy(std::begin(zBiasedDeviceProjection.m), std::end(zBiasedDeviceProjection.m), zBiasedProjection.m);

    Matrix4 rotation = orientation.ToMatrix();
    rotation.Transpose();
    rotation.Translate(Vector3(-position.x, -position.y, -position.z));
    rotation.Transpose();
    view = rotation;
    Camera::Update(aspect);
}

void Camera_D3D7::ApplyProjection(d3d7::D3DMATRIX& matrix, const char* context)
{
    if (!renderSystem)
        return;
    if (device && *device)
        renderSystem->CheckResult(context, (*device)->SetTransform(d3d7::D3DTRANSFORMSTATE_PROJECTION, &matrix));
    renderSystem->SetViewMatrix(view);
}

void Camera_D3D7::Apply()
{
    ApplyProjection(deviceProjection, "Camera_D3D7::Apply");
}

void Camera_D3D7::ApplyZBiased()
{
    ApplyProjection(zBiasedDeviceProjection, "Camera_D3D7::ApplyZBiased");
}

} // namespace OrvaneEngine
