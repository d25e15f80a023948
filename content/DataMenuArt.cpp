#include "content/DataMenuArt.h"

#include "content/DataGameObjectArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvellan::content
{

namespace
{

const Rgba Gold = ColourOf(0xE8C26A);
const Rgba DeepGold = ColourOf(0x9A6B22);
const Rgba Night = ColourOf(0x1B2748);
const Rgba Dusk = ColourOf(0x34507E);
const Rgba Ink = ColourOf(0x0C1226);
const Rgba Ivory = ColourOf(0xF6EFD8);

// How each look of a push button differs from the normal one.
struct LookTone
{
    float light;   // brightened
    float shade;   // mixed towards ink
    float grey;    // mixed towards grey
    float alpha;
    float sink;    // pixels the face moves down when pressed
};

LookTone ToneOf(std::uint32_t look)
{
    switch (look)
    {
    case 1: return {0.25f, 0.0f, 0.0f, 1.0f, 0.0f};
    case 2: return {0.0f, 0.3f, 0.0f, 1.0f, 1.5f};
    case 3: return {0.0f, 0.0f, 0.75f, 0.6f, 0.0f};
    default: return {0.0f, 0.0f, 0.0f, 1.0f, 0.0f};
    }
}

Rgba Toned(const Rgba& colour, const LookTone& tone)
{
    // Lit: the same hue, brighter.
    const float gain = 1.0f + 2.4f * tone.light;
    Rgba result{std::min(1.0f, colour.r * gain), std::min(1.0f, colour.g * gain), std::min(1.0f, colour.b * gain),
                colour.a};
    result = MixColour(result, Ink, tone.shade);
    const float grey = (result.r + result.g + result.b) / 3.0f;
    result = MixColour(result, Rgba{grey, grey, grey, result.a}, tone.grey);
    result.a *= tone.alpha;
    return result;
}

// A rounded face with a rim, a vertical gradient and a highlight.
void Face(DataCanvas& canvas, float x0, float y0, float x1, float y1, float radius, const LookTone& tone)
{
    const float inset = 1.0f;
    canvas.FillRoundedBox(x0 + inset, y0 + inset + tone.sink, x1 - inset, y1 - inset + tone.sink, radius,
                          Toned(DeepGold, tone));
    const float rim = std::max(1.5f, (y1 - y0) * 0.07f);
    const float fx0 = x0 + inset + rim;
    const float fy0 = y0 + inset + rim + tone.sink;
    const float fx1 = x1 - inset - rim;
    const float fy1 = y1 - inset - rim + tone.sink;
    canvas.FillRoundedBox(fx0, fy0, fx1, fy1, std::max(0.0f, radius - rim), Toned(Night, tone));
    // A sheen over the upper half, kept inside the rounded corners.
    const float sheen = std::max(0.0f, radius - rim - 1.5f);
    canvas.FillRoundedBox(fx0 + 1.5f, fy0 + 1.5f, fx1 - 1.5f, (fy0 + fy1) * 0.5f, sheen,
                          Toned(ColourOf(0x6F8FC4, 0.35f), tone));
}

std::vector<Point2> Arrow(float cx, float cy, float size, std::uint32_t direction)
{
    // Pointing up, then turned a quarter at a time clockwise (y is down).
    std::vector<Point2> points = {{0.0f, -0.5f}, {0.45f, 0.3f}, {-0.45f, 0.3f}};
    for (Point2& point : points)
    {
        for (std::uint32_t turn = 0; turn < direction; ++turn)
            point = Point2{-point.y, point.x};
        point = Point2{cx + point.x * size, cy + point.y * size};
    }
    return points;
}

} // namespace

DataCanvas DataMenuArt::Net(std::uint32_t columns, std::uint32_t rows, std::uint32_t cellWidth,
                            std::uint32_t cellHeight, std::uint32_t looks, const LookPainter& paint)
{
    DataCanvas canvas(columns * cellWidth, rows * cellHeight);
    for (std::uint32_t look = 0; look < looks; ++look)
    {
        const float x0 = static_cast<float>((look % columns) * cellWidth);
        const float y0 = static_cast<float>((look / columns) * cellHeight);
        paint(canvas, look, x0, y0, x0 + static_cast<float>(cellWidth), y0 + static_cast<float>(cellHeight));
    }
    return canvas;
}

DataCanvas DataMenuArt::Panel(std::uint32_t width, std::uint32_t height, std::uint32_t seed)
{
    DataCanvas canvas(width, height);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    // Thin enough that the stretched picture keeps the buttons along the
    // frame's foot clear of its rim and corners.
    const float radius = std::min(w, h) * 0.05f;
    canvas.FillRoundedBox(0.5f, 0.5f, w - 0.5f, h - 0.5f, radius, DeepGold);
    canvas.FillRoundedBox(1.5f, 1.5f, w - 1.5f, h - 1.5f, radius - 1.0f, Gold);
    const float rim = 3.5f;
    canvas.FillRoundedBox(rim, rim, w - rim, h - rim, radius - rim, Night);
    // Cloudy depth inside the rim, darker towards the foot.
    canvas.Shade([&](float x, float y, const Rgba& below) {
        if (x < rim + 1.0f || y < rim + 1.0f || x > w - rim - 1.0f || y > h - rim - 1.0f || below.a < 0.99f)
            return below;
        const float cloud = DataCanvas::Fractal(x / (w * 0.15f), y / (h * 0.15f), seed);
        Rgba colour = MixColour(Dusk, Night, y / h);
        colour = MixColour(colour, Ink, 0.35f * (1.0f - cloud));
        colour.a = 0.93f;
        return colour;
    });
    canvas.StrokePolyline({{radius, rim + 3.0f}, {w - radius, rim + 3.0f}}, 1.0f, ColourOf(0xE8C26A, 0.5f));
    for (const float x : {w * 0.5f - 10.0f, w * 0.5f, w * 0.5f + 10.0f})
        canvas.FillCircle(Point2{x, rim + 3.0f}, 2.0f, Gold);
    return canvas;
}

DataCanvas DataMenuArt::Field(std::uint32_t width, std::uint32_t height)
{
    DataCanvas canvas(width, height);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float radius = std::min(w, h) * 0.15f;
    canvas.FillRoundedBox(1.0f, 1.0f, w - 1.0f, h - 1.0f, radius, ColourOf(0x9A6B22, 0.9f));
    canvas.FillRoundedBox(3.0f, 3.0f, w - 3.0f, h - 3.0f, radius - 2.0f, ColourOf(0x0C1226, 0.85f));
    // A shadow under the upper lip.
    const float lip = std::min(h * 0.35f, 12.0f);
    canvas.FillRoundedBox(3.0f + radius * 0.5f, 3.0f, w - 3.0f - radius * 0.5f, lip,
                          std::min(std::max(0.0f, radius - 2.0f), (lip - 3.0f) * 0.5f), ColourOf(0x000000, 0.35f));
    return canvas;
}

void DataMenuArt::ButtonLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1)
{
    Face(canvas, x0, y0, x1, y1, (y1 - y0) * 0.4f, ToneOf(look));
}

