// Typing into an edit box and running a console line on a headless engine,
// driven by real key and text events, one engine frame at a time.
#include "content/BoxFont.h"
#include "engine/core/Console.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

constexpr std::uint32_t FontId = 4;

class ConsoleEndToEndTest : public EngineTestFixture
{
protected:
    ConsoleEndToEndTest() : EngineTestFixture(Options{true}) { win32::testing::SetFakeMilliseconds(clock); }
    ~ConsoleEndToEndTest() override
    {
        Stop();
        win32::testing::ResetMultimediaTimer();
        win32::testing::ResetLocale();
    }

    // The engine as the framework leaves it: the virtual screen set and a
    // box font whose characters are 10 units wide.
    void StartEngine()
    {
        Start();
        engine->guiManager->SetScreenSize(800.0f, 600.0f);
        std::vector<content::BoxGlyph> glyphs;
        for (char16_t c = 33; c < 127; ++c)
            glyphs.push_back({c, 0.5f});
        for (char16_t c : std::u16string(u"\u0410\u043d\u0430"))
            glyphs.push_back({c, 0.5f});
        ASSERT_TRUE(content::BoxFont::Write(folder.Join("data"), "box.fnt", "", glyphs));
        GUIFont* font = engine->guiManager->GetFontManager()->CreateFont(FontId, nullptr, "box.fnt");
        ASSERT_NE(font, nullptr);
        font->glyphHeight = 20.0f;
        RunFrame();
    }

    GUIEditBox* MakeBox()
    {
        return engine->guiManager->CreateEditBox(1, Vector2(100.0f, 100.0f), Vector2(300.0f, 30.0f), nullptr,
                                                 static_cast<std::int32_t>(FontId), Color(1.0f, 1.0f, 1.0f, 1.0f),
                                                 Vector2(0.0f, 0.0f), 40, 1000.0f, 300.0f, u'_', nullptr);
    }

    // One frame of the program's loop: the window's messages, then the
    // engine's passes, the clock moved on by the given time.
    void RunFrame(std::uint32_t milliseconds = 16)
    {
        win32::MSG message{};
        while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
        clock += milliseconds;
        win32::testing::SetFakeMilliseconds(clock);
        engine->Update();
        engine->Frame(0);
    }

    void Tap(const std::string& key)
    {
        ASSERT_TRUE(win32::testing::PushKey(Handle(), key, true));
        ASSERT_TRUE(win32::testing::PushKey(Handle(), key, false));
    }

    win32::HWND Handle() const { return engine->window->handle; }

    std::uint32_t clock = 100000;
};

TEST_F(ConsoleEndToEndTest, TypedNameIsCorrectedWithHeldBackspace)
{
    StartEngine();
    GUIEditBox* box = MakeBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(win32::testing::PushText(Handle(), "Anna"));
    for (int i = 0; i < 4; ++i)
        RunFrame();
    EXPECT_EQ(box->text, u"Anna");
    EXPECT_EQ(box->GetTextEntryCount(), 0u) << "printed by the frame's render";

    ASSERT_TRUE(win32::testing::PushKey(Handle(), "Backspace", true));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(win32::testing::PushKey(Handle(), "Backspace", true, true));
    ASSERT_TRUE(win32::testing::PushKey(Handle(), "Backspace", false));
    const std::vector<std::u16string> after = {u"Ann", u"An", u"A", u""};
    for (const std::u16string& text : after)
    {
        RunFrame();
        EXPECT_EQ(box->text, text);
    }
}

TEST_F(ConsoleEndToEndTest, CyrillicTextOfTheCodePageIsStored)
{
    ASSERT_TRUE(win32::testing::SelectCodePage(1251));
    StartEngine();
    GUIEditBox* box = MakeBox();
    ASSERT_TRUE(win32::testing::PushText(Handle(), "\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0"));
    for (int i = 0; i < 4; ++i)
        RunFrame();
    EXPECT_EQ(box->text, u"\u0410\u043d\u043d\u0430");
}

TEST_F(ConsoleEndToEndTest, ConsoleOpensRunsALineAndCloses)
{
    StartEngine();
    engine->CreateConsole(engine->GetFullName(), nullptr, FontId, u'_', u']', u'^', "~", 0.95f, 308.0f, 1000.0f);
    Console& console = *engine->console;

    Tap("`");
    RunFrame();
    EXPECT_EQ(console.GetState(), Console::StateOpening);
    for (int i = 0; i < 100 && console.GetState() != Console::StateOpen; ++i)
        RunFrame();
    ASSERT_EQ(console.GetState(), Console::StateOpen);

    ASSERT_TRUE(win32::testing::PushText(Handle(), "say hello"));
    for (int i = 0; i < 9; ++i)
        RunFrame();
    EXPECT_EQ(console.GetEditBox()->text, u"say hello");
    Tap("Return");
    RunFrame();
    EXPECT_TRUE(console.GetEditBox()->text.empty());
    bool green = false;
    for (const ConsoleLine& line : console.GetLines())
        green = green || (line.text == u"hello" && line.color.g == 1.0f && line.color.r == 0.0f);
    EXPECT_TRUE(green);

    Tap("`");
    RunFrame();
    EXPECT_EQ(console.GetState(), Console::StateClosing);
    for (int i = 0; i < 100 && console.GetState() != Console::StateClosed; ++i)
        RunFrame();
    EXPECT_EQ(console.GetState(), Console::StateClosed);
    EXPECT_FALSE(console.GetWindow()->visible);
}

} // namespace
} // namespace corvellan::test
