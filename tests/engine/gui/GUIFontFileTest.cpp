#include "content/FontFileWriter.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "tests/engine/gui/GUIFontFixture.h"
#include "tests/support/FileErrorText.h"

#include <cmath>
#include <functional>
#include <limits>

namespace
{

using namespace OrvaneEngine;
using corvellan::content::BoxFont;
using corvellan::content::FontFileDamage;
using corvellan::content::FontFileWriter;
using corvellan::content::FontGlyphRecord;

class GUIFontFileTest : public corvellan::test::GUIFontFixture
{
};

TEST_F(GUIFontFileTest, ReadsGoodFilesAndLogsDamagedOnes)
{
    const std::vector<FontGlyphRecord> box = BoxFont::Records({{u'a', 0.5f}, {u'b', 0.75f}, {u'c', 0.25f}});
    const std::string sound = FontFileWriter::Build(box);
    const std::string format = "Incorrect \"f.fnt\" file format";
    const std::string version = "Incorrect \"f.fnt\" format version, current is 201";
    const auto damaged = [&](const std::function<void(FontFileDamage&)>& change,
                             const std::vector<FontGlyphRecord>& records) {
        FontFileDamage damage;
        change(damage);
        return FontFileWriter::Build(records, damage);
    };
    const auto withValue = [&](std::size_t record, float FontGlyphRecord::*field, float value) {
        std::vector<FontGlyphRecord> records = box;
        records[record].*field = value;
        return FontFileWriter::Build(records);
    };
    std::vector<FontGlyphRecord> twice = box;
    twice.push_back(box[1]);
    twice.back().ratio = 2.0f;
    twice.back().u = 0.9f;
    // A size field that matches a header cut before the count.
    std::string headerOnly = sound.substr(0, 13);
    headerOnly[0] = 13;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();

    struct Case
    {
        std::string name;
        std::string bytes;
        std::string text; // empty: nothing logged
        std::u16string glyphs;
        float widest;
    };
    const Case cases[] = {
        {"sound", sound, "", u"abc", 0.75f},
        {"no glyph", FontFileWriter::Build({}), "", u"", 0.0f},
        {"size field one more", damaged([&](auto& d) { d.header.sizeField = sound.size() + 1; }, box), format, u"",
         0.0f},
        {"size field one less", damaged([&](auto& d) { d.header.sizeField = sound.size() - 1; }, box), format, u"",
         0.0f},
        {"magic", damaged([](auto& d) { d.header.magic = "OVFNX"; }, box), format, u"", 0.0f},
        {"version 200", damaged([](auto& d) { d.header.version = 200; }, box), version, u"", 0.0f},
        {"version 202", damaged([](auto& d) { d.header.version = 202; }, box), version, u"", 0.0f},
        {"cut inside the header", sound.substr(0, 10), format, u"", 0.0f},
        {"no count", headerOnly, format, u"", 0.0f},
        {"every count in a short file", damaged([](auto& d) { d.count = 0xFFFFFFFFu; }, box), format, u"", 0.0f},
        {"count one record over", damaged([](auto& d) { d.count = 4; }, box), format, u"", 0.0f},
        {"count one record under", damaged([](auto& d) { d.count = 2; }, box), "", u"ab", 0.75f},
        {"a duplicate keeps the first record", FontFileWriter::Build(twice), "", u"abc", 2.0f},
        {"NaN u", withValue(1, &FontGlyphRecord::u, nan), format, u"a", 0.5f},
        {"infinite v", withValue(1, &FontGlyphRecord::v, -infinity), format, u"a", 0.5f},
        {"NaN du", withValue(2, &FontGlyphRecord::du, nan), format, u"ab", 0.75f},
        {"infinite dv", withValue(0, &FontGlyphRecord::dv, infinity), format, u"", 0.0f},
        {"infinite ratio", withValue(1, &FontGlyphRecord::ratio, infinity), format, u"a", 0.5f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        log.ClearMessages();
        PutBytes("f.fnt", c.bytes);
        const auto font = Load("f.fnt");
        if (c.text.empty())
            EXPECT_TRUE(Entries(2).empty());
        else
            EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(c.text)});

        std::u16string characters;
        for (const auto& [character, glyph] : font->GetGlyphs())
            characters += character;
        EXPECT_EQ(characters, c.glyphs);
        EXPECT_FLOAT_EQ(font->GetWidestRatio(), c.widest);
        for (const FontGlyphRecord& record : box)
        {
            if (!font->HasGlyph(record.character))
                continue;
            const GUIGlyph& glyph = font->GetGlyphs().at(record.character);
            EXPECT_EQ(glyph.u, record.u);
            EXPECT_EQ(glyph.v, record.v);
            EXPECT_EQ(glyph.du, record.du);
            EXPECT_EQ(glyph.dv, record.dv);
            EXPECT_EQ(glyph.ratio, record.ratio);
        }
        // Whatever the file, the batch exists and a print draws only what was read.
        font->PrintText({0.0f, 0.0f}, 0.0f, Color(1, 1, 1, 1), u"abc");
        EXPECT_EQ(font->GetGlyphsThisFrame(), c.glyphs.size());
        font->EndFrame();
    }
}

TEST_F(GUIFontFileTest, MissingFileIsLoggedAndTheFontMeasuresSpaces)
{
    const std::string text = corvellan::test::FileErrorText([&] { files.Open("data\\absent.fnt", false); });
    ASSERT_NE(text, "<none>");
    const auto font = Load("absent.fnt");
    EXPECT_EQ(Entries(2), std::vector<std::string>{ErrorEntry(text)});
    EXPECT_TRUE(font->GetGlyphs().empty());

    font->glyphHeight = 20.0f;
    font->spaceRatio = 0.5f;
    const Vector2 size = font->MeasureText(u"abc", 0.0f);
    EXPECT_FLOAT_EQ(size.x, 30.0f);
    EXPECT_FLOAT_EQ(size.y, 20.0f);
    font->PrintText({0.0f, 0.0f}, 0.0f, Color(1, 1, 1, 1), u"abc");
    EXPECT_EQ(font->GetGlyphsThisFrame(), 0u);
}

} // namespace
