#include "content/PhotoPicture.h"

#include "engine/render/Image.h"

#include <algorithm>
#include <cmath>

namespace corvellan::content
{

namespace
{

// A small xorshift generator of our own, so the picture never depends on the library's.
std::uint32_t NextNoise(std::uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float UnitNoise(std::uint32_t& state)
{
    return static_cast<float>(NextNoise(state) & 0xFFFFFF) / 16777216.0f;
}

std::uint8_t Channel(float value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f));
}

} // namespace

void MakePhotoPicture(OrvaneEngine::Image& image, std::uint32_t width, std::uint32_t height, std::uint32_t seed)
{
    image.Create(image.GetLog(), width, height, 24);
    std::uint32_t noise = (seed * 2654435761u) | 1u; // never 0, where xorshift stays
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float sunX = (0.2f + 0.6f * UnitNoise(noise)) * w;
    const float sunY = (0.7f + 0.2f * UnitNoise(noise)) * h;
    const float sunRadius = (0.05f + 0.05f * UnitNoise(noise)) * std::min(w, h);
    const float hillPhase = UnitNoise(noise) * 6.28f;
    const float horizon = (0.35f + 0.1f * UnitNoise(noise)) * h;
    struct Block
    {
        float left, right, top;
        float r, g, b;
    };
    Block blocks[12];
    for (Block& block : blocks)
    {
        block.left = UnitNoise(noise) * w;
        block.right = block.left + (0.03f + 0.08f * UnitNoise(noise)) * w;
        block.top = horizon * (0.6f + 0.8f * UnitNoise(noise));
        block.r = 90 + 150 * UnitNoise(noise);
        block.g = 60 + 120 * UnitNoise(noise);
        block.b = 40 + 100 * UnitNoise(noise);
    }

    std::uint8_t* pixel = image.GetPixels();
    for (std::uint32_t y = 0; y < height; ++y)
    {
        const float fy = static_cast<float>(y);
        for (std::uint32_t x = 0; x < width; ++x, pixel += 3)
        {
            const float fx = static_cast<float>(x);
            const float hill = horizon + 0.08f * h * std::sin(fx / w * 9.0f + hillPhase);
            float r;
            float g;
            float b;
            if (fy > hill)
            {
                const float t = (fy - hill) / std::max(h - hill, 1.0f);
                r = 120 + 60 * t;
                g = 170 + 40 * t;
                b = 235 - 30 * t;
                const float dx = fx - sunX;
                const float dy = fy - sunY;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (d < sunRadius)
                {
                    r = 255;
                    g = 240;
                    b = 180;
                }
                else if (d < sunRadius * 2.5f)
                {
                    const float glow = 1.0f - (d - sunRadius) / (sunRadius * 1.5f);
                    r += (255 - r) * glow * 0.6f;
                    g += (235 - g) * glow * 0.6f;
                }
            }
            else
            {
                const float t = fy / std::max(hill, 1.0f);
                r = 40 + 50 * t;
                g = 90 + 70 * t;
                b = 30 + 20 * t;
            }
            for (const Block& block : blocks)
            {
                if (fx >= block.left && fx < block.right && fy < block.top)
                {
                    const float shade = 0.75f + 0.25f * std::sin(fx * 0.7f) * std::sin(fy * 0.9f);
                    r = block.r * shade;
                    g = block.g * shade;
                    b = block.b * shade;
                }
            }
            const float grain = static_cast<float>(NextNoise(noise) % 17) - 8.0f;
            pixel[0] = Channel(r + grain);
            pixel[1] = Channel(g + grain);
            pixel[2] = Channel(b + grain);
        }
    }
}

} // namespace corvellan::content
