#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Color.h"
#include "engine/core/Vector3.h"
#include "engine/render/Particle.h"
#include "engine/render/ParticleSystemFile.h"
#include "engine/render/ParticleSystemSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class FileManager;
class MessageManager;
class Model;
class ShaderManager;
class SpriteGroup;
class SpriteGroupManager;
class TimerManager;

// A particle effect: emits particles in cycles from a point, a box or a list
// of points, moves each along directions and speeds that change over its
// life, lets it fall and bounce on a floor, and fades its colour and size
// through six keys. Every particle is one sprite of the system's group, so
// the whole effect draws as one model.
//
// A new system is idle: owners place it through the emitter fields and start
// it by setting emitting (and looping, for an endless effect).
class ParticleSystem
{
public:
    // A bound on the memory one effect may take; a file asking for more is damaged.
    static constexpr std::uint32_t MaxParticleCount = ParticleSystemFile::MaxParticleCount;
    static constexpr std::uint32_t DefaultParticleCount = 100;

    // "self_made": the default settings, 100 particles, emitter kind 0, a box
    // of (-0.5, -0.5, -0.5) to (0.5, 0.5, 0.5), untextured and unblended. A
    // null camera means the default camera.
    ParticleSystem(MessageManager* log, FileManager* files, TimerManager* timers, ShaderManager* shaderManager,
                   SpriteGroupManager* spriteGroupManager, Camera* camera);
    // Reads an "OVPSF" file under the data folder and draws with the shader
    // file of the same name and the extension "srf" (untextured and unblended
    // when that cannot be read). A file problem is logged once and thrown as
    // Error with the same text.
    ParticleSystem(MessageManager* log, FileManager* files, TimerManager* timers, ShaderManager* shaderManager,
                   SpriteGroupManager* spriteGroupManager, const std::string& fileName, Camera* camera);
    // The source's name, settings, pool size, emitter kind and box, with a
    // sprite group of its own; nothing is running and the point list is empty.
    explicit ParticleSystem(const ParticleSystem& source);
    virtual ~ParticleSystem();
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // One frame of emission and motion; a hidden system stands still.
    void Update();

    bool IsVisible() const;
    void SetVisible(bool visible);
    // The group's colour, multiplied into every particle's.
    Color GetColor() const;
    void SetColor(const Color& color);
    // The group's model; owners set its flags and depth.
    Model* GetModel() const;

    const std::string& GetName() const { return name; }
    const ParticleSystemSettings& GetSettings() const { return settings; }
    SpriteGroup* GetSpriteGroup() const { return spriteGroup; }
    float GetAccumulator() const { return accumulator; }
    std::uint32_t GetMaxParticleCount() const { return maxParticleCount; }
    const std::vector<Particle>& GetParticles() const { return particles; }
    // Top of the stack last.
    const std::vector<std::uint32_t>& GetFreeParticles() const { return freeParticles; }
    // The particles moved by the last update.
    std::uint32_t GetLiveCount() const { return liveCount; }
    std::int32_t GetLastEmissionKey() const { return lastEmissionKey; }

private:
    void ReadFile(const std::string& fileName, Camera* camera);
    // The run state every constructor ends with.
    void Reset();
    // Ends a cycle that is over; false when emission stopped.
    bool AdvanceCycle(float dt);
    void Emit(float dt);
    void EmitParticle(float lifeCentre, float lifeSpread);
    Vector3 ChooseEmissionPoint() const;
    void MoveParticles(float dt);

    MessageManager* log;
    FileManager* files;
    TimerManager* timers;
    ShaderManager* shaderManager;
    SpriteGroupManager* spriteGroupManager;
    std::string name;
    ParticleSystemSettings settings;
    SpriteGroup* spriteGroup = nullptr;

public:
    // Seconds into the current emission cycle; 0 restarts it.
    float cycleTime = 0.0f;
    std::uint8_t looping = 0;
    std::uint8_t emitting = 0;

private:
    // Particles owed but not yet emitted.
    float accumulator = 0.0f;
    std::vector<std::uint32_t> freeParticles;
    std::uint32_t maxParticleCount = 0;
    std::vector<Particle> particles;
    std::uint32_t liveCount = 0;
    std::int32_t lastEmissionKey = -1;

public:
    Vector3 emitterPosition{0.0f, 0.0f, 0.0f};
    // 0 the emitter position, 1 a point of the box around it, 2 a point of
    // the point list; any other the emitter position.
    std::uint32_t emitterKind = 0;
    // For kind 1, around the emitter position.
    BoundingVolume emitterBox;
    // Scene positions, not relative to the emitter position.
    std::vector<Vector3> emitterPoints;
    // For kind 2: points on the segments between consecutive list points.
    std::uint8_t alongLines = 0;
};

} // namespace OrvaneEngine
