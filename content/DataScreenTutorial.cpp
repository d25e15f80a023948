#include "content/DataScreenTutorial.h"

#include "content/DataCanvas.h"
#include "content/DataScreenFiles.h"
#include "content/ModelMeshes.h"

#include <array>
#include <string>
#include <vector>

namespace corvellan::content
{

namespace
{

const std::string Folder = "tutorial\\";

// Where the mouse points at a frame; it holds still while a button is down
// and moves in straight lines in between.
struct MouseKey
{
    float frame;
    Point2 at;
};

constexpr Point2 Rest{470.0f, 160.0f};
constexpr Point2 Midway{460.0f, 300.0f};
// Piece k waits on the track at TrackSpot[k] and belongs at Place[k].
constexpr std::array<Point2, 4> TrackSpot{{{560.0f, 420.0f}, {560.0f, 330.0f}, {560.0f, 240.0f}, {560.0f, 150.0f}}};
constexpr std::array<Point2, 4> Place{{{250.0f, 330.0f}, {350.0f, 330.0f}, {250.0f, 230.0f}, {350.0f, 230.0f}}};
// The blocked place is piece 3's.
constexpr std::size_t Blocked = 3;

// Each press lasts from its first to its last frame; the game shows the
// pressed button over exactly these frames.
const std::vector<MouseKey>& MouseKeys()
{
    static const std::vector<MouseKey> keys = {
        {0, Rest},
        {4, TrackSpot[0]}, {6, TrackSpot[0]}, {19, Place[0]}, {21, Place[0]},
        {24, TrackSpot[1]}, {26, TrackSpot[1]}, {34, Place[1]}, {36, Place[1]},
        {39, TrackSpot[2]}, {41, TrackSpot[2]}, {52, Midway}, {54, Midway},  // the right button drops it back
        {59, TrackSpot[2]}, {61, TrackSpot[2]}, {74, Place[2]}, {76, Place[2]},
        {79, TrackSpot[3]}, {81, TrackSpot[3]}, {89, Place[3]}, {91, Place[3]},
        {95, Rest},
    };
    return keys;
}

Point2 Lerp(const Point2& a, const Point2& b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

Point2 MouseAt(float frame)
{
    const std::vector<MouseKey>& keys = MouseKeys();
    for (std::size_t i = 0; i + 1 < keys.size(); ++i)
    {
        if (frame <= keys[i + 1].frame)
            return Lerp(keys[i].at, keys[i + 1].at, (frame - keys[i].frame) / (keys[i + 1].frame - keys[i].frame));
    }
    return keys.back().at;
}

// A piece waits on the track until it is taken, rides under the mouse and
// stays where it was put. Piece 2 is dropped back first and slides home.
Point2 PieceAt(std::size_t piece, float frame)
{
    struct Carry
    {
        float taken;
        float put;
    };
    constexpr std::array<Carry, 4> carries{{{6, 19}, {26, 34}, {61, 74}, {81, 89}}};
    if (piece == 2 && frame >= 41 && frame <= 54)
        return MouseAt(frame);
    if (piece == 2 && frame > 54 && frame < 58)
        return Lerp(Midway, TrackSpot[2], (frame - 54.0f) / 4.0f);
    const Carry& carry = carries[piece];
    if (frame <= carry.taken)
        return TrackSpot[piece];
    if (frame < carry.put)
        return MouseAt(frame);
    return Place[piece];
}

DataRect Around(const Point2& centre, float size) { return DataScreenFiles::Around(centre, size, size); }

// The demo's picture: a sun over hills, cut into four.
void PaintPicture(DataCanvas& canvas, float x0, float y0, float size, float alpha)
{
    const float s = size / 256.0f;
    canvas.FillLinearGradient(x0, y0, x0 + size, y0 + size, {x0, y0}, {x0, y0 + size},
                              ColourOf(0x6FB7E8, alpha), ColourOf(0xF4D9A0, alpha));
    canvas.FillCircle({x0 + 170.0f * s, y0 + 80.0f * s}, 38.0f * s, ColourOf(0xFFC94A, alpha));
    canvas.FillPolygon({{x0, y0 + 170 * s}, {x0 + 90 * s, y0 + 120 * s}, {x0 + 190 * s, y0 + 175 * s},
                        {x0 + size, y0 + 140 * s}, {x0 + size, y0 + size}, {x0, y0 + size}},
                       ColourOf(0x4E8F3A, alpha));
    canvas.FillPolygon({{x0, y0 + 215 * s}, {x0 + 120 * s, y0 + 185 * s}, {x0 + size, y0 + 220 * s},
                        {x0 + size, y0 + size}, {x0, y0 + size}},
                       ColourOf(0x2F6B2A, alpha));
}

DataCanvas Pieces()
{
    DataCanvas canvas(256, 256);
    PaintPicture(canvas, 0.0f, 0.0f, 256.0f, 1.0f);
    // A rim on each quarter, so that a piece reads as a piece.
    for (float y : {0.0f, 128.0f})
        for (float x : {0.0f, 128.0f})
        {
            canvas.FillPolygon({{x, y}, {x + 128, y}, {x + 128, y + 4}, {x + 4, y + 4}, {x + 4, y + 128}, {x, y + 128}},
                               ColourOf(0xFFFFFF, 0.55f));
            canvas.FillPolygon({{x + 128, y}, {x + 128, y + 128}, {x, y + 128}, {x, y + 124}, {x + 124, y + 124},
                                {x + 124, y}},
                               ColourOf(0x000000, 0.45f));
        }
    return canvas;
}

// The background covers (80, 100)-(720, 470).
constexpr DataRect BackgroundRect{80.0f, 100.0f, 720.0f, 470.0f};

DataCanvas Background()
{
    DataCanvas canvas(512, 256);
    const float sx = 512.0f / BackgroundRect.Width();
    const float sy = 256.0f / (BackgroundRect.top - BackgroundRect.bottom);
    const auto at = [&](float x, float y) {
        return Point2{(x - BackgroundRect.left) * sx, (BackgroundRect.top - y) * sy};
    };
    canvas.FillRoundedBox(0.0f, 0.0f, 512.0f, 256.0f, 14.0f, ColourOf(0x2B2A33, 0.85f));
    canvas.Shade([](float x, float y, const Rgba& below) {
        const float k = 0.8f + 0.4f * DataCanvas::Fractal(x / 20.0f, y / 20.0f, 1302);
        return Rgba{below.r * k, below.g * k, below.b * k, below.a};
    });
    // The board, its faint picture and its four places.
    const Point2 b0 = at(DataScreenTutorial::Board.left, DataScreenTutorial::Board.top);
    const Point2 b1 = at(DataScreenTutorial::Board.right, DataScreenTutorial::Board.bottom);
    canvas.FillRoundedBox(b0.x - 6, b0.y - 6, b1.x + 6, b1.y + 6, 6.0f, ColourOf(0x7A5A38));
    canvas.FillLinearGradient(b0.x, b0.y, b1.x, b1.y, {b0.x, b0.y}, {b0.x, b1.y}, ColourOf(0x3A3A44),
                              ColourOf(0x2A2A30));
    // A ghost of the picture shows where each piece belongs.
    DataCanvas ghost(256, 256);
    PaintPicture(ghost, 0.0f, 0.0f, 256.0f, 0.3f);
    DataCanvas board(static_cast<std::uint32_t>(b1.x - b0.x), static_cast<std::uint32_t>(b1.y - b0.y));
    board.Shade([&](float x, float y, const Rgba&) {
        return ghost.Pixel(static_cast<std::uint32_t>(x * 256.0f / static_cast<float>(board.Width())),
                           static_cast<std::uint32_t>(y * 256.0f / static_cast<float>(board.Height())));
    });
    canvas.Draw(board, static_cast<std::int32_t>(b0.x), static_cast<std::int32_t>(b0.y));
    canvas.FillPolygon({{b0.x, (b0.y + b1.y) * 0.5f - 1}, {b1.x, (b0.y + b1.y) * 0.5f - 1},
                        {b1.x, (b0.y + b1.y) * 0.5f + 1}, {b0.x, (b0.y + b1.y) * 0.5f + 1}},
                       ColourOf(0x000000, 0.4f));
    canvas.FillPolygon({{(b0.x + b1.x) * 0.5f - 1, b0.y}, {(b0.x + b1.x) * 0.5f + 1, b0.y},
                        {(b0.x + b1.x) * 0.5f + 1, b1.y}, {(b0.x + b1.x) * 0.5f - 1, b1.y}},
                       ColourOf(0x000000, 0.4f));
    // The track the pieces wait on, and its pit.
    const Point2 t0 = at(TrackSpot[0].x, BackgroundRect.top);
    const Point2 t1 = at(TrackSpot[3].x, TrackSpot[3].y - 30.0f);
    canvas.StrokePolyline({t0, t1}, 96.0f * sx, ColourOf(0x14110F, 0.9f));
    canvas.StrokePolyline({t0, t1}, 84.0f * sx, ColourOf(0x4A3F35));
    canvas.FillEllipse(at(TrackSpot[3].x, TrackSpot[3].y - 34.0f), 44.0f * sx, 6.0f * sy, ColourOf(0x050403));
    // Arrows along the track: the pieces come down it.
    for (float y : {465.0f, 375.0f, 285.0f, 195.0f})
    {
        const Point2 tip = at(620.0f, y - 40.0f);
        canvas.FillPolygon({at(612.0f, y), at(628.0f, y), tip}, ColourOf(0xE8D8A8, 0.6f));
    }
    return canvas;
}

} // namespace

DataCanvas DataScreenTutorial::ClosedElement()
{
    DataCanvas canvas(128, 128);
    canvas.FillRoundedBox(4.0f, 4.0f, 124.0f, 124.0f, 10.0f, ColourOf(0x55504A));
    canvas.Shade([](float x, float y, const Rgba& below) {
        const float grain = DataCanvas::Fractal(x / 14.0f, y / 14.0f, 1301);
        return Rgba{below.r * (0.75f + 0.4f * grain), below.g * (0.75f + 0.4f * grain),
                    below.b * (0.75f + 0.4f * grain), below.a};
    });
    // A padlock.
    canvas.StrokeCircle({64.0f, 54.0f}, 18.0f, 7.0f, ColourOf(0xC9C2B0));
    canvas.FillRoundedBox(38.0f, 54.0f, 90.0f, 96.0f, 6.0f, ColourOf(0xD8A838));
    canvas.FillCircle({64.0f, 70.0f}, 6.0f, ColourOf(0x3A2A10));
    canvas.FillPolygon({{61.0f, 72.0f}, {67.0f, 72.0f}, {68.0f, 86.0f}, {60.0f, 86.0f}}, ColourOf(0x3A2A10));
    return canvas;
}

namespace
{

// Three looks side by side: no button, the right one, the left one pressed.
DataCanvas MouseLooks()
{
    DataCanvas canvas(256, 128);
    for (int look = 0; look < 3; ++look)
    {
        const float x = 80.0f * static_cast<float>(look);
        // The pointer's tip is the picture's top-left corner.
        canvas.FillPolygon({{x + 1, 1}, {x + 1, 46}, {x + 12, 36}, {x + 20, 54}, {x + 27, 51}, {x + 19, 33},
                            {x + 33, 33}},
                           ColourOf(0x101010));
        canvas.FillPolygon({{x + 4, 8}, {x + 4, 39}, {x + 12, 31}, {x + 21, 48}, {x + 23, 47}, {x + 15, 29},
                            {x + 25, 29}},
                           ColourOf(0xFFFFFF));
        // The mouse itself, below and right of the pointer.
        canvas.FillRoundedBox(x + 30, 50, x + 78, 110, 20.0f, ColourOf(0xE6E6E6));
        canvas.StrokePolyline({{x + 54, 50}, {x + 54, 76}}, 2.0f, ColourOf(0x707070));
        canvas.StrokePolyline({{x + 30, 76}, {x + 78, 76}}, 2.0f, ColourOf(0x707070));
        if (look == 1)
            canvas.FillRoundedBox(x + 56, 52, x + 76, 74, 8.0f, ColourOf(0xE84A3A));
        if (look == 2)
            canvas.FillRoundedBox(x + 32, 52, x + 52, 74, 8.0f, ColourOf(0xE84A3A));
    }
    return canvas;
}

} // namespace

void DataScreenTutorial::Stage(DataStaging& staging)
{
    DataScreenFiles::StagePicture(staging, Folder + "background.mlf", BackgroundRect, Background(), true);
    DataScreenFiles::StagePicture(staging, Folder + "closed_element.mlf", Around(Place[Blocked], 100.0f),
                                  ClosedElement(), true);

    const DataCanvas pieces = Pieces();
    DataScreenFiles::StageTexture(staging, Folder + "pieces", pieces, false);
    for (std::size_t piece = 0; piece < 4; ++piece)
    {
        const float x = piece % 2 == 0 ? 0.0f : 128.0f;
        const float y = piece < 2 ? 0.0f : 128.0f;
        const DataRect uv = DataScreenFiles::UvOf(pieces, x, y, x + 128.0f, y + 128.0f);
        std::vector<ModelFileRecord> frames;
        for (std::uint32_t f = 0; f < Frames; ++f)
            frames.push_back(DataScreenFiles::Quads({{Around(PieceAt(piece, static_cast<float>(f)), PieceSize), uv}}));
        DataScreenFiles::StageModel(staging, Folder + "element_" + std::to_string(piece) + ".mlf",
                                    MakeMorphModel(frames, Speed), "pieces");
    }

    // The path is never drawn: its box's lower-left corner is where the
    // mouse picture stands, so the pointer's tip (the picture's top-left)
    // is on the point.
    std::vector<ModelFileRecord> path;
    for (std::uint32_t f = 0; f < Frames; ++f)
    {
        const Point2 point = MouseAt(static_cast<float>(f));
        path.push_back(DataScreenFiles::Quads({{{point.x, point.y - MouseHeight, point.x + 4.0f, point.y - MouseHeight + 4.0f}}}));
    }
    DataScreenFiles::StageModel(staging, Folder + "mouse.mlf", MakeMorphModel(path, Speed));

    const DataCanvas looks = MouseLooks();
    DataScreenFiles::StageTexture(staging, Folder + "mouse_control", looks, true);
    std::vector<ModelFileRecord> control;
    for (int look = 0; look < 3; ++look)
    {
        const float x = 80.0f * static_cast<float>(look);
        control.push_back(DataScreenFiles::Quads(
            {{{0.0f, 0.0f, MouseWidth, MouseHeight}, DataScreenFiles::UvOf(looks, x, 0.0f, x + 80.0f, 112.0f)}}));
    }
    DataScreenFiles::StageModel(staging, Folder + "mouse_control.mlf", MakeMorphModel(control, 0.0f),
                                "mouse_control", true);
}

} // namespace corvellan::content
