#include "content/FontRasterizer.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using corvellan::content::FontGlyphRecord;
using corvellan::content::FontRaster;
using corvellan::content::FontRasterizer;
using corvellan::content::FontRasterOptions;
using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

bool IsPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

FontRasterOptions Options(std::u16string characters, std::uint32_t pixelHeight = 32)
{
    FontRasterOptions options;
    options.ttfPath = CORVELLAN_DEJAVU_SANS;
    options.pixelHeight = pixelHeight;
    options.characters = std::move(characters);
    return options;
}

// A glyph's cell in whole atlas pixels, rows counted from the bottom.
struct CellBox
{
    std::int64_t left, bottom, width, height;
};

CellBox Box(const FontGlyphRecord& glyph, const OrvaneEngine::Image& atlas)
{
    const double w = atlas.GetWidth();
    const double h = atlas.GetHeight();
    return {std::llround(glyph.u * w), std::llround(glyph.v * h), std::llround(glyph.du * w),
            std::llround(glyph.dv * h)};
}

std::uint8_t Alpha(const OrvaneEngine::Image& atlas, std::int64_t x, std::int64_t row)
{
    return atlas.GetPixels()[(static_cast<std::size_t>(row) * atlas.GetWidth() + static_cast<std::size_t>(x)) * 4 + 3];
}

std::uint32_t InkInside(const OrvaneEngine::Image& atlas, const CellBox& box)
{
    std::uint32_t ink = 0;
    for (std::int64_t row = box.bottom; row < box.bottom + box.height; ++row)
        for (std::int64_t x = box.left; x < box.left + box.width; ++x)
            ink += Alpha(atlas, x, row) != 0 ? 1 : 0;
    return ink;
}

std::map<char16_t, FontGlyphRecord> ByCharacter(const std::vector<FontGlyphRecord>& glyphs)
{
    std::map<char16_t, FontGlyphRecord> map;
    for (const FontGlyphRecord& glyph : glyphs)
        map.emplace(glyph.character, glyph);
    return map;
}

// The atlas as the engine reads it back from the TGA bytes.
bool LoadAtlas(const std::string& bytes, OrvaneEngine::Image& image)
{
    TempFolder folder;
    if (!WriteFileBytes(folder.Join("atlas.tga"), bytes))
        return false;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), ""};
    return image.LoadTGA(&log, &files, "atlas.tga");
}

TEST(FontRasterizerTest, TheLanguagesSetIsWholeAndLaidOutInPaddedCells)
{
    const std::u16string set = *FontRasterizer::NamedCharacterSet("languages");
    // Spot checks that the set spans the seven languages' alphabets.
    for (const char16_t c : std::u16string(u"AzÄßçœÑ¿ÒřůŽЁёЯя«„…"))
        EXPECT_NE(set.find(c), std::u16string::npos) << static_cast<unsigned>(c);

    const FontRaster raster = FontRasterizer::Rasterize(Options(set));
    const OrvaneEngine::Image& atlas = *raster.atlas;
    EXPECT_TRUE(raster.missing.empty());
    std::u16string wanted = set;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    std::u16string drawn;
    for (const FontGlyphRecord& glyph : raster.glyphs)
        drawn.push_back(glyph.character);
    EXPECT_EQ(drawn, wanted);

    EXPECT_TRUE(IsPowerOfTwo(atlas.GetWidth())) << atlas.GetWidth();
    EXPECT_TRUE(IsPowerOfTwo(atlas.GetHeight())) << atlas.GetHeight();
    EXPECT_EQ(atlas.GetBitsPerPixel(), 32u);

    const auto glyphs = ByCharacter(raster.glyphs);
    EXPECT_GT(glyphs.at(u'W').ratio, glyphs.at(u'I').ratio);
    EXPECT_GT(glyphs.at(u'Ж').ratio, glyphs.at(u'l').ratio);

    // Every pixel outside the cells, the padding included, is transparent;
    // every cell lies inside the atlas with its 2-pixel border, and each
    // letter leaves ink in its own cell.
    std::vector<bool> inCell(std::size_t{atlas.GetWidth()} * atlas.GetHeight(), false);
    for (const FontGlyphRecord& glyph : raster.glyphs)
    {
        const CellBox box = Box(glyph, atlas);
        ASSERT_GE(box.left, 2);
        ASSERT_GE(box.bottom, 2);
        ASSERT_LE(box.left + box.width + 2, std::int64_t{atlas.GetWidth()});
        ASSERT_LE(box.bottom + box.height + 2, std::int64_t{atlas.GetHeight()});
        EXPECT_FLOAT_EQ(glyph.ratio, static_cast<float>(box.width) / static_cast<float>(box.height));
        for (std::int64_t row = box.bottom; row < box.bottom + box.height; ++row)
            for (std::int64_t x = box.left; x < box.left + box.width; ++x)
                inCell[static_cast<std::size_t>(row * atlas.GetWidth() + x)] = true;
        if (glyph.character != u' ')
        {
            EXPECT_GT(InkInside(atlas, box), 0u) << static_cast<unsigned>(glyph.character);
        }
    }
    std::uint32_t outsideInk = 0;
    for (std::int64_t row = 0; row < atlas.GetHeight(); ++row)
        for (std::int64_t x = 0; x < atlas.GetWidth(); ++x)
            if (!inCell[static_cast<std::size_t>(row * atlas.GetWidth() + x)] && Alpha(atlas, x, row) != 0)
                ++outsideInk;
    EXPECT_EQ(outsideInk, 0u);

    // The cells share one height, the face's line; v counts from the bottom
    // row, so the glyph's top is at v + dv.
    const CellBox w = Box(glyphs.at(u'W'), atlas);
    EXPECT_EQ(w.height, Box(glyphs.at(u'ž'), atlas).height);
    EXPECT_GT(w.height, 32);
    std::int64_t inkTop = -1;
    std::int64_t inkBottom = -1;
    for (std::int64_t row = w.bottom; row < w.bottom + w.height; ++row)
        for (std::int64_t x = w.left; x < w.left + w.width; ++x)
            if (Alpha(atlas, x, row) > 128)
            {
                inkTop = std::max(inkTop, row);
                inkBottom = inkBottom < 0 ? row : std::min(inkBottom, row);
            }
    // A capital stands on the baseline, above the descender's room at the
    // cell's bottom, and below the ascender's room at its top.
    EXPECT_GT(inkBottom, w.bottom + 3);
    EXPECT_LT(inkTop, w.bottom + w.height - 3);
}

