#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Image;
}

namespace corvellan::content
{

// A colour with straight (not premultiplied) alpha, each channel 0..1.
struct Rgba
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

struct Point2
{
    float x = 0.0f;
    float y = 0.0f;
};

// 0xRRGGBB with an alpha.
Rgba ColourOf(std::uint32_t rgb, float alpha = 1.0f);
// a + (b - a) * t on every channel, t clamped to 0..1.
Rgba MixColour(const Rgba& a, const Rgba& b, float t);

// The art of the data set is drawn here: an RGBA picture in pixel units,
// x to the right and y DOWN from the top-left corner (as one paints; the
// files come out the way the engine's images expect). Every shape is
// anti-aliased by its signed distance, and painted "over" what lies below.
// The same calls always give the same pixels: nothing random, no clock.
class DataCanvas
{
public:
    DataCanvas(std::uint32_t width, std::uint32_t height, const Rgba& fill = {0.0f, 0.0f, 0.0f, 0.0f});

    std::uint32_t Width() const { return width; }
    std::uint32_t Height() const { return height; }
    Rgba Pixel(std::uint32_t x, std::uint32_t y) const;

    // Paints colour with coverage 0..1 over one pixel.
    void Blend(std::uint32_t x, std::uint32_t y, const Rgba& colour, float coverage = 1.0f);
    // Replaces every pixel (alpha included) with what paint returns for the
    // pixel's centre (x + 0.5, y + 0.5); paint is handed the pixel below.
    void Shade(const std::function<Rgba(float x, float y, const Rgba& below)>& paint);

    // Non-zero winding; any number of points, any orientation.
    void FillPolygon(const std::vector<Point2>& points, const Rgba& colour);
    void FillCircle(Point2 centre, float radius, const Rgba& colour);
    void FillEllipse(Point2 centre, float radiusX, float radiusY, const Rgba& colour);
    void FillRoundedBox(float x0, float y0, float x1, float y1, float radius, const Rgba& colour);
    // A ring between the two radii.
    void StrokeCircle(Point2 centre, float radius, float width, const Rgba& colour);
    // Round caps and joins.
    void StrokePolyline(const std::vector<Point2>& points, float width, const Rgba& colour);
    // A cubic Bézier curve, flattened finely enough to look smooth.
    void StrokeBezier(Point2 p0, Point2 p1, Point2 p2, Point2 p3, float width, const Rgba& colour);
    // Over the box (x0, y0)-(x1, y1): the colour runs from `from` at a to `to` at b.
    void FillLinearGradient(float x0, float y0, float x1, float y1, Point2 a, Point2 b, const Rgba& from,
                            const Rgba& to);
    void FillRadialGradient(Point2 centre, float radius, const Rgba& inner, const Rgba& outer);
    // Draws other with its top-left corner at (x, y), "over".
    void Draw(const DataCanvas& other, std::int32_t x, std::int32_t y);

    // The picture in the engine's own image, 32-bit with alpha.
    std::unique_ptr<OrvaneEngine::Image> ToImage() const;
    // The colour as a JPEG written by the engine's writer.
    std::string Jpeg(std::uint32_t quality = 90) const;
    // The alpha as a grey JPEG: the engine takes "<name>_alpha.jpg" as the
    // opacity of "<name>.jpg".
    std::string AlphaJpeg(std::uint32_t quality = 90) const;
    // Run-length 32-bit TGA with its alpha.
    std::string Tga() const;

    // Smooth value noise in 0..1 with a lattice step of one unit.
    static float ValueNoise(float x, float y, std::uint32_t seed);
    // Three octaves of ValueNoise, 0..1.
    static float Fractal(float x, float y, std::uint32_t seed);
    // A hash of the three numbers in 0..1.
    static float Unit(std::uint32_t x, std::uint32_t y, std::uint32_t seed);

    struct Cell
    {
        float nearest;      // distance to the nearest site
        float second;       // distance to the second nearest
        std::uint32_t id;   // a number that names the nearest site
    };
    // Voronoi cells of about `size` pixels.
    static Cell Voronoi(float x, float y, float size, std::uint32_t seed);

private:
    // Paints colour over every pixel of the box whose coverage (from the
    // signed distance: negative inside) is above zero.
    void FillDistance(float x0, float y0, float x1, float y1, const std::function<float(float, float)>& distance,
                      const Rgba& colour);
    // Creates the image at 3 (colour) or 4 (with alpha) bytes a pixel and
    // copies the canvas into it.
    void CopyTo(OrvaneEngine::Image& image, std::uint32_t bytesPerPixel) const;

    std::uint32_t width;
    std::uint32_t height;
    std::vector<Rgba> pixels;
};

} // namespace corvellan::content
