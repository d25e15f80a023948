#pragma once

// The pictures of one texture surface and its mip levels, and the GL texture
// made of them. The memory is plain memory that any thread may fill; the GL
// texture is made and refilled on the GL thread the next time the texture is
// drawn with after a change. Platform-internal.

#include "platform/d3d7/TextureFormats.h"
#include "platform/d3d7/Types.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace d3d7::detail
{

struct TextureLevel
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int32_t pitch = 0;
    std::vector<std::uint8_t> memory;
};

// The sampling parameters a GL texture object holds now.
struct SamplerParameters
{
    int magFilter = 0;
    int minFilter = 0;
    int wrapS = 0;
    int wrapT = 0;
    float anisotropy = 0.0f;

    bool operator==(const SamplerParameters& other) const = default;
};

class TextureChain
{
public:
    // Sizes halve from level to level, each side at least 1.
    TextureChain(const DDPIXELFORMAT& format, const TextureUpload& upload, std::uint32_t width,
                 std::uint32_t height, std::uint32_t levelCount);
    ~TextureChain();
    TextureChain(const TextureChain&) = delete;
    TextureChain& operator=(const TextureChain&) = delete;

    std::uint32_t GetLevelCount() const { return static_cast<std::uint32_t>(levels.size()); }
    TextureLevel& GetLevel(std::uint32_t index) { return levels[index]; }
    const DDPIXELFORMAT& GetFormat() const { return format; }
    std::uint32_t GetBytesPerPixel() const { return upload.bytesPerPixel; }
    void MarkChanged() { changed.store(true, std::memory_order_release); }

    // GL thread: binds the texture to the active unit, made and filled from
    // the memory first when it changed. Nothing is called when the unit
    // holds it already and it has not changed. False when GL refused it.
    bool Bind(bool bound);
    // What the bound texture samples with; set only what differs.
    void SetSampler(const SamplerParameters& wanted);

private:
    bool Upload();

    DDPIXELFORMAT format;
    TextureUpload upload;
    std::vector<TextureLevel> levels;
    std::atomic<bool> changed{true};
    unsigned name = 0;
    std::uint64_t generation = 0;
    SamplerParameters sampler;
};

} // namespace d3d7::detail
