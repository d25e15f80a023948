#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

// One texture stage of a shader descriptor.
struct ShaderStage
{
    // Stage flag bits.
    static constexpr std::uint32_t MipMapped = 0x1;
    static constexpr std::uint32_t RandomStart = 0x2;
    // The owner puts its own texture into the shader; no files are loaded.
    static constexpr std::uint32_t OwnerTexture = 0x4;

    // Animation types.
    static constexpr std::uint32_t NoAnimation = 0;
    // The cells of a grid of columns x rows in one texture.
    static constexpr std::uint32_t NetAnimation = 1;
    // One file per frame: the diffuse image, the opacity image, or both.
    static constexpr std::uint32_t DiffuseAnimation = 2;
    static constexpr std::uint32_t OpacityAnimation = 3;
    static constexpr std::uint32_t DiffuseAndOpacityAnimation = 4;

    std::uint32_t flags = 0;
    std::uint32_t animationType = NoAnimation;
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    // 0 without animation.
    std::uint32_t frameCount = 0;
    // Frames per second.
    float speed = 0.0f;
    // Lower case. An empty opacity name: no opacity image.
    std::string diffuseName;
    std::string opacityName;
    // 0 clamp, 1 wrap.
    std::uint32_t addressU = 0;
    std::uint32_t addressV = 0;
    // The texture transform; grid animations rewrite it.
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    // The index of the stage texture that is drawn.
    std::uint32_t currentFrame = 0;
};

} // namespace OrvaneEngine
