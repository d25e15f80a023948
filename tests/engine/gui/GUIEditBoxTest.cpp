// The edit box: key sequences over a box font, the limits, the view's
// jumps, the blinking caret, the cut text and the text's alpha.
#include "engine/core/Timer.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/GuiServices.h"

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

constexpr std::uint16_t Backspace = 8;
constexpr std::uint16_t End = 35;
constexpr std::uint16_t Home = 36;
constexpr std::uint16_t Left = 37;
constexpr std::uint16_t Right = 39;
constexpr std::uint16_t Insert = 45;
constexpr std::uint16_t Delete = 46;

class CountingSounds : public GUISoundManager
{
public:
    explicit CountingSounds(TimerManager* timers) : GUISoundManager(timers, nullptr) {}
    void Play(std::uint32_t event) override { played.push_back(event); }
    std::vector<std::uint32_t> played;
};

// One typed key: a character or a key code.
struct Key
{
    std::uint16_t code;
    bool character;
};

Key Char(char16_t c) { return {static_cast<std::uint16_t>(c), true}; }
Key Code(std::uint16_t c) { return {c, false}; }

std::vector<Key> Repeat(Key key, int count) { return std::vector<Key>(static_cast<std::size_t>(count), key); }

std::vector<Key> Join(std::initializer_list<std::vector<Key>> parts)
{
    std::vector<Key> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct BoxSetup
{
    std::int32_t maxLength = 40;
    float maxWidth = 1000.0f;
    float visibleWidth = 100.0f;
    float caretRatio = 0.5f;
    float wRatio = 0.5f;
    bool missingFont = false;
};

class GUIEditBoxTest : public ::testing::Test
{
public:
    GUIEditBoxTest()
    {
        // The caret blink reads the frame timer, which then only moves when told.
        win32::testing::SetFakeMilliseconds(1000);
        services = std::make_unique<GuiServices>();
        sounds = std::make_unique<CountingSounds>(&services->timers);
    }
    ~GUIEditBoxTest() override
    {
        box.reset();
        sounds.reset();
        services.reset();
        win32::testing::ResetMultimediaTimer();
    }

    GUIEditBox& Make(const BoxSetup& setup = {}, const Model* model = nullptr, std::uint32_t flags = 1)
    {
        std::vector<BoxGlyph> glyphs;
        for (char16_t c = u'a'; c <= u'z'; ++c)
            glyphs.push_back({c, 0.5f});
        glyphs.push_back({u'W', setup.wRatio});
        glyphs.push_back({u'_', setup.caretRatio});
        // A font id is loaded once: every box gets a font of its own.
        fontId = nextFontId++;
        font = services->AddBoxFont(static_cast<std::uint32_t>(fontId), "box" + std::to_string(fontId) + ".fnt",
                                    glyphs, 20.0f);
        GUIManager& gui = *services->gui;
        box = std::make_unique<GUIEditBox>(
            &services->log, &services->shaders, &services->models, gui.GetFontManager(), gui.GetTextManager(),
            &services->timers, sounds.get(), services->controls.get(), gui.GetCamera(), flags, Vector2(10.0f, 10.0f),
            Vector2(200.0f, 30.0f), model, setup.missingFont ? 999 : fontId, Color(0.0f, 0.0f, 1.0f, 0.8f), Vector2(2.0f, 3.0f),
            setup.maxLength, setup.maxWidth, setup.visibleWidth, u'_', nullptr);
        box->UpdateVisibility();
        return *box;
    }

    // One frame with the key typed; the queued texts stay readable until
    // the next frame.
    void Frame(const Key* key = nullptr)
    {
        services->window->Update();
        services->controls->Update();
        if (key != nullptr)
        {
            services->window->keyTyped = true;
            services->window->keyCode = key->code;
            services->window->keyIsCharacter = key->character;
        }
        box->Render();
        box->Update(Vector2(-1.0f, -1.0f), false, false);
        services->controls->EndFrame();
    }

    void Type(const std::vector<Key>& keys)
    {
        for (const Key& key : keys)
            Frame(&key);
    }

    std::size_t Changes() const
    {
        std::size_t count = 0;
        for (std::uint32_t event : sounds->played)
            count += event == GUIEditBox::ChangeEvent ? 1 : 0;
        return count;
    }

    std::vector<GUITextEntry> Texts() const
    {
        std::vector<GUITextEntry> texts;
        for (std::uint32_t i = 0; i < box->GetTextEntryCount(); ++i)
            texts.push_back(box->GetTextEntry(i));
        return texts;
    }

    std::unique_ptr<GuiServices> services;
    std::unique_ptr<CountingSounds> sounds;
    std::unique_ptr<GUIEditBox> box;
    GUIFont* font = nullptr;
    std::int32_t fontId = 0;
    std::int32_t nextFontId = 3;
};

TEST_F(GUIEditBoxTest, KeySequences)
{
    struct Row
    {
        const char* what;
        BoxSetup setup;
        std::vector<Key> keys;
        std::u16string text;
        std::int32_t caret;
        std::int32_t firstVisible;
        std::size_t changes;
    };
    const std::u16string a20(20, u'a');
    const std::u16string a30(30, u'a');
    const std::vector<Key> type30 = Repeat(Char(u'a'), 30);
    const std::vector<Row> rows = {
        {"max 20: 21 'a'", {20}, Repeat(Char(u'a'), 21), a20, 19, 10, 20},
        {"max 20: 21 'a', Backspace", {20}, Join({Repeat(Char(u'a'), 21), {Code(Backspace)}}), a20.substr(1), 19, 10,
         21},
        {"max width 50: 6 'a'", {40, 50.0f}, Repeat(Char(u'a'), 6), u"aaaaa", 5, 0, 5},
        {"overwrite, Home, wide 'W'", {40, 50.0f, 100.0f, 0.5f, 1.0f},
         Join({Repeat(Char(u'a'), 5), {Code(Insert), Code(Home), Char(u'W')}}), u"Waaaa", 1, 0, 6},
        {"overwrite at the end keeps the width test", {40, 50.0f, 100.0f, 0.5f, 1.0f},
         Join({Repeat(Char(u'a'), 4), {Code(Insert), Char(u'W'), Char(u'b')}}), u"aaaab", 5, 0, 5},
        {"a character without glyph", {}, {Char(u'a'), Char(u'\u00e9'), Char(u'b')}, u"ab", 2, 0, 2},
        {"the space without glyph", {}, {Char(u'a'), Char(u' '), Char(u'b')}, u"a b", 3, 0, 3},
        {"30, Home, Right x9", {}, Join({type30, {Code(Home)}, Repeat(Code(Right), 9)}), a30, 9, 5, 30},
        {"30, Home, Right x14", {}, Join({type30, {Code(Home)}, Repeat(Code(Right), 14)}), a30, 14, 10, 30},
        {"then Left to the view's start", {},
         Join({type30, {Code(Home)}, Repeat(Code(Right), 14), Repeat(Code(Left), 4)}), a30, 10, 5, 30},
        {"and once more Left", {}, Join({type30, {Code(Home)}, Repeat(Code(Right), 14), Repeat(Code(Left), 5)}), a30,
         9, 5, 30},
        {"Home", {}, Join({type30, {Code(Home)}}), a30, 0, 0, 30},
        {"Home, End", {}, Join({type30, {Code(Home), Code(End)}}), a30, 30, 21, 30},
        {"End at the length limit", {20}, Join({Repeat(Char(u'a'), 20), {Code(Home), Code(End)}}), a20, 19, 10, 20},
        {"Insert, arrows, Home, End change nothing", {},
         Join({{Char(u'a'), Char(u'b')}, {Code(Insert), Code(Left), Code(Right), Code(Home), Code(End)}}), u"ab", 2, 0,
         2},
        {"Delete at the caret; at the end nothing", {},
         Join({{Char(u'a'), Char(u'b'), Char(u'c'), Code(Home), Code(Delete), Code(End), Code(Delete)}}), u"bc", 2, 0,
         3 + 1},
        {"Backspace one before the end takes the last one", {},
         {Char(u'a'), Char(u'b'), Char(u'c'), Code(Left), Code(Backspace)}, u"ab", 2, 0, 4},
        {"Backspace in the middle", {}, {Char(u'a'), Char(u'b'), Char(u'c'), Code(Home), Code(Right),
                                         Code(Backspace)},
         u"bc", 0, 0, 4},
        {"Backspace at the start", {}, {Char(u'a'), Code(Home), Code(Backspace)}, u"a", 0, 0, 1},
        {"insert in the middle", {}, {Char(u'a'), Char(u'c'), Code(Left), Char(u'b')}, u"abc", 2, 0, 3},
        {"caret glyph 120 wide", {40, 1000.0f, 100.0f, 6.0f}, Join({Repeat(Char(u'a'), 3), {Code(Home), Code(End)}}),
         u"aaa", 3, 3, 3},
        {"max length 0", {0}, Repeat(Char(u'a'), 2), u"a", 0, 0, 1},
        {"max length -3", {-3}, {Char(u'b')}, u"b", 0, 0, 1},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        box.reset();
        sounds->played.clear();
        Make(row.setup);
        ASSERT_NE(font, nullptr);
        Type(row.keys);
        EXPECT_EQ(box->text, row.text);
        EXPECT_EQ(box->GetCaret(), row.caret);
        EXPECT_EQ(box->GetFirstVisible(), row.firstVisible);
        EXPECT_EQ(Changes(), row.changes);
        EXPECT_EQ(sounds->played.size(), row.changes) << "only changes make a sound";
    }
}

TEST_F(GUIEditBoxTest, CaretInsideTheViewAfterEveryKey)
{
    // Typing, walking and deleting over a long text: the caret never leaves
    // the shown part, and the view never passes the caret.
    Make();
    std::vector<Key> keys = Join({Repeat(Char(u'a'), 35), Repeat(Code(Left), 33), Repeat(Code(Right), 20),
                                  Repeat(Code(Backspace), 12), {Code(End)}, Repeat(Code(Backspace), 10)});
    for (const Key& key : keys)
    {
        Frame(&key);
        const std::int32_t first = box->GetFirstVisible();
        ASSERT_LE(first, box->GetCaret());
        ASSERT_LE(box->GetCaret(), static_cast<std::int32_t>(box->text.size()));
        const float width = font->MeasureText(box->text.substr(static_cast<std::size_t>(first),
                                                               static_cast<std::size_t>(box->GetCaret() - first)) +
                                                  u"_",
                                              0.0f)
                                .x;
        ASSERT_LE(width, 100.0f);
    }
}

TEST_F(GUIEditBoxTest, SetTextShowsTheEnd)
{
    Make({20});
    box->SetText(std::u16string(30, u'a'));
    EXPECT_EQ(box->GetCaret(), 19);
    EXPECT_EQ(box->GetFirstVisible(), 10);
    box->SetText(u"ab");
    EXPECT_EQ(box->GetCaret(), 2);
    EXPECT_EQ(box->GetFirstVisible(), 0);
    EXPECT_TRUE(box->CanAppend(u'a'));
    box->SetText(std::u16string(20, u'a'));
    EXPECT_FALSE(box->CanAppend(u'a'));
}

TEST_F(GUIEditBoxTest, CaretBlinksOnTheFrameTimer)
{
    Make();
    Type({Char(u'a'), Char(u'b')});
    struct Row
    {
        float time;
        bool caret;
    };
    const std::vector<Row> rows = {{0.0f, true},  {0.2f, true},  {0.39f, true}, {0.4f, false}, {0.6f, false},
                                   {0.79f, false}, {0.8f, true}, {1.25f, false}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.time);
        services->timers.GetFrameTimer()->Reset(row.time);
        Frame();
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), row.caret ? 2u : 1u);
        EXPECT_EQ(texts[0].text, u"ab");
        if (row.caret)
        {
            EXPECT_EQ(texts[1].text, u"_");
            EXPECT_FLOAT_EQ(texts[1].position.x, 2.0f + 20.0f);
            EXPECT_FLOAT_EQ(texts[1].position.y, 3.0f);
        }
    }
}

