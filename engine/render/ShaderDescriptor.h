#pragma once

#include "engine/core/Color.h"
#include "engine/render/ShaderStage.h"

#include <array>
#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class FileBinary;
class FileManager;
class MessageManager;

// How a surface is textured and blended: alpha blending with a pair of
// factors, and up to two texture stages. A value: whoever receives one keeps
// a copy. The key and Equals decide which descriptors share their textures.
class ShaderDescriptor
{
public:
    // Descriptor flag bits; only Blended has an effect, the others are compared.
    static constexpr std::uint32_t Blended = 0x1;
    static constexpr std::uint32_t MaxStages = 2;
    // The "OVSRF" format version this reader understands.
    static constexpr std::uint32_t FileVersion = 211;
    // More frames than this in one stage means a damaged file or list.
    static constexpr std::uint32_t MaxFrameCount = 10000;

    explicit ShaderDescriptor(std::uint32_t flags);
    ShaderDescriptor(const ShaderDescriptor& source);
    // One stage from a resource list entry. An opacity name that reads
    // "32bit" in any letter case means the diffuse image's own alpha.
    ShaderDescriptor(bool mipMapped, std::uint32_t animationType, std::uint32_t columns, std::uint32_t rows,
                     std::uint32_t frameCount, float speed, const std::string& diffuseName,
                     const std::string& opacityName, bool clamp);
    // Reads an "OVSRF" file under the data folder. A file problem is logged
    // once and thrown as Error with the same text; a third stage throws
    // FatalError unlogged.
    ShaderDescriptor(MessageManager* log, FileManager* files, const std::string& fileName);
    virtual ~ShaderDescriptor();
    ShaderDescriptor& operator=(const ShaderDescriptor&) = default;

    // Reads the file's contents into this descriptor (built from flags 0);
    // fileName is the name the caller asked for, used in error texts and for
    // the folder of bare stage names. Throws FileError.
    void ReadShaderFile(FileBinary& file, const std::string& fileName);

    // Returns the new stage's index. A third stage throws FatalError.
    std::uint32_t AddStage(std::uint32_t stageFlags, std::uint32_t animationType, std::uint32_t columns,
                           std::uint32_t rows, std::uint32_t frameCount, float speed,
                           const std::string& diffuseName, const std::string& opacityName,
                           std::uint32_t addressMode);
    // Whether the two may share one shader's textures.
    bool Equals(const ShaderDescriptor& other) const;
    void UpdateKey();

    // ORs bits into the flags.
    void SetFlags(std::uint32_t bits);
    // Index 0 the source factor, 1 the destination factor.
    void SetBlendFactor(std::uint32_t index, std::uint32_t factor);
    void SetAmbientColor(const Color& color) { ambientColor = color; }
    void SetDiffuseColor(const Color& color) { diffuseColor = color; }
    void SetSpecularColor(const Color& color) { specularColor = color; }
    void SetEmissiveColor(const Color& color) { emissiveColor = color; }
    void SetPower(float value) { power = value; }
    void SetPower2(float value) { power2 = value; }

    std::uint32_t flags = 0;
    // Kept and copied; drawing uses the render system's fixed material.
    Color ambientColor{1.0f, 1.0f, 1.0f, 1.0f};
    Color diffuseColor{1.0f, 1.0f, 1.0f, 1.0f};
    Color specularColor{1.0f, 1.0f, 1.0f, 1.0f};
    Color emissiveColor{0.0f, 0.0f, 0.0f, 1.0f};
    float power = 0.0f;
    float power2 = 0.0f;
    std::uint32_t sourceBlend = 0;
    std::uint32_t destinationBlend = 0;
    std::uint32_t stageCount = 0;
    std::array<ShaderStage, MaxStages> stages;
    // The sum of the stage names' characters.
    std::uint32_t key = 0;
};

// The engine-wide mip-map flag of the descriptor factories below; false until set.
void SetDefaultMipMapping(bool mipMapped);
// Flags 0 and no stage.
ShaderDescriptor MakeDefaultShaderDescriptor();
// One stage over a grid of columns x rows cells (no animation for one cell)
// that the owner picks by time; none when the diffuse name is empty. An
// opacity name containing "32bit" means the diffuse image's own alpha.
ShaderDescriptor MakeAnimatedShaderDescriptor(std::uint32_t columns, std::uint32_t rows, const std::string& diffuseName,
                                              const std::string& opacityName, bool clamp);
ShaderDescriptor MakeShaderDescriptor(const std::string& diffuseName, const std::string& opacityName, bool clamp);

} // namespace OrvaneEngine
