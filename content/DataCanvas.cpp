#include "content/DataCanvas.h"

#include "content/ImageFixtures.h"
#include "engine/render/Image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

// 0 well inside an edge, 1 a pixel past it: the soft step that keeps every
// shape anti-aliased.
float Coverage(float signedDistance) { return std::clamp(0.5f - signedDistance, 0.0f, 1.0f); }

float SegmentDistance(float px, float py, const Point2& a, const Point2& b)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length = dx * dx + dy * dy;
    const float t = length > 0.0f ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / length, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - (a.x + dx * t), py - (a.y + dy * t));
}

struct Box
{
    float x0, y0, x1, y1;
};

// The smallest box holding every point; points must not be empty.
Box Bounds(const std::vector<Point2>& points)
{
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point2& p : points)
    {
        box.x0 = std::min(box.x0, p.x);
        box.y0 = std::min(box.y0, p.y);
        box.x1 = std::max(box.x1, p.x);
        box.y1 = std::max(box.y1, p.y);
    }
    return box;
}

std::uint8_t Byte(float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

std::uint32_t Lattice(float v) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(v) + 65536); }

} // namespace

Rgba ColourOf(std::uint32_t rgb, float alpha)
{
    return {static_cast<float>(rgb >> 16 & 0xFF) / 255.0f, static_cast<float>(rgb >> 8 & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Rgba MixColour(const Rgba& a, const Rgba& b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

DataCanvas::DataCanvas(std::uint32_t widthIn, std::uint32_t heightIn, const Rgba& fill)
    : width(widthIn), height(heightIn)
{
    if (width == 0 || height == 0 || width > 8192 || height > 8192)
        throw std::invalid_argument("canvas size " + std::to_string(width) + " x " + std::to_string(height));
    pixels.assign(static_cast<std::size_t>(width) * height, fill);
}

Rgba DataCanvas::Pixel(std::uint32_t x, std::uint32_t y) const
{
    return pixels.at(static_cast<std::size_t>(y) * width + x);
}

void DataCanvas::Blend(std::uint32_t x, std::uint32_t y, const Rgba& colour, float coverage)
{
    if (x >= width || y >= height)
        return;
    Rgba& below = pixels[static_cast<std::size_t>(y) * width + x];
    const float a = std::clamp(colour.a * coverage, 0.0f, 1.0f);
    if (a <= 0.0f)
        return;
    const float keep = below.a * (1.0f - a);
    const float out = a + keep;
    below.r = (colour.r * a + below.r * keep) / out;
    below.g = (colour.g * a + below.g * keep) / out;
    below.b = (colour.b * a + below.b * keep) / out;
    below.a = out;
}

void DataCanvas::Shade(const std::function<Rgba(float, float, const Rgba&)>& paint)
{
    for (std::uint32_t y = 0; y < height; ++y)
    {
        for (std::uint32_t x = 0; x < width; ++x)
        {
            Rgba& pixel = pixels[static_cast<std::size_t>(y) * width + x];
            pixel = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, pixel);
        }
    }
}

void DataCanvas::FillDistance(float x0, float y0, float x1, float y1,
                              const std::function<float(float, float)>& distance, const Rgba& colour)
{
    const auto first = [](float v) { return static_cast<std::int64_t>(std::floor(v - 1.0f)); };
    const auto last = [](float v) { return static_cast<std::int64_t>(std::ceil(v + 1.0f)); };
    const std::int64_t left = std::max<std::int64_t>(0, first(x0));
    const std::int64_t top = std::max<std::int64_t>(0, first(y0));
    const std::int64_t right = std::min<std::int64_t>(width, last(x1));
    const std::int64_t bottom = std::min<std::int64_t>(height, last(y1));
    for (std::int64_t y = top; y < bottom; ++y)
    {
        for (std::int64_t x = left; x < right; ++x)
        {
            const float coverage =
                Coverage(distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
            if (coverage > 0.0f)
                Blend(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), colour, coverage);
        }
    }
}

void DataCanvas::FillPolygon(const std::vector<Point2>& points, const Rgba& colour)
{
    if (points.size() < 3)
        return;
    const auto [x0, y0, x1, y1] = Bounds(points);
    FillDistance(x0, y0, x1, y1,
                 [&points](float x, float y) {
                     int winding = 0;
                     float nearest = 1e30f;
                     for (std::size_t i = 0; i < points.size(); ++i)
                     {
                         const Point2& a = points[i];
                         const Point2& b = points[(i + 1) % points.size()];
                         nearest = std::min(nearest, SegmentDistance(x, y, a, b));
                         const float side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
                         if (a.y <= y && b.y > y && side > 0)
                             ++winding;
                         else if (a.y > y && b.y <= y && side < 0)
                             --winding;
                     }
                     return winding != 0 ? -nearest : nearest;
                 },
                 colour);
}

void DataCanvas::FillCircle(Point2 centre, float radius, const Rgba& colour)
{
    FillEllipse(centre, radius, radius, colour);
}

void DataCanvas::FillEllipse(Point2 centre, float radiusX, float radiusY, const Rgba& colour)
{
    if (radiusX <= 0.0f || radiusY <= 0.0f)
        return;
    const float smaller = std::min(radiusX, radiusY);
    FillDistance(centre.x - radiusX, centre.y - radiusY, centre.x + radiusX, centre.y + radiusY,
                 [=](float x, float y) {
                     // The normalised radius, scaled back to pixels by the
                     // smaller semi-axis: exact for circles, close enough for
                     // the edge of an ellipse.
                     const float r = std::hypot((x - centre.x) / radiusX, (y - centre.y) / radiusY);
                     return (r - 1.0f) * smaller;
                 },
                 colour);
}

void DataCanvas::FillRoundedBox(float x0, float y0, float x1, float y1, float radius, const Rgba& colour)
{
    const float cx = (x0 + x1) / 2;
    const float cy = (y0 + y1) / 2;
    const float hx = std::abs(x1 - x0) / 2;
    const float hy = std::abs(y1 - y0) / 2;
    radius = std::clamp(radius, 0.0f, std::min(hx, hy));
    FillDistance(cx - hx, cy - hy, cx + hx, cy + hy,
                 [=](float x, float y) {
                     const float qx = std::abs(x - cx) - (hx - radius);
                     const float qy = std::abs(y - cy) - (hy - radius);
                     const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
                     return outside + std::min(std::max(qx, qy), 0.0f) - radius;
                 },
                 colour);
}

void DataCanvas::StrokeCircle(Point2 centre, float radius, float strokeWidth, const Rgba& colour)
{
    const float outer = radius + strokeWidth / 2;
    FillDistance(centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer,
                 [=](float x, float y) {
                     return std::abs(std::hypot(x - centre.x, y - centre.y) - radius) - strokeWidth / 2;
                 },
                 colour);
}

void DataCanvas::StrokePolyline(const std::vector<Point2>& points, float strokeWidth, const Rgba& colour)
{
    if (points.empty())
        return;
    const float half = strokeWidth / 2;
    const auto [x0, y0, x1, y1] = Bounds(points);
    FillDistance(x0 - half, y0 - half, x1 + half, y1 + half,
                 [&points, half](float x, float y) {
                     float nearest = std::hypot(x - points[0].x, y - points[0].y);
                     for (std::size_t i = 1; i < points.size(); ++i)
                         nearest = std::min(nearest, SegmentDistance(x, y, points[i - 1], points[i]));
                     return nearest - half;
                 },
                 colour);
}

void DataCanvas::StrokeBezier(Point2 p0, Point2 p1, Point2 p2, Point2 p3, float strokeWidth, const Rgba& colour)
{
    const float span = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y) +
                       std::hypot(p3.x - p2.x, p3.y - p2.y);
    const int steps = std::clamp(static_cast<int>(span / 4.0f), 8, 256);
    std::vector<Point2> points;
    for (int i = 0; i <= steps; ++i)
    {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float u = 1 - t;
        points.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                          u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
    }
    StrokePolyline(points, strokeWidth, colour);
}

void DataCanvas::FillLinearGradient(float x0, float y0, float x1, float y1, Point2 a, Point2 b, const Rgba& from,
                                    const Rgba& to)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length = dx * dx + dy * dy;
    const auto left = static_cast<std::int64_t>(std::max(0.0f, std::floor(std::min(x0, x1))));
    const auto top = static_cast<std::int64_t>(std::max(0.0f, std::floor(std::min(y0, y1))));
    const auto right = std::min<std::int64_t>(width, static_cast<std::int64_t>(std::ceil(std::max(x0, x1))));
    const auto bottom = std::min<std::int64_t>(height, static_cast<std::int64_t>(std::ceil(std::max(y0, y1))));
    for (std::int64_t y = top; y < bottom; ++y)
    {
        for (std::int64_t x = left; x < right; ++x)
        {
            const float px = static_cast<float>(x) + 0.5f - a.x;
            const float py = static_cast<float>(y) + 0.5f - a.y;
            const float t = length > 0.0f ? (px * dx + py * dy) / length : 0.0f;
            Blend(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), MixColour(from, to, t));
        }
    }
}

