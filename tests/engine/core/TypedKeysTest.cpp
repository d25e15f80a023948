#include "tests/engine/core/InputFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace OrvaneEngine;
namespace wt = win32::testing;

namespace
{

// (code, is character) of one frame.
using Typed = std::pair<std::uint16_t, bool>;

class TypedKeysTest : public corvellan::test::InputFixture
{
protected:
    // Runs frames until nothing more is typed, collecting what each frame read.
    std::vector<Typed> ReadFrames(std::size_t limit = 16)
    {
        std::vector<Typed> read;
        for (std::size_t frame = 0; frame < limit; ++frame)
        {
            Frame();
            std::uint16_t code = 0;
            std::uint8_t isCharacter = 0;
            const bool typed = controls->GetTypedChar(code, isCharacter);
            EndFrame();
            if (!typed)
                break;
            read.emplace_back(code, isCharacter != 0);
        }
        return read;
    }
};

TEST_F(TypedKeysTest, EachKeystrokeGetsAFrameOfItsOwn)
{
    ASSERT_TRUE(wt::SelectCodePage(1252));
    MakeAll();
    const win32::HWND w = window->handle;
    const struct
    {
        const char* name;
        std::function<void()> push;
        std::vector<Typed> frames;
    } cases[] = {
        {"Backspace", [&] { wt::PushKey(w, "Backspace", true); }, {{8, false}}},
        {"a with its text",
         [&] {
             wt::PushKey(w, "A", true);
             wt::PushText(w, "a");
         },
         {{'a', true}}},
        {"three letters in one event", [&] { wt::PushText(w, "abc"); }, {{'a', true}, {'b', true}, {'c', true}}},
        {"fast typing",
         [&] {
             for (const char* letter : {"H", "I"})
             {
                 wt::PushKey(w, letter, true);
                 wt::PushText(w, std::string(1, static_cast<char>(letter[0] + 32)));
                 wt::PushKey(w, letter, false);
             }
         },
         {{'h', true}, {'i', true}}},
        {"editing keys",
         [&] {
             for (const char* key : {"Return", "Escape", "Tab", "PageUp", "Left", "Insert", "Delete"})
             {
                 wt::PushKey(w, key, true);
                 wt::PushKey(w, key, false);
             }
         },
         {{13, false}, {27, false}, {9, false}, {33, false}, {37, false}, {45, false}, {46, false}}},
        {"Backspace held with three repeats",
         [&] {
             wt::PushKey(w, "Backspace", true);
             for (int i = 0; i < 3; ++i)
                 wt::PushKey(w, "Backspace", true, true);
         },
         {{8, false}, {8, false}, {8, false}, {8, false}}},
        {"left Alt held",
         [&] {
             wt::PushKey(w, "Left Alt", true);
             wt::PushKey(w, "X", true);
             wt::PushText(w, "x");
         },
         {{18, false}, {'X', false}}},
        {"AltGr euro",
         [&] {
             wt::PushKey(w, "Right Alt", true);
             wt::PushKey(w, "E", true);
             wt::PushText(w, "\xE2\x82\xAC");
         },
         {{18, false}, {0x20AC, true}}},
        {"not in the code page", [&] { wt::PushText(w, "\xD0\x96"); }, {}},
    };
    for (const auto& c : cases)
    {
        c.push();
        EXPECT_EQ(ReadFrames(), c.frames) << c.name;
        for (const char* key : {"Left Alt", "Right Alt", "Backspace", "A", "E", "X"})
            wt::PushKey(w, key, false);
        ReadFrames();
    }
}

TEST_F(TypedKeysTest, HeldRepeatsAreOnePressForTheDevice)
{
    MakeAll();
    Key("Backspace", true);
    for (int i = 0; i < 3; ++i)
        Key("Backspace", true, true);
    int presses = 0;
    for (int frame = 0; frame < 4; ++frame)
    {
        Frame();
        presses += controls->IsKeyPressed("BACKSPACE") ? 1 : 0;
        EXPECT_TRUE(controls->IsKeyDown("BACKSPACE"));
        EndFrame();
    }
    EXPECT_EQ(presses, 1);
}

TEST_F(TypedKeysTest, QueueKeepsSixtyFourAndDropsTheNewest)
{
    MakeAll();
    for (int i = 0; i < 70; ++i)
        Window::HandleMessage(window.get(), window->handle, win32::WM_CHAR, static_cast<win32::WPARAM>('0' + i % 10),
                              1);
    EXPECT_EQ(window->GetQueuedKeyCount(), Window::kTypedKeyCapacity);
    const std::vector<Typed> read = ReadFrames(80);
    ASSERT_EQ(read.size(), Window::kTypedKeyCapacity);
    EXPECT_EQ(read.front(), Typed('0', true));
    EXPECT_EQ(read.back(), Typed('3', true)) << "the oldest 64 stay";
}

TEST_F(TypedKeysTest, BlockedInputReadsNothingTyped)
{
    MakeAll();
    controls->BlockInput();
    Key("Backspace", true);
    Frame();
    std::uint16_t code = 0;
    std::uint8_t isCharacter = 0;
    EXPECT_FALSE(controls->GetTypedChar(code, isCharacter));
}

} // namespace
