#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

// One stage record of a shader file. Which of the animation fields are
// written depends on the animation type: frame count and speed for every
// type but 0, columns and rows for type 1.
struct ShaderFileStage
{
    std::uint32_t flags = 0;
    std::uint32_t animationType = 0;
    std::uint32_t frameCount = 1;
    float speed = 0.0f;
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    std::string diffuseName;
    std::string opacityName;
    std::uint32_t addressU = 1;
    std::uint32_t addressV = 1;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
};

// The contents of an "OVSRF" shader file; every stage given is written.
struct ShaderFileRecord
{
    std::uint32_t flags = 0;
    std::array<float, 4> ambientColor{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> diffuseColor{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> specularColor{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> emissiveColor{0.0f, 0.0f, 0.0f, 1.0f};
    float power = 0.0f;
    float power2 = 0.0f;
    std::uint32_t sourceBlend = 0;
    std::uint32_t destinationBlend = 0;
    std::vector<ShaderFileStage> stages;
};

// Departures from a well-formed shader file, for readers that must cope with damaged ones.
struct ShaderFileDamage
{
    std::optional<std::uint32_t> sizeField;
    // Written as given in place of the five magic characters (cut or padded
    // with zeros to five).
    std::optional<std::string> magic;
    std::optional<std::uint32_t> version;
    std::optional<std::uint32_t> stageCount;
};

// Builds "OVSRF" shader files (version 211), little-endian, names with a u8 length.
class ShaderFileWriter
{
public:
    static constexpr std::uint32_t Version = 211;

    // Names longer than 255 bytes cannot be stored and throw std::invalid_argument.
    static std::string Build(const ShaderFileRecord& record, const ShaderFileDamage& damage = {});
    // Writes to path (an operating-system path) under a temporary name first;
    // false when it could not be written.
    static bool WriteTo(const std::string& path, const ShaderFileRecord& record, const ShaderFileDamage& damage = {});
};

} // namespace corvellan::content
