// Particle systems and sprite groups run their frames without allocating: a
// counting operator new of this program sees every allocation made while
// the managers update.
#include "tests/engine/render/ParticleFixture.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{

std::atomic<bool> counting{false};
std::atomic<std::size_t> allocations{0};

void* Allocate(std::size_t size)
{
    if (counting.load())
        allocations.fetch_add(1);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace OrvaneEngine::particle_test
{
namespace
{

using corvellan::content::ParticleFileRecord;

class EffectAllocationTest : public ParticleFixture
{
};

TEST_F(EffectAllocationTest, FramesDoNotAllocate)
{
    // Particles are born, bounce, rest and die over and over, sorted and
    // turned, through every emitter kind.
    ParticleFileRecord record;
    record.maxParticleCount = 64;
    record.rateKeys = {200.0f, 50.0f, 0.0f, 400.0f, 10.0f, 100.0f};
    record.lifeKeys = {0.3f, 0.5f, 0.2f, 0.4f, 0.3f, 0.6f};
    record.lifeSpreadKeys = {0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f};
    record.directionKeys[0] = {1.0f, 0.0f, -1.0f};
    record.speedSpreadKeys = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    record.cycleLength = 0.5f;
    std::vector<ParticleSystem*> systems;
    for (std::uint32_t kind = 0; kind < 3; ++kind)
    {
        record.emitterKind = kind;
        record.smoothEmission = kind != 1;
        ParticleSystem* system = Running(record, true, "fx\\kind" + std::to_string(kind) + ".psf");
        system->emitterPoints = {Vector3(0.0f, 0.0f, 0.0f), Vector3(10.0f, 0.0f, 0.0f), Vector3(0, 10.0f, 5.0f)};
        system->alongLines = kind == 2;
        systems.push_back(system);
    }
    ParticleSystem* oneShot = Running(record, false, "fx\\shot.psf");
    particles.HideWhenFinished(oneShot);
    SpriteGroup* turning = groups.CreateSpriteGroup(8, ShaderDescriptor(0), &camera);
    for (std::uint32_t i = 0; i < 8; ++i)
        turning->AddSprite(Vector3(static_cast<float>(i), 0.0f, -static_cast<float>(i)), 1.0f,
                           Color(1.0f, 1.0f, 1.0f, 1.0f));
    for (std::uint32_t i = 0; i < 8; ++i)
        turning->GetSprite(i).angle = 0.3f * static_cast<float>(i);

    // One frame first, so that any one-time growth is out of the way.
    particles.Update();
    groups.Update();
    std::uint32_t peak = 0;
    counting = true;
    for (int frame = 0; frame < 200; ++frame)
    {
        timers.frameTime = frame % 3 == 0 ? 0.016f : 0.033f;
        particles.Update();
        groups.Update();
        for (ParticleSystem* system : systems)
            peak = std::max(peak, system->GetLiveCount());
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0u);
    // The frames did real work.
    EXPECT_GT(peak, 10u);
    EXPECT_FALSE(oneShot->IsVisible());
    EXPECT_TRUE(particles.GetHideList().empty());
}

} // namespace
} // namespace OrvaneEngine::particle_test
