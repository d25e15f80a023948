#include "content/DataBackgroundArt.h"

#include "content/DataTitles.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace corvellan::content
{

namespace
{

constexpr float Pi = 3.14159265f;
const Rgba Clear{0.0f, 0.0f, 0.0f, 0.0f};

// Screen (x right, y up from the bottom) to layer-picture pixels.
Point2 S(float x, float y)
{
    return {x + DataBackgroundArt::LayerMargin,
            static_cast<float>(DataBackgroundArt::LayerSide) - DataBackgroundArt::LayerMargin - y};
}

// Fills everything below a ridge, y(x) = base + the sum of the waves (x the
// frequency, y the height of each), from the layer's left edge to its right.
// A polygon of the ridge would measure every pixel against every one of its
// many edges; a column at a time costs one blend per pixel.
void FillBelowRidge(DataCanvas& canvas, float base, const std::vector<Point2>& waves, const Rgba& colour)
{
    for (std::uint32_t column = 0; column < canvas.Width(); ++column)
    {
        const float x = static_cast<float>(column) + 0.5f - DataBackgroundArt::LayerMargin;
        float y = base;
        for (const Point2& wave : waves)
            y += wave.y * std::sin(x * wave.x);
        const float top = S(x, y).y;
        const auto first = static_cast<std::uint32_t>(std::max(0.0f, std::floor(top)));
        for (std::uint32_t row = first; row < canvas.Height(); ++row)
            canvas.Blend(column, row, colour, std::clamp(static_cast<float>(row) + 1.0f - top, 0.0f, 1.0f));
    }
}

void Box(DataCanvas& canvas, float x0, float y0, float x1, float y1, const Rgba& colour)
{
    canvas.FillPolygon({S(x0, y0), S(x1, y0), S(x1, y1), S(x0, y1)}, colour);
}

void Sky(DataCanvas& canvas)
{
    const float side = static_cast<float>(DataBackgroundArt::LayerSide);
    canvas.FillLinearGradient(0, 0, side, side, S(0, 600), S(0, 180), ColourOf(0x22407a), ColourOf(0xf2c48d));
    canvas.FillLinearGradient(0, S(0, 180).y, side, side, S(0, 180), S(0, 0), ColourOf(0xf2c48d), ColourOf(0xe79a6c));
    canvas.FillRadialGradient(S(610, 300), 160.0f, ColourOf(0xfff3c4, 0.9f), ColourOf(0xffd08a, 0.0f));
    canvas.FillCircle(S(610, 300), 34.0f, ColourOf(0xfff6d8));
    for (std::uint32_t star = 0; star < 40; ++star)
    {
        const float x = 800.0f * DataCanvas::Unit(star, 1, 11);
        const float y = 420.0f + 180.0f * DataCanvas::Unit(star, 2, 11);
        canvas.FillCircle(S(x, y), 0.8f + DataCanvas::Unit(star, 3, 11), ColourOf(0xffffff, 0.6f));
    }
}

void Cloud(DataCanvas& canvas, float x, float y, float size)
{
    const Rgba shade = ColourOf(0xd9c3d6, 0.8f);
    const Rgba light = ColourOf(0xfff8f0, 0.9f);
    canvas.FillEllipse(S(x, y - size * 0.1f), size * 1.6f, size * 0.35f, shade);
    for (int puff = 0; puff < 4; ++puff)
    {
        const float dx = (static_cast<float>(puff) - 1.5f) * size * 0.6f;
        const float r = size * (0.45f + 0.15f * static_cast<float>(puff % 2));
        canvas.FillCircle(S(x + dx, y + r * 0.4f), r, light);
    }
}

void Clouds(DataCanvas& canvas)
{
    const Point2 places[] = {{90, 520}, {300, 470}, {520, 545}, {700, 450}, {180, 400}, {760, 560}};
    std::uint32_t k = 0;
    for (const Point2& place : places)
        Cloud(canvas, place.x, place.y, 36.0f + 20.0f * DataCanvas::Unit(k++, 0, 21));
}

void Hills(DataCanvas& canvas)
{
    FillBelowRidge(canvas, 250.0f, {{0.011f, 28.0f}, {0.027f, 9.0f}}, ColourOf(0x6f86a6));
    FillBelowRidge(canvas, 190.0f, {{0.008f, 34.0f}, {0.021f, 12.0f}}, ColourOf(0x5d8f5a));
    FillBelowRidge(canvas, 110.0f, {{0.006f, 30.0f}, {0.017f, 10.0f}}, ColourOf(0x3f7a3c));
    FillBelowRidge(canvas, 45.0f, {{0.009f, 14.0f}, {0.031f, 5.0f}}, ColourOf(0x2d5e2c));
    // A path winds up the near hill.
    canvas.StrokeBezier(S(420, -20), S(380, 60), S(470, 90), S(430, 140), 10.0f, ColourOf(0xcdb48a, 0.9f));
}

void House(DataCanvas& canvas, float x, float y, float width, float height, std::uint32_t k)
{
    const Rgba walls[] = {ColourOf(0xe8d8b8), ColourOf(0xd9c39a), ColourOf(0xf0e2c8)};
    const Rgba roofs[] = {ColourOf(0xa4412f), ColourOf(0x7c3b2a), ColourOf(0x8f5a34)};
    Box(canvas, x, y, x + width, y + height, walls[k % 3]);
    canvas.FillPolygon(
        {S(x - 4, y + height), S(x + width + 4, y + height), S(x + width / 2, y + height + width * 0.6f)},
        roofs[k % 3]);
    Box(canvas, x + width * 0.3f, y + height * 0.35f, x + width * 0.55f, y + height * 0.7f, ColourOf(0xffd870));
}

void Village(DataCanvas& canvas)
{
    for (std::uint32_t k = 0; k < 7; ++k)
    {
        const float x = 90.0f + 38.0f * static_cast<float>(k) + 8.0f * DataCanvas::Unit(k, 0, 31);
        const float y = 178.0f + 14.0f * std::sin(static_cast<float>(k) * 1.7f);
        House(canvas, x, y, 24.0f + 6.0f * DataCanvas::Unit(k, 1, 31), 18.0f + 8.0f * DataCanvas::Unit(k, 2, 31), k);
    }
}

void Turret(DataCanvas& canvas, float x, float y, float width, float height)
{
    Box(canvas, x, y, x + width, y + height, ColourOf(0x9aa3b8));
    canvas.FillPolygon(
        {S(x - 3, y + height), S(x + width + 3, y + height), S(x + width / 2, y + height + width * 1.3f)},
        ColourOf(0x3c4f8a));
    Box(canvas, x + width * 0.4f, y + height * 0.55f, x + width * 0.6f, y + height * 0.75f, ColourOf(0xffe08a));
}

void Castle(DataCanvas& canvas)
{
    Box(canvas, 540, 225, 690, 290, ColourOf(0x8a93a8));
    for (int merlon = 0; merlon < 8; ++merlon)
    {
        const float x = 540.0f + 20.0f * static_cast<float>(merlon);
        Box(canvas, x, 290, x + 10, 300, ColourOf(0x8a93a8));
    }
    Turret(canvas, 525, 225, 28, 110);
    Turret(canvas, 676, 225, 28, 100);
    Turret(canvas, 596, 260, 36, 110);
    canvas.FillRoundedBox(S(603, 265).x, S(603, 265).y - 10, S(625, 265).x, S(625, 265).y + 24, 10.0f,
                          ColourOf(0x4a3a2a));
    canvas.StrokePolyline({S(614, 417), S(614, 445)}, 2.0f, ColourOf(0x4a3a2a));
    canvas.FillPolygon({S(615, 445), S(640, 438), S(615, 431)}, ColourOf(0xd94a3a));
}

void Tower(DataCanvas& canvas)
{
    canvas.FillPolygon({S(40, 80), S(112, 80), S(102, 380), S(50, 380)}, ColourOf(0xb7a58c));
    for (int course = 0; course < 12; ++course)
    {
        const float y = 100.0f + 24.0f * static_cast<float>(course);
        canvas.StrokePolyline({S(44, y), S(108, y)}, 1.5f, ColourOf(0x8c7b64, 0.7f));
    }
    canvas.FillPolygon({S(40, 380), S(112, 380), S(76, 470)}, ColourOf(0x5a3f7a));
    for (int window = 0; window < 3; ++window)
    {
        const float y = 170.0f + 70.0f * static_cast<float>(window);
        canvas.FillRoundedBox(S(68, y).x, S(68, y).y - 22, S(84, y).x, S(84, y).y, 6.0f, ColourOf(0xffd36a));
    }
}

} // namespace

DataCanvas DataBackgroundArt::Layer(const std::string& name)
{
    const bool sky = name == "sky";
    DataCanvas canvas(LayerSide, LayerSide, sky ? ColourOf(0x22407a) : Clear);
    if (sky)
        Sky(canvas);
    else if (name == "clouds")
        Clouds(canvas);
    else if (name == "hills")
        Hills(canvas);
    else if (name == "village")
        Village(canvas);
    else if (name == "castle")
        Castle(canvas);
    else if (name == "tower")
        Tower(canvas);
    else
        throw std::invalid_argument("no layer picture named " + name);
    return canvas;
}

DataCanvas DataBackgroundArt::Unicorn(float phase)
{
    DataCanvas canvas(256, 256);
    // Drawn inside the cell with room for the horn's glow, which must not
    // reach into the neighbouring frames of an animation net.
    const auto p = [](float x, float y) { return Point2{x - 8.0f, y + 16.0f}; };
    const float swing = std::sin(2.0f * Pi * phase);
    const Rgba coat = ColourOf(0xf7f3ff);
    const Rgba mane = ColourOf(0xc77ddb);
    // Legs first, the body over their tops.
    for (const float x : {88.0f, 112.0f, 158.0f, 180.0f})
        canvas.FillRoundedBox(p(x, 150).x, p(x, 150).y, p(x + 14, 232).x, p(x + 14, 232).y, 6.0f, ColourOf(0xe4def0));
    canvas.FillEllipse(p(135, 145), 68.0f, 36.0f, coat);
    canvas.FillPolygon({p(165, 130), p(200, 60), p(222, 72), p(200, 150)}, coat);
    canvas.FillEllipse(p(212, 70), 26.0f, 16.0f, coat);
    canvas.FillCircle(p(206, 64), 3.0f, ColourOf(0x2a2040));
    canvas.StrokeBezier(p(68, 130), p(30, 140 + 10 * swing), p(40, 190), p(24 + 8 * swing, 215), 10.0f, mane);
    canvas.StrokeBezier(p(198, 52), p(180, 70), p(170, 100), p(160, 128), 9.0f, mane);
    canvas.FillPolygon({p(212, 52), p(222, 56), p(236, 10)}, ColourOf(0xf2c14e));
    const float glow = 12.0f + 8.0f * (0.5f + 0.5f * swing);
    canvas.FillRadialGradient(p(236, 12), glow, ColourOf(0xfff6c0, 0.95f), ColourOf(0xfff6c0, 0.0f));
    return canvas;
}

DataCanvas DataBackgroundArt::Frame()
{
    DataCanvas canvas(512, 512);
    // The screen at half size: x 0..400, y 212..512.
    const float top = 212.0f;
    const Rgba rim = ColourOf(0xc9a24a);
    const Rgba dark = ColourOf(0x5a3e1c);
    canvas.FillRoundedBox(0, top, 400, top + 10, 3.0f, rim);
    canvas.FillRoundedBox(0, 502, 400, 512, 3.0f, rim);
    canvas.FillRoundedBox(0, top, 10, 512, 3.0f, rim);
    canvas.FillRoundedBox(390, top, 400, 512, 3.0f, rim);
    for (const Point2 corner : {Point2{10, top + 10}, Point2{390, top + 10}, Point2{10, 502}, Point2{390, 502}})
    {
        canvas.FillCircle(corner, 12.0f, dark);
        canvas.FillCircle(corner, 8.0f, rim);
        canvas.FillCircle(corner, 4.0f, ColourOf(0x3f8fd0));
    }
    return canvas;
}

DataCanvas DataBackgroundArt::Panel(std::uint32_t width, std::uint32_t height, bool parchment)
{
    DataCanvas canvas(width, height);
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const float radius = h * 0.3f;
    canvas.FillRoundedBox(0, 0, w, h, radius, parchment ? ColourOf(0xc9a24a) : ColourOf(0x3b2614));
    canvas.FillRoundedBox(4, 4, w - 4, h - 4, radius - 3.0f,
                          parchment ? ColourOf(0xf3e6c4, 0.92f) : ColourOf(0x6b4526));
    if (!parchment)
        canvas.FillLinearGradient(6, 6, w - 6, h - 6, {0, 6}, {0, h - 6}, ColourOf(0xffffff, 0.18f),
                                  ColourOf(0x000000, 0.12f));
    return canvas;
}

DataCanvas DataBackgroundArt::MakerLogo(const std::string& fontFolder)
{
    DataCanvas canvas(256, 64);
    canvas.FillCircle({32, 32}, 29.0f, ColourOf(0xc9a24a));
    canvas.FillCircle({32, 32}, 25.0f, ColourOf(0x1f2f5a));
    DataTitles::Draw(canvas, fontFolder + "/DejaVuSerif-Bold.ttf", u"B", 34, 32, 32, ColourOf(0xf2d27a));
    const std::string sans = fontFolder + "/DejaVuSans-Bold.ttf";
    DataTitles::Draw(canvas, sans, u"Brackwell", 24, 152, 24, ColourOf(0xffffff));
    DataTitles::Draw(canvas, sans, u"GAMES", 14, 152, 47, ColourOf(0xf2d27a));
    return canvas;
}

DataCanvas DataBackgroundArt::PublisherLogo(const std::string& fontFolder, bool big)
{
    const float scale = big ? 3.125f : 1.0f; // the big card is 800 wide, the small one 256
    DataCanvas canvas(big ? 1024 : 256, big ? 1024 : 128, big ? ColourOf(0x101820) : Clear);
    const float top = big ? 1024.0f - 600.0f : 0.0f;
    const float width = 256.0f * scale;
    const float height = big ? 600.0f : 128.0f;
    if (big)
        canvas.FillLinearGradient(0, top, width, 1024, {0, top}, {0, 1024}, ColourOf(0x18324a), ColourOf(0x08121c));
    else
        canvas.FillRoundedBox(2, 2, 254, 126, 18.0f, ColourOf(0x18324a, 0.9f));
    const Point2 emblem{width / 2.0f, top + height * 0.38f};
    const float r = height * 0.2f;
    canvas.FillPolygon(
        {{emblem.x, emblem.y - r}, {emblem.x + r, emblem.y}, {emblem.x, emblem.y + r}, {emblem.x - r, emblem.y}},
        ColourOf(0x7fd0c8));
    canvas.FillCircle(emblem, r * 0.45f, ColourOf(0x18324a));
    const std::string serif = fontFolder + "/DejaVuSerif-Bold.ttf";
    const auto size = [&](float pixels) { return static_cast<std::uint32_t>(pixels * (big ? 2.4f : 1.0f)); };
    DataTitles::Draw(canvas, serif, u"Quenmoor", size(26), width / 2.0f,
                     top + height * 0.8f - 0.35f * static_cast<float>(size(26)), ColourOf(0xffffff));
    if (big)
        DataTitles::Draw(canvas, fontFolder + "/DejaVuSans.ttf", u"INTERACTIVE", 28, width / 2.0f,
                         top + height * 0.9f - 10.0f, ColourOf(0x7fd0c8));
    return canvas;
}

DataCanvas DataBackgroundArt::Lettering(const std::string& ttfPath, const std::u16string& text, std::uint32_t width,
                                        std::uint32_t height)
{
    DataCanvas canvas(width, height);
    const float w = static_cast<float>(width);
    const std::uint32_t size = DataTitles::FittingHeight(ttfPath, text, w * 0.92f,
                                                         static_cast<std::uint32_t>(static_cast<float>(height) * 0.7f));
    const float middle = static_cast<float>(height) * 0.5f;
    for (const Point2 edge : {Point2{-2, 0}, Point2{2, 0}, Point2{0, -2}, Point2{0, 2}})
        DataTitles::Draw(canvas, ttfPath, text, size, w / 2.0f + edge.x, middle + edge.y, ColourOf(0x2a1a08, 0.8f));
    DataTitles::Draw(canvas, ttfPath, text, size, w / 2.0f, middle, ColourOf(0xf4d27a));
    return canvas;
}

DataCanvas DataBackgroundArt::Cursor()
{
    DataCanvas canvas(64, 64);
    const std::vector<Point2> arrow = {{0, 0}, {0, 44}, {11, 34}, {19, 52}, {27, 48}, {19, 31}, {33, 31}};
    canvas.FillPolygon(arrow, ColourOf(0x2a1a08));
    canvas.FillPolygon({{3, 7}, {3, 37}, {11, 29}, {20, 47}, {23, 45}, {14, 27}, {25, 27}}, ColourOf(0xf4d27a));
    canvas.FillCircle({6, 6}, 3.0f, ColourOf(0xffffff, 0.9f));
    return canvas;
}

DataCanvas DataBackgroundArt::Sprite(const std::string& name)
{
    DataCanvas canvas(32, 32);
    if (name == "bird")
        canvas.StrokePolyline({{4, 12}, {10, 10}, {16, 18}, {22, 10}, {28, 12}}, 3.0f, ColourOf(0x2a2440));
    else if (name == "sparkle")
    {
        canvas.FillRadialGradient({16, 16}, 15.0f, ColourOf(0xfff4c0), ColourOf(0xffd070, 0.0f));
        canvas.FillPolygon({{16, 1}, {18, 14}, {31, 16}, {18, 18}, {16, 31}, {14, 18}, {1, 16}, {14, 14}},
                           ColourOf(0xffffff));
    }
    else
        throw std::invalid_argument("no sprite named " + name);
    return canvas;
}

} // namespace corvellan::content
