#include "content/BoxFont.h"
#include "content/FontFileWriter.h"
#include "content/FuzzSeeds.h"
#include "engine/core/FileManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/Image.h"
#include "tests/support/ModelServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

using namespace OrvaneEngine;
using corvellan::content::BoxFont;
using corvellan::content::FontFileWriter;
using corvellan::content::FontGlyphRecord;

class FontFileWriterTest : public ::testing::Test, protected corvellan::test::ModelServices
{
protected:
    std::unique_ptr<GUIFont> Load(const std::string& name)
    {
        return std::make_unique<GUIFont>(&log, &files, &shaders, &models, nullptr, nullptr, name);
    }
};

TEST_F(FontFileWriterTest, ReaderGetsTheRecordsBack)
{
    const std::vector<FontGlyphRecord> records = {
        {u'A', 0.0f, 0.5f, 0.125f, 0.25f, 0.5f},
        {u'\u0416', 0.3f, 0.0f, 1.0f / 3.0f, 1.0f, 1.25f},
        {u'\uFFFF', -1.5f, 2.0f, 1e-30f, std::numeric_limits<float>::denorm_min(), 0.0f},
        {u'\0', 1.0f, 1.0f, -0.0f, 0.75f, 3.0f},
    };
    const std::string bytes = FontFileWriter::Build(records);
    ASSERT_EQ(bytes.size(), 17u + 22u * records.size());
    EXPECT_EQ(bytes.substr(4, 5), "OVFNT");
    ASSERT_TRUE(FontFileWriter::WriteTo(folder.Join("data/round.fnt"), records));

    const auto font = Load("round.fnt");
    EXPECT_TRUE(Entries(2).empty());
    ASSERT_EQ(font->GetGlyphs().size(), records.size());
    for (const FontGlyphRecord& record : records)
    {
        SCOPED_TRACE(static_cast<int>(record.character));
        const GUIGlyph& glyph = font->GetGlyphs().at(record.character);
        EXPECT_EQ(glyph.u, record.u);
        EXPECT_EQ(glyph.v, record.v);
        EXPECT_EQ(glyph.du, record.du);
        EXPECT_EQ(std::signbit(glyph.du), std::signbit(record.du));
        EXPECT_EQ(glyph.dv, record.dv);
        EXPECT_EQ(glyph.ratio, record.ratio);
    }
    EXPECT_FLOAT_EQ(font->GetWidestRatio(), 3.0f);
}

TEST_F(FontFileWriterTest, BoxFontSplitsAWhiteAtlasIntoColumns)
{
    ASSERT_TRUE(BoxFont::Write(folder.Join("data/fonts"), "box.fnt", "box.tga", {{u'I', 0.25f}, {u'W', 1.5f}}));
    const auto font = Load("fonts\\box.fnt");
    EXPECT_TRUE(Entries(2).empty());
    ASSERT_EQ(font->GetGlyphs().size(), 2u);
    const GUIGlyph& w = font->GetGlyphs().at(u'W');
    EXPECT_EQ(w.u, 0.5f);
    EXPECT_EQ(w.du, 0.5f);
    EXPECT_EQ(w.v, 0.0f);
    EXPECT_EQ(w.dv, 1.0f);
    EXPECT_EQ(w.ratio, 1.5f);

    Image atlas;
    ASSERT_TRUE(atlas.LoadTGA(&log, &files, "data\\fonts\\box.tga"));
    ASSERT_EQ(atlas.GetWidth(), BoxFont::AtlasSide);
    ASSERT_EQ(atlas.GetHeight(), BoxFont::AtlasSide);
    ASSERT_EQ(atlas.GetBitsPerPixel(), 32u);
    const std::uint8_t* pixels = atlas.GetPixels();
    for (std::size_t i = 0; i < std::size_t{BoxFont::AtlasSide} * BoxFont::AtlasSide * 4; ++i)
        ASSERT_EQ(pixels[i], 255) << i;
}

// The seeds are what their names say: the sound ones load whole, each
// damaged one gives exactly its error.
TEST_F(FontFileWriterTest, FontSeedsLoadOrFailAsNamed)
{
    ASSERT_TRUE(corvellan::content::WriteFontFileSeeds(folder.Join("data"), CORVELLAN_DEJAVU_SANS));
    const struct
    {
        std::string name;
        std::size_t glyphs;
        std::string error;
    } seeds[] = {
        {"box.fnt", 10, ""},
        {"empty.fnt", 0, ""},
        {"duplicates.fnt", 10, ""},
        {"version200.fnt", 0, "format version, current is 201"},
        {"size_plus_one.fnt", 0, "file format"},
        {"size_minus_one.fnt", 0, "file format"},
        {"ascii_face.fnt", 95, ""},
    };
    for (const auto& seed : seeds)
    {
        SCOPED_TRACE(seed.name);
        log.ClearMessages();
        const std::string name = "font_file\\" + seed.name;
        const auto font = Load(name);
        EXPECT_EQ(font->GetGlyphs().size(), seed.glyphs);
        if (seed.error.empty())
            EXPECT_TRUE(Entries(2).empty());
        else
            EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry("Incorrect \"" + name + "\" " + seed.error)});
    }
}

} // namespace
