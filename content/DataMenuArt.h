#pragma once

#include "content/DataCanvas.h"

#include <cstdint>
#include <functional>

namespace corvellan::content
{

// The pictures of the menu frames and controls. A control with several
// looks gets them as a net: look k in column k % columns, row k / columns,
// counted from the picture's top-left corner, which is where the shader's
// net animation finds frame k.
class DataMenuArt
{
public:
    // What a look of a net is drawn into: the canvas and the cell's corners.
    using LookPainter = std::function<void(DataCanvas&, std::uint32_t look, float x0, float y0, float x1, float y1)>;

    static DataCanvas Net(std::uint32_t columns, std::uint32_t rows, std::uint32_t cellWidth,
                          std::uint32_t cellHeight, std::uint32_t looks, const LookPainter& paint);

    // A menu frame: a rounded panel with a gilded rim, darker at the foot.
    static DataCanvas Panel(std::uint32_t width, std::uint32_t height, std::uint32_t seed);
    // A sunken field behind a text or a list.
    static DataCanvas Field(std::uint32_t width, std::uint32_t height);

    // The four looks of a push button: normal, hover, pressed, disabled.
    static void ButtonLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1);
    // A button look with a symbol: 0 up, 1 right, 2 down, 3 left arrow,
    // 4 minimize bar, 5 close cross, 6 window, 7 full screen.
    static void SymbolLook(DataCanvas& canvas, std::uint32_t look, std::uint32_t symbol, float x0, float y0, float x1,
                           float y1);
    // The eight looks of a check box: unchecked normal, hover, pressed;
    // checked normal, hover, pressed; disabled unchecked, checked.
    static void CheckLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1);
    // A scroll bar's groove (three looks) and its thumb (four looks).
    static void TrackLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1);
    static void ThumbLook(DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1);

    // Stage s's totem, filled (its colours) or empty (a faint silhouette).
    static void Totem(DataCanvas& canvas, std::uint32_t stage, bool filled, float x0, float y0, float x1, float y1);

    // A soft round spark for the particle systems.
    static DataCanvas Spark(std::uint32_t size);
};

} // namespace corvellan::content
