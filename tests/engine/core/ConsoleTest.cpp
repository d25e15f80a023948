// The console: the slide, the rows, Enter, history, Tab completion,
// wrapping, the log colours, scrolling, the toggle key, a missing font and
// its end; on the device-free GUI stack with a box font whose characters
// are 10 units wide on an 800 x 600 screen.
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Console.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuiServices.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::test::BoxGlyph;
using corvellan::test::GuiServices;

constexpr std::uint32_t FontId = 7;
constexpr std::uint16_t Enter = 13;
constexpr std::uint16_t Escape = 27;
constexpr std::uint16_t Tab = 9;
constexpr std::uint16_t PageUp = 33;
constexpr std::uint16_t PageDown = 34;
constexpr std::uint16_t Up = 38;
constexpr std::uint16_t Down = 40;

const Color White(1.0f, 1.0f, 1.0f, 1.0f);
const Color Grey(0.5f, 0.5f, 0.5f, 1.0f);
const Color Red(1.0f, 0.0f, 0.0f, 1.0f);
const Color Green(0.0f, 1.0f, 0.0f, 1.0f);
const Color Blue(0.0f, 0.0f, 1.0f, 1.0f);

bool Same(const Color& a, const Color& b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

struct Piece
{
    std::u16string text;
    Color color;
};

class ConsoleTest : public ::testing::Test
{
public:
    ConsoleTest()
    {
        std::vector<BoxGlyph> glyphs;
        for (char16_t c = 33; c < 127; ++c)
            glyphs.push_back({c, c == u'W' ? 100.0f : 0.5f});
        glyphs.push_back({u' ', 0.5f});
        services.AddBoxFont(FontId, "console.fnt", glyphs, 20.0f);
        services.config.RegisterVariable("t_locked", ConfigVariable::TypeString, true, false, &locked, "fixed", false);
        services.log.ClearMessages();
    }
    ~ConsoleTest() override { console.reset(); }

    Console& Make(std::uint32_t fontId = FontId, const std::string& caption = "Test 1.03", float alpha = 0.95f,
                  float size = 308.0f, float speed = 1000.0f)
    {
        console = std::make_unique<Console>(&services.log, &services.timers, &services.config, services.controls.get(),
                                             &services.shaders, services.gui.get(), caption, nullptr, fontId, u'_',
                                             u']', u'^', "~", alpha, size, speed);
        services.timers.frameTime = 0.1f;
        return *console;
    }

    // One engine frame; what the console queued stays readable until the next.
    void Frame(const std::string& pressedKey = "", std::uint16_t keyCode = 0, bool character = false)
    {
        services.gui->Render();
        services.window->Update();
        services.controls->Update();
        if (!pressedKey.empty())
            services.controls->SetKeyState(pressedKey, true);
        if (keyCode != 0)
        {
            services.window->keyTyped = true;
            services.window->keyCode = keyCode;
            services.window->keyIsCharacter = character;
        }
        services.gui->Update();
        console->Update();
        services.controls->EndFrame();
        if (!pressedKey.empty())
            services.controls->SetKeyState(pressedKey, false);
        services.log.ClearMessages();
    }

    void Open()
    {
        Frame("~");
        while (console->GetState() != Console::StateOpen)
            Frame();
    }

    void Type(const std::u16string& text)
    {
        for (char16_t c : text)
            Frame("", c, true);
    }

    void Key(std::uint16_t code) { Frame("", code); }

    void Run(const std::u16string& line)
    {
        Type(line);
        Key(Enter);
    }

    std::vector<Piece> LinesFrom(std::size_t first) const
    {
        std::vector<Piece> pieces;
        const auto& lines = console->GetLines();
        for (std::size_t i = first; i < lines.size(); ++i)
            pieces.push_back({lines[i].text, lines[i].color});
        return pieces;
    }

    std::vector<GUITextEntry> Queued() const
    {
        std::vector<GUITextEntry> entries;
        const GUIWindow* window = console->GetWindow();
        for (std::uint32_t i = 0; i < window->GetTextEntryCount(); ++i)
            entries.push_back(window->GetTextEntry(i));
        return entries;
    }

    GuiServices services;
    std::string locked;
    std::unique_ptr<Console> console;
};

TEST_F(ConsoleTest, BuiltClosedWithItsVariablesAndRows)
{
    Make();
    EXPECT_EQ(console->GetState(), Console::StateClosed);
    const GUIWindow* window = console->GetWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->flags, 18u);
    EXPECT_FALSE(window->visible);
    EXPECT_FLOAT_EQ(window->position.x, 0.0f);
    EXPECT_FLOAT_EQ(window->position.y, 600.0f);
    EXPECT_FLOAT_EQ(window->size.x, 800.0f);
    EXPECT_FLOAT_EQ(window->size.y, 600.0f);

    const GUIEditBox* box = console->GetEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parent, window);
    EXPECT_FLOAT_EQ(box->position.x, 10.0f);
    EXPECT_FLOAT_EQ(box->position.y, 4.0f + 24.0f);
    EXPECT_EQ(services.gui->GetEditBoxes().GetCount(), 1u);

    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{{"ui_console_alpha", "0.9500"},
                                                                                      {"ui_console_size", "308.0000"},
                                                                                      {"ui_console_speed", "1000.0000"},
                                                                                      {"ui_console_key", "~"},
                                                                                      {"say", ""}})
        EXPECT_EQ(services.config.GetDefaultText(name), text) << name;

    // The caption ends at the right edge; the marker row fills the width.
    EXPECT_EQ(console->GetTitleRow(), std::u16string(71, u' ') + u"Test 1.03");
    EXPECT_EQ(console->GetMarkerRow(), std::u16string(80, u'^'));
}

