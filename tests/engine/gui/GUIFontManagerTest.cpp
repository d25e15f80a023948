// The font manager: fonts by id, one batch instance per font and depth,
// text alignment, and the windows' texts printed through it.
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/GuiServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::BoxGlyph;
using corvellan::test::GuiServices;

constexpr float Pi = 3.14159265358979f;

class GUIFontManagerTest : public ::testing::Test
{
protected:
    GUIFontManager& fonts() { return *services.gui->GetFontManager(); }

    GUIWindow* Window(Vector2 position, Vector2 size, GUIWindow* parent = nullptr)
    {
        return services.gui->CreateWindow(1, position, size, nullptr, parent);
    }

    // The height of each quad the instance holds, in order.
    static std::vector<float> QuadHeights(const GUIFont& instance)
    {
        std::vector<float> heights;
        const VertexBuffer& vertices = *instance.GetModel()->GetVertexBuffer();
        const auto* quads = reinterpret_cast<const ColoredVertex*>(vertices.GetData());
        const std::uint32_t count = instance.GetModel()->GetIndexBuffer()->GetIndexCount() / 6;
        for (std::uint32_t q = 0; q < count; ++q)
            heights.push_back(quads[4 * q].position.y - quads[4 * q + 1].position.y);
        return heights;
    }

    GuiServices services;
};

TEST_F(GUIFontManagerTest, AnIdLoadedTwiceKeepsItsFirstFont)
{
    GUIFont* first = services.AddBoxFont(1, "first.fnt", {{u'A', 0.5f}}, 20.0f);
    ASSERT_NE(first, nullptr);
    const std::uint32_t models = services.models.GetModelCount();
    ASSERT_TRUE(services.WriteBoxFont("second.fnt", {{u'B', 0.5f}}));
    EXPECT_EQ(fonts().CreateFont(1, nullptr, "second.fnt"), first);
    EXPECT_EQ(fonts().GetFont(1), first);
    EXPECT_TRUE(first->HasGlyph(u'A'));
    EXPECT_FALSE(first->HasGlyph(u'B'));
    EXPECT_EQ(fonts().GetFonts().size(), 1u);
    EXPECT_EQ(services.models.GetModelCount(), models) << "the second font is deleted with its model";
    const std::vector<std::string> errors = services.Entries(2);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("second.fnt"), std::string::npos) << errors[0];
    EXPECT_EQ(fonts().GetFont(2), nullptr);
}

TEST_F(GUIFontManagerTest, OneInstancePerDepthLivingWhileItPrints)
{
    services.AddBoxFont(1, "box.fnt", {{u'A', 0.5f}}, 20.0f);
    GUIWindow* root = Window({0, 0}, {100, 100});
    GUIWindow* child = Window({0, 0}, {100, 100}, root);
    GUIWindow* sibling = Window({0, 0}, {100, 100});
    ASSERT_FLOAT_EQ(child->depth, -15.01f);

    GUIFont* rootInstance = fonts().GetFontInstance(1, root);
    ASSERT_NE(rootInstance, nullptr);
    EXPECT_EQ(rootInstance->GetSource(), fonts().GetFont(1));
    EXPECT_FLOAT_EQ(rootInstance->GetDepth(), -15.005f);
    EXPECT_EQ(fonts().GetFontInstance(1, sibling), rootInstance) << "the same depth shares the batch";
    GUIFont* childInstance = fonts().GetFontInstance(1, child);
    EXPECT_NE(childInstance, rootInstance);
    EXPECT_FLOAT_EQ(childInstance->GetDepth(), -15.015f);
    EXPECT_EQ(fonts().GetFontInstance(7, root), nullptr);
    EXPECT_EQ(fonts().GetInstances().size(), 2u);

    for (int frame = 0; frame < 2; ++frame)
    {
        root->AddWideText(0, 1, {0, 0}, Color(1, 1, 1, 1), u"A");
        child->AddWideText(0, 1, {0, 0}, Color(1, 1, 1, 1), u"A");
        services.gui->Render();
        EXPECT_EQ(fonts().GetInstances().size(), 2u) << frame;
    }
    root->AddWideText(0, 1, {0, 0}, Color(1, 1, 1, 1), u"A");
    services.gui->Render();
    ASSERT_EQ(fonts().GetInstances().size(), 1u) << "the instance that printed nothing goes that frame";
    EXPECT_FLOAT_EQ(fonts().GetInstances()[0]->GetDepth(), -15.005f);
    services.gui->Render();
    EXPECT_TRUE(fonts().GetInstances().empty());
}

