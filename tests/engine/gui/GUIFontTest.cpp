#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "tests/engine/gui/GUIFontFixture.h"

#include <cmath>
#include <numbers>

namespace
{

using namespace OrvaneEngine;
using corvellan::content::BoxGlyph;

constexpr float Pi = std::numbers::pi_v<float>;
const Color White(1.0f, 1.0f, 1.0f, 1.0f);

// a, b and c are boxes of ratio 0.5, 0.75 and 1 (the widest); the space is
// defined narrower than the space ratio; newline, no-break space and em space
// have glyphs too, which white space must not draw.
const std::vector<BoxGlyph> Glyphs = {{u'a', 0.5f},      {u'b', 0.75f},     {u'c', 1.0f},
                                      {u' ', 0.3f},      {u'\n', 0.5f},     {u'\u00A0', 0.5f},
                                      {u'\u2003', 0.5f}};

class GUIFontTest : public corvellan::test::GUIFontFixture
{
protected:
    void SetUp() override
    {
        PutBox("box.fnt", Glyphs);
        font = Load("box.fnt");
        font->glyphHeight = 20.0f;
        font->spaceRatio = 0.4f;
    }

    void TearDown() override { EXPECT_TRUE(Entries(2).empty()); }

    std::unique_ptr<GUIFont> font;
};

void ExpectNear(const Vector2& actual, float x, float y)
{
    EXPECT_NEAR(actual.x, x, 1e-4f);
    EXPECT_NEAR(actual.y, y, 1e-4f);
}

TEST_F(GUIFontTest, MeasuresTextsAsTheyPrint)
{
    struct Case
    {
        std::u16string text;
        float height; // negative: the font's own, 20
        float angle;
        bool fixedPitch;
        float advanceFactor;
        float width;
        float tall;
    };
    const Case cases[] = {
        {u"ab", 20.0f, 0.0f, false, 1.0f, 25.0f, 20.0f},
        {u"ab", -1.0f, 0.0f, false, 1.0f, 25.0f, 20.0f},
        {u"ab", 30.0f, 0.0f, false, 1.0f, 37.5f, 30.0f},
        {u"ab", 20.0f, Pi, false, 1.0f, 25.0f, 20.0f},
        {u"ab", 20.0f, Pi / 2, false, 1.0f, 20.0f, 25.0f},
        // Without a glyph: the space-ratio box, and no advance factor.
        {u"x", 20.0f, 0.0f, false, 1.0f, 8.0f, 20.0f},
        {u"axb", 20.0f, 0.0f, false, 1.5f, 15.0f + 8.0f + 15.0f, 20.0f},
        {u"a\nb", 20.0f, 0.0f, false, 1.0f, 10.0f + 8.0f + 15.0f, 20.0f},
        // A defined space advances by its own ratio; its box is the space ratio's.
        {u"a ", 20.0f, 0.0f, false, 1.0f, 10.0f + 8.0f, 20.0f},
        {u"a b", 20.0f, 0.0f, false, 1.0f, 10.0f + 6.0f + 15.0f, 20.0f},
        // The advance factor stretches the advances, not the last glyph.
        {u"ab", 20.0f, 0.0f, false, 1.5f, 15.0f + 15.0f, 20.0f},
        // Fixed pitch: a narrow glyph sits in the middle of a cell of ratio 1.
        {u"a", 20.0f, 0.0f, true, 1.0f, 10.0f, 20.0f},
        {u"aca", 20.0f, 0.0f, true, 1.0f, 50.0f, 20.0f},
        {u"axa", 20.0f, 0.0f, true, 1.0f, 50.0f, 20.0f},
        {u"aa", 20.0f, 0.0f, true, 1.5f, 40.0f, 20.0f},
        {u"", 20.0f, 0.0f, false, 1.0f, 0.0f, 0.0f},
        {u"", 20.0f, Pi / 3, true, 2.0f, 0.0f, 0.0f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()) + " angle " + std::to_string(c.angle) +
                     (c.fixedPitch ? " fixed" : "") + " factor " + std::to_string(c.advanceFactor));
        font->fixedPitch = c.fixedPitch;
        font->advanceFactor = c.advanceFactor;
        ExpectNear(font->MeasureText(c.text, c.angle, c.height), c.width, c.tall);
    }
}

