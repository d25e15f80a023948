#pragma once

#include "engine/core/Color.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

class Light;
class MessageManager;
class RenderSystem;

// Owns the scene's ambient colour and its lights, sends both to the device
// once a frame, and switches the device's lighting per drawn model.
class LightManager
{
public:
    LightManager(MessageManager* log, RenderSystem* renderSystem);
    virtual ~LightManager();
    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // Once a frame: the ambient colour through the render system's cache,
    // then every light.
    void Update();
    // Per drawn model. Lights a recreated device lost are restored when
    // lighting is switched on.
    void SetLighting(bool on);

    // A new light owned by the manager; its slot, the one freed last or a new
    // one, is its device light index.
    Light* CreateLight();
    // Null is ignored; a light this manager does not hold, with an error line.
    void DeleteLight(Light* light);
    const std::vector<std::uint32_t>& GetUsedSlots() const { return usedSlots; }
    Light* GetLight(std::uint32_t slot) const;

    Color ambientColor{0.0f, 0.0f, 0.0f, 1.0f};

private:
    MessageManager* log;
    RenderSystem* renderSystem;
    std::vector<std::uint32_t> freeSlots;
    std::vector<std::uint32_t> usedSlots;
    std::vector<Light*> lights;
};

} // namespace OrvaneEngine