TEST_F(GUIFontManagerTest, AlignmentTable)
{
    // "AB" at height 20 measures (25, 20).
    services.AddBoxFont(1, "box.fnt", {{u'A', 0.5f}, {u'B', 0.75f}}, 20.0f);
    GUIWindow* parent = Window({40, 30}, {10, 10});
    GUIWindow* window = Window({60, 20}, {200, 100}, parent);
    const Vector2 position(7.0f, 9.0f);
    struct Row
    {
        std::uint32_t alignment;
        bool textArea;
        float x, y;
    };
    // Window base (100, 50) size (200, 100); text area base (110, 70) size (50, 40).
    const std::vector<Row> rows = {
        {0, false, 107.0f, 59.0f},  {1, false, 187.5f, 59.0f},  {4, false, 100.0f, 59.0f},
        {8, false, 275.0f, 59.0f},  {2, false, 107.0f, 90.0f},  {16, false, 107.0f, 130.0f},
        {32, false, 100.0f + 7.0f, 50.0f}, {1 | 4 | 8, false, 187.5f, 59.0f}, {4 | 8, false, 100.0f, 59.0f},
        {2 | 16 | 32, false, 107.0f, 90.0f}, {16 | 32, false, 107.0f, 130.0f}, {3, false, 187.5f, 90.0f},
        {0, true, 117.0f, 79.0f},   {1, true, 122.5f, 79.0f},   {4, true, 110.0f, 79.0f},
        {8, true, 135.0f, 79.0f},   {2, true, 117.0f, 80.0f},   {16, true, 117.0f, 90.0f},
        {32, true, 117.0f, 70.0f},  {3, true, 122.5f, 80.0f},
    };
    for (const Row& row : rows)
    {
        window->textArea = row.textArea;
        window->textAreaOrigin = Vector2(10.0f, 20.0f);
        window->textAreaSize = Vector2(50.0f, 40.0f);
        const Vector2 origin = fonts().AlignText(row.alignment, 1, window, position, 0.0f, u"AB");
        EXPECT_FLOAT_EQ(origin.x, row.x) << row.alignment << (row.textArea ? " area" : "");
        EXPECT_FLOAT_EQ(origin.y, row.y) << row.alignment << (row.textArea ? " area" : "");
    }

    // Upside down the pen starts at the far corner: the measured size is
    // added back on each axis whose cosine or sine is negative.
    window->textArea = false;
    const Vector2 measured = fonts().GetFont(1)->MeasureText(u"AB", Pi);
    EXPECT_NEAR(measured.x, 25.0f, 1e-4f);
    const float backY = std::sin(Pi) < 0.0f ? measured.y : 0.0f;
    const Vector2 centred = fonts().AlignText(3, 1, window, position, Pi, u"AB");
    EXPECT_FLOAT_EQ(centred.x, 100.0f + (200.0f - measured.x) * 0.5f + measured.x);
    EXPECT_FLOAT_EQ(centred.y, 50.0f + (100.0f - measured.y) * 0.5f + backY);
    const Vector2 left = fonts().AlignText(4 | 32, 1, window, position, Pi, u"AB");
    EXPECT_FLOAT_EQ(left.x, 100.0f + measured.x);
    EXPECT_FLOAT_EQ(left.y, 50.0f + backY);
    const Vector2 free = fonts().AlignText(0, 1, window, position, Pi, u"AB");
    EXPECT_FLOAT_EQ(free.x, 107.0f) << "an unaligned axis takes the position as it is";

    const Vector2 none = fonts().AlignText(3, 9, window, position, 0.0f, u"AB");
    EXPECT_EQ(none.x, 0.0f);
    EXPECT_EQ(none.y, 0.0f);
}

TEST_F(GUIFontManagerTest, ScaleOverridesTheHeightForOneEntry)
{
    GUIFont* font = services.AddBoxFont(1, "box.fnt", {{u'A', 0.5f}}, 28.0f);
    GUIWindow* window = Window({100, 100}, {200, 100});
    window->AddWideText(0, 1, {0, 0}, Color(1, 1, 1, 1), u"A", 0.0f, 20.0f);
    window->AddWideText(0, 1, {0, 0}, Color(1, 1, 1, 1), u"A", 0.0f, -1.0f);
    services.gui->Render();
    EXPECT_EQ(font->glyphHeight, 28.0f) << "the font's own height comes back";
    ASSERT_EQ(fonts().GetInstances().size(), 1u);
    EXPECT_EQ(QuadHeights(*fonts().GetInstances()[0]), std::vector<float>({20.0f, 28.0f}));

    // A font id that is not loaded: the override is skipped and nothing is
    // printed, rather than writing through a missing font.
    window->AddWideText(0, 5, {0, 0}, Color(1, 1, 1, 1), u"A", 0.0f, 20.0f);
    window->AddTextByKey(3, 6, {0, 0}, Color(1, 1, 1, 1), "TITLE", -1, 0.0f, 12.0f);
    EXPECT_TRUE(window->Render());
    EXPECT_EQ(window->GetTextEntryCount(), 0u);
    services.gui->Render();
    EXPECT_TRUE(fonts().GetInstances().empty());
    EXPECT_EQ(fonts().GetFont(5), nullptr);
}

TEST_F(GUIFontManagerTest, TextsPrintOnlyFromVisibleWindowsAndKeysFallBack)
{
    services.AddBoxFont(1, "box.fnt", {{u'U', 1.0f}, {u'N', 1.0f}, {u'K', 1.0f}, {u'O', 1.0f}, {u'W', 1.0f}},
                        10.0f);
    GUIWindow* window = Window({0, 0}, {100, 100});
    window->AddTextByKey(0, 1, {0, 0}, Color(1, 1, 1, 1), "NO_SUCH_KEY");
    services.gui->Render();
    ASSERT_EQ(fonts().GetInstances().size(), 1u);
    EXPECT_EQ(fonts().GetInstances()[0]->GetModel()->GetIndexBuffer()->GetIndexCount(), 6u * 7u)
        << "a missing key prints UNKNOWN";

    window->AddWideText(0, 1, {0, 0}, Color(1, 1, 1, 1), u"NOW");
    window->ClearFlags(1);
    services.gui->Render();
    window->SetFlags(1);
    services.gui->Render();
    EXPECT_TRUE(fonts().GetInstances().empty()) << "the hidden window's text is dropped, not printed later";

    GUIWindow* hidden = services.gui->CreateWindow(0, {0, 0}, {100, 100}, nullptr, nullptr);
    fonts().PrintText(0, 1, 0.0f, hidden, {0, 0}, Color(1, 1, 1, 1), u"NOW");
    EXPECT_TRUE(fonts().GetInstances().empty()) << "no instance for an invisible window";
}

} // namespace
} // namespace OrvaneEngine