TEST_F(GUIFontTest, WritesRotatedQuadsWithTheirTextureCorners)
{
    font->PrintText({100.0f, 50.0f}, Pi / 2, Color(0.2f, 0.4f, 0.6f, 1.0f), u"ab");
    ASSERT_EQ(font->GetGlyphsThisFrame(), 2u);
    const ColoredVertex* v = Vertices(*font);
    // a: 10 × 20, turned a quarter; b starts 10 up the rotated baseline.
    const float corners[8][2] = {{80, 50}, {100, 50}, {80, 60}, {100, 60},
                                 {80, 60}, {100, 60}, {80, 75}, {100, 75}};
    const float third = 1.0f / 7.0f;
    const float textures[8][2] = {{0, 1}, {0, 0}, {third, 1}, {third, 0},
                                  {third, 1}, {third, 0}, {2 * third, 1}, {2 * third, 0}};
    for (int i = 0; i < 8; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NEAR(v[i].position.x, corners[i][0], 1e-4f);
        EXPECT_NEAR(v[i].position.y, corners[i][1], 1e-4f);
        EXPECT_EQ(v[i].position.z, 0.0f);
        EXPECT_FLOAT_EQ(v[i].u, textures[i][0]);
        EXPECT_FLOAT_EQ(v[i].v, textures[i][1]);
        EXPECT_EQ(v[i].color, 0xFF336699u);
    }
    EXPECT_EQ(font->GetModel()->GetIndexBuffer()->GetIndexCount(), 12u);

    Vector2 measured[4];
    font->MeasureGlyph({100.0f, 50.0f}, Pi / 2, u'a', measured);
    for (int i = 0; i < 4; ++i)
        ExpectNear(measured[i], corners[i][0], corners[i][1]);
}

TEST_F(GUIFontTest, FixedPitchCentresGlyphsInTheWidestCell)
{
    font->fixedPitch = true;
    font->PrintText({0.0f, 0.0f}, 0.0f, White, u"axb");
    ASSERT_EQ(font->GetGlyphsThisFrame(), 2u);
    const ColoredVertex* v = Vertices(*font);
    EXPECT_FLOAT_EQ(v[1].position.x, 5.0f);
    EXPECT_FLOAT_EQ(v[3].position.x, 15.0f);
    EXPECT_FLOAT_EQ(v[5].position.x, 42.5f);
    EXPECT_FLOAT_EQ(v[7].position.x, 57.5f);
}

TEST_F(GUIFontTest, WhiteSpaceNewlinesAndMissingGlyphsDrawNothing)
{
    const std::u16string texts[] = {u"\n", u"\u00A0", u"\u2003", u" ", u"x", u"\t"};
    for (const std::u16string& text : texts)
    {
        SCOPED_TRACE(static_cast<int>(text[0]));
        font->PrintText({0.0f, 0.0f}, 0.0f, White, text);
        font->PrintGlyph({0.0f, 0.0f}, 0.0f, White, text[0]);
        EXPECT_EQ(font->GetGlyphsThisFrame(), 0u);
    }
    // Each still moves the pen: by the space ratio, or by its own for the space.
    const struct
    {
        std::u16string text;
        float x;
    } advances[] = {{u"a\nb", 18.0f}, {u"a\u00A0b", 20.0f}, {u"a b", 16.0f}, {u"axb", 18.0f}};
    for (const auto& a : advances)
    {
        font->PrintText({0.0f, 0.0f}, 0.0f, White, a.text);
        ASSERT_EQ(font->GetGlyphsThisFrame(), 2u);
        EXPECT_FLOAT_EQ(Vertices(*font)[5].position.x, a.x);
        font->EndFrame();
    }
}

TEST_F(GUIFontTest, BatchHoldsOneFrameOfAtMost1024Glyphs)
{
    Model* model = font->GetModel();
    const IndexBuffer* indices = model->GetIndexBuffer();
    EXPECT_EQ(model->GetName(), "font_model");
    EXPECT_EQ(model->GetFlags(), GUIFont::BatchModelFlags);
    EXPECT_EQ(model->GetCamera(), camera);
    EXPECT_FLOAT_EQ(font->GetDepth(), -9.0f);
    EXPECT_EQ(model->GetVertexBuffer()->GetVertexCount(), 4096u);
    EXPECT_TRUE(model->GetVertexBuffer()->IsColored());
    ASSERT_EQ(indices->GetCapacity(), 6144u);
    EXPECT_EQ(indices->GetIndexCount(), 0u);
    ASSERT_FALSE(indices->Is32Bit());
    const auto* index = reinterpret_cast<const std::uint16_t*>(indices->GetData());
    const std::uint32_t quad0[] = {0, 1, 2, 2, 1, 3};
    const std::uint32_t quad1023[] = {4092, 4093, 4094, 4094, 4093, 4095};
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(index[i], quad0[i]);
        EXPECT_EQ(index[6 * 1023 + i], quad1023[i]);
    }

    // The loaded font's model is visible but has nothing to draw.
    model->Update(false);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 0u);

    const std::u16string text(1100, u'a');
    font->PrintText({0.0f, 0.0f}, 0.0f, White, text);
    EXPECT_EQ(font->GetGlyphsThisFrame(), 1024u);
    EXPECT_EQ(indices->GetIndexCount(), 6144u);
    model->Update(false);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 2048u);
    EXPECT_TRUE(model->GetVertexBuffer()->IsLocked());
    EXPECT_FLOAT_EQ(Vertices(*font)[4 * 1023 + 1].position.x, 1023 * 10.0f);
    font->PrintGlyph({0.0f, 0.0f}, 0.0f, White, u'b');
    EXPECT_EQ(font->GetGlyphsThisFrame(), 1024u);

    // The frame's glyphs stay for the draw; a frame without any draws nothing.
    font->EndFrame();
    EXPECT_FALSE(model->GetVertexBuffer()->IsLocked());
    EXPECT_EQ(font->GetGlyphsThisFrame(), 0u);
    EXPECT_EQ(indices->GetIndexCount(), 6144u);
    font->PrintText({0.0f, 0.0f}, 0.0f, White, u"b");
    EXPECT_EQ(indices->GetIndexCount(), 6u);
    EXPECT_FLOAT_EQ(Vertices(*font)[3].position.x, 15.0f);
    font->EndFrame();
    font->EndFrame();
    EXPECT_EQ(indices->GetIndexCount(), 0u);
}