void DataCanvas::FillRadialGradient(Point2 centre, float radius, const Rgba& inner, const Rgba& outer)
{
    if (radius <= 0.0f)
        return;
    const auto left = static_cast<std::int64_t>(std::max(0.0f, std::floor(centre.x - radius)));
    const auto top = static_cast<std::int64_t>(std::max(0.0f, std::floor(centre.y - radius)));
    const auto right = std::min<std::int64_t>(width, static_cast<std::int64_t>(std::ceil(centre.x + radius)));
    const auto bottom = std::min<std::int64_t>(height, static_cast<std::int64_t>(std::ceil(centre.y + radius)));
    for (std::int64_t y = top; y < bottom; ++y)
    {
        for (std::int64_t x = left; x < right; ++x)
        {
            const float d = std::hypot(static_cast<float>(x) + 0.5f - centre.x, static_cast<float>(y) + 0.5f - centre.y);
            if (d <= radius)
                Blend(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), MixColour(inner, outer, d / radius));
        }
    }
}

void DataCanvas::Draw(const DataCanvas& other, std::int32_t x, std::int32_t y)
{
    for (std::uint32_t row = 0; row < other.height; ++row)
    {
        for (std::uint32_t column = 0; column < other.width; ++column)
        {
            const std::int64_t tx = static_cast<std::int64_t>(x) + column;
            const std::int64_t ty = static_cast<std::int64_t>(y) + row;
            if (tx >= 0 && ty >= 0)
                Blend(static_cast<std::uint32_t>(tx), static_cast<std::uint32_t>(ty), other.Pixel(column, row));
        }
    }
}