TEST_F(GUIEditBoxTest, InputOffShowsTheTextOnly)
{
    Make();
    Type({Char(u'a')});
    box->inputOn = false;
    services->timers.GetFrameTimer()->Reset(0.1f);
    Type({Char(u'b'), Code(Backspace), Code(Home)});
    EXPECT_EQ(box->text, u"a");
    EXPECT_EQ(box->GetCaret(), 1);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"a");
}

TEST_F(GUIEditBoxTest, ShownTextIsCutToTheVisibleWidth)
{
    Make();
    Type(Repeat(Char(u'a'), 30));
    Type({Code(Home)});
    services->timers.GetFrameTimer()->Reset(0.0f);
    Frame();
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, std::u16string(10, u'a'));
    EXPECT_FLOAT_EQ(texts[1].position.x, 2.0f);
    EXPECT_EQ(texts[0].fontId, static_cast<std::uint32_t>(fontId));
    EXPECT_EQ(texts[0].alignment, 0u);
    EXPECT_FLOAT_EQ(texts[0].color.b, 1.0f);
    EXPECT_FLOAT_EQ(texts[0].color.a, 0.8f);
}

TEST_F(GUIEditBoxTest, CaretWiderThanTheView)
{
    // A caret glyph twice as wide as the view: the view stops at the caret,
    // nothing of the text before it shows, and the caret sits at the offset.
    Make({40, 1000.0f, 100.0f, 10.0f});
    Type(Repeat(Char(u'a'), 6));
    Type({Code(Home), Code(End)});
    EXPECT_EQ(box->GetFirstVisible(), 6);
    services->timers.GetFrameTimer()->Reset(0.0f);
    Frame();
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"_");
    EXPECT_FLOAT_EQ(texts[0].position.x, 2.0f);

    Type({Code(Left), Code(Left)});
    EXPECT_EQ(box->GetCaret(), 4);
    EXPECT_EQ(box->GetFirstVisible(), 4);
    services->timers.GetFrameTimer()->Reset(0.0f);
    Frame();
    texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, u"aa");
    EXPECT_FLOAT_EQ(texts[1].position.x, 2.0f);
}

TEST_F(GUIEditBoxTest, TextFadesWithTheBox)
{
    GUIWindow* source =
        services->gui->CreateTexturedWindow(3, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr, nullptr,
                                            Vector2(1.0f, 1.0f));
    Make({}, source->model, 3);
    box->SetColor(Color(1.0f, 1.0f, 1.0f, 0.5f));
    Type({Char(u'a')});
    const auto texts = Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_NEAR(texts[0].color.a, 0.4f, 1.0f / 255);
}

TEST_F(GUIEditBoxTest, WithoutFontOrHiddenTheBoxIsInert)
{
    Make({40, 1000.0f, 100.0f, 0.5f, 0.5f, true});
    EXPECT_EQ(box->GetFont(), nullptr);
    Type({Char(u'a')});
    EXPECT_TRUE(box->text.empty());
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(sounds->played.empty());

    box.reset();
    Make();
    box->ClearFlags(GUIWindow::FlagShown);
    Type({Char(u'a')});
    EXPECT_TRUE(box->text.empty());
    box->SetFlags(GUIWindow::FlagShown);
    Type({Char(u'a')});
    EXPECT_EQ(box->text, u"a");
}

} // namespace
} // namespace OrvaneEngine
