#include "content/DataTitles.h"

#include "content/FontRasterizer.h"
#include "engine/render/Image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

// The text's characters in an atlas of their own; a title that would lose a
// letter is refused rather than drawn with a gap.
FontRaster Raster(const std::string& ttfPath, const std::u16string& text, std::uint32_t pixelHeight)
{
    FontRasterOptions options;
    options.ttfPath = ttfPath;
    options.pixelHeight = pixelHeight;
    options.characters = text;
    FontRaster raster = FontRasterizer::Rasterize(options);
    if (!raster.missing.empty())
        throw std::runtime_error(ttfPath + ": no glyph for U+" +
                                 std::to_string(static_cast<unsigned>(raster.missing.front())));
    return raster;
}

const FontGlyphRecord& RecordOf(const FontRaster& raster, char16_t character)
{
    for (const FontGlyphRecord& record : raster.glyphs)
    {
        if (record.character == character)
            return record;
    }
    throw std::logic_error("the raster lacks a character it was asked for");
}

float LineHeight(const FontRaster& raster)
{
    return raster.glyphs.front().dv * static_cast<float>(raster.atlas->GetHeight());
}

float Width(const FontRaster& raster, const std::u16string& text)
{
    float width = 0.0f;
    for (const char16_t c : text)
        width += RecordOf(raster, c).ratio * LineHeight(raster);
    return width;
}

} // namespace

float DataTitles::Measure(const std::string& ttfPath, const std::u16string& text, std::uint32_t pixelHeight)
{
    return Width(Raster(ttfPath, text, pixelHeight), text);
}

void DataTitles::Draw(DataCanvas& canvas, const std::string& ttfPath, const std::u16string& text,
                      std::uint32_t pixelHeight, float centreX, float centreY, const Rgba& colour)
{
    const FontRaster raster = Raster(ttfPath, text, pixelHeight);
    const OrvaneEngine::Image& atlas = *raster.atlas;
    const auto atlasWidth = static_cast<float>(atlas.GetWidth());
    const auto atlasHeight = static_cast<float>(atlas.GetHeight());
    const auto lineHeight = static_cast<std::int64_t>(std::lround(LineHeight(raster)));
    const auto top = static_cast<std::int64_t>(std::lround(centreY - static_cast<float>(lineHeight) / 2.0f));
    float pen = centreX - Width(raster, text) / 2.0f;
    for (const char16_t c : text)
    {
        const FontGlyphRecord& record = RecordOf(raster, c);
        const auto cellX = static_cast<std::int64_t>(std::lround(record.u * atlasWidth));
        const auto cellWidth = static_cast<std::int64_t>(std::lround(record.du * atlasWidth));
        // Image rows count from the bottom; the cell's top row is its last.
        const auto cellTopRow = static_cast<std::int64_t>(std::lround((record.v + record.dv) * atlasHeight)) - 1;
        const auto left = static_cast<std::int64_t>(std::lround(pen));
        for (std::int64_t row = 0; row < lineHeight; ++row)
        {
            for (std::int64_t column = 0; column < cellWidth; ++column)
            {
                const std::int64_t x = left + column;
                const std::int64_t y = top + row;
                if (x < 0 || y < 0 || x >= canvas.Width() || y >= canvas.Height())
                    continue;
                const std::size_t at = static_cast<std::size_t>((cellTopRow - row) * atlas.GetWidth() + cellX + column);
                const std::uint8_t ink = atlas.GetPixels()[at * 4 + 3];
                if (ink != 0)
                    canvas.Blend(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), colour,
                                 static_cast<float>(ink) / 255.0f);
            }
        }
        pen += record.ratio * LineHeight(raster);
    }
}

std::uint32_t DataTitles::FittingHeight(const std::string& ttfPath, const std::u16string& text, float width,
                                        std::uint32_t most)
{
    std::uint32_t height = most;
    while (height > 8 && Measure(ttfPath, text, height) > width)
        --height;
    return height;
}

} // namespace corvellan::content
