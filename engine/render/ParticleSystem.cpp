#include "engine/render/ParticleSystem.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t LastKey = ParticleSystemSettings::KeyCount - 1;
// A speed key of 1 moves 100 units per second.
constexpr float SpeedScale = 100.0f;
// Direction keys and spreads shorter than this repeat the key before.
constexpr float NoDirection = 0.05f;
constexpr float FloorLift = 0.001f;
constexpr float PastLife = 0.0001f;

// Where a fraction of an interval falls among the six keys.
struct KeyPosition
{
    std::uint32_t k;
    std::uint32_t k1;
    float t;
    float u;
};

// x is brought into [0, 1), a NaN counting as 0, so that the keys are never
// indexed out of range whatever the lives and lengths are.
KeyPosition Locate(float x)
{
    if (!(x >= 0.0f))
        x = 0.0f;
    if (x >= 1.0f)
        x = std::nextafter(1.0f, 0.0f);
    const float s = x * static_cast<float>(LastKey);
    const std::uint32_t k = std::min(static_cast<std::uint32_t>(s), LastKey);
    const float t = s - static_cast<float>(k);
    return {k, k + 1 == ParticleSystemSettings::KeyCount ? 0 : k + 1, t, 1.0f - t};
}

float Interpolate(const ParticleSystemSettings::Keys<float>& keys, const KeyPosition& at)
{
    return keys[at.k] * at.u + keys[at.k1] * at.t;
}

Vector3 Interpolate(const ParticleSystemSettings::Keys<Vector3>& keys, const KeyPosition& at)
{
    return keys[at.k] * at.u + keys[at.k1] * at.t;
}

Color Interpolate(const ParticleSystemSettings::Keys<Color>& keys, const KeyPosition& at)
{
    const Color& a = keys[at.k];
    const Color& b = keys[at.k1];
    return Color(a.r * at.u + b.r * at.t, a.g * at.u + b.g * at.t, a.b * at.u + b.b * at.t, a.a * at.u + b.a * at.t);
}

// Three draws in x, y, z order.
Vector3 RandomSpread(const Vector3& centre, const Vector3& spread)
{
    const float x = OrvaneEngine::RandomSpread(centre.x, spread.x);
    const float y = OrvaneEngine::RandomSpread(centre.y, spread.y);
    const float z = OrvaneEngine::RandomSpread(centre.z, spread.z);
    return Vector3(x, y, z);
}

int LastIndex(std::size_t count, std::size_t back)
{
    return static_cast<int>(std::min<std::size_t>(count - back, INT_MAX));
}

} // namespace

ParticleSystem::ParticleSystem(MessageManager* log_, FileManager* files_, TimerManager* timers_,
                               ShaderManager* shaderManager_, SpriteGroupManager* spriteGroupManager_,
                               Camera* camera)
    : log(log_), files(files_), timers(timers_), shaderManager(shaderManager_),
      spriteGroupManager(spriteGroupManager_), name("self_made"), maxParticleCount(DefaultParticleCount)
{
    emitterBox.SetBox(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f));
    spriteGroup = spriteGroupManager->CreateSpriteGroup(maxParticleCount, ShaderDescriptor(0), camera);
    Reset();
}

