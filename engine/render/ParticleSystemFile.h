#pragma once

#include "engine/core/Vector3.h"
#include "engine/render/ParticleSystemSettings.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class FileBinary;

// The contents of an "OVPSF" particle-system file: the settings, the pool
// size, the emitter kind and the emitter box.
struct ParticleSystemFile
{
    static constexpr std::uint32_t FileVersion = 204;
    // Has no speed spread keys.
    static constexpr std::uint32_t OldFileVersion = 203;
    static constexpr std::uint32_t FileSize = 453;
    static constexpr std::uint32_t OldFileSize = 429;
    // A bound on the memory one effect may take: beyond it a count is taken
    // for damage. Each particle costs a record, a sprite and four vertices.
    static constexpr std::uint32_t MaxParticleCount = 4194304;

    // Reads the file from its start. fileName is the name the caller asked
    // for, used in the error texts. Throws FileError for a wrong magic, a size
    // field that differs from the file's size, an unknown version, a count
    // above MaxParticleCount, and a file that ends early.
    void Read(FileBinary& file, const std::string& fileName);

    std::uint32_t version = FileVersion;
    ParticleSystemSettings settings;
    std::uint32_t maxParticleCount = 0;
    std::uint32_t emitterKind = 0;
    Vector3 boxMin{0.0f, 0.0f, 0.0f};
    Vector3 boxMax{0.0f, 0.0f, 0.0f};
};

} // namespace OrvaneEngine
