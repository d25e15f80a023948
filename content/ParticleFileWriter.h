#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace corvellan::content
{

// The contents of an "OVPSF" particle-system file, with the engine's defaults.
// Keys come in sixes: emission keys spread over one cycle, particle keys over
// one particle's life.
//
// Units: particles move with z up; gravity pulls towards -z and the floor is
// a constant z. The game draws its effects through the GUI's orthographic
// camera, where z is depth, not height: the game's effect files therefore
// switch gravity and the floor off and move particles with x/y direction keys.
struct ParticleFileRecord
{
    using Keys = std::array<float, 6>;
    using Vector = std::array<float, 3>;
    using VectorKeys = std::array<Vector, 6>;
    using ColorKeys = std::array<std::array<float, 4>, 6>;

    // 203 leaves the speed spread keys out; any other value is written with
    // the layout of 204.
    std::uint32_t version = 204;
    std::uint32_t maxParticleCount = 100;
    float cycleLength = 1.0f;
    std::uint8_t gravityOn = 1;
    float gravity = 1.0f;
    std::uint8_t floorOn = 1;
    float floorHeight = -1.0f;
    float bounceFactor = 0.9f;
    std::uint8_t stopAtRest = 1;
    float restThreshold = 0.4f;
    std::uint8_t smoothEmission = 1;
    Keys rateKeys{10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f};
    Keys lifeKeys{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys lifeSpreadKeys{};
    VectorKeys directionKeys{};
    VectorKeys directionSpreadKeys{Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f},
                                   Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f}};
    ColorKeys colorKeys{std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}, std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                        std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}, std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                        std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}, std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}};
    Keys sizeKeys{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys speedKeys{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys speedSpreadKeys{};
    // 0 the emitter position, 1 a point of the box around it, 2 a point of
    // the owner's point list.
    std::uint32_t emitterKind = 0;
    Vector boxMin{-0.5f, -0.5f, -0.5f};
    Vector boxMax{0.5f, 0.5f, 0.5f};
};

// Departures from a well-formed file, for readers that must cope with damaged ones.
struct ParticleFileDamage
{
    // In place of the real size.
    std::optional<std::uint32_t> sizeField;
    // Written as given in place of the five magic characters (cut or padded
    // with zeros to five).
    std::optional<std::string> magic;
    // The file ends after this many bytes; the size field says so unless
    // sizeField is given too.
    std::optional<std::uint32_t> cutTo;
};

// Builds "OVPSF" particle-system files (versions 203 and 204), little-endian.
class ParticleFileWriter
{
public:
    static constexpr std::uint32_t Version = 204;

    static std::string Build(const ParticleFileRecord& record, const ParticleFileDamage& damage = {});
    // Writes to path (an operating-system path) under a temporary name first;
    // false when it could not be written.
    static bool WriteTo(const std::string& path, const ParticleFileRecord& record,
                        const ParticleFileDamage& damage = {});
};

} // namespace corvellan::content