TEST(FontRasterizerTest, TheSpaceRecordFollowsItsOption)
{
    FontRasterOptions options = Options(u"A B");
    const FontRaster with = FontRasterizer::Rasterize(options);
    const auto glyphs = ByCharacter(with.glyphs);
    ASSERT_EQ(glyphs.count(u' '), 1u);
    EXPECT_GT(glyphs.at(u' ').ratio, 0.1f);
    EXPECT_EQ(InkInside(*with.atlas, Box(glyphs.at(u' '), *with.atlas)), 0u);

    options.spaceRecord = false;
    const FontRaster without = FontRasterizer::Rasterize(options);
    EXPECT_EQ(ByCharacter(without.glyphs).count(u' '), 0u);
    EXPECT_EQ(without.glyphs.size(), 2u);
}

TEST(FontRasterizerTest, TheAtlasIsTheSmallestThatFitsOrTheSizeAsked)
{
    FontRasterOptions options = Options(*FontRasterizer::NamedCharacterSet("ascii"), 24);
    const FontRaster automatic = FontRasterizer::Rasterize(options);
    const std::uint32_t width = automatic.atlas->GetWidth();
    const std::uint32_t height = automatic.atlas->GetHeight();
    // The size before in the sequence (square, then twice as wide) is too small.
    options.atlasWidth = width == height ? width : width / 2;
    options.atlasHeight = width == height ? height / 2 : height;
    EXPECT_THROW(FontRasterizer::Rasterize(options), std::runtime_error) << width << "x" << height;

    options.atlasWidth = 1024;
    options.atlasHeight = 512;
    const FontRaster asked = FontRasterizer::Rasterize(options);
    EXPECT_EQ(asked.atlas->GetWidth(), 1024u);
    EXPECT_EQ(asked.atlas->GetHeight(), 512u);
    // The same cells, measured in the larger atlas's units.
    const auto small = ByCharacter(automatic.glyphs);
    for (const FontGlyphRecord& glyph : asked.glyphs)
        EXPECT_FLOAT_EQ(glyph.ratio, small.at(glyph.character).ratio);
}

TEST(FontRasterizerTest, RunLengthAtlasReadsBackEqualToThePlainOne)
{
    const FontRaster raster = FontRasterizer::Rasterize(Options(u"WIŽя .,"));
    const std::string plain = FontRasterizer::AtlasTga(*raster.atlas, false);
    const std::string packed = FontRasterizer::AtlasTga(*raster.atlas, true);
    EXPECT_LT(packed.size(), plain.size());
    OrvaneEngine::Image fromPlain;
    OrvaneEngine::Image fromPacked;
    ASSERT_TRUE(LoadAtlas(plain, fromPlain));
    ASSERT_TRUE(LoadAtlas(packed, fromPacked));
    ASSERT_EQ(fromPlain.GetWidth(), raster.atlas->GetWidth());
    ASSERT_EQ(fromPlain.GetHeight(), raster.atlas->GetHeight());
    ASSERT_EQ(fromPacked.GetWidth(), fromPlain.GetWidth());
    ASSERT_EQ(fromPacked.GetHeight(), fromPlain.GetHeight());
    ASSERT_EQ(fromPacked.GetBitsPerPixel(), 32u);
    ASSERT_EQ(fromPlain.GetBitsPerPixel(), 32u);
    const std::size_t bytes = std::size_t{fromPlain.GetWidth()} * fromPlain.GetHeight() * 4;
    EXPECT_EQ(std::memcmp(fromPlain.GetPixels(), raster.atlas->GetPixels(), bytes), 0);
    EXPECT_EQ(std::memcmp(fromPacked.GetPixels(), fromPlain.GetPixels(), bytes), 0);
}