TEST_F(ConsoleTest, CaptionLongerThanTheFillGetsNoBlanks)
{
    const std::string caption(300, 'c');
    Make(FontId, caption);
    EXPECT_EQ(console->GetTitleRow(), std::u16string(300, u'c'));
}

TEST_F(ConsoleTest, SlidesInAndOut)
{
    Make();
    Frame("~");
    EXPECT_EQ(console->GetState(), Console::StateOpening);
    EXPECT_TRUE(console->GetWindow()->visible);
    std::vector<float> ys{console->GetWindow()->position.y};
    while (console->GetState() == Console::StateOpening && ys.size() < 10)
    {
        Frame();
        ys.push_back(console->GetWindow()->position.y);
    }
    EXPECT_EQ(ys, (std::vector<float>{500.0f, 400.0f, 300.0f, 292.0f}));
    EXPECT_EQ(console->GetState(), Console::StateOpen);
    EXPECT_TRUE(console->GetEditBox()->inputOn);

    Key(PageUp);
    Frame("~");
    EXPECT_EQ(console->GetState(), Console::StateClosing);
    EXPECT_FALSE(console->GetEditBox()->inputOn);
    ys = {console->GetWindow()->position.y};
    while (console->GetState() == Console::StateClosing && ys.size() < 10)
    {
        Frame();
        ys.push_back(console->GetWindow()->position.y);
    }
    EXPECT_EQ(ys, (std::vector<float>{392.0f, 492.0f, 592.0f, 600.0f}));
    EXPECT_EQ(console->GetState(), Console::StateClosed);
    EXPECT_FALSE(console->GetWindow()->visible);
    EXPECT_EQ(console->GetScroll(), 0);

    // Reversed half-way: it closes from where it stands.
    Frame("~");
    Frame();
    EXPECT_FLOAT_EQ(console->GetWindow()->position.y, 400.0f);
    Frame("~");
    EXPECT_EQ(console->GetState(), Console::StateClosing);
    EXPECT_FLOAT_EQ(console->GetWindow()->position.y, 500.0f);
}

TEST_F(ConsoleTest, OutOfRangeSettingsFallBack)
{
    // Each step stores values through the previous console, ends it and
    // builds the next one with the arguments; the open position tells the
    // size, the first step of the slide the speed.
    struct Step
    {
        std::vector<std::string> stored;
        float alpha, size, speed;
        float firstY, openY, openAlpha;
    };
    const std::vector<Step> steps = {
        {{}, 0.5f, 200.0f, 500.0f, 550.0f, 400.0f, 0.5f},
        {{"ui_console_size 0", "ui_console_speed -5", "ui_console_alpha 2"}, 0.0f, 700.0f, -1.0f, 500.0f, 292.0f,
         0.95f},
        {{"ui_console_size 0", "ui_console_speed -5", "ui_console_alpha 0"}, 0.25f, 100.0f, 200.0f, 580.0f, 500.0f,
         0.25f},
        {{"ui_console_size 250", "ui_console_speed 100", "ui_console_alpha 1"}, 0.25f, 100.0f, 200.0f, 590.0f,
         350.0f, 1.0f},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.size);
        if (console)
            for (const std::string& line : step.stored)
                services.config.Execute(line);
        console.reset();
        Make(FontId, "T", step.alpha, step.size, step.speed);
        Frame("~");
        EXPECT_FLOAT_EQ(console->GetWindow()->position.y, step.firstY);
        for (int i = 0; i < 100 && console->GetState() != Console::StateOpen; ++i)
            Frame();
        EXPECT_FLOAT_EQ(console->GetWindow()->position.y, step.openY);
        EXPECT_NEAR(console->GetWindow()->GetColor().a, step.openAlpha, 1.0f / 255);
    }
}

