#include "engine/render/ParticleSystemManager.h"

#include "engine/core/Error.h"
#include "engine/core/StringFunctions.h"

#include <algorithm>

namespace OrvaneEngine
{

ParticleSystemManager::ParticleSystemManager(MessageManager* log_, FileManager* files_, TimerManager* timers_,
                                             ShaderManager* shaderManager_, SpriteGroupManager* spriteGroupManager_)
    : log(log_), files(files_), timers(timers_), shaderManager(shaderManager_), spriteGroupManager(spriteGroupManager_)
{
}

// The hide list goes first; the registry then deletes every registered
// system, each giving its sprite group back.
ParticleSystemManager::~ParticleSystemManager()
{
    hideList.clear();
}

ParticleSystem* ParticleSystemManager::LoadParticleSystem(const std::string& fileName, Camera* camera)
{
    ParticleSystem* system = LoadParticleSystemResource(fileName, camera);
    registry.Add(system);
    return system;
}

ParticleSystem* ParticleSystemManager::LoadParticleSystemResource(const std::string& fileName, Camera* camera)
{
    try
    {
        return new ParticleSystem(log, files, timers, shaderManager, spriteGroupManager, fileName, camera);
    }
    catch (const Error&)
    {
        // The reader has logged why; missing data never stops the drawing.
    }
    return CreateParticleSystemResource(camera);
}

ParticleSystem* ParticleSystemManager::CreateParticleSystemResource(Camera* camera)
{
    return new ParticleSystem(log, files, timers, shaderManager, spriteGroupManager, camera);
}

ParticleSystem* ParticleSystemManager::CloneParticleSystem(const ParticleSystem* source)
{
    ParticleSystem* system = new ParticleSystem(*source);
    registry.Add(system);
    return system;
}

void ParticleSystemManager::DeleteParticleSystem(ParticleSystem* system)
{
    if (!registry.Remove(system))
        return;
    std::replace(hideList.begin(), hideList.end(), system, static_cast<ParticleSystem*>(nullptr));
    delete system;
}

void ParticleSystemManager::HideWhenFinished(ParticleSystem* system)
{
    if (!IsRegistered(system) || std::find(hideList.begin(), hideList.end(), system) != hideList.end())
        return;
    hideList.push_back(system);
}

void ParticleSystemManager::Update()
{
    for (ParticleSystem* system : registry.GetObjects())
        if (system != nullptr)
            system->Update();
    for (ParticleSystem*& system : hideList)
    {
        if (system != nullptr && !system->emitting && system->GetLiveCount() == 0)
        {
            system->SetVisible(false);
            system = nullptr;
        }
    }
    RemoveNullPointers(hideList);
}

bool ParticleSystemManager::IsRegistered(const ParticleSystem* system) const
{
    const std::vector<ParticleSystem*>& objects = registry.GetObjects();
    return system != nullptr && std::find(objects.begin(), objects.end(), system) != objects.end();
}

} // namespace OrvaneEngine
