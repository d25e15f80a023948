#include "content/FontRasterizer.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/engine/gui/pixels/GuiPixelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Rgb;

namespace
{

const std::u16string kText = u"Žluťoučký Ёж";
constexpr float kHeight = 32.0f;

// A glyph's box on the screen, in pixels (columns from the left, rows from
// the top, edges between pixels), and its record.
struct GlyphBox
{
    char16_t character;
    GUIGlyph glyph;
    double left, right, top, bottom;
};

int Brightness(const Rgb& pixel)
{
    return std::max({pixel.r, pixel.g, pixel.b});
}

class DejaVuTextPixelsTest : public corvellan::test::GuiPixelFixture
{
protected:
    // The atlas alpha at texel (x, y), rows counted from the atlas's bottom;
    // 0 outside.
    int Alpha(int x, int y) const
    {
        const Image& atlas = *raster.atlas;
        if (x < 0 || y < 0 || x >= static_cast<int>(atlas.GetWidth()) || y >= static_cast<int>(atlas.GetHeight()))
            return 0;
        return atlas.GetPixels()[(static_cast<std::size_t>(y) * atlas.GetWidth() + static_cast<std::size_t>(x)) * 4 +
                                 3];
    }

    // The smallest and largest alpha of the texels that bilinear filtering
    // may mix for a pixel at texture point (u, v).
    std::pair<int, int> AlphaRange(double u, double v) const
    {
        const int x = static_cast<int>(std::floor(u * raster.atlas->GetWidth()));
        const int y = static_cast<int>(std::floor(v * raster.atlas->GetHeight()));
        int low = 255;
        int high = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
            {
                low = std::min(low, Alpha(x + dx, y + dy));
                high = std::max(high, Alpha(x + dx, y + dy));
            }
        return {low, high};
    }

    corvellan::content::FontRaster raster;
};

// The text prints with the face's own glyphs: every pixel whose texels are
// all ink is bright, every pixel whose texels are all clear is dark, each
// drawn character leaves ink in its own box and nothing lies outside them.
TEST_P(DejaVuTextPixelsTest, LatinCzechAndCyrillicInkStaysInItsGlyphBoxes)
{
    corvellan::content::FontRasterOptions options;
    options.ttfPath = CORVELLAN_DEJAVU_SANS;
    options.pixelHeight = 32;
    options.characters = kText;
    raster = corvellan::content::FontRasterizer::Rasterize(options);
    ASSERT_TRUE(raster.missing.empty());
    ASSERT_TRUE(corvellan::content::FontRasterizer::WriteFiles(raster, folder.Join("data/dejavu.tga"),
                                                                folder.Join("data/dejavu.fnt"), false));
    const ShaderDescriptor look = MakeAnimatedShaderDescriptor(1, 1, "dejavu.tga", "32bit", true);
    GUIFont* font = Gui().GetFontManager()->CreateFont(0, &look, "dejavu.fnt");
    ASSERT_NE(font, nullptr);
    font->glyphHeight = kHeight;
    GUIWindow* window =
        Gui().CreateWindow(GUIWindow::FlagShown, Vector2(100.0f, 300.0f), Vector2(600.0f, 100.0f), nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    window->AddWideText(0, 0, Vector2(0.0f, 0.0f), Color{1.0f, 1.0f, 1.0f, 1.0f}, kText);
    Frame();

    std::vector<GlyphBox> boxes;
    double pen = 100.0;
    for (const char16_t character : kText)
    {
        const auto found = font->GetGlyphs().find(character);
        ASSERT_NE(found, font->GetGlyphs().end()) << static_cast<int>(character);
        const double width = kHeight * found->second.ratio;
        boxes.push_back(GlyphBox{character, found->second, ColumnOf(pen), ColumnOf(pen + width),
                                 RowOf(300.0 + kHeight), RowOf(300.0)});
        pen += width;
    }

    std::uint32_t outside = 0;
    std::uint32_t wrong = 0;
    std::string faults;
    std::vector<std::uint32_t> ink(boxes.size(), 0);
    for (std::uint32_t row = 0; row < back.Height(); ++row)
        for (std::uint32_t column = 0; column < back.Width(); ++column)
        {
            const int brightness = Brightness(back.Pixel(column, row));
            const double x = column + 0.5;
            const double y = row + 0.5;
            bool near = false;
            for (std::size_t index = 0; index < boxes.size(); ++index)
            {
                const GlyphBox& box = boxes[index];
                near = near || (x > box.left - 1.0 && x < box.right + 1.0 && y > box.top - 1.0 && y < box.bottom + 1.0);
                if (x <= box.left || x >= box.right || y <= box.top || y >= box.bottom)
                    continue;
                const double u = box.glyph.u + (x - box.left) / (box.right - box.left) * box.glyph.du;
                const double v = box.glyph.v + (box.bottom - y) / (box.bottom - box.top) * box.glyph.dv;
                const auto [low, high] = AlphaRange(u, v);
                const bool bad = (low >= 250 && brightness < 200) || (high == 0 && brightness > 24);
                ink[index] += brightness >= 128 ? 1 : 0;
                if (bad && ++wrong <= 5)
                    faults += " (" + std::to_string(column) + ", " + std::to_string(row) + ") of '" +
                              std::to_string(static_cast<int>(box.character)) + "' is " +
                              std::to_string(brightness) + " over texels " + std::to_string(low) + ".." +
                              std::to_string(high) + ";";
            }
            if (!near && brightness > 24 && ++outside <= 5)
                faults += " ink outside every box at (" + std::to_string(column) + ", " + std::to_string(row) + ");";
        }
    EXPECT_EQ(wrong, 0u) << faults;
    EXPECT_EQ(outside, 0u) << faults;
    for (std::size_t index = 0; index < boxes.size(); ++index)
        EXPECT_TRUE(boxes[index].character == u' ' || ink[index] > 10u)
            << "character " << static_cast<int>(boxes[index].character) << ": " << ink[index] << " inked pixels";
}

INSTANTIATE_TEST_SUITE_P(Screens, DejaVuTextPixelsTest, ::testing::ValuesIn(corvellan::test::kGuiScreens),
                         corvellan::test::GuiScreenName);

} // namespace