TEST_F(ConsoleTest, EnterShowsTheResult)
{
    struct Row
    {
        std::u16string line;
        std::vector<Piece> added;
    };
    Make();
    Open();
    const std::string value = services.config.GetValueText("v_gamma");
    const std::string fallback = services.config.GetDefaultText("v_gamma");
    const std::u16string gammaRow = u"\"v_gamma\" is \"" + std::u16string(value.begin(), value.end()) +
                                    u"\", default is \"" + std::u16string(fallback.begin(), fallback.end()) +
                                    u"\"\n";
    const std::vector<Row> rows = {
        {u"v_gamma", {{u"]\\v_gamma\n", Blue}, {gammaRow, White}}},
        {u"V_Gamma 2", {{u"]\\V_Gamma 2\n", Blue}}},
        {u"say hello", {{u"]\\say hello\n", Blue}, {u"Quibble: \"", White}, {u"hello", Green}, {u"\"\n", White}}},
        {u"say", {{u"]\\say\n", Blue}}},
        {u"t_locked 3", {{u"]\\t_locked 3\n", Blue}, {u"\"t_locked\" is read only\n", White}}},
        {u"\\foo", {{u"]\\foo\n", Blue}, {u"Unknown command \"foo\"\n", White}}},
        {u"", {}},
        {u"\\", {}},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.line.begin(), row.line.end()));
        const std::size_t before = console->GetLines().size();
        Run(row.line);
        const auto added = LinesFrom(before);
        ASSERT_EQ(added.size(), row.added.size());
        for (std::size_t i = 0; i < added.size(); ++i)
        {
            EXPECT_EQ(added[i].text, row.added[i].text);
            EXPECT_TRUE(Same(added[i].color, row.added[i].color)) << i;
        }
    }
    EXPECT_FLOAT_EQ(services.config.gamma, 2.0f);
    EXPECT_EQ(console->GetEditBox()->text, u"\\") << "a lone backslash is left as it is";
    EXPECT_EQ(console->GetHistory(),
              (std::vector<std::u16string>{u"\\v_gamma", u"\\V_Gamma 2", u"\\say hello", u"\\say", u"\\t_locked 3",
                                           u"\\foo"}));
}

TEST_F(ConsoleTest, HistoryAndEscape)
{
    Make();
    Open();
    const GUIEditBox* box = console->GetEditBox();
    Key(Up);
    EXPECT_TRUE(box->text.empty()) << "an empty history does nothing";
    Run(u"v_gamma");
    Run(u"\\v_vsync");
    struct Step
    {
        std::uint16_t key;
        std::u16string text;
    };
    const std::vector<Step> steps = {{Up, u"\\v_vsync"}, {Up, u"\\v_gamma"}, {Up, u"\\v_gamma"},
                                     {Down, u"\\v_vsync"}, {Down, u""},       {Down, u""},
                                     {Up, u"\\v_vsync"},  {Escape, u""}};
    for (const Step& step : steps)
    {
        Key(step.key);
        EXPECT_EQ(box->text, step.text) << step.key;
    }
}

TEST_F(ConsoleTest, TabCompletes)
{
    Make();
    Open();
    const GUIEditBox* box = console->GetEditBox();
    Type(u"exi");
    Key(Tab);
    EXPECT_EQ(box->text, u"\\exit ");

    Key(Escape);
    Type(u"V_");
    std::size_t before = console->GetLines().size();
    Key(Tab);
    EXPECT_EQ(box->text, u"\\v_");
    const std::vector<Piece> listed = LinesFrom(before);
    ASSERT_EQ(listed.size(), 8u);
    EXPECT_EQ(listed[0].text, u"\\v_\n");
    EXPECT_TRUE(Same(listed[0].color, Blue));
    const std::vector<std::u16string> names = {u"brightness", u"contrast", u"fullscreen",         u"gamma",
                                               u"mode",       u"vsync",    u"window_change_mode"};
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        EXPECT_EQ(listed[i + 1].text, u"    \\v_" + names[i] + u"\n");
        EXPECT_TRUE(Same(listed[i + 1].color, White));
    }

    Type(u"W");
    Key(Tab);
    EXPECT_EQ(box->text, u"\\v_window_change_mode ");

    Key(Escape);
    Type(u"Zz");
    before = console->GetLines().size();
    Key(Tab);
    EXPECT_EQ(box->text, u"\\zz");
    EXPECT_EQ(console->GetLines().size(), before);
}

