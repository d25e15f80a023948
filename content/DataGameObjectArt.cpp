#include "content/DataGameObjectArt.h"

#include <array>
#include <cmath>

namespace corvellan::content
{

namespace
{

struct TotemPalette
{
    std::uint32_t wood;
    std::uint32_t band;
    std::uint32_t accent;
};

// One palette per stage; the map shows at most eight.
constexpr std::array<TotemPalette, 8> TotemPalettes = {{
    {0x8A5A2B, 0x3FAE4A, 0xF2D16B},
    {0x6F4A2A, 0x2E9DB0, 0xF5F0E1},
    {0x7A3E26, 0xC8423A, 0xF4C542},
    {0x5C4330, 0x7D4FC4, 0xE8C15A},
    {0x8A5A2B, 0xE07B2A, 0xFFFFFF},
    {0x6F4A2A, 0x3C7BD9, 0xF2D16B},
    {0x7A3E26, 0x4E9A5B, 0xF5F0E1},
    {0x5C4330, 0xB0396E, 0xF4C542},
}};

// Shapes in a unit square mapped onto the canvas box.
struct UnitBox
{
    float x;
    float y;
    float size;

    Point2 At(float u, float w) const { return {x + u * size, y + w * size}; }
    float Len(float d) const { return d * size; }
};

void Face(DataCanvas& canvas, const UnitBox& box, float w, const Rgba& wood, const Rgba& accent)
{
    const Rgba dark = ColourOf(0x21160D);
    canvas.FillRoundedBox(box.At(0.31f, w - 0.09f).x, box.At(0.31f, w - 0.09f).y, box.At(0.69f, w + 0.09f).x,
                          box.At(0.69f, w + 0.09f).y, box.Len(0.04f), MixColour(wood, ColourOf(0xFFFFFF), 0.12f));
    for (const float u : {0.41f, 0.59f})
    {
        canvas.FillEllipse(box.At(u, w - 0.025f), box.Len(0.05f), box.Len(0.035f), accent);
        canvas.FillCircle(box.At(u, w - 0.02f), box.Len(0.02f), dark);
    }
    canvas.FillRoundedBox(box.At(0.4f, w + 0.035f).x, box.At(0.4f, w + 0.035f).y, box.At(0.6f, w + 0.065f).x,
                          box.At(0.6f, w + 0.065f).y, box.Len(0.012f), dark);
}

DataCanvas Square(std::uint32_t size)
{
    return DataCanvas(size, size);
}

} // namespace

void DataGameObjectArt::DrawTotem(DataCanvas& canvas, float x, float y, float size, std::uint32_t stage)
{
    const TotemPalette& palette = TotemPalettes[stage % TotemPalettes.size()];
    const UnitBox box{x, y, size};
    const Rgba wood = ColourOf(palette.wood);
    const Rgba band = ColourOf(palette.band);
    const Rgba accent = ColourOf(palette.accent);
    const Rgba dark = ColourOf(0x2B1C10);
    // Wings behind the top.
    canvas.FillPolygon({box.At(0.32f, 0.2f), box.At(0.03f, 0.1f), box.At(0.1f, 0.33f), box.At(0.32f, 0.34f)}, band);
    canvas.FillPolygon({box.At(0.68f, 0.2f), box.At(0.97f, 0.1f), box.At(0.9f, 0.33f), box.At(0.68f, 0.34f)}, band);
    // Pedestal and pole.
    canvas.FillRoundedBox(box.At(0.18f, 0.88f).x, box.At(0.18f, 0.88f).y, box.At(0.82f, 1.0f).x,
                          box.At(0.82f, 1.0f).y, box.Len(0.03f), dark);
    canvas.FillRoundedBox(box.At(0.28f, 0.1f).x, box.At(0.28f, 0.1f).y, box.At(0.72f, 0.9f).x, box.At(0.72f, 0.9f).y,
                          box.Len(0.05f), wood);
    // The crest.
    canvas.FillPolygon({box.At(0.28f, 0.13f), box.At(0.5f, 0.0f), box.At(0.72f, 0.13f)}, accent);
    // Bands between the three faces.
    for (const float w : {0.355f, 0.585f, 0.815f})
        canvas.FillRoundedBox(box.At(0.26f, w - 0.02f).x, box.At(0.26f, w - 0.02f).y, box.At(0.74f, w + 0.02f).x,
                              box.At(0.74f, w + 0.02f).y, box.Len(0.015f), band);
    for (const float w : {0.24f, 0.47f, 0.7f})
        Face(canvas, box, w, wood, accent);
}

DataCanvas DataGameObjectArt::TotemTexture(std::uint32_t stage)
{
    // The picture fills the bottom-left 300 x 300 of the texture (rows from
    // the top: the last 300).
    DataCanvas canvas = Square(512);
    DrawTotem(canvas, 0.0f, 212.0f, 300.0f, stage);
    return canvas;
}

DataCanvas DataGameObjectArt::Blank()
{
    return DataCanvas(4, 4, ColourOf(0xFFFFFF));
}

DataCanvas DataGameObjectArt::Arrow()
{
    DataCanvas canvas = Square(64);
    const std::vector<Point2> arrow = {{32, 4},  {60, 32}, {43, 32}, {43, 60},
                                       {21, 60}, {21, 32}, {4, 32}};
    canvas.FillPolygon(arrow, ColourOf(0x2B1C10));
    const std::vector<Point2> inner = {{32, 11}, {51, 29}, {39, 29}, {39, 56},
                                       {25, 56}, {25, 29}, {13, 29}};
    canvas.FillPolygon(inner, ColourOf(0xF4C542));
    return canvas;
}

DataCanvas DataGameObjectArt::CellBorder()
{
    DataCanvas canvas = Square(64);
    canvas.FillRoundedBox(0.5f, 0.5f, 63.5f, 63.5f, 3.0f, ColourOf(0x6B4A1E));
    canvas.FillRoundedBox(2.0f, 2.0f, 62.0f, 62.0f, 2.0f, ColourOf(0xF4C542));
    // Clears the middle: what lies inside the ring is the cell's picture.
    canvas.Shade([](float x, float y, const Rgba& below) {
        Rgba out = below;
        if (x > 4.0f && x < 60.0f && y > 4.0f && y < 60.0f)
            out.a = 0.0f;
        return out;
    });
    return canvas;
}

DataCanvas DataGameObjectArt::HoleBack()
{
    DataCanvas canvas = Square(128);
    canvas.FillEllipse({64, 64}, 62, 52, ColourOf(0x3A2A1C));
    canvas.FillEllipse({64, 68}, 54, 44, ColourOf(0x120C08));
    canvas.FillRadialGradient({64, 74}, 40, ColourOf(0x000000, 0.9f), ColourOf(0x000000, 0.0f));
    return canvas;
}

DataCanvas DataGameObjectArt::HoleLip()
{
    DataCanvas canvas = Square(128);
    // The front half of the rim: the lower arc, in front of what sinks.
    canvas.FillEllipse({64, 64}, 62, 52, ColourOf(0x6B4A2E));
    canvas.FillEllipse({64, 60}, 55, 45, ColourOf(0x8C6A45));
    canvas.Shade([](float x, float y, const Rgba& below) {
        Rgba out = below;
        const float dx = (x - 64.0f) / 54.0f;
        const float dy = (y - 62.0f) / 44.0f;
        if (y < 64.0f || dx * dx + dy * dy < 1.0f)
            out.a = 0.0f;
        return out;
    });
    return canvas;
}

DataCanvas DataGameObjectArt::Glow()
{
    DataCanvas canvas = Square(64);
    canvas.FillRadialGradient({32, 32}, 31, ColourOf(0xFFFFFF, 1.0f), ColourOf(0xFFFFFF, 0.0f));
    return canvas;
}

DataCanvas DataGameObjectArt::Spark()
{
    DataCanvas canvas = Square(64);
    canvas.FillRadialGradient({32, 32}, 20, ColourOf(0xFFFFFF, 0.8f), ColourOf(0xFFFFFF, 0.0f));
    canvas.FillPolygon({{32, 2}, {36, 28}, {62, 32}, {36, 36}, {32, 62}, {28, 36}, {2, 32}, {28, 28}},
                       ColourOf(0xFFFFFF));
    return canvas;
}

DataCanvas DataGameObjectArt::Carriage()
{
    // 128 x 128 stretched over 44 x 40: x in quad units times 128 / 44, y
    // times 128 / 40, so that circles stay round on the screen.
    DataCanvas canvas = Square(128);
    const float sx = 128.0f / 44.0f;
    const float sy = 128.0f / 40.0f;
    auto box = [&](float x0, float y0, float x1, float y1, float r, const Rgba& colour) {
        canvas.FillRoundedBox(x0 * sx, y0 * sy, x1 * sx, y1 * sy, r * sx, colour);
    };
    const Rgba dark = ColourOf(0x2B1C10);
    box(3, 6, 41, 28, 3, dark);
    box(5, 8, 39, 26, 2, ColourOf(0x9C6B3A));
    for (const float x : {12.0f, 22.0f, 32.0f})
        box(x - 1, 9, x + 1, 25, 0.5f, ColourOf(0x6E4724));
    // The pushing plate at the front (the direction of travel varies, so both sides).
    box(0, 4, 4, 30, 1, ColourOf(0xC9A13C));
    box(40, 4, 44, 30, 1, ColourOf(0xC9A13C));
    for (const float x : {12.0f, 32.0f})
    {
        canvas.FillEllipse({x * sx, 31 * sy}, 8 * sx, 8 * sy, dark);
        canvas.FillEllipse({x * sx, 31 * sy}, 5.5f * sx, 5.5f * sy, ColourOf(0xB8B2A6));
        canvas.FillEllipse({x * sx, 31 * sy}, 2 * sx, 2 * sy, dark);
    }
    return canvas;
}

DataCanvas DataGameObjectArt::Bonus(const std::string& name)
{
    DataCanvas canvas = Square(64);
    const Rgba dark = ColourOf(0x1E1A16);
    const Rgba white = ColourOf(0xFFFFFF);
    if (name == "magnet")
    {
        canvas.FillCircle({32, 32}, 31, dark);
        canvas.FillCircle({32, 32}, 28, ColourOf(0xF3E6D0));
        canvas.StrokeBezier({18, 14}, {18, 58}, {46, 58}, {46, 14}, 10, ColourOf(0xD23A30));
        canvas.FillRoundedBox(13, 10, 23, 19, 1, ColourOf(0xC8CCD2));
        canvas.FillRoundedBox(41, 10, 51, 19, 1, ColourOf(0xC8CCD2));
    }
    else if (name == "pause")
    {
        canvas.FillCircle({32, 32}, 31, dark);
        canvas.FillCircle({32, 32}, 28, ColourOf(0x3C7BD9));
        canvas.FillRoundedBox(20, 17, 28, 47, 2, white);
        canvas.FillRoundedBox(36, 17, 44, 47, 2, white);
    }
    else if (name == "rollback")
    {
        canvas.FillCircle({32, 32}, 31, dark);
        canvas.FillCircle({32, 32}, 28, ColourOf(0x3FAE4A));
        // Anticlockwise from the top right round to the head pointing up
        // at the right: the train's way turned back.
        canvas.StrokeBezier({44, 20}, {30, 8}, {12, 20}, {18, 40}, 5, white);
        canvas.StrokeBezier({18, 40}, {24, 54}, {42, 54}, {46, 42}, 5, white);
        canvas.FillPolygon({{46, 28}, {55, 43}, {37, 43}}, white);
    }
    else
    {
        canvas.FillCircle({32, 32}, 31, dark);
        canvas.FillCircle({32, 32}, 28, ColourOf(0xF4C542));
        std::vector<Point2> star;
        for (int i = 0; i < 10; ++i)
        {
            const float angle = -1.5707963f + static_cast<float>(i) * 0.62831853f;
            const float r = i % 2 == 0 ? 21.0f : 9.0f;
            star.push_back({32.0f + r * std::cos(angle), 33.0f + r * std::sin(angle)});
        }
        canvas.FillPolygon(star, white);
    }
    return canvas;
}

} // namespace corvellan::content
