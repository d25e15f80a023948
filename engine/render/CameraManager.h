#pragma once

#include "engine/core/Vector3.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class MessageManager;
class RenderSystem;
class Window;

// Owns every camera, keeps the default camera that models without one of
// their own use, refreshes all cameras once a frame, makes the camera of the
// model being drawn current on the device, and turns screen points back into
// points of a camera's space for picking.
class CameraManager
{
public:
    // Makes the default perspective camera.
    CameraManager(MessageManager* log, Window* window, RenderSystem* renderSystem);
    virtual ~CameraManager();
    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    // type 0 perspective, any other orthographic. The manager owns the camera;
    // it takes the slot freed last, else a new one.
    Camera* CreateCamera(std::uint32_t type);
    // Null is ignored; so, with an error line, are the default camera (every
    // model without a camera of its own draws through it) and a camera this
    // manager does not hold.
    void DeleteCamera(Camera* camera);
    // Once a frame, before models are drawn: the viewport follows the window
    // and every camera rebuilds its matrices; the next SetCamera applies again.
    void Update();
    // Applies the camera unless it and the flag are the pair applied last.
    void SetCamera(Camera* camera, bool zBiased);
    // screen: x, y in pixels from the viewport's bottom-left corner, z a depth
    // from 0 to 1. A point at infinity gives the origin.
    void Unproject(Vector3& out, const Camera* camera, const Vector3& screen) const;

    // Slot indices of the live cameras, in creation order.
    const std::vector<std::uint32_t>& GetUsedSlots() const { return usedSlots; }
    // The camera in a slot; null for a freed or missing one.
    Camera* GetCamera(std::uint32_t slot) const;

    Camera* defaultCamera = nullptr;
    std::uint32_t viewportX = 0;
    std::uint32_t viewportY = 0;
    std::uint32_t viewportWidth = 0;
    std::uint32_t viewportHeight = 0;

private:
    // The used-list position of a camera, or npos.
    std::size_t FindUsed(const Camera* camera) const;
    void Remove(std::size_t usedPosition);

    MessageManager* log;
    Window* window;
    RenderSystem* renderSystem;
    std::vector<std::uint32_t> freeSlots;
    std::vector<std::uint32_t> usedSlots;
    std::vector<Camera*> cameras;
    Camera* currentCamera = nullptr;
    bool currentZBiased = false;
};

} // namespace OrvaneEngine
