#include "tests/engine/render/ParticleFixture.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace OrvaneEngine::particle_test
{
namespace
{

using corvellan::content::ParticleFileDamage;
using corvellan::content::ParticleFileRecord;
using corvellan::content::ParticleFileWriter;

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

class ParticleSystemTest : public ParticleFixture
{
protected:
    static std::vector<const Particle*> Live(const ParticleSystem& system)
    {
        std::vector<const Particle*> live;
        for (const Particle& particle : system.GetParticles())
            if (!particle.free)
                live.push_back(&particle);
        return live;
    }

    static std::vector<Vector3> Positions(const ParticleSystem& system)
    {
        std::vector<Vector3> positions;
        for (const Particle* particle : Live(system))
            positions.push_back(system.GetSpriteGroup()->GetSprite(particle->sprite).position);
        return positions;
    }

    static void ExpectRunStateReset(const ParticleSystem& system)
    {
        EXPECT_EQ(system.emitting, 0);
        EXPECT_EQ(system.looping, 0);
        EXPECT_EQ(system.cycleTime, 0.0f);
        EXPECT_EQ(system.GetAccumulator(), 0.0f);
        EXPECT_EQ(system.GetLastEmissionKey(), -1);
        EXPECT_EQ(system.GetLiveCount(), 0u);
        EXPECT_EQ(system.emitterPosition.x, 0.0f);
        EXPECT_EQ(system.alongLines, 0);
        EXPECT_TRUE(system.emitterPoints.empty());
        const std::uint32_t count = system.GetMaxParticleCount();
        ASSERT_EQ(system.GetParticles().size(), count);
        ASSERT_EQ(system.GetFreeParticles().size(), count);
        for (std::uint32_t i = 0; i < count; ++i)
        {
            EXPECT_EQ(system.GetParticles()[i].free, 1);
            // Index 0 on top of the stack, taken first.
            EXPECT_EQ(system.GetFreeParticles()[i], count - 1 - i);
        }
        EXPECT_EQ(system.GetSpriteGroup()->GetCount(), count);
        EXPECT_EQ(system.GetSpriteGroup()->GetFreeCount(), count);
    }

    // One burst of n particles at the first update, nothing later; long lives.
    static ParticleFileRecord Burst(float n)
    {
        ParticleFileRecord record = Plain();
        record.smoothEmission = 0;
        record.rateKeys = {n, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        record.lifeKeys = {100.0f, 100.0f, 100.0f, 100.0f, 100.0f, 100.0f};
        return record;
    }
};

TEST_F(ParticleSystemTest, DefaultFileAndCopyConstructors)
{
    const std::uint32_t groupsBefore = groups.GetSpriteGroupCount();
    ParticleSystem* made = particles.CreateParticleSystemResource(&camera);
    EXPECT_EQ(particles.GetParticleSystemCount(), 0u);
    EXPECT_EQ(groups.GetSpriteGroupCount(), groupsBefore + 1);
    EXPECT_EQ(made->GetName(), "self_made");
    EXPECT_EQ(made->GetMaxParticleCount(), 100u);
    EXPECT_EQ(made->emitterKind, 0u);
    EXPECT_EQ(made->emitterBox.localMin.x, -0.5f);
    EXPECT_EQ(made->emitterBox.localMax.z, 0.5f);
    EXPECT_EQ(made->GetSettings().rateKeys, ParticleSystemSettings().rateKeys);
    EXPECT_EQ(made->GetSpriteGroup()->GetCamera(), &camera);
    ExpectRunStateReset(*made);
    delete made;
    EXPECT_EQ(groups.GetSpriteGroupCount(), groupsBefore);

    ParticleFileRecord record = Plain();
    record.maxParticleCount = 7;
    record.emitterKind = 1;
    record.boxMin = {-1.0f, -2.0f, -3.0f};
    record.boxMax = {1.0f, 2.0f, 3.0f};
    record.cycleLength = 0.75f;
    record.sizeKeys[3] = 6.5f;
    ParticleSystem* source = Running(record, true, "fx\\a.psf");
    EXPECT_EQ(particles.GetParticleSystemCount(), 1u);
    EXPECT_EQ(source->GetName(), "fx\\a.psf");
    EXPECT_EQ(source->GetMaxParticleCount(), 7u);
    EXPECT_EQ(source->emitterKind, 1u);
    EXPECT_EQ(source->emitterBox.localMax.y, 2.0f);
    EXPECT_EQ(source->GetSettings().cycleLength, 0.75f);
    EXPECT_EQ(source->GetSettings().sizeKeys[3], 6.5f);
    EXPECT_EQ(source->GetSpriteGroup()->GetCount(), 7u);

    source->emitterPoints.push_back(Vector3(1.0f, 1.0f, 1.0f));
    source->emitterPosition = Vector3(4.0f, 0.0f, 0.0f);
    source->alongLines = 1;
    for (int frame = 0; frame < 20; ++frame)
        particles.Update();
    ASSERT_GT(source->GetLiveCount(), 0u);

    ParticleSystem* copy = particles.CloneParticleSystem(source);
    EXPECT_EQ(particles.GetParticleSystemCount(), 2u);
    EXPECT_EQ(copy->GetName(), "fx\\a.psf");
    EXPECT_EQ(copy->GetSettings().sizeKeys[3], 6.5f);
    EXPECT_EQ(copy->emitterKind, 1u);
    EXPECT_EQ(copy->emitterBox.localMin.z, -3.0f);
    EXPECT_NE(copy->GetSpriteGroup(), source->GetSpriteGroup());
    EXPECT_EQ(copy->GetSpriteGroup()->GetCamera(), &camera);
    ExpectRunStateReset(*copy);

    // The copy runs on a pool of its own: every particle gets its own sprite.
    copy->emitting = 1;
    copy->looping = 1;
    for (int frame = 0; frame < 200; ++frame)
        particles.Update();
    std::vector<std::uint32_t> sprites;
    for (const Particle* particle : Live(*copy))
        sprites.push_back(particle->sprite);
    std::sort(sprites.begin(), sprites.end());
    EXPECT_EQ(std::adjacent_find(sprites.begin(), sprites.end()), sprites.end());
}

TEST_F(ParticleSystemTest, UnreadableFilesGiveTheDefaultSystemAfterOneErrorLine)
{
    const std::string format = "Incorrect \"fx\\a.psf\" file format";
    ParticleFileRecord record = Plain();
    auto with = [&record](auto change, ParticleFileDamage damage = {}) {
        ParticleFileRecord changed = record;
        change(changed);
        return ParticleFileWriter::Build(changed, damage);
    };
    auto same = [](ParticleFileRecord&) {};
    ParticleFileDamage longer;
    longer.sizeField = 454;
    ParticleFileDamage magic;
    magic.magic = "OVMLF";
    ParticleFileDamage cut;
    cut.cutTo = 452;
    struct Case
    {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"version 205", with([](ParticleFileRecord& r) { r.version = 205; }),
         "Incorrect \"fx\\a.psf\" format version, current is 204"},
        {"size field off by one", with(same, longer), format},
        {"magic", with(same, magic), format},
        {"count 4,194,305", with([](ParticleFileRecord& r) { r.maxParticleCount = 4194305; }), format},
        // The file layer's read error names the path it opened.
        {"cut to 452 bytes", with(same, cut), "Failed to read 4 bytes from"},
    };
    Put("fx\\a.srf", corvellan::content::ShaderFileWriter::Build({}));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Put("fx\\a.psf", c.bytes);
        log.ClearMessages();
        const std::uint32_t before = particles.GetParticleSystemCount();
        ParticleSystem* system = particles.LoadParticleSystem("fx\\a.psf", &camera);
        const std::vector<std::string> errors = Entries(2);
        ASSERT_EQ(errors.size(), 1u);
        if (c.text.rfind("Failed", 0) == 0)
            EXPECT_EQ(errors[0].rfind("\nError: " + c.text, 0), 0u) << errors[0];
        else
            EXPECT_EQ(errors[0], ErrorEntry(c.text));
        EXPECT_EQ(system->GetName(), "self_made");
        EXPECT_EQ(system->GetMaxParticleCount(), 100u);
        EXPECT_EQ(particles.GetParticleSystemCount(), before + 1);
        ExpectRunStateReset(*system);
    }

    log.ClearMessages();
    ParticleSystem* missing = particles.LoadParticleSystem("fx\\missing.psf", &camera);
    ASSERT_EQ(Entries(2).size(), 1u);
    EXPECT_NE(Entries(2)[0].find("missing.psf"), std::string::npos);
    EXPECT_EQ(missing->GetName(), "self_made");
    EXPECT_EQ(missing->GetMaxParticleCount(), 100u);

    // A readable system whose shader file is missing: the shader reader's
    // line, and particles untextured and unblended.
    log.ClearMessages();
    Put("fx\\bare.psf", ParticleFileWriter::Build(record));
    ParticleSystem* bare = particles.LoadParticleSystem("fx\\bare.psf", &camera);
    EXPECT_EQ(bare->GetName(), "fx\\bare.psf");
    ASSERT_EQ(Entries(2).size(), 1u);
    EXPECT_NE(Entries(2)[0].find("bare.srf"), std::string::npos) << Entries(2)[0];
    EXPECT_EQ(bare->GetModel()->GetShaderUser()->flags, 0u);
    EXPECT_EQ(bare->GetModel()->GetShaderUser()->stageCount, 0u);

    // With its shader file: drawn as the file says.
    corvellan::content::ShaderFileRecord blended;
    blended.flags = 1;
    blended.sourceBlend = 4;
    blended.destinationBlend = 5;
    Put("fx\\dressed.srf", corvellan::content::ShaderFileWriter::Build(blended));
    Put("fx\\dressed.psf", ParticleFileWriter::Build(record));
    ParticleSystem* dressed = particles.LoadParticleSystem("fx\\dressed.psf", &camera);
    EXPECT_EQ(dressed->GetModel()->GetShaderUser()->flags, 1u);
    EXPECT_EQ(dressed->GetModel()->GetShaderUser()->destinationBlend, 5u);

    ParticleSystem* resource = particles.LoadParticleSystemResource("fx\\missing.psf", &camera);
    EXPECT_EQ(resource->GetName(), "self_made");
    particles.DeleteParticleSystem(resource);
    delete resource;
}

TEST_F(ParticleSystemTest, LargeAndEmptyPoolsLoad)
{
    ParticleFileRecord large = Plain();
    large.maxParticleCount = 10923;
    Put("fx\\large.psf", ParticleFileWriter::Build(large));
    ParticleSystem* system = particles.LoadParticleSystem("fx\\large.psf", &camera);
    EXPECT_EQ(system->GetMaxParticleCount(), 10923u);
    EXPECT_TRUE(system->GetModel()->GetIndexBuffer()->Is32Bit());

    // A pool of 0: an effect that shows nothing, without complaint.
    ParticleFileRecord none = Plain();
    none.maxParticleCount = 0;
    ParticleSystem* empty = Running(none, true, "fx\\none.psf");
    log.ClearMessages();
    for (int frame = 0; frame < 20; ++frame)
    {
        particles.Update();
        groups.Update();
    }
    EXPECT_TRUE(Entries(2).empty());
    EXPECT_EQ(empty->GetLiveCount(), 0u);
    EXPECT_EQ(empty->GetModel()->GetIndexBuffer()->GetIndexCount(), 0u);
}

TEST_F(ParticleSystemTest, SteppedEmissionBurstsOncePerCycle)
{
    ParticleFileRecord record = Plain();
    record.smoothEmission = 0;
    record.rateKeys = {5.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1000.0f};
    record.lifeKeys = {100.0f, 100.0f, 100.0f, 100.0f, 100.0f, 100.0f};
    ParticleSystem* system = Running(record, true);
    timers.frameTime = 0.125f;
    const std::uint32_t expected[] = {5, 5, 5, 5, 5, 5, 5, 10, 10, 10, 10, 10, 10, 10, 10, 15};
    for (std::uint32_t frame = 0; frame < 16; ++frame)
    {
        particles.Update();
        EXPECT_EQ(system->GetLiveCount(), expected[frame]) << frame;
    }
}

TEST_F(ParticleSystemTest, SmoothEmissionCarriesFractions)
{
    ParticleFileRecord record = Plain();
    record.lifeKeys = {100.0f, 100.0f, 100.0f, 100.0f, 100.0f, 100.0f};
    ParticleSystem* system = Running(record, true);
    timers.frameTime = 0.03f;
    for (int frame = 0; frame < 100; ++frame)
        particles.Update();
    EXPECT_NEAR(static_cast<double>(system->GetLiveCount()), 30.0, 1.0);
    EXPECT_LT(system->GetAccumulator(), 1.0f);
}

TEST_F(ParticleSystemTest, SmoothEmissionInterpolatesLivesBetweenKeys)
{
    ParticleFileRecord record = Plain();
    record.rateKeys = {8.0f, 8.0f, 8.0f, 8.0f, 8.0f, 8.0f};
    record.lifeKeys = {1.0f, 3.0f, 5.0f, 7.0f, 9.0f, 11.0f};
    ParticleSystem* system = Running(record, true);
    // At a cycle time of 0.25 s the key position is 1.25 (3 and 5 blended
    // 3:1), at 0.75 s it is 3.75 (7 and 9 blended 1:3). Particles emitted
    // in an update have aged by that update's frame time.
    const struct
    {
        float dt;
        float life;
    } steps[] = {{0.25f, 3.5f}, {0.5f, 8.5f}};
    for (const auto& step : steps)
    {
        timers.frameTime = step.dt;
        particles.Update();
        std::uint32_t emitted = 0;
        for (const Particle* particle : Live(*system))
        {
            if (particle->age != step.dt)
                continue;
            EXPECT_FLOAT_EQ(particle->life, step.life) << step.dt;
            ++emitted;
        }
        EXPECT_EQ(emitted, static_cast<std::uint32_t>(8.0f * step.dt)) << step.dt;
    }

    // The spread is blended too: 0 and 4 at 1.25 give lives of 4 +- 1.
    ParticleFileRecord spread = Plain();
    spread.rateKeys = {80.0f, 80.0f, 80.0f, 80.0f, 80.0f, 80.0f};
    spread.lifeKeys = {4.0f, 4.0f, 4.0f, 4.0f, 4.0f, 4.0f};
    spread.lifeSpreadKeys = {0.0f, 0.0f, 4.0f, 0.0f, 0.0f, 0.0f};
    ParticleSystem* spreading = Running(spread, true, "fx\\spread.psf");
    timers.frameTime = 0.25f;
    particles.Update();
    float shortest = 100.0f;
    float longest = 0.0f;
    const std::vector<const Particle*> lives = Live(*spreading);
    ASSERT_EQ(lives.size(), 20u);
    for (const Particle* particle : lives)
    {
        EXPECT_GE(particle->life, 3.0f);
        EXPECT_LE(particle->life, 5.0f);
        shortest = std::min(shortest, particle->life);
        longest = std::max(longest, particle->life);
    }
    EXPECT_LT(shortest, 3.8f);
    EXPECT_GT(longest, 4.2f);
}

TEST_F(ParticleSystemTest, OneShotEndsItsCycleAndEmptiesOut)
{
    ParticleFileRecord record = Plain();
    record.smoothEmission = 0;
    record.cycleLength = 0.5f;
    record.rateKeys = {3.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    record.lifeKeys = {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};
    ParticleSystem* system = Running(record, false);
    timers.frameTime = 0.0625f;
    const std::uint32_t live[] = {3, 3, 3, 0, 0, 0, 0, 0};
    for (std::uint32_t frame = 0; frame < 8; ++frame)
    {
        particles.Update();
        EXPECT_EQ(system->GetLiveCount(), live[frame]) << frame;
        EXPECT_EQ(system->emitting, frame < 7 ? 1 : 0) << frame;
    }
    EXPECT_EQ(system->cycleTime, 0.0f);
    EXPECT_EQ(system->GetLastEmissionKey(), -1);
    EXPECT_EQ(system->GetFreeParticles().size(), 100u);
    EXPECT_EQ(system->GetSpriteGroup()->GetFreeCount(), 100u);
    for (int frame = 0; frame < 10; ++frame)
        particles.Update();
    EXPECT_EQ(system->GetLiveCount(), 0u);

    // Restarted by its owner, it runs one more cycle.
    system->emitting = 1;
    particles.Update();
    EXPECT_EQ(system->GetLiveCount(), 3u);
}

TEST_F(ParticleSystemTest, FullPoolDropsWhatItCannotEmit)
{
    ParticleSystem* system = Running(Burst(150.0f), true);
    particles.Update();
    EXPECT_EQ(system->GetLiveCount(), 100u);
    EXPECT_EQ(system->GetAccumulator(), 0.0f);
    EXPECT_TRUE(system->GetFreeParticles().empty());
    EXPECT_EQ(system->GetSpriteGroup()->GetFreeCount(), 0u);

    // An absurd rate: as many as there is room for, and a clean accumulator.
    ParticleFileRecord flood = Plain();
    flood.rateKeys = {1e30f, 1e30f, 1e30f, 1e30f, 1e30f, 1e30f};
    flood.lifeKeys = {0.05f, 0.05f, 0.05f, 0.05f, 0.05f, 0.05f};
    ParticleSystem* flooded = Running(flood, true, "fx\\flood.psf");
    for (int frame = 0; frame < 20; ++frame)
    {
        particles.Update();
        EXPECT_LE(flooded->GetLiveCount(), 100u);
        EXPECT_TRUE(std::isfinite(flooded->GetAccumulator()));
        EXPECT_LT(flooded->GetAccumulator(), 1.0f);
    }
    EXPECT_GT(flooded->GetLiveCount(), 0u);
}

TEST_F(ParticleSystemTest, EmissionPointsByEmitterKind)
{
    struct Case
    {
        const char* name;
        std::uint32_t kind;
        std::vector<Vector3> points;
        bool alongLines;
    };
    const Vector3 a(1.0f, 2.0f, 3.0f);
    const Vector3 b(5.0f, 2.0f, -1.0f);
    const Vector3 c(-4.0f, 0.0f, 0.0f);
    const Case cases[] = {
        {"kind 0", 0, {a}, false},
        {"kind 1", 1, {}, false},
        {"kind 2, no points", 2, {}, true},
        {"kind 2, points", 2, {a, b, c}, false},
        {"kind 2, along one point", 2, {b}, true},
        {"kind 2, along two points", 2, {a, b}, true},
        {"kind 7", 7, {a}, false},
    };
    const Vector3 emitter(10.0f, 20.0f, 30.0f);
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        ParticleFileRecord record = Burst(40.0f);
        record.emitterKind = test.kind;
        record.boxMin = {-1.0f, -2.0f, -3.0f};
        record.boxMax = {1.0f, 2.0f, 3.0f};
        ParticleSystem* system = Running(record, false, std::string("fx\\") + test.name + ".psf");
        system->emitterPosition = emitter;
        system->emitterPoints = test.points;
        system->alongLines = test.alongLines ? 1 : 0;
        particles.Update();
        const std::vector<Vector3> positions = Positions(*system);
        ASSERT_EQ(positions.size(), 40u);
        std::size_t distinct = 0;
        for (const Vector3& p : positions)
        {
            if (p != positions[0])
                ++distinct;
            if (test.kind == 0 || test.kind == 7)
            {
                EXPECT_FALSE(p != emitter);
            }
            else if (test.kind == 1)
            {
                EXPECT_TRUE(p.x >= 9.0f && p.x < 11.0f && p.y >= 18.0f && p.y < 22.0f && p.z >= 27.0f &&
                            p.z < 33.0f);
            }
            else if (test.points.empty())
            {
                EXPECT_FALSE(p != Vector3(0.0f, 0.0f, 0.0f));
            }
            else if (!test.alongLines)
            {
                EXPECT_TRUE(!(p != a) || !(p != b) || !(p != c));
            }
            else if (test.points.size() == 1)
            {
                EXPECT_FALSE(p != b);
            }
            else
            {
                // On the segment from a to b: a + (b - a) * t, t in [0, 1).
                const float t = (p.x - a.x) / (b.x - a.x);
                EXPECT_GE(t, 0.0f);
                EXPECT_LT(t, 1.0f);
                EXPECT_FALSE(p != a + (b - a) * t);
            }
        }
        // The random kinds really spread.
        const bool random = test.kind == 1 || (test.kind == 2 && test.points.size() >= 2);
        EXPECT_EQ(distinct > 0, random);
    }
}

TEST_F(ParticleSystemTest, SpeedsDirectionsAndGravityMoveParticles)
{
    // Direction x, speed 1: 100 units per second, the update of emission included.
    ParticleFileRecord straight = Burst(1.0f);
    straight.directionKeys = {ParticleFileRecord::Vector{1.0f, 0.0f, 0.0f}, ParticleFileRecord::Vector{},
                              ParticleFileRecord::Vector{}, ParticleFileRecord::Vector{},
                              ParticleFileRecord::Vector{}, ParticleFileRecord::Vector{}};
    ParticleSystem* mover = Running(straight, false, "fx\\straight.psf");
    // Gravity only, every direction key and spread 0.
    ParticleFileRecord drop = Burst(1.0f);
    drop.gravityOn = 1;
    drop.gravity = 1.0f;
    ParticleSystem* faller = Running(drop, false, "fx\\drop.psf");
    timers.frameTime = 0.01f;
    for (int frame = 1; frame <= 10; ++frame)
    {
        particles.Update();
        EXPECT_NEAR(Positions(*mover)[0].x, static_cast<float>(frame), 1e-4f);
        EXPECT_EQ(Positions(*mover)[0].z, 0.0f);
        // z = -0.01 * (1 + 2 + ... + frame)
        const Vector3 p = Positions(*faller)[0];
        EXPECT_NEAR(p.z, -0.01f * static_cast<float>(frame * (frame + 1) / 2), 1e-5f);
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
    }
    EXPECT_NEAR(Live(*faller)[0]->fallSpeed, 0.1f, 1e-6f);
}

TEST_F(ParticleSystemTest, DirectionKeysRepeatTheKeyBeforeWhenEmpty)
{
    ParticleFileRecord record = Burst(1.0f);
    record.directionKeys = {ParticleFileRecord::Vector{3.0f, 0.0f, 0.0f}, ParticleFileRecord::Vector{0.0f, 2.0f, 0.0f},
                            ParticleFileRecord::Vector{}, ParticleFileRecord::Vector{0.0f, 0.0f, 0.04f},
                            ParticleFileRecord::Vector{0.0f, 0.0f, 0.5f}, ParticleFileRecord::Vector{}};
    // A spread of its own keeps key 5 from repeating key 4.
    record.directionSpreadKeys[5] = {0.06f, 0.0f, 0.0f};
    ParticleSystem* system = Running(record, false);
    particles.Update();
    const Particle& particle = *Live(*system)[0];
    const Vector3 expected[6] = {{1, 0, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    for (std::size_t j = 0; j < 5; ++j)
        EXPECT_FALSE(particle.directionKeys[j] != expected[j]) << j;
    // Key 5 is a random (x, 0, 0), not key 4 again.
    EXPECT_EQ(particle.directionKeys[5].y, 0.0f);
    EXPECT_EQ(particle.directionKeys[5].z, 0.0f);
    EXPECT_EQ(particle.life, 100.0f);
    EXPECT_EQ(particle.speedKeys[2], 1.0f);
}

TEST_F(ParticleSystemTest, FloorBouncesAndRests)
{
    ParticleFileRecord record = Burst(1.0f);
    record.floorOn = 1;
    record.floorHeight = -1.0f;
    record.bounceFactor = 0.9f;
    record.directionKeys[0] = {0.0f, 0.0f, -1.0f};
    ParticleSystem* bouncer = Running(record, false, "fx\\bounce.psf");
    ParticleFileRecord dull = record;
    dull.bounceFactor = 0.3f;
    ParticleSystem* rester = Running(dull, false, "fx\\rest.psf");
    ParticleFileRecord sticky = dull;
    sticky.stopAtRest = 0;
    ParticleSystem* sitter = Running(sticky, false, "fx\\sit.psf");
    timers.frameTime = 0.006f;

    particles.Update(); // z = -0.6
    particles.Update(); // z = -1.2: below the floor
    // Below the rest threshold: stopped, and with stop at rest dead at the next update.
    EXPECT_EQ(rester->GetLiveCount(), 1u);
    EXPECT_EQ(Live(*sitter)[0]->speedFactor, 0.0f);
    const Particle& particle = *Live(*bouncer)[0];
    const Vector3 p = Positions(*bouncer)[0];
    EXPECT_NEAR(p.z, -0.999f, 1e-6f);
    EXPECT_NEAR(particle.speedFactor, 0.9f, 1e-6f);
    EXPECT_EQ(particle.fallSpeed, 0.0f);
    for (const Vector3& key : particle.directionKeys)
        EXPECT_FALSE(key != Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_FALSE(particle.direction != Vector3(0.0f, 0.0f, 1.0f));
    particles.Update();
    EXPECT_NEAR(Positions(*bouncer)[0].z, -0.999f + 0.54f, 1e-5f);
    EXPECT_EQ(rester->GetLiveCount(), 0u);
    EXPECT_EQ(sitter->GetLiveCount(), 1u);
    EXPECT_NEAR(Positions(*sitter)[0].z, -0.999f, 1e-6f);
}

TEST_F(ParticleSystemTest, ColourAndSizeFollowTheKeysOverTheLife)
{
    ParticleFileRecord record = Burst(1.0f);
    record.lifeKeys = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    record.colorKeys[0] = {1.0f, 0.0f, 0.0f, 1.0f};
    record.colorKeys[1] = {0.0f, 0.0f, 1.0f, 0.5f};
    record.sizeKeys = {2.0f, 4.0f, 0.0f, 0.0f, 0.0f, 8.0f};
    ParticleSystem* system = Running(record, false);
    timers.frameTime = 0.1f;
    particles.Update();
    // age / life 0.1: halfway between keys 0 and 1.
    const Sprite& sprite = system->GetSpriteGroup()->GetSprite(Live(*system)[0]->sprite);
    EXPECT_NEAR(sprite.color.r, 0.5f, 1e-5f);
    EXPECT_NEAR(sprite.color.g, 0.0f, 1e-5f);
    EXPECT_NEAR(sprite.color.b, 0.5f, 1e-5f);
    EXPECT_NEAR(sprite.color.a, 0.75f, 1e-5f);
    EXPECT_NEAR(sprite.size, 3.0f, 1e-5f);
    for (int frame = 0; frame < 8; ++frame)
        particles.Update();
    // 0.9: between key 4 and key 5.
    EXPECT_NEAR(sprite.size, 4.0f, 1e-4f);
}

TEST_F(ParticleSystemTest, HiddenSystemsFreezeAndContinue)
{
    ParticleFileRecord record = Plain();
    record.directionKeys[0] = {1.0f, 0.0f, 0.0f};
    record.lifeKeys = {100.0f, 100.0f, 100.0f, 100.0f, 100.0f, 100.0f};
    ParticleSystem* system = Running(record, true);
    timers.frameTime = 0.05f;
    for (int frame = 0; frame < 4; ++frame)
        particles.Update();
    const std::vector<Vector3> before = Positions(*system);
    const float cycle = system->cycleTime;
    ASSERT_FALSE(before.empty());

    system->SetVisible(false);
    EXPECT_FALSE(system->IsVisible());
    for (int frame = 0; frame < 4; ++frame)
        particles.Update();
    EXPECT_EQ(system->cycleTime, cycle);
    const std::vector<Vector3> frozen = Positions(*system);
    ASSERT_EQ(frozen.size(), before.size());
    for (std::size_t i = 0; i < frozen.size(); ++i)
        EXPECT_FALSE(frozen[i] != before[i]);

    system->SetVisible(true);
    particles.Update();
    EXPECT_NEAR(system->cycleTime, cycle + 0.05f, 1e-6f);
    EXPECT_NEAR(Positions(*system)[0].x, before[0].x + 5.0f, 1e-4f);
}

TEST_F(ParticleSystemTest, ColourAndVisibilityAreTheGroups)
{
    ParticleSystem* system = particles.CreateParticleSystemResource(&camera);
    system->SetColor(Color(0.25f, 0.5f, 0.75f, 1.0f));
    EXPECT_FALSE(system->GetColor() != Color(0.25f, 0.5f, 0.75f, 1.0f));
    EXPECT_FALSE(system->GetSpriteGroup()->color != system->GetColor());
    EXPECT_EQ(system->GetModel(), system->GetSpriteGroup()->GetModel());
    EXPECT_TRUE(system->IsVisible());
    system->SetVisible(false);
    EXPECT_EQ(system->GetModel()->GetFlags() & Model::FlagVisible, 0u);
    delete system;
}

TEST_F(ParticleSystemTest, UnusableCycleLengthsEndTheEffect)
{
    const float lengths[] = {0.0f, -1.0f, NaN, std::numeric_limits<float>::infinity(), 1e-30f};
    for (float length : lengths)
    {
        SCOPED_TRACE(length);
        ParticleFileRecord record = Plain();
        record.cycleLength = length;
        ParticleSystem* system = Running(record, length != 1e-30f);
        particles.Update();
        EXPECT_EQ(system->emitting, 0);
        EXPECT_EQ(system->GetLiveCount(), 0u);
        EXPECT_EQ(system->cycleTime, 0.0f);
        particles.DeleteParticleSystem(system);
    }

    // A tiny looping cycle neither hangs nor leaves the keys.
    ParticleFileRecord tiny = Plain();
    tiny.cycleLength = 1e-30f;
    tiny.smoothEmission = 0;
    tiny.rateKeys = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f};
    ParticleSystem* spinner = Running(tiny, true);
    for (int frame = 0; frame < 10; ++frame)
    {
        particles.Update();
        EXPECT_GE(spinner->GetLastEmissionKey(), 0);
        EXPECT_LE(spinner->GetLastEmissionKey(), 4);
        EXPECT_GE(spinner->cycleTime, 0.0f);
        EXPECT_LT(spinner->cycleTime, 1e-30f);
    }
    EXPECT_EQ(spinner->emitting, 1);
}

TEST_F(ParticleSystemTest, NaNValuesStayInsideTheKeys)
{
    ParticleFileRecord record = Plain();
    record.lifeKeys = {NaN, NaN, NaN, NaN, NaN, NaN};
    record.rateKeys = {1000.0f, 1000.0f, 1000.0f, 1000.0f, 1000.0f, 1000.0f};
    ParticleSystem* deadborn = Running(record, true, "fx\\nanlife.psf");

    ParticleFileRecord wild = Plain();
    wild.rateKeys = {1000.0f, 1000.0f, 1000.0f, 1000.0f, 1000.0f, 1000.0f};
    wild.lifeKeys = {100.0f, 100.0f, 100.0f, 100.0f, 100.0f, 100.0f};
    wild.directionKeys[0] = {1.0f, 1.0f, 1.0f};
    wild.speedKeys = {NaN, 1.0f, NaN, 2.0f, NaN, 3.0f};
    wild.sizeKeys = {NaN, 1.0f, NaN, 1.0f, NaN, 1.0f};
    ParticleSystem* scattered = Running(wild, true, "fx\\nanspeed.psf");
    ParticleFileRecord owner = Plain();
    ParticleSystem* written = Running(owner, true, "fx\\owner.psf");
    written->cycleTime = NaN;

    for (int frame = 0; frame < 30; ++frame)
    {
        particles.Update();
        groups.Update();
    }
    EXPECT_EQ(deadborn->GetLiveCount(), 0u);
    EXPECT_EQ(scattered->GetLiveCount(), 100u);
    EXPECT_GE(written->GetLastEmissionKey(), 0);
    EXPECT_LE(written->GetLastEmissionKey(), 5);
}

TEST_F(ParticleSystemTest, ManagerDeletesRegisteredSystemsOnly)
{
    ParticleSystem* resource = particles.CreateParticleSystemResource(&camera);
    resource->emitting = 1;
    resource->looping = 1;
    particles.Update();
    EXPECT_EQ(resource->GetLiveCount(), 0u);
    EXPECT_EQ(resource->cycleTime, 0.0f);

    particles.DeleteParticleSystem(resource);
    particles.DeleteParticleSystem(nullptr);
    resource->Update();
    EXPECT_GT(resource->cycleTime, 0.0f);
    // Resource systems never enter the hide list.
    particles.HideWhenFinished(resource);
    EXPECT_TRUE(particles.GetHideList().empty());
    delete resource;

    ParticleSystem* registered = particles.LoadParticleSystem("fx\\missing.psf", &camera);
    const std::uint32_t groupsBefore = groups.GetSpriteGroupCount();
    particles.DeleteParticleSystem(registered);
    EXPECT_EQ(particles.GetParticleSystemCount(), 0u);
    EXPECT_EQ(groups.GetSpriteGroupCount(), groupsBefore - 1);
}

TEST_F(ParticleSystemTest, HideListHidesFinishedSystems)
{
    ParticleFileRecord record = Plain();
    record.smoothEmission = 0;
    record.cycleLength = 0.5f;
    record.rateKeys = {3.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    record.lifeKeys = {0.75f, 0.75f, 0.75f, 0.75f, 0.75f, 0.75f};
    ParticleSystem* oneShot = Running(record, false, "fx\\shot.psf");
    ParticleSystem* looping = Running(record, true, "fx\\loop.psf");
    ParticleSystem* deleted = Running(record, false, "fx\\gone.psf");
    particles.HideWhenFinished(oneShot);
    particles.HideWhenFinished(oneShot);
    particles.HideWhenFinished(looping);
    particles.HideWhenFinished(deleted);
    EXPECT_EQ(particles.GetHideList().size(), 3u);

    // A listed system deleted: no entry stays behind to be read.
    particles.DeleteParticleSystem(deleted);
    timers.frameTime = 0.0625f;
    std::uint32_t frame = 0;
    while (frame < 40 && oneShot->IsVisible())
    {
        particles.Update();
        ++frame;
        // Hidden by the very update that finishes it, not before.
        EXPECT_EQ(oneShot->IsVisible(), oneShot->emitting || oneShot->GetLiveCount() > 0) << frame;
    }
    // Emitted in update 1 and aged by it, 0.75 s old in update 12.
    EXPECT_EQ(frame, 12u);
    EXPECT_FALSE(oneShot->IsVisible());
    EXPECT_EQ(oneShot->GetLiveCount(), 0u);
    EXPECT_EQ(particles.GetHideList(), std::vector<ParticleSystem*>{looping});
    for (int more = 0; more < 40; ++more)
        particles.Update();
    EXPECT_TRUE(looping->IsVisible());
    EXPECT_EQ(particles.GetHideList(), std::vector<ParticleSystem*>{looping});
}

} // namespace
} // namespace OrvaneEngine::particle_test