ParticleSystem::ParticleSystem(MessageManager* log_, FileManager* files_, TimerManager* timers_,
                               ShaderManager* shaderManager_, SpriteGroupManager* spriteGroupManager_,
                               const std::string& fileName, Camera* camera)
    : log(log_), files(files_), timers(timers_), shaderManager(shaderManager_),
      spriteGroupManager(spriteGroupManager_), name(fileName)
{
    ReadFile(fileName, camera);
    Reset();
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : log(source.log), files(source.files), timers(source.timers), shaderManager(source.shaderManager),
      spriteGroupManager(source.spriteGroupManager), name(source.name), settings(source.settings),
      maxParticleCount(source.maxParticleCount), emitterKind(source.emitterKind), emitterBox(source.emitterBox)
{
    spriteGroup = spriteGroupManager->CloneSpriteGroup(source.spriteGroup, false);
    Reset();
}

ParticleSystem::~ParticleSystem()
{
    spriteGroupManager->DeleteSpriteGroup(spriteGroup);
}

void ParticleSystem::ReadFile(const std::string& fileName, Camera* camera)
{
    ParticleSystemFile contents;
    try
    {
        const std::unique_ptr<FileBinary> file = files->Open(MakeDataPath(fileName), false);
        contents.Read(*file, fileName);
    }
    catch (const FileError& error)
    {
        log->Error(error.GetText());
        throw Error(error.GetText());
    }
    settings = contents.settings;
    maxParticleCount = contents.maxParticleCount;
    emitterKind = contents.emitterKind;
    emitterBox.SetBox(contents.boxMin, contents.boxMax);

    std::string shaderName = fileName;
    ChangeExtension(shaderName, "srf");
    std::unique_ptr<ShaderDescriptor> descriptor;
    try
    {
        descriptor = std::make_unique<ShaderDescriptor>(log, files, shaderName);
    }
    catch (const Error&)
    {
        // The shader reader has logged why; the particles draw untextured.
        descriptor = std::make_unique<ShaderDescriptor>(0);
    }
    spriteGroup = spriteGroupManager->CreateSpriteGroup(maxParticleCount, *descriptor, camera);
}

void ParticleSystem::Reset()
{
    particles.assign(maxParticleCount, Particle());
    // Deaths push onto the stack, which then never grows.
    freeParticles.clear();
    freeParticles.reserve(maxParticleCount);
    for (std::uint32_t index = maxParticleCount; index > 0; --index)
        freeParticles.push_back(index - 1);
    emitting = 0;
    looping = 0;
    cycleTime = 0.0f;
    accumulator = 0.0f;
    lastEmissionKey = -1;
    liveCount = 0;
    emitterPosition = Vector3(0.0f, 0.0f, 0.0f);
    alongLines = 0;
}

void ParticleSystem::Update()
{
    if (!spriteGroup->IsVisible())
        return;
    const float dt = timers->frameTime;
    if (emitting && AdvanceCycle(dt))
        Emit(dt);
    MoveParticles(dt);
}

bool ParticleSystem::AdvanceCycle(float dt)
{
    const float length = settings.cycleLength;
    // Without a usable length no cycle could ever end; the effect ends instead.
    if (length > 0.0f && std::isfinite(length))
    {
        cycleTime += dt;
        if (cycleTime < length)
            return true;
        if (looping)
        {
            // The remainder the length goes into, however often.
            cycleTime = std::fmod(cycleTime, length);
            if (!(cycleTime >= 0.0f))
                cycleTime = 0.0f;
            return true;
        }
    }
    cycleTime = 0.0f;
    lastEmissionKey = -1;
    emitting = 0;
    return false;
}

void ParticleSystem::Emit(float dt)
{
    const KeyPosition key = Locate(cycleTime / settings.cycleLength);
    float lifeCentre;
    float lifeSpread;
    if (settings.smoothEmission)
    {
        accumulator += Interpolate(settings.rateKeys, key) * dt;
        lifeCentre = Interpolate(settings.lifeKeys, key);
        lifeSpread = Interpolate(settings.lifeSpreadKeys, key);
    }
    else
    {
        if (static_cast<std::int32_t>(key.k) != lastEmissionKey)
            accumulator += settings.rateKeys[key.k];
        lifeCentre = settings.lifeKeys[key.k];
        lifeSpread = settings.lifeSpreadKeys[key.k];
    }
    if (!std::isfinite(accumulator))
        accumulator = 0.0f;

    // The whole particles owed leave the accumulator even when there is no
    // room for them: dropped, not kept for later. The count is converted
    // only once it is known to fit.
    const float owed = std::trunc(accumulator);
    if (owed > 0.0f)
    {
        accumulator -= owed;
        const std::size_t room = std::min<std::size_t>(freeParticles.size(), spriteGroup->GetFreeCount());
        const std::size_t count = owed < static_cast<float>(room) ? static_cast<std::size_t>(owed) : room;
        for (std::size_t emitted = 0; emitted < count; ++emitted)
            EmitParticle(lifeCentre, lifeSpread);
    }
    lastEmissionKey = static_cast<std::int32_t>(key.k);
}

void ParticleSystem::EmitParticle(float lifeCentre, float lifeSpread)
{
    const std::uint32_t index = freeParticles.back();
    freeParticles.pop_back();
    Particle& particle = particles[index];
    particle.free = 0;
    const Vector3 position = ChooseEmissionPoint();
    particle.sprite = spriteGroup->AddSprite(position, settings.sizeKeys[0], settings.colorKeys[0]);
    particle.life = OrvaneEngine::RandomSpread(lifeCentre, lifeSpread);
    particle.age = 0.0f;
    particle.direction = Vector3(0.0f, 0.0f, 0.0f);
    for (std::uint32_t j = 0; j < ParticleSystemSettings::KeyCount; ++j)
    {
        const Vector3& key = settings.directionKeys[j];
        const Vector3& spread = settings.directionSpreadKeys[j];
        if (j > 0 && key.Length() < NoDirection && spread.Length() < NoDirection)
        {
            particle.directionKeys[j] = particle.directionKeys[j - 1];
        }
        else
        {
            particle.directionKeys[j] = RandomSpread(key, spread);
            particle.directionKeys[j].SetLength(1.0f);
        }
        particle.speedKeys[j] = OrvaneEngine::RandomSpread(settings.speedKeys[j], settings.speedSpreadKeys[j]);
    }
    particle.fallSpeed = 0.0f;
    particle.speedFactor = 1.0f;
}

Vector3 ParticleSystem::ChooseEmissionPoint() const
{
    if (emitterKind == 1)
    {
        const Vector3& low = emitterBox.localMin;
        const Vector3& high = emitterBox.localMax;
        const float x = RandomFloatRange(low.x, high.x);
        const float y = RandomFloatRange(low.y, high.y);
        const float z = RandomFloatRange(low.z, high.z);
        return emitterPosition + Vector3(x, y, z);
    }
    if (emitterKind != 2)
        return emitterPosition;

    const std::size_t count = emitterPoints.size();
    if (count == 0)
        return Vector3(0.0f, 0.0f, 0.0f);
    if (!alongLines)
        return emitterPoints[static_cast<std::size_t>(RandomInt(0, LastIndex(count, 1)))];
    if (count < 2)
        return emitterPoints[0];
    const std::size_t i = static_cast<std::size_t>(RandomInt(0, LastIndex(count, 2)));
    return emitterPoints[i] + (emitterPoints[i + 1] - emitterPoints[i]) * RandomFloat();
}

void ParticleSystem::MoveParticles(float dt)
{
    liveCount = 0;
    for (std::uint32_t index = 0; index < maxParticleCount; ++index)
    {
        Particle& particle = particles[index];
        if (particle.free)
            continue;
        particle.age += dt;
        if (!(particle.age < particle.life))
        {
            spriteGroup->RemoveSprite(particle.sprite);
            particle.free = 1;
            freeParticles.push_back(index);
            continue;
        }

        const KeyPosition key = Locate(particle.age / particle.life);
        const float speed = Interpolate(particle.speedKeys, key) * particle.speedFactor;
        Vector3 direction = Interpolate(particle.directionKeys, key);
        direction.SetLength(1.0f);
        particle.direction = direction;
        Vector3 d = direction * speed * SpeedScale * dt;
        if (settings.gravityOn)
        {
            particle.fallSpeed += settings.gravity * dt;
            d.z -= particle.fallSpeed * SpeedScale * dt;
        }
        Sprite& sprite = spriteGroup->GetSprite(particle.sprite);
        sprite.position += d;

        if (settings.floorOn && sprite.position.z < settings.floorHeight)
        {
            sprite.position.z = settings.floorHeight + FloorLift;
            particle.fallSpeed = 0.0f;
            particle.speedFactor *= settings.bounceFactor;
            if (particle.speedFactor < settings.restThreshold)
            {
                particle.speedFactor = 0.0f;
                if (settings.stopAtRest)
                    particle.age = particle.life + PastLife;
            }
            // It keeps bouncing the new way for the rest of its life.
            Vector3 bounced(d.x, d.y, std::fabs(d.z));
            bounced.SetLength(1.0f);
            particle.direction = bounced;
            particle.directionKeys = ParticleSystemSettings::Fill(bounced);
        }

        sprite.color = Interpolate(settings.colorKeys, key);
        sprite.size = Interpolate(settings.sizeKeys, key);
        ++liveCount;
    }
}

bool ParticleSystem::IsVisible() const
{
    return spriteGroup->IsVisible();
}

void ParticleSystem::SetVisible(bool visible)
{
    spriteGroup->SetVisible(visible);
}

Color ParticleSystem::GetColor() const
{
    return spriteGroup->color;
}

void ParticleSystem::SetColor(const Color& color)
{
    spriteGroup->color = color;
}

Model* ParticleSystem::GetModel() const
{
    return spriteGroup->GetModel();
}

} // namespace OrvaneEngine