void DataMenuArt::SymbolLook(DataCanvas& canvas, std::uint32_t look, std::uint32_t symbol, float x0, float y0,
                             float x1, float y1)
{
    const LookTone tone = ToneOf(look);
    Face(canvas, x0, y0, x1, y1, (y1 - y0) * 0.25f, tone);
    const float cx = (x0 + x1) * 0.5f;
    const float cy = (y0 + y1) * 0.5f + tone.sink;
    const float size = std::min(x1 - x0, y1 - y0) * 0.5f;
    const float line = std::max(1.5f, size * 0.16f);
    const Rgba mark = Toned(Gold, tone);
    switch (symbol)
    {
    case 0:
    case 1:
    case 2:
    case 3: canvas.FillPolygon(Arrow(cx, cy, size, symbol), mark); break;
    case 4: canvas.StrokePolyline({{cx - size * 0.45f, cy + size * 0.3f}, {cx + size * 0.45f, cy + size * 0.3f}}, line,
                                  mark);
        break;
    case 5:
        canvas.StrokePolyline({{cx - size * 0.4f, cy - size * 0.4f}, {cx + size * 0.4f, cy + size * 0.4f}}, line, mark);
        canvas.StrokePolyline({{cx + size * 0.4f, cy - size * 0.4f}, {cx - size * 0.4f, cy + size * 0.4f}}, line, mark);
        break;
    case 6:
        canvas.StrokePolyline({{cx - size * 0.45f, cy - size * 0.35f},
                               {cx + size * 0.45f, cy - size * 0.35f},
                               {cx + size * 0.45f, cy + size * 0.4f},
                               {cx - size * 0.45f, cy + size * 0.4f},
                               {cx - size * 0.45f, cy - size * 0.35f}},
                              line * 0.7f, mark);
        canvas.StrokePolyline({{cx - size * 0.45f, cy - size * 0.2f}, {cx + size * 0.45f, cy - size * 0.2f}},
                              line * 0.9f, mark);
        break;
    default:
        for (std::uint32_t corner = 0; corner < 4; ++corner)
        {
            const float sx = (corner & 1) != 0 ? 1.0f : -1.0f;
            const float sy = (corner & 2) != 0 ? 1.0f : -1.0f;
            const Point2 tip{cx + sx * size * 0.45f, cy + sy * size * 0.45f};
            canvas.StrokePolyline({{tip.x - sx * size * 0.35f, tip.y}, tip, {tip.x, tip.y - sy * size * 0.35f}},
                                  line * 0.8f, mark);
        }
        break;
    }
}

