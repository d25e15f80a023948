#pragma once

#include "engine/render/ObjectManager.h"
#include "engine/render/ParticleSystem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class FileManager;
class MessageManager;
class ShaderManager;
class SpriteGroupManager;
class TimerManager;

// Makes, updates and deletes particle systems. Registered systems run every
// frame and are deleted with the manager; resource systems are templates
// that belong to the caller and never run. Loading never fails: a file that
// cannot be read gives the default system.
class ParticleSystemManager
{
public:
    ParticleSystemManager(MessageManager* log, FileManager* files, TimerManager* timers, ShaderManager* shaderManager,
                          SpriteGroupManager* spriteGroupManager);
    virtual ~ParticleSystemManager();
    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    // Registered. A null camera means the default camera.
    ParticleSystem* LoadParticleSystem(const std::string& fileName, Camera* camera = nullptr);
    // Not registered.
    ParticleSystem* LoadParticleSystemResource(const std::string& fileName, Camera* camera = nullptr);
    // The default system, not registered.
    ParticleSystem* CreateParticleSystemResource(Camera* camera = nullptr);
    // Registered.
    ParticleSystem* CloneParticleSystem(const ParticleSystem* source);
    // Deletes a registered system, dropping it from the hide list; null and
    // unregistered systems are left alone.
    void DeleteParticleSystem(ParticleSystem* system);
    // Lists a registered system to be hidden by the first update after which
    // it is no longer emitting and has no particle left; call it once the
    // system has been started. A system listed already, or not registered
    // here, is ignored.
    void HideWhenFinished(ParticleSystem* system);
    // Every registered system in slot order, then the hide list.
    void Update();

    std::uint32_t GetParticleSystemCount() const { return registry.GetCount(); }
    const std::vector<ParticleSystem*>& GetHideList() const { return hideList; }

private:
    bool IsRegistered(const ParticleSystem* system) const;

    MessageManager* log;
    FileManager* files;
    TimerManager* timers;
    ShaderManager* shaderManager;
    SpriteGroupManager* spriteGroupManager;
    ObjectManager<ParticleSystem> registry;
    std::vector<ParticleSystem*> hideList;
};

} // namespace OrvaneEngine
