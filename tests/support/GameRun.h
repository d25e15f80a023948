#pragma once
// The real game run whole, in this process, by the framework's own message
// loop, as the program's entry runs it, with the game's screens open to the
// test (ExposedGame). The test gives its run as steps: each waits, frame by
// frame, until its condition holds, then acts once, through real input
// events pushed from the message pump's hook. The millisecond clock is fake
// and moves a fixed step each presented frame, so fades, typing and
// animations cost frames, not seconds. A wall-clock limit, kept inside the
// run, asks the program to quit once it is spent, so a run that stalls
// reports which step it waited on instead of hanging.
//
// The game builds its own engine: nothing else may hold one meanwhile. The
// folders it reads and writes are the caller's (TestGameFolders).

#include "engine/core/Vector2.h"
#include "framework/GameLoaderBase.h"
#include "tests/support/BackBuffer.h"
#include "tests/support/ExposedGame.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIWindow;
} // namespace OrvaneEngine

namespace corvellan::test
{

class LevelMouse;

class GameRun : public GameFramework::GameLoaderBase
{
public:
    static constexpr std::uint32_t FrameMilliseconds = 100;

    explicit GameRun(std::chrono::seconds limit);
    ~GameRun() override;
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    void CreateGame() override;
    void DestroyGame() override;

    // Waits until `ready` holds, then runs `act` (may be empty) once.
    GameRun& Then(std::string name, std::function<bool()> ready, std::function<void()> act = {});
    // Until `done` holds, runs `again` every `frames` frames (screens that
    // take several presses: pages, repeated dialogs).
    GameRun& Repeat(std::string name, std::function<bool()> done, std::function<void()> again,
                    std::uint32_t frames = 5);
    // Runs the program to its end (Run of the loader, with the hooks in place).
    void Play();

    // The game while it exists (from the end of its construction to the end
    // of the loop); the steps may use it unchecked.
    ExposedGame& Game() const;
    OrvaneEngine::Engine& Engine() const;
    bool HasGame() const { return exposed != nullptr; }

    // One more frame of the program, from inside a step: the clock moved on,
    // the queued messages handled, then the game's frame step. What the level
    // scripts run on the game's own level. Throws once the time is spent.
    void Frame(std::uint32_t milliseconds);

    // Real input to the game's window: a key pressed (and released after the
    // next frame, so the frame sees it held), typed
    // text, the left button clicked on a widget's hit area or at a point of
    // the GUI screen (y up).
    void Key(const std::string& scancodeName);
    void Type(const std::string& utf8);
    void Click(const OrvaneEngine::GUIWindow& widget);
    // The centre of the widget's hit area on the GUI screen.
    static OrvaneEngine::Vector2 HitCentre(const OrvaneEngine::GUIWindow& widget);
    void Click(const OrvaneEngine::Vector2& point);
    LevelMouse& Mouse();
    // The scene drawn again without presenting, read from the back buffer.
    BackBuffer Grab() const;

    // Every text the visible windows and buttons queued in the last frame,
    // keys looked up as they will be printed, with its font.
    struct ShownText
    {
        std::u16string text;
        std::uint32_t fontId = 0;
    };
    const std::vector<ShownText>& ShownTexts() const { return shownTexts; }
    // Whether the last frame queued that text, in any font (or in fontId).
    bool Shows(const std::u16string& text, std::int64_t fontId = -1) const;
    // Whether any frame of the run printed "UNKNOWN", a text key its
    // language lacks.
    bool ShowedUnknownText() const { return showedUnknown; }

    // The first step not reached, empty once all were; "time limit" is added
    // when the limit ended the run, a step's failure text when it threw, and
    // the text of every message box shown (a fatal error's).
    std::string Pending() const;
    bool TimedOut() const { return timedOut; }
    // Each step reached, with its frame and wall-clock second, then the
    // screens open when the run stopped short: what a failure reports.
    const std::string& Trace() const { return trace; }
    std::uint32_t Frames() const { return frames; }
    double Seconds() const;

private:
    struct Step
    {
        std::string name;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    void OnPumpIdle();
    void ReadShownTexts();
    bool TimeSpent();
    void Stop(const std::string& reason);

    std::chrono::seconds limit;
    std::chrono::steady_clock::time_point start;
    std::vector<Step> steps;
    std::size_t next = 0;
    ExposedGame* exposed = nullptr;
    std::unique_ptr<LevelMouse> mouse;
    std::uint32_t clock = 100000;
    std::uint32_t lastPresents = 0;
    std::uint32_t frames = 0;
    bool timedOut = false;
    bool quitPushed = false;
    std::string failure;
    std::vector<ShownText> shownTexts;
    std::string trace;
    std::vector<std::string> keysDown;
    bool showedUnknown = false;
};

} // namespace corvellan::test