void DataMenuArt::CheckLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1)
{
    const bool checked = look == 7 || (look >= 3 && look <= 5);
    const std::uint32_t state = look >= 6 ? 3 : look % 3;
    const LookTone tone = ToneOf(state);
    Face(canvas, x0, y0, x1, y1, (y1 - y0) * 0.2f, tone);
    if (!checked)
        return;
    const float w = x1 - x0;
    const float h = y1 - y0;
    canvas.StrokePolyline({{x0 + w * 0.25f, y0 + h * 0.52f + tone.sink},
                           {x0 + w * 0.43f, y0 + h * 0.72f + tone.sink},
                           {x0 + w * 0.77f, y0 + h * 0.28f + tone.sink}},
                          std::max(2.0f, w * 0.12f), Toned(Ivory, tone));
}

void DataMenuArt::TrackLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1)
{
    const LookTone tone = ToneOf(look == 2 ? 3 : look);
    // The groove runs along the cell's long side.
    const bool across = (x1 - x0) >= (y1 - y0);
    const float thick = across ? y1 - y0 : x1 - x0;
    const float gx = across ? 1.0f : thick * 0.3f;
    const float gy = across ? thick * 0.3f : 1.0f;
    canvas.FillRoundedBox(x0 + gx, y0 + gy, x1 - gx, y1 - gy, thick * 0.2f, Toned(DeepGold, tone));
    canvas.FillRoundedBox(x0 + gx + 1.5f, y0 + gy + 1.5f, x1 - gx - 1.5f, y1 - gy - 1.5f, thick * 0.15f,
                          Toned(Ink, tone));
}

void DataMenuArt::ThumbLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1)
{
    const LookTone tone = ToneOf(look);
    const Point2 centre{(x0 + x1) * 0.5f, (y0 + y1) * 0.5f + tone.sink};
    const float radius = std::min(x1 - x0, y1 - y0) * 0.45f;
    canvas.FillCircle(centre, radius, Toned(DeepGold, tone));
    canvas.FillCircle(centre, radius * 0.8f, Toned(Gold, tone));
    canvas.FillCircle(Point2{centre.x - radius * 0.25f, centre.y - radius * 0.25f}, radius * 0.3f,
                      Toned(ColourOf(0xFFFFFF, 0.5f), tone));
}

void DataMenuArt::Totem(DataCanvas& canvas, std::uint32_t stage, bool filled, float x0, float y0, float x1, float y1)
{
    // The same totem the mini game's picture shows, so that the picture
    // flying onto it lands on its likeness.
    const float size = std::min(x1 - x0, y1 - y0);
    if (filled)
    {
        DataGameObjectArt::DrawTotem(canvas, x0, y0, size, stage);
        return;
    }
    // Its empty place: the silhouette, dark and faint.
    const auto side = static_cast<std::uint32_t>(std::ceil(size));
    DataCanvas shape(side, side);
    DataGameObjectArt::DrawTotem(shape, 0.0f, 0.0f, size, stage);
    shape.Shade([](float, float, const Rgba& below) {
        Rgba shadow = Ink;
        shadow.a = below.a * 0.45f;
        return shadow;
    });
    canvas.Draw(shape, static_cast<std::int32_t>(std::lround(x0)), static_cast<std::int32_t>(std::lround(y0)));
}

DataCanvas DataMenuArt::Spark(std::uint32_t size)
{
    DataCanvas canvas(size, size);
    const float half = static_cast<float>(size) * 0.5f;
    canvas.FillRadialGradient(Point2{half, half}, half, ColourOf(0xFFF6D8, 1.0f), ColourOf(0xE8C26A, 0.0f));
    return canvas;
}

} // namespace corvellan::content
