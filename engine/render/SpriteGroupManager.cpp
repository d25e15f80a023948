#include "engine/render/SpriteGroupManager.h"

namespace OrvaneEngine
{

SpriteGroupManager::SpriteGroupManager(MessageManager* log_, CameraManager* cameraManager_,
                                       ShaderManager* shaderManager_, ModelManager* modelManager_)
    : log(log_), cameraManager(cameraManager_), shaderManager(shaderManager_), modelManager(modelManager_)
{
}

// The registry deletes every registered group, each releasing its model.
SpriteGroupManager::~SpriteGroupManager() = default;

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(std::uint32_t count, const ShaderDescriptor& descriptor,
                                                   Camera* camera)
{
    SpriteGroup* group = CreateSpriteGroupResource(count, descriptor, camera);
    registry.Add(group);
    return group;
}

SpriteGroup* SpriteGroupManager::CreateSpriteGroupResource(std::uint32_t count, const ShaderDescriptor& descriptor,
                                                           Camera* camera)
{
    return new SpriteGroup(log, cameraManager, shaderManager, modelManager, count, descriptor, camera);
}

SpriteGroup* SpriteGroupManager::CloneSpriteGroup(const SpriteGroup* source, bool copySprites)
{
    SpriteGroup* group = new SpriteGroup(*source, copySprites);
    registry.Add(group);
    return group;
}

void SpriteGroupManager::DeleteSpriteGroup(SpriteGroup* group)
{
    if (registry.Remove(group))
        delete group;
}

void SpriteGroupManager::Update()
{
    for (SpriteGroup* group : registry.GetObjects())
        if (group != nullptr)
            group->Update();
}

} // namespace OrvaneEngine
