#include "content/DataPictures.h"

#include "engine/render/Image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace corvellan::content
{

namespace
{

struct Rgb
{
    float r = 0;
    float g = 0;
    float b = 0;
};

Rgb Colour(std::uint32_t rgb)
{
    return {static_cast<float>(rgb >> 16 & 0xFF), static_cast<float>(rgb >> 8 & 0xFF), static_cast<float>(rgb & 0xFF)};
}

Rgb Mix(const Rgb& a, const Rgb& b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scaled(const Rgb& a, float k) { return {a.r * k, a.g * k, a.b * k}; }

// 0 well inside an edge at distance 0, 1 a pixel past it: the soft step
// that keeps every drawn shape anti-aliased.
float Coverage(float signedDistance) { return std::clamp(0.5f - signedDistance, 0.0f, 1.0f); }

// Our own hash, so that no library's generator decides a pixel.
std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

float Unit(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    return static_cast<float>(Hash(x, y, seed) & 0xFFFFFF) / 16777216.0f;
}

// Smooth value noise with a lattice step of one unit.
float ValueNoise(float x, float y, std::uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<std::uint32_t>(static_cast<std::int32_t>(fx) + 4096);
    const auto iy = static_cast<std::uint32_t>(static_cast<std::int32_t>(fy) + 4096);
    const float tx = (x - fx) * (x - fx) * (3 - 2 * (x - fx));
    const float ty = (y - fy) * (y - fy) * (3 - 2 * (y - fy));
    const float bottom = Unit(ix, iy, seed) + (Unit(ix + 1, iy, seed) - Unit(ix, iy, seed)) * tx;
    const float top = Unit(ix, iy + 1, seed) + (Unit(ix + 1, iy + 1, seed) - Unit(ix, iy + 1, seed)) * tx;
    return bottom + (top - bottom) * ty;
}

float Fractal(float x, float y, std::uint32_t seed)
{
    return 0.55f * ValueNoise(x, y, seed) + 0.3f * ValueNoise(2 * x, 2 * y, seed + 1) +
           0.15f * ValueNoise(4 * x, 4 * y, seed + 2);
}

struct Canvas
{
    float width;
    float height;
    std::uint32_t seed;
    std::array<Rgb, 5> colours;
};

// Hills behind hills under a sky and a sun; the nearer the layer, the darker.
Rgb Landscape(const Canvas& c, float x, float y)
{
    Rgb pixel = Mix(c.colours[4], c.colours[3], y / c.height * 0.9f);
    const float sunX = c.width * (0.25f + 0.5f * Unit(1, 1, c.seed));
    const float sunY = c.height * 0.78f;
    const float sun = std::hypot(x - sunX, y - sunY) - c.height * 0.08f;
    pixel = Mix(pixel, Mix(c.colours[4], Rgb{255, 250, 220}, 0.6f), Coverage(sun));
    for (int layer = 0; layer < 4; ++layer)
    {
        const float base = c.height * (0.62f - 0.14f * static_cast<float>(layer));
        const float ridge = base + c.height * 0.12f * Fractal(x / 90.0f + static_cast<float>(layer) * 7, 0.5f,
                                                              c.seed + static_cast<std::uint32_t>(layer));
        const Rgb tone = Mix(c.colours[2], c.colours[0], static_cast<float>(layer) / 3.0f);
        pixel = Mix(pixel, tone, Coverage(y - ridge));
    }
    return pixel;
}

// Voronoi panes of glass edged with dark lead.
Rgb StainedGlass(const Canvas& c, float x, float y)
{
    constexpr float Cell = 48.0f;
    const float gx = std::floor(x / Cell);
    const float gy = std::floor(y / Cell);
    float nearest = 1e9f;
    float second = 1e9f;
    std::uint32_t pane = 0;
    for (int dy = -1; dy <= 1; ++dy)
    {
        for (int dx = -1; dx <= 1; ++dx)
        {
            const auto cx = static_cast<std::uint32_t>(static_cast<std::int32_t>(gx) + dx + 64);
            const auto cy = static_cast<std::uint32_t>(static_cast<std::int32_t>(gy) + dy + 64);
            const float px = (gx + static_cast<float>(dx) + 0.15f + 0.7f * Unit(cx, cy, c.seed)) * Cell;
            const float py = (gy + static_cast<float>(dy) + 0.15f + 0.7f * Unit(cy, cx, c.seed + 9)) * Cell;
            const float d = std::hypot(x - px, y - py);
            if (d < nearest)
            {
                second = nearest;
                nearest = d;
                pane = Hash(cx, cy, c.seed);
            }
            else if (d < second)
                second = d;
        }
    }
    const Rgb glass = Mix(c.colours[1 + pane % 4], c.colours[1 + (pane >> 8) % 4], 0.3f);
    const Rgb lit = Scaled(glass, 0.85f + 0.3f * ValueNoise(x / 30, y / 30, c.seed));
    // Half the gap between the two nearest centres is the distance to the lead line.
    return Mix(lit, Scaled(c.colours[0], 0.4f), Coverage((second - nearest) * 0.5f - 2.0f));
}

// Rings of petals around the middle of the picture.
Rgb Mandala(const Canvas& c, float x, float y)
{
    const float dx = x - c.width / 2;
    const float dy = y - c.height / 2;
    const float radius = std::hypot(dx, dy);
    const float angle = std::atan2(dy, dx);
    Rgb pixel = Mix(c.colours[0], c.colours[1], radius / c.width);
    const int petals[] = {6, 10, 14, 20};
    for (int ring = 3; ring >= 0; --ring)
    {
        const float outer = 40.0f + 45.0f * static_cast<float>(ring);
        const float edge = outer * (0.8f + 0.2f * std::fabs(std::cos(angle * static_cast<float>(petals[ring]) / 2)));
        const Rgb tone = c.colours[1 + (static_cast<std::uint32_t>(ring) + c.seed) % 4];
        pixel = Mix(pixel, Scaled(tone, 0.8f + 0.2f * std::cos(radius / 6)), Coverage(radius - edge));
        pixel = Mix(pixel, c.colours[0], Coverage(std::fabs(radius - edge) - 1.0f) * 0.7f);
    }
    return pixel;
}

// Towers against a sky, their windows lit.
Rgb Skyline(const Canvas& c, float x, float y)
{
    Rgb pixel = Mix(c.colours[1], c.colours[0], y / c.height);
    if (Unit(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), c.seed) > 0.997f && y > c.height * 0.5f)
        pixel = c.colours[4];
    const float moon = std::hypot(x - c.width * 0.8f, y - c.height * 0.82f) - 22.0f;
    pixel = Mix(pixel, c.colours[4], Coverage(moon));
    for (int row = 0; row < 2; ++row)
    {
        const float step = row == 0 ? 41.0f : 29.0f;
        const float column = std::floor(x / step);
        const auto index = static_cast<std::uint32_t>(column) + static_cast<std::uint32_t>(row) * 97;
        const float top = c.height * ((row == 0 ? 0.45f : 0.25f) + 0.3f * Unit(index, 3, c.seed));
        const float left = column * step + 3;
        const float right = (column + 1) * step - 3;
        const float inside = std::max({y - top, left - x, x - right});
        const Rgb wall = Scaled(c.colours[row == 0 ? 1 : 2], row == 0 ? 0.55f : 0.35f);
        Rgb building = wall;
        const float wx = std::fmod(x - left, 8.0f);
        const float wy = std::fmod(y, 11.0f);
        if (wx > 2 && wx < 6 && wy > 3 && wy < 8 &&
            Unit(static_cast<std::uint32_t>((x - left) / 8), static_cast<std::uint32_t>(y / 11) + index, c.seed) > 0.45f)
            building = c.colours[3];
        pixel = Mix(pixel, building, Coverage(inside));
    }
    return pixel;
}

// Squares of cloth, each with its own pattern, joined by stitches.
Rgb Patchwork(const Canvas& c, float x, float y)
{
    constexpr float Patch = 64.0f;
    const auto px = static_cast<std::uint32_t>(x / Patch);
    const auto py = static_cast<std::uint32_t>(y / Patch);
    const std::uint32_t pick = Hash(px, py, c.seed);
    const Rgb cloth = c.colours[1 + pick % 4];
    const Rgb thread = c.colours[1 + (pick / 4 + 1) % 4];
    const float u = std::fmod(x, Patch);
    const float v = std::fmod(y, Patch);
    Rgb pixel = cloth;
    switch (pick / 16 % 3)
    {
    case 0:
        pixel = Mix(cloth, thread, Coverage(std::fabs(std::fmod(u + v, 16.0f) - 8.0f) - 3.0f));
        break;
    case 1:
        pixel = Mix(cloth, thread, Coverage(std::hypot(std::fmod(u, 16.0f) - 8, std::fmod(v, 16.0f) - 8) - 4.0f));
        break;
    default:
        pixel = Mix(cloth, thread, Coverage(std::fabs(std::fmod(v, 12.0f) - 6.0f) - 2.0f) * 0.8f);
        break;
    }
    pixel = Scaled(pixel, 0.9f + 0.15f * ValueNoise(x / 5, y / 5, c.seed));
    const float seam = std::min({u, v, Patch - u, Patch - v});
    const bool stitch = std::fmod(u + v, 8.0f) < 4.0f;
    return Mix(pixel, stitch ? c.colours[4] : c.colours[0], Coverage(seam - 1.5f) * 0.8f);
}

// A night sky: clouds of colour, and stars of several sizes.
Rgb StarField(const Canvas& c, float x, float y)
{
    const float cloud = Fractal(x / 120, y / 120, c.seed);
    Rgb pixel = Mix(c.colours[0], c.colours[1 + c.seed % 3], std::pow(cloud, 2.0f) * 1.2f);
    pixel = Mix(pixel, c.colours[2], std::max(0.0f, ValueNoise(x / 60, y / 200, c.seed + 5) - 0.55f) * 2);
    constexpr float Cell = 24.0f;
    const auto gx = static_cast<std::uint32_t>(x / Cell);
    const auto gy = static_cast<std::uint32_t>(y / Cell);
    const float sx = (static_cast<float>(gx) + Unit(gx, gy, c.seed + 1)) * Cell;
    const float sy = (static_cast<float>(gy) + Unit(gy, gx, c.seed + 2)) * Cell;
    const float size = 0.6f + 2.0f * std::pow(Unit(gx, gy, c.seed + 3), 3.0f);
    return Mix(pixel, c.colours[4], Coverage(std::hypot(x - sx, y - sy) - size));
}

std::uint8_t Channel(float value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0l, 255l)); }

} // namespace

