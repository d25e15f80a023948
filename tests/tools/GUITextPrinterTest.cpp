#include "content/BoxFont.h"
#include "content/LanguageTextWriter.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"
#include "tools/GUITextPrinter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using GameTools::GUITextPrinter;
using OrvaneEngine::Color;
using OrvaneEngine::GUIWindow;
using OrvaneEngine::Vector2;

namespace
{

constexpr std::uint32_t fontId = 3;
// Characters per second; with 0.1 s frames one character a frame.
constexpr float speed = 10.0f;
constexpr std::uint32_t alignRight = 8;

// A headless engine, a box font and a window to type on; each frame moves the
// clock 0.1 s and the test reads the window's queued texts before the render.
class GUITextPrinterTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(1000);
        ASSERT_TRUE(corvellan::content::BoxFont::Write(folder.Join("data"), "box.fnt", "",
                                                       {{u'a', 0.5f}, {u'b', 0.5f}, {u'c', 0.5f}, {u'x', 1.0f},
                                                        {u'y', 1.0f}, {u'H', 1.0f}, {u'i', 0.25f}}));
        ASSERT_TRUE(corvellan::content::LanguageTextWriter::WriteTo(
            folder.Join("data/texts.ini"), corvellan::content::LanguageTextWriter::Lines({{u"GREETING", u"Hi"}}),
            {}));
        Start();
        engine->guiManager->GetFontManager()->CreateFont(fontId, nullptr, "box.fnt");
        engine->guiManager->GetTextManager()->LoadTexts("texts.ini");
        window = engine->guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(100, 100), Vector2(300, 40),
                                                  nullptr, nullptr);
    }

    void TearDown() override
    {
        printer.reset();
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    GUITextPrinter& MakePrinter(std::uint32_t alignment = 0)
    {
        printer = std::make_unique<GUITextPrinter>(engine.get(), window, alignment, speed, fontId, Vector2(5, 6),
                                                   Color(1.0f, 0.5f, 0.25f, 1.0f));
        return *printer;
    }

    // One frame: what the printer queued on the window (empty for nothing).
    std::u16string Frame()
    {
        win32::testing::AdvanceFakeMilliseconds(100);
        engine->Update();
        printer->Print();
        std::u16string shown;
        const std::uint32_t count = window->GetTextEntryCount();
        EXPECT_LE(count, 1u);
        if (count == 1)
        {
            last = window->GetTextEntry(0);
            shown = last.text;
        }
        engine->Frame(0);
        return shown;
    }

    // What the window showed frame by frame, a frame that repeats the one
    // before it left out, until `frames` frames have run.
    std::vector<std::u16string> Shows(int frames)
    {
        std::vector<std::u16string> shows;
        for (int i = 0; i < frames; ++i)
        {
            const std::u16string shown = Frame();
            if (shows.empty() || shows.back() != shown)
                shows.push_back(shown);
        }
        return shows;
    }

    GUIWindow* window = nullptr;
    std::unique_ptr<GUITextPrinter> printer;
    OrvaneEngine::GUITextEntry last;
};

TEST_F(GUITextPrinterTest, TypesOneCharacterAtATimeThenStays)
{
    GUITextPrinter& typing = MakePrinter();
    EXPECT_TRUE(typing.IsFinished()) << "nothing to type yet";
    typing.SetText(u"abc");
    EXPECT_FALSE(typing.IsFinished());

    // A frame whose time rounds a hair below 0.1 s shows the same again.
    std::vector<std::u16string> shows;
    for (int frame = 0; frame < 5 && (shows.empty() || shows.back() != u"abc"); ++frame)
    {
        const std::u16string shown = Frame();
        EXPECT_EQ(typing.IsFinished(), shown == u"abc") << frame;
        if (shows.empty() || shows.back() != shown)
            shows.push_back(shown);
    }
    EXPECT_EQ(shows, (std::vector<std::u16string>{u"", u"a", u"ab", u"abc"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Frame(), u"abc");
    EXPECT_TRUE(typing.IsFinished());

    EXPECT_EQ(last.alignment, 0u);
    EXPECT_EQ(last.fontId, fontId);
    EXPECT_FLOAT_EQ(last.position.x, 5.0f);
    EXPECT_FLOAT_EQ(last.position.y, 6.0f);
    EXPECT_FLOAT_EQ(last.color.g, 0.5f);
    EXPECT_FLOAT_EQ(last.scale, -1.0f);

    typing.SetText(u"abc");
    EXPECT_TRUE(typing.IsFinished()) << "the same text again";
}

TEST_F(GUITextPrinterTest, NewTextErasesTheOldBackwardsFirst)
{
    GUITextPrinter& typing = MakePrinter();
    typing.SetText(u"abc");
    Shows(6);
    typing.SetText(u"xy");
    EXPECT_FALSE(typing.IsFinished());
    EXPECT_EQ(Shows(9), (std::vector<std::u16string>{u"ab", u"a", u"", u"x", u"xy"}));
    EXPECT_TRUE(typing.IsFinished());

    // Changed half-way: only what was typed so far is erased.
    typing.Clear();
    typing.SetText(u"abc");
    for (int frame = 0; frame < 5 && Frame() != u"ab"; ++frame)
    {
    }
    ASSERT_EQ(last.text, u"ab");
    typing.SetText(u"x");
    EXPECT_EQ(Shows(6), (std::vector<std::u16string>{u"a", u"", u"x"}));
}

TEST_F(GUITextPrinterTest, RightAlignedTextKeepsItsPlaceWhileItGrows)
{
    GUITextPrinter& typing = MakePrinter(alignRight);
    typing.SetText(u"xyab");
    std::vector<float> places;
    for (int i = 0; i < 6; ++i)
    {
        if (!Frame().empty())
            places.push_back(last.position.x);
    }
    ASSERT_EQ(places.size(), 5u);
    for (float place : places)
        EXPECT_FLOAT_EQ(place, places.front());
    EXPECT_EQ(last.alignment, 0u) << "laid out once for the whole text";

    // The whole text ends at the window's right edge.
    OrvaneEngine::GUIFontManager& fonts = *engine->guiManager->GetFontManager();
    const Vector2 whole = fonts.AlignText(alignRight, fontId, window, Vector2(5, 6), 0.0f, u"xyab");
    const Vector2 plain = fonts.AlignText(0, fontId, window, Vector2(5, 6), 0.0f, u"xyab");
    EXPECT_FLOAT_EQ(places.front(), 5.0f + whole.x - plain.x);
    EXPECT_GT(places.front(), 5.0f);
}

TEST_F(GUITextPrinterTest, TextKeyAndClear)
{
    GUITextPrinter& typing = MakePrinter();
    typing.SetTextKey("greeting");
    EXPECT_EQ(typing.GetText(), u"Hi");
    EXPECT_EQ(Shows(5), (std::vector<std::u16string>{u"", u"H", u"Hi"}));

    typing.Clear();
    EXPECT_TRUE(typing.IsFinished());
    EXPECT_EQ(typing.GetText(), u"");
    EXPECT_EQ(Frame(), u"") << "cleared at once, not erased";
    EXPECT_TRUE(typing.IsFinished());
}

TEST_F(GUITextPrinterTest, WithoutAWindowNothingHappens)
{
    printer = std::make_unique<GUITextPrinter>(engine.get(), nullptr, 0, speed, fontId, Vector2(0, 0),
                                               Color(1.0f, 1.0f, 1.0f, 1.0f));
    printer->SetText(u"abc");
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_FALSE(printer->IsFinished());
    EXPECT_EQ(window->GetTextEntryCount(), 0u);
}

} // namespace
