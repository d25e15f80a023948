#include "content/FontFileWriter.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/engine/gui/pixels/GuiPixelFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace OrvaneEngine;
using corvellan::test::Describe;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

constexpr Rgb kWhite{255, 255, 255};

class TextPixelsTest : public corvellan::test::GuiPixelFixture
{
protected:
    // Font 0: 'A' is a solid square on a white, opaque atlas.
    GUIFont* SquareFont(float height)
    {
        corvellan::content::FontGlyphRecord square;
        square.character = u'A';
        square.du = 1.0f;
        square.dv = 1.0f;
        square.ratio = 1.0f;
        EXPECT_TRUE(corvellan::content::FontFileWriter::WriteTo(folder.Join("data/square.fnt"), {square}));
        corvellan::content::TgaLayout layout;
        layout.depth = 32;
        std::ofstream(folder.Join("data/square.tga"), std::ios::binary)
            << corvellan::content::Tga(8, 8, layout, std::string(8 * 8 * 4, '\xFF'));
        const ShaderDescriptor look = MakeAnimatedShaderDescriptor(1, 1, "square.tga", "32bit", true);
        GUIFont* font = Gui().GetFontManager()->CreateFont(0, &look, "square.fnt");
        if (font)
            font->glyphHeight = height;
        return font;
    }
};

// Texts are printed in the GUI render, which comes before the model pass of
// the same frame; a text is shown in the frames it is queued for only.
TEST_P(TextPixelsTest, ATextQueuedBeforeTheFrameShowsInThatFrameOnly)
{
    ASSERT_NE(SquareFont(40.0f), nullptr);
    GUIWindow* window =
        Gui().CreateWindow(GUIWindow::FlagShown, Vector2(100.0f, 100.0f), Vector2(300.0f, 100.0f), nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    for (int frame = 0; frame < 2; ++frame)
    {
        window->AddWideText(0, 0, Vector2(10.0f, 10.0f), Color{1.0f, 1.0f, 1.0f, 1.0f}, u"AA");
        Frame();
        EXPECT_EQ(FillFaults(110.0, 110.0, 80.0, 40.0, kWhite), "") << "frame " << frame;
    }
    Frame();
    EXPECT_TRUE(Near(At(130.0, 130.0), kBlack)) << "not queued again: " << Describe(At(130.0, 130.0));
}

INSTANTIATE_TEST_SUITE_P(Screens, TextPixelsTest, ::testing::ValuesIn(corvellan::test::kGuiScreens),
                         corvellan::test::GuiScreenName);

} // namespace