const PicturePalette& DataPictures::Palette(std::uint32_t index)
{
    static const std::array<PicturePalette, PaletteCount> palettes = {{
        {0x1E3A1A, 0x4F7A2B, 0x8DB04A, 0xF2D66B, 0xBFE3F5}, // meadow greens
        {0x14233A, 0x2F5D8A, 0xC9623F, 0xE9C46A, 0xF1F4F7}, // harbour blues and brick
        {0x1A1030, 0x4A2360, 0xC0392B, 0xF5B041, 0xFDEBD0}, // lantern night
        {0x0B2B26, 0x1B7F79, 0x7A4EAB, 0xE36588, 0xF7F3E3}, // jewel tones
        {0x3B1F0E, 0x9C5A24, 0xD98C3A, 0xF0C987, 0xFFF3DC}, // sand and rust
        {0x0A0F24, 0x27346B, 0x3E8E7E, 0xF7E36B, 0xD9E8FF}, // cold night
        {0x0F2233, 0x136F63, 0xE07A1F, 0xF2A541, 0xFFFCEB}, // teal and orange
    }};
    if (index >= palettes.size())
        throw std::out_of_range("no picture palette " + std::to_string(index));
    return palettes[index];
}

void DataPictures::Draw(OrvaneEngine::Image& image, std::uint32_t width, std::uint32_t height, PictureFamily family,
                        std::uint32_t palette, std::uint32_t seed)
{
    Canvas canvas{static_cast<float>(width), static_cast<float>(height), seed, {}};
    for (std::size_t i = 0; i < canvas.colours.size(); ++i)
        canvas.colours[i] = Colour(Palette(palette)[i]);
    using Painter = Rgb (*)(const Canvas&, float, float);
    static constexpr Painter painters[] = {Landscape, StainedGlass, Mandala, Skyline, Patchwork, StarField};
    const Painter paint = painters[static_cast<std::size_t>(family)];

    image.Create(image.GetLog(), width, height, 24);
    std::uint8_t* pixel = image.GetPixels();
    // Row 0 is the picture's bottom, as the puzzle rows count.
    for (std::uint32_t y = 0; y < height; ++y)
    {
        for (std::uint32_t x = 0; x < width; ++x, pixel += 3)
        {
            const Rgb rgb = paint(canvas, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            pixel[0] = Channel(rgb.r);
            pixel[1] = Channel(rgb.g);
            pixel[2] = Channel(rgb.b);
        }
    }
}

} // namespace corvellan::content