TEST(FontRasterizerTest, BadInputIsRefusedWithItsReason)
{
    const struct
    {
        const char* what;
        FontRasterOptions options;
        const char* reason;
    } cases[] = {
        {"missing face", [] { auto o = Options(u"A"); o.ttfPath = "/nonexistent/face.ttf"; return o; }(),
         "cannot read a font face"},
        {"not a face", [] { auto o = Options(u"A"); o.ttfPath = "/dev/null"; return o; }(), "cannot read a font face"},
        {"height 0", Options(u"A", 0), "pixel height"},
        {"height too large", Options(u"A", 5000), "pixel height"},
        {"no characters", Options(u""), "no character"},
        {"atlas not a power of two", [] { auto o = Options(u"A"); o.atlasWidth = 1000; o.atlasHeight = 512; return o; }(),
         "powers of two"},
        {"set does not fit", [] { auto o = Options(u"ABCDEFGH"); o.atlasWidth = 32; o.atlasHeight = 32; return o; }(),
         "do not fit"},
    };
    for (const auto& c : cases)
    {
        try
        {
            FontRasterizer::Rasterize(c.options);
            ADD_FAILURE() << c.what << ": nothing thrown";
        }
        catch (const std::runtime_error& error)
        {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << c.what << ": " << error.what();
        }
    }
    EXPECT_FALSE(FontRasterizer::NamedCharacterSet("klingon"));
}

// The program itself: its options reach the files it writes.
TEST(FontRasterizerTest, TheProgramWritesTheFontItIsAskedFor)
{
    TempFolder folder;
    const std::string tga = folder.Join("font.tga");
    const std::string fnt = folder.Join("font.fnt");
    const std::string out = folder.Join("out.txt");
    const std::string command = std::string("'") + CORVELLAN_MKFONT + "' --rle --atlas 1024x512 --no-space --chars 'Ž W' '" +
                                CORVELLAN_DEJAVU_SANS + "' 20 '" + tga + "' '" + fnt + "' >'" + out + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFileText(out).value_or("");

    const std::string font = ReadFileText(fnt).value_or("");
    ASSERT_GE(font.size(), 17u);
    EXPECT_EQ(font.substr(4, 5), "OVFNT");
    ASSERT_EQ(font.size(), 17u + 2 * 22);
    const auto character = [&](std::size_t index) {
        const std::size_t at = 17 + index * 22;
        return static_cast<char16_t>(static_cast<std::uint8_t>(font[at]) | (static_cast<std::uint8_t>(font[at + 1]) << 8));
    };
    EXPECT_EQ(character(0), u'W');
    EXPECT_EQ(character(1), u'Ž');

    const std::string atlas = ReadFileText(tga).value_or("");
    ASSERT_GE(atlas.size(), 18u);
    EXPECT_EQ(atlas[2], 10) << "run-length true colour";
    OrvaneEngine::Image image;
    ASSERT_TRUE(LoadAtlas(atlas, image));
    EXPECT_EQ(image.GetWidth(), 1024u);
    EXPECT_EQ(image.GetHeight(), 512u);

    const struct
    {
        const char* arguments;
        const char* message;
    } bad[] = {
        {"", "usage: mkfont"},
        {"/nonexistent/face.ttf 20 a.tga a.fnt", "cannot read a font face"},
        {"FACE 0 a.tga a.fnt", "pixel height"},
        {"FACE twenty a.tga a.fnt", "bad pixel height"},
        {"--atlas 16x16 FACE 20 a.tga a.fnt", "do not fit"},
        {"--set nosuchset FACE 20 a.tga a.fnt", "no character set named"},
    };
    for (const auto& c : bad)
    {
        std::string arguments = c.arguments;
        const std::size_t face = arguments.find("FACE");
        if (face != std::string::npos)
            arguments.replace(face, 4, CORVELLAN_DEJAVU_SANS);
        const std::string run = "cd '" + folder.Path() + "' && '" + CORVELLAN_MKFONT + "' " + arguments + " >'" + out +
                                "' 2>&1";
        EXPECT_NE(std::system(run.c_str()), 0) << c.arguments;
        EXPECT_NE(ReadFileText(out).value_or("").find(c.message), std::string::npos)
            << c.arguments << ": " << ReadFileText(out).value_or("");
    }
}

} // namespace
