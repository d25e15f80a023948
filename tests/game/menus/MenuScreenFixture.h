#pragma once
// The screens of the menus over the menu harness: button models placed
// apart from each other, the texts every screen asks for, and frames that
// click buttons, either for real with the virtual mouse or by raising their
// click flag just before the screen's update (two buttons in one frame).

#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"
#include "tests/support/MenuHarness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

class MenuScreenFixture : public ::testing::Test
{
protected:
    // The fixture models and texts; a test may change `texts` before Start.
    void SetUp() override;
    // The harness up to the idle background, with `texts` written.
    void Start();

    // The screen's update runs each frame in the harness, after any pending clicks.
    template <class Screen> Screen& Add(std::unique_ptr<Screen> screen)
    {
        Screen& made = *screen;
        screens.push_back(std::shared_ptr<Screen>(std::move(screen)));
        menu.updates.push_back([this, &made] {
            RaisePendingClicks();
            made.Update();
        });
        return made;
    }

    // Frames until the frame is fully faded in and nothing appears.
    bool OpenFully(const Mirabel::GUIMenuWindow& window, std::uint32_t milliseconds = 50);
    // Frames until the frame's widget window is gone and the token is back.
    bool CloseFully(const Mirabel::GUIMenuWindow& window, std::uint32_t milliseconds = 50);
    // One frame in which the buttons count as clicked; what `result` reads
    // after the screens' updates.
    std::uint32_t ClickFrame(const std::vector<const Mirabel::GUIControl*>& controls,
                             const std::function<std::uint32_t()>& result, std::uint32_t milliseconds = 50);
    // A real press and release over the middle of the control's button; the
    // result read in the frame of the release.
    std::uint32_t RealClick(const Mirabel::GUIControl& control, const std::function<std::uint32_t()>& result);
    std::uint32_t RealClickAt(const OrvaneEngine::GUIWindow& widget, const std::function<std::uint32_t()>& result);
    // The point of the virtual screen in the middle of the control's hit area.
    static OrvaneEngine::Vector2 Middle(const OrvaneEngine::GUIWindow& widget);
    // Update, read the window's queued texts, render.
    std::vector<OrvaneEngine::GUITextEntry> FrameTexts(const OrvaneEngine::GUIWindow& window,
                                                       std::uint32_t milliseconds = 50);
    // The entries of key (any number), in queue order.
    static std::vector<OrvaneEngine::GUITextEntry> WithKey(const std::vector<OrvaneEngine::GUITextEntry>& entries,
                                                           const std::string& key);
    std::string ProfilesFolder() const;
    // The window's messages, as the program's loop reads them before a
    // frame: typed characters reach the window only through them.
    static void PumpMessages();
    // One frame per typed character.
    void TypeName(const std::string& text);
    // ENTER down in one frame, up in the next; the result of the first.
    std::uint32_t PressEnter(const std::function<std::uint32_t()>& result);
    // The screens, then the harness: the log is complete afterwards.
    void StopAll();

    MenuHarness menu;
    std::map<std::string, std::u16string> texts;

private:
    void RaisePendingClicks();
    std::vector<const Mirabel::GUIControl*> pending;
    // Ended before the harness.
    std::vector<std::shared_ptr<void>> screens;
};

} // namespace corvellan::test