TEST_F(GUIFontTest, InstancesCopyTheirSourceAtEveryPrint)
{
    font->fixedPitch = true;
    font->advanceFactor = 2.0f;
    GUIFont instance(font.get());
    EXPECT_EQ(instance.GetSource(), font.get());
    EXPECT_NE(instance.GetModel(), font->GetModel());
    EXPECT_EQ(instance.GetModel()->GetFlags(), GUIFont::BatchModelFlags);
    EXPECT_EQ(instance.GetModel()->GetIndexBuffer()->GetIndexCount(), 0u);
    EXPECT_EQ(instance.GetGlyphs().size(), Glyphs.size());
    EXPECT_FLOAT_EQ(instance.GetWidestRatio(), 1.0f);
    EXPECT_TRUE(instance.fixedPitch);
    instance.SetDepth(-15.005f);
    EXPECT_FLOAT_EQ(instance.GetDepth(), -15.005f);
    EXPECT_FLOAT_EQ(font->GetDepth(), -9.0f);

    // A text entry's height on the loaded font reaches the instance's next print.
    font->glyphHeight = 30.0f;
    font->advanceFactor = 1.0f;
    font->fixedPitch = false;
    instance.PrintText({0.0f, 0.0f}, 0.0f, White, u"ab");
    EXPECT_FLOAT_EQ(instance.glyphHeight, 30.0f);
    const ColoredVertex* v = Vertices(instance);
    EXPECT_FLOAT_EQ(v[0].position.y, 30.0f);
    // Still fixed pitch: the instance keeps the flag it was made with.
    EXPECT_FLOAT_EQ(v[1].position.x, 7.5f);
    EXPECT_FLOAT_EQ(v[5].position.x, 30.0f + 3.75f);
    EXPECT_EQ(font->GetGlyphsThisFrame(), 0u);
    instance.EndFrame();

    const std::uint32_t before = models.GetModelCount();
    {
        GUIFont other(font.get());
        EXPECT_EQ(models.GetModelCount(), before + 1);
    }
    EXPECT_EQ(models.GetModelCount(), before);
}

TEST_F(GUIFontTest, LowerCaseGlyphsCopyTheirCapitals)
{
    PutBox("caps.fnt", {{u'A', 0.5f},
                        {u'B', 0.6f},
                        {u'b', 0.9f},
                        {u'7', 0.5f},
                        {u'\u010C', 0.7f},
                        {u'\u0158', 0.8f},
                        {u'\u0178', 0.4f},
                        {u'\u0401', 0.65f},
                        {u'\u0416', 1.1f},
                        {u'\u03A3', 0.55f}});
    const auto caps = Load("caps.fnt");
    caps->AddLowerCaseGlyphs();
    const auto& glyphs = caps->GetGlyphs();
    EXPECT_EQ(glyphs.size(), 10u + 7u);
    const std::pair<char16_t, char16_t> copies[] = {{u'A', u'a'},           {u'\u010C', u'\u010D'},
                                                    {u'\u0158', u'\u0159'}, {u'\u0178', u'\u00FF'},
                                                    {u'\u0401', u'\u0451'}, {u'\u0416', u'\u0436'},
                                                    {u'\u03A3', u'\u03C3'}};
    for (const auto& [capital, small] : copies)
    {
        SCOPED_TRACE(static_cast<int>(small));
        ASSERT_TRUE(caps->HasGlyph(small));
        EXPECT_EQ(glyphs.at(small).u, glyphs.at(capital).u);
        EXPECT_EQ(glyphs.at(small).ratio, glyphs.at(capital).ratio);
    }
    EXPECT_FLOAT_EQ(glyphs.at(u'b').ratio, 0.9f);
    EXPECT_FLOAT_EQ(caps->GetWidestRatio(), 1.1f);
}

} // namespace