TEST_F(ConsoleTest, WrapsAtTheScreenWidth)
{
    Make();
    console->AddWrappedText(White, std::u16string(200, u'a'));
    const auto& lines = console->GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, std::u16string(80, u'a') + u"\n");
    EXPECT_EQ(lines[1].text, std::u16string(80, u'a') + u"\n");
    EXPECT_EQ(lines[2].text, std::u16string(40, u'a'));
    EXPECT_TRUE(lines[0].endsRow);
    EXPECT_FALSE(lines[2].endsRow);
    EXPECT_FLOAT_EQ(lines[2].width, 400.0f);

    // The open row goes on: the next piece fits beside it.
    console->AddWrappedText(Red, u"bc\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].text, u"bc\n");
    EXPECT_TRUE(lines[3].endsRow);

    console->AddWrappedText(White, u"");
    EXPECT_EQ(lines.size(), 4u);

    // A character wider than the screen stands alone on its row.
    console->AddWrappedText(White, u"aWWa");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4].text, u"a\n");
    EXPECT_EQ(lines[5].text, u"W\n");
    EXPECT_EQ(lines[6].text, u"W\n");
    EXPECT_EQ(lines[7].text, u"a");
}

TEST_F(ConsoleTest, LogEntriesColouredByLevelInEveryState)
{
    Make();
    services.log.Message("plain\n");
    services.log.Warning("careful\n");
    services.log.Error("broken\n");
    EXPECT_THROW(services.log.Fatal("gone\n"), FatalError);
    EXPECT_TRUE(console->GetLines().empty()) << "taken at the next update";
    Frame();
    const auto pieces = LinesFrom(0);
    const std::vector<std::pair<std::u16string, Color>> expected = {
        {u"plain", White}, {u"careful", Grey}, {u"broken", Red}, {u"gone", Red}};
    for (const auto& [word, color] : expected)
    {
        bool found = false;
        for (const Piece& piece : pieces)
            if (piece.text.find(word) != std::u16string::npos)
            {
                found = true;
                EXPECT_TRUE(Same(piece.color, color)) << std::string(word.begin(), word.end());
            }
        EXPECT_TRUE(found) << std::string(word.begin(), word.end());
    }
}

TEST_F(ConsoleTest, RowsAndScrollingBack)
{
    Make();
    Open();
    for (int i = 0; i < 3; ++i)
        console->AddWrappedText(White, u"row" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u"\n");
    Frame();
    // Title, prompt, then the rows with the newest lowest.
    auto queued = Queued();
    ASSERT_EQ(queued.size(), 5u);
    EXPECT_EQ(queued[0].text, console->GetTitleRow());
    EXPECT_FLOAT_EQ(queued[0].position.y, 4.0f);
    EXPECT_EQ(queued[1].text, u"]");
    EXPECT_FLOAT_EQ(queued[1].position.y, 28.0f);
    EXPECT_EQ(queued[2].text, u"row0\n");
    EXPECT_EQ(queued[4].text, u"row2\n");
    EXPECT_LT(queued[4].position.y, queued[2].position.y);

    for (int i = 0; i < 10; ++i)
        Key(PageUp);
    Frame();
    EXPECT_EQ(console->GetScroll(), 3) << "no further than the oldest row";
    queued = Queued();
    ASSERT_GE(queued.size(), 3u);
    EXPECT_EQ(queued[2].text, console->GetMarkerRow());
    EXPECT_FLOAT_EQ(queued[2].position.y, 52.0f);
    Key(PageDown);
    EXPECT_EQ(console->GetScroll(), 2);
}

