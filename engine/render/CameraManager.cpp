#include "engine/render/CameraManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/Vector4.h"
#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/RenderSystem.h"

#include <cmath>
#include <string>

namespace OrvaneEngine
{
namespace
{

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

} // namespace

CameraManager::CameraManager(MessageManager* log_, Window* window_, RenderSystem* renderSystem_)
    : log(log_), window(window_), renderSystem(renderSystem_)
{
    defaultCamera = CreateCamera(0);
}

CameraManager::~CameraManager()
{
    const std::size_t position = FindUsed(defaultCamera);
    if (position != kNotFound)
        Remove(position);
    defaultCamera = nullptr;
    freeSlots.clear();
    for (const std::uint32_t slot : usedSlots)
        delete cameras[slot];
}

Camera* CameraManager::CreateCamera(std::uint32_t type)
{
    std::uint32_t slot = static_cast<std::uint32_t>(cameras.size());
    if (!freeSlots.empty())
    {
        slot = freeSlots.back();
        freeSlots.pop_back();
    }
    Camera* camera = renderSystem->CreateCamera(type);
    usedSlots.push_back(slot);
    if (slot == cameras.size())
        cameras.push_back(camera);
    else
        cameras[slot] = camera;
    return camera;
}

void CameraManager::DeleteCamera(Camera* camera)
{
    if (!camera)
        return;
    if (camera == defaultCamera)
    {
        log->Error("CameraManager::DeleteCamera: the default camera is deleted with the manager only");
        return;
    }
    const std::size_t position = FindUsed(camera);
    if (position == kNotFound)
    {
        log->Error("CameraManager::DeleteCamera: the camera was not made by this manager");
        return;
    }
    Remove(position);
}

void CameraManager::Remove(std::size_t usedPosition)
{
    const std::uint32_t slot = usedSlots[usedPosition];
    Camera* camera = cameras[slot];
    // A later camera may be allocated at the same address; it must still be applied.
    if (camera == currentCamera)
        currentCamera = nullptr;
    delete camera;
    cameras[slot] = nullptr;
    freeSlots.push_back(slot);
    usedSlots.erase(usedSlots.begin() + static_cast<std::ptrdiff_t>(usedPosition));
}

std::size_t CameraManager::FindUsed(const Camera* camera) const
{
    if (!camera)
        return kNotFound;
    for (std::size_t i = 0; i < usedSlots.size(); ++i)
    {
        if (cameras[usedSlots[i]] == camera)
            return i;
    }
    return kNotFound;
}

Camera* CameraManager::GetCamera(std::uint32_t slot) const
{
    return slot < cameras.size() ? cameras[slot] : nullptr;
}

void CameraManager::Update()
{
    if (window)
    {
        viewportX = 0;
        viewportY = 0;
        viewportWidth = window->width;
        viewportHeight = window->height;
    }
    const float aspect =
        viewportHeight != 0 ? static_cast<float>(viewportWidth) / static_cast<float>(viewportHeight) : 0.0f;
    for (const std::uint32_t slot : usedSlots)
    {
        if (cameras[slot])
            cameras[slot]->Update(aspect);
    }
    currentCamera = nullptr;
}

void CameraManager::SetCamera(Camera* camera, bool zBiased)
{
    if (!camera || (camera == currentCamera && zBiased == currentZBiased))
        return;
    currentCamera = camera;
    currentZBiased = zBiased;
    if (zBiased)
        camera->ApplyZBiased();
    else
        camera->Apply();
}

void CameraManager::Unproject(Vector3& out, const Camera* camera, const Vector3& screen) const
{
    out = Vector3(0.0f, 0.0f, 0.0f);
    if (!camera || viewportWidth == 0 || viewportHeight == 0)
        return;
    Matrix4 m = camera->view.Multiply(camera->projection);
    m.Invert();
    m.Transpose();
    const Vector4 ndc(2.0f * (screen.x - static_cast<float>(viewportX)) / static_cast<float>(viewportWidth) - 1.0f,
                      2.0f * (screen.y - static_cast<float>(viewportY)) / static_cast<float>(viewportHeight) - 1.0f,
                      2.0f * screen.z - 1.0f, 1.0f);
    const Vector4 q = m.Transform(ndc);
    if (std::fabs(q.w) >= 0.0001f)
        out = Vector3(q.x / q.w, q.y / q.w, q.z / q.w);
}

} // namespace OrvaneEngine
