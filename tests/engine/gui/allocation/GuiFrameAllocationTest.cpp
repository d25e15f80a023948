// Steady GUI frames allocate nothing: windows, text entries and glyph
// batches are reused from one frame to the next. Its own program, because it
// counts every allocation through a replaced operator new.
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "tests/support/GuiServices.h"
#include "tests/support/allocation/AllocationCount.h"

#include <gtest/gtest.h>

#include <string>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::BoxGlyph;
using corvellan::test::GuiServices;

TEST(GuiFrameAllocationTest, SteadyFramesOfTheSameTextsAllocateNothing)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    std::vector<BoxGlyph> glyphs;
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        glyphs.push_back({c, 0.5f + static_cast<float>(c - u'A') * 0.01f});
    glyphs.push_back({u' ', 0.3f});
    ASSERT_NE(services.AddBoxFont(1, "one.fnt", glyphs, 20.0f), nullptr);
    ASSERT_NE(services.AddBoxFont(2, "two.fnt", glyphs, 32.0f), nullptr);
    gui.GetTextManager()->SetText("TITLE", u"A TITLE LONGER THAN ANY SHORT STRING");

    GUIWindow* root = gui.CreateTexturedWindow(1, Vector2(100, 100), Vector2(400, 300), nullptr, nullptr,
                                               Vector2(1, 1));
    GUIWindow* child = gui.CreateTexturedWindow(3, Vector2(10, 10), Vector2(100, 50), nullptr, root, Vector2(1, 1));
    GUIWindow* front = gui.CreateWindow(1 | 16, Vector2(0, 0), Vector2(800, 600), nullptr, nullptr);
    gui.CreateCursor(nullptr, 32.0f)->visible = true;

    const std::u16string score = u"SCORE AND A LINE LONG ENOUGH TO LIVE ON THE HEAP";
    const std::u16string label = u"PLAY";
    const std::string key = "TITLE_KEY_THAT_IS_NOT_SHORT_AT_ALL";
    const auto queue = [&] {
        root->AddWideText(3, 1, Vector2(0, 0), Color(1, 1, 1, 1), score);
        root->AddTextByKey(16, 2, Vector2(0, 0), Color(1, 1, 1, 1), "TITLE");
        root->AddTextByKey(32, 2, Vector2(0, 0), Color(1, 1, 1, 1), key, 3);
        child->AddWideText(0, 1, Vector2(5, 5), Color(1, 0, 0, 1), label, 0.0f, 16.0f);
        child->AddWideText(8, 2, Vector2(5, 5), Color(1, 0, 0, 1), score, 3.14159265f);
        front->AddWideText(2, 1, Vector2(5, 5), Color(1, 1, 1, 0.5f), label);
    };

    long counted = 0;
    for (int frame = 0; frame < 12; ++frame)
    {
        services.window->Update();
        services.controls->Update();
        queue();
        const long before = corvellan::test::AllocationCount();
        gui.Update();
        gui.Render();
        const long during = corvellan::test::AllocationCount() - before;
        services.controls->EndFrame();
        // The first frames make the batch instances and grow the pools.
        if (frame >= 3)
            counted += during;
    }
    EXPECT_EQ(counted, 0);
}

} // namespace
} // namespace OrvaneEngine