void DataCanvas::CopyTo(OrvaneEngine::Image& image, std::uint32_t bytesPerPixel) const
{
    image.Create(nullptr, width, height, bytesPerPixel * 8);
    std::uint8_t* out = image.GetPixels();
    // The engine's row 0 is the picture's bottom.
    for (std::uint32_t y = 0; y < height; ++y)
    {
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const Rgba& p = pixels[static_cast<std::size_t>(height - 1 - y) * width + x];
            const std::uint8_t channels[4] = {Byte(p.r), Byte(p.g), Byte(p.b), Byte(p.a)};
            std::copy_n(channels, bytesPerPixel, out + (static_cast<std::size_t>(y) * width + x) * bytesPerPixel);
        }
    }
}

std::unique_ptr<OrvaneEngine::Image> DataCanvas::ToImage() const
{
    auto image = std::make_unique<OrvaneEngine::Image>();
    CopyTo(*image, 4);
    return image;
}

std::string DataCanvas::Jpeg(std::uint32_t quality) const
{
    OrvaneEngine::Image image;
    CopyTo(image, 3);
    std::string bytes = EngineImageFile(image, "jpg", quality);
    if (bytes.empty())
        throw std::runtime_error("the engine could not write a JPEG");
    return bytes;
}

std::string DataCanvas::AlphaJpeg(std::uint32_t quality) const
{
    DataCanvas alpha(width, height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        alpha.pixels[i] = {pixels[i].a, pixels[i].a, pixels[i].a, 1.0f};
    return alpha.Jpeg(quality);
}

std::string DataCanvas::Tga() const
{
    TgaLayout layout;
    layout.depth = 32;
    layout.runLength = true;
    return TgaFromImage(*ToImage(), layout);
}

float DataCanvas::Unit(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    return static_cast<float>(Hash(x, y, seed) & 0xFFFFFF) / 16777216.0f;
}

float DataCanvas::ValueNoise(float x, float y, std::uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const std::uint32_t ix = Lattice(fx);
    const std::uint32_t iy = Lattice(fy);
    const float tx = (x - fx) * (x - fx) * (3 - 2 * (x - fx));
    const float ty = (y - fy) * (y - fy) * (3 - 2 * (y - fy));
    const float low = Unit(ix, iy, seed) + (Unit(ix + 1, iy, seed) - Unit(ix, iy, seed)) * tx;
    const float high = Unit(ix, iy + 1, seed) + (Unit(ix + 1, iy + 1, seed) - Unit(ix, iy + 1, seed)) * tx;
    return low + (high - low) * ty;
}

float DataCanvas::Fractal(float x, float y, std::uint32_t seed)
{
    return 0.55f * ValueNoise(x, y, seed) + 0.3f * ValueNoise(2 * x, 2 * y, seed + 1) +
           0.15f * ValueNoise(4 * x, 4 * y, seed + 2);
}

DataCanvas::Cell DataCanvas::Voronoi(float x, float y, float size, std::uint32_t seed)
{
    const float gx = std::floor(x / size);
    const float gy = std::floor(y / size);
    Cell cell{1e30f, 1e30f, 0};
    for (int dy = -1; dy <= 1; ++dy)
    {
        for (int dx = -1; dx <= 1; ++dx)
        {
            const std::uint32_t cx = Lattice(gx + static_cast<float>(dx));
            const std::uint32_t cy = Lattice(gy + static_cast<float>(dy));
            const float px = (gx + static_cast<float>(dx) + 0.15f + 0.7f * Unit(cx, cy, seed)) * size;
            const float py = (gy + static_cast<float>(dy) + 0.15f + 0.7f * Unit(cy, cx, seed + 9)) * size;
            const float d = std::hypot(x - px, y - py);
            if (d < cell.nearest)
            {
                cell.second = cell.nearest;
                cell.nearest = d;
                cell.id = Hash(cx, cy, seed);
            }
            else if (d < cell.second)
            {
                cell.second = d;
            }
        }
    }
    return cell;
}

} // namespace corvellan::content
