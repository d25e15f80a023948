#pragma once

// The back buffer of the Direct3D 7 render system read into memory through
// the stand-in's Blt and Lock, as a program would read it.

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class RenderSystem_D3D7;
}

namespace corvellan::test
{

struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
};

bool Near(const Rgb& a, const Rgb& b, int tolerance = 1);
std::string Describe(const Rgb& color);

class BackBuffer
{
public:
    // Copies the whole back buffer through a system-memory surface; empty
    // when it worked, otherwise the step that failed.
    std::string Read(OrvaneEngine::RenderSystem_D3D7& renderSystem);

    // The pixel, x from the left, y from the top; (-1, -1, -1) outside.
    Rgb Pixel(std::uint32_t x, std::uint32_t y) const;
    // The pixel at the centre of clip-space point (x, y): x from -1 (left)
    // to 1, y from -1 (bottom) to 1.
    Rgb At(float x, float y) const;

    std::uint32_t Width() const { return width; }
    std::uint32_t Height() const { return height; }

private:
    std::vector<Rgb> pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

} // namespace corvellan::test
