#pragma once

#include "content/DataCanvas.h"

#include <cstdint>
#include <string>

namespace corvellan::content
{

// Lettering for the logos and the menu background's titles: text set with a
// TrueType face by the font rasteriser and painted onto a canvas.
class DataTitles
{
public:
    // The advance width of the text in pixels at the face's pixel height.
    // Throws std::runtime_error naming the face when it cannot be read or
    // lacks a character of the text.
    static float Measure(const std::string& ttfPath, const std::u16string& text, std::uint32_t pixelHeight);
    // Paints the text centred on (centreX, centreY), the middle of its line
    // (canvas pixels, y down).
    static void Draw(DataCanvas& canvas, const std::string& ttfPath, const std::u16string& text,
                     std::uint32_t pixelHeight, float centreX, float centreY, const Rgba& colour);
    // The largest pixel height up to `most` at which the text fits the width.
    static std::uint32_t FittingHeight(const std::string& ttfPath, const std::u16string& text, float width,
                                       std::uint32_t most);
};

} // namespace corvellan::content
