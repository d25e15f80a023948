#include "content/FuzzSeeds.h"
#include "content/ParticleFileWriter.h"

namespace corvellan::content
{

bool WriteParticleFileSeeds(const std::string& folder)
{
    const std::string target = "particle_file";
    bool written = true;
    const char* kinds[] = {"point", "box", "points"};
    for (std::uint32_t kind = 0; kind < 3; ++kind)
    {
        ParticleFileRecord record;
        record.maxParticleCount = 16;
        record.emitterKind = kind;
        record.directionKeys[0] = {1.0f, 0.0f, 1.0f};
        record.directionSpreadKeys[0] = {0.2f, 0.2f, 0.2f};
        record.speedSpreadKeys = {0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f};
        written = WriteSeed(folder, target, std::string("v204_") + kinds[kind] + ".psf",
                            ParticleFileWriter::Build(record)) &&
                  written;
    }

    ParticleFileRecord old;
    old.version = 203;
    old.maxParticleCount = 8;
    old.emitterKind = 1;
    written = WriteSeed(folder, target, "v203_box.psf", ParticleFileWriter::Build(old)) && written;

    // Stepped bursts, without gravity and floor, moving in x and y as the
    // game's effects do; colours and sizes change over the life.
    ParticleFileRecord burst;
    burst.maxParticleCount = 32;
    burst.smoothEmission = 0;
    burst.gravityOn = 0;
    burst.floorOn = 0;
    burst.rateKeys = {12.0f, 0.0f, 3.0f, 0.0f, 0.0f, 50.0f};
    burst.lifeKeys = {0.5f, 0.7f, 0.9f, 1.1f, 1.3f, 1.5f};
    burst.lifeSpreadKeys = {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};
    burst.directionKeys = {ParticleFileRecord::Vector{1.0f, 0.0f, 0.0f}, ParticleFileRecord::Vector{0.0f, 1.0f, 0.0f},
                           ParticleFileRecord::Vector{}, ParticleFileRecord::Vector{},
                           ParticleFileRecord::Vector{-1.0f, 0.0f, 0.0f}, ParticleFileRecord::Vector{}};
    burst.directionSpreadKeys = {};
    burst.colorKeys[5] = {1.0f, 0.0f, 0.0f, 0.0f};
    burst.sizeKeys = {1.0f, 2.0f, 3.0f, 2.0f, 1.0f, 0.0f};
    burst.emitterKind = 2;
    written = WriteSeed(folder, target, "v204_stepped_flat.psf", ParticleFileWriter::Build(burst)) && written;

    // Falling and bouncing on the floor until the particles rest.
    ParticleFileRecord bounce;
    bounce.maxParticleCount = 24;
    bounce.lifeKeys = {3.0f, 3.0f, 3.0f, 3.0f, 3.0f, 3.0f};
    bounce.directionKeys[0] = {0.0f, 0.0f, -1.0f};
    bounce.bounceFactor = 0.5f;
    bounce.cycleLength = 0.25f;
    written = WriteSeed(folder, target, "v204_bounce.psf", ParticleFileWriter::Build(bounce)) && written;
    return written;
}

} // namespace corvellan::content
