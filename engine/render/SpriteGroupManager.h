#pragma once

#include "engine/render/ObjectManager.h"
#include "engine/render/SpriteGroup.h"

#include <cstdint>

namespace OrvaneEngine
{

class Camera;
class CameraManager;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

// Makes, updates and deletes sprite groups. Registered groups are updated
// every frame and deleted with the manager; resource groups belong to the
// caller. Particle systems give their groups back here, so this manager
// must outlive the particle-system manager.
class SpriteGroupManager
{
public:
    SpriteGroupManager(MessageManager* log, CameraManager* cameraManager, ShaderManager* shaderManager,
                       ModelManager* modelManager);
    virtual ~SpriteGroupManager();
    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;

    // Registered. A null camera means the default camera.
    SpriteGroup* CreateSpriteGroup(std::uint32_t count, const ShaderDescriptor& descriptor, Camera* camera = nullptr);
    // Not registered; the caller deletes it. A shader user passes as its descriptor.
    SpriteGroup* CreateSpriteGroupResource(std::uint32_t count, const ShaderDescriptor& descriptor,
                                           Camera* camera = nullptr);
    // Registered.
    SpriteGroup* CloneSpriteGroup(const SpriteGroup* source, bool copySprites);
    // Deletes a registered group; null and unregistered groups are left alone.
    void DeleteSpriteGroup(SpriteGroup* group);
    // SpriteGroup::Update on every registered group, in slot order.
    void Update();

    std::uint32_t GetSpriteGroupCount() const { return registry.GetCount(); }

private:
    MessageManager* log;
    CameraManager* cameraManager;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    ObjectManager<SpriteGroup> registry;
};

} // namespace OrvaneEngine
