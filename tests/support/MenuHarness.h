#pragma once
// A headless engine with everything the menu screens stand on: the fixture
// data of MenuData, fonts 0..10, the menu texts and sounds, the real sound
// controller, level and profile managers, the game resources loaded on the
// calling thread, the menu background and the menu window manager. Time is
// the fake millisecond clock; input is real events pushed at virtual-screen
// points. Only one harness (or other engine) may exist at a time.
//
// A test writes what it needs into `data` (WriteDefault first, then its own
// changes), calls Start, then drives frames with Step, or with Update and
// Render to read the texts queued in between.

#include "engine/gui/GUIWindow.h"
#include "tests/support/BackBuffer.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/MenuData.h"
#include "tests/support/VirtualMouse.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{
class GameData;
class GUIBackgroundWindow;
class GUIMenuWindowManager;
class LevelManager;
class ProfileManager;
class Profile;
} // namespace Mirabel

namespace corvellan::test
{

class MenuHarness
{
public:
    MenuHarness();
    ~MenuHarness();
    MenuHarness(const MenuHarness&) = delete;
    MenuHarness& operator=(const MenuHarness&) = delete;

    // The engine, fonts, texts, sounds and managers; with `background`, the
    // menu background and its window manager too (whose construction may
    // throw FatalError on a broken background).
    void Start(bool background = true);
    // The game resources, loaded now on this thread.
    Mirabel::GameData& LoadGameData();
    // Marks the background active and runs frames until it waits for the
    // game resources, hands them over and runs until the menus may open.
    // False when a stage took longer than its frame budget.
    bool RunStartUp(std::uint32_t milliseconds = 50);
    // Start, RunStartUp, then frames until the background idles with its
    // panel down: where every menu screen begins.
    bool StartMenus(std::uint32_t milliseconds = 50);
    // A profile made current (without touching the profile list's file).
    Mirabel::Profile& MakeCurrentProfile(const std::u16string& name);

    // One frame: Update then Render.
    void Step(std::uint32_t milliseconds);
    // The clock moved on, Engine::Update, the background, the manager, then
    // every entry of `updates` in order (the game's own order of windows).
    void Update(std::uint32_t milliseconds);
    // Engine::Frame: the render pass and the present.
    void Render();
    // Steps until the condition holds, at most `frames` times; its result.
    bool StepUntil(const std::function<bool()>& condition, std::uint32_t milliseconds, std::uint32_t frames);

    // The texts queued on the window since the last render.
    static std::vector<OrvaneEngine::GUITextEntry> TextEntries(const OrvaneEngine::GUIWindow& window);
    // Renders the scene again without presenting and reads the back buffer.
    BackBuffer Grab();

    // Input at a point of the 800 x 600 virtual screen (y up).
    void MoveTo(std::int32_t x, std::int32_t y);
    // The left button.
    void Press(bool down);
    void Click(std::int32_t x, std::int32_t y);
    void Key(const std::string& scancodeName, bool down);
    void Type(const std::string& utf8);

    // The sound controller's state of a menu sound, and the frame-timer time
    // its entry last started.
    std::uint32_t SoundState(std::uint32_t id) const;
    float SoundLastStart(std::uint32_t id) const;

    // Ends everything the harness made, the engine last; the log is then complete.
    void Stop();
    std::string LogText() const { return fixture.LogText(); }

    EngineFixture fixture;
    MenuData data;
    OrvaneEngine::Engine* engine = nullptr;
    std::unique_ptr<GameFramework::SoundController> sounds;
    std::unique_ptr<Mirabel::LevelManager> levels;
    std::unique_ptr<Mirabel::ProfileManager> profiles;
    std::unique_ptr<Mirabel::GameData> gameData;
    std::unique_ptr<Mirabel::GUIBackgroundWindow> background;
    std::unique_ptr<Mirabel::GUIMenuWindowManager> manager;
    std::vector<std::function<void()>> updates;
    std::uint32_t clock = 100000;

private:
    std::optional<VirtualMouse> mouse;
};

} // namespace corvellan::test