TEST_F(ConsoleTest, ToggleKeyIsAVariable)
{
    Make();
    services.config.Execute("ui_console_key F1");
    Frame("~");
    EXPECT_EQ(console->GetState(), Console::StateClosed);
    Frame("F1");
    EXPECT_EQ(console->GetState(), Console::StateOpening);
}

TEST_F(ConsoleTest, WithoutItsFontCommandsStillRun)
{
    Make(99);
    EXPECT_EQ(services.Entries(2).size(), 1u);
    EXPECT_FLOAT_EQ(console->GetBaseOffset(), 0.2f * Console::FallbackRowHeight);
    EXPECT_FLOAT_EQ(console->GetRowStep(), 1.2f * Console::FallbackRowHeight);
    Open();
    const std::size_t before = console->GetLines().size();
    console->AddWrappedText(White, std::u16string(500, u'a'));
    EXPECT_EQ(console->GetLines().size(), before + 1) << "nothing measures, so nothing wraps";
    ASSERT_TRUE(services.config.GetCommandFlag("exit"));
    console->GetEditBox()->text = u"exit";
    Key(Enter);
    EXPECT_FALSE(services.config.GetCommandFlag("exit"));
}

TEST_F(ConsoleTest, DestructionReleasesWidgetsAndUnbinds)
{
    const std::uint32_t windows = services.gui->GetWindows().GetCount();
    Make();
    services.config.Execute("ui_console_size 200");
    services.config.Execute("ui_console_key F2");
    EXPECT_EQ(services.gui->GetWindows().GetCount(), windows + 1);
    console.reset();
    EXPECT_EQ(services.gui->GetWindows().GetCount(), windows);
    EXPECT_EQ(services.gui->GetEditBoxes().GetCount(), 0u);
    // The values outlive the binding: a new console gets them back.
    Make();
    Frame("F2");
    EXPECT_EQ(console->GetState(), Console::StateOpening);
    while (console->GetState() != Console::StateOpen)
        Frame();
    EXPECT_FLOAT_EQ(console->GetWindow()->position.y, 400.0f);
}

class ConsoleEngineTest : public corvellan::test::EngineTestFixture
{
};

TEST_F(ConsoleEngineTest, EngineRunsAndEndsItsConsole)
{
    settings.configFolder = folder.Join("config");
    settings.configName = "Test";
    settings.saveConfigOnExit = true;
    {
        Engine engine(settings);
        EXPECT_EQ(engine.console, nullptr);
        // The framework sets the virtual screen before anything is built on it.
        engine.guiManager->SetScreenSize(800.0f, 600.0f);
        engine.CreateConsole("Caption", nullptr, 0, u'_', u']', u'^', "~", 0.95f, 250.0f, 1000.0f);
        ASSERT_NE(engine.console, nullptr);
        engine.messageManager->Message("seen\n");
        engine.Update();
        bool seen = false;
        for (const ConsoleLine& line : engine.console->GetLines())
            seen = seen || line.text == u"seen\n";
        EXPECT_TRUE(seen) << "the console reads the frame's log before it is emptied";
        EXPECT_EQ(engine.messageManager->GetMessageCount(), 0);
    }
    const auto ini = corvellan::test::ReadFileText(folder.Join("config/Test.ini"));
    ASSERT_TRUE(ini.has_value());
    EXPECT_NE(ini->find("ui_console_size 250.0"), std::string::npos) << *ini;
}

TEST_F(ConsoleEngineTest, AConsoleMadeAgainKeepsItsVariablesBound)
{
    settings.configFolder = folder.Join("config");
    settings.configName = "Test";
    settings.saveConfigOnExit = true;
    {
        Engine engine(settings);
        engine.guiManager->SetScreenSize(800.0f, 600.0f);
        engine.CreateConsole("Caption", nullptr, 0, u'_', u']', u'^', "~", 0.95f, 250.0f, 1000.0f);
        engine.CreateConsole("Caption", nullptr, 0, u'_', u']', u'^', "~", 0.95f, 200.0f, 1000.0f);
        EXPECT_EQ(engine.config->Execute("ui_console_size 180"), Config::ExecuteDone);
        EXPECT_EQ(engine.guiManager->GetEditBoxes().GetCount(), 1u) << "the old console's box is gone";
    }
    const auto ini = corvellan::test::ReadFileText(folder.Join("config/Test.ini"));
    ASSERT_TRUE(ini.has_value());
    EXPECT_NE(ini->find("ui_console_size 180.0"), std::string::npos) << *ini;
}

} // namespace
} // namespace OrvaneEngine
