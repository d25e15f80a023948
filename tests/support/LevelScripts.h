#pragma once

#include "engine/core/Vector2.h"
#include "platform/win32/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
}

namespace Mirabel
{
class GameLogic;
class PuzzleElement;
} // namespace Mirabel

namespace corvellan::test
{

// Runs one frame of the program with the clock moved on by the given
// milliseconds.
using LevelFrame = std::function<void(std::uint32_t milliseconds)>;

// Real mouse events at points of the GUI screen, converted to the pixels of
// the engine's window (y flipped).
class LevelMouse
{
public:
    explicit LevelMouse(OrvaneEngine::Engine& engine);
    void MoveTo(const OrvaneEngine::Vector2& point);
    // 0 left ("MOUSE1"), 1 right ("MOUSE2").
    void Button(std::uint32_t button, bool down);

private:
    OrvaneEngine::Engine& engine;
    win32::HWND window;
    std::int32_t lastX = 0;
    std::int32_t lastRow = 0;
};

// What a scripted run saw: every floating text (its lines joined by line
// feeds) in the order they appeared, each state the level passed through, and its length.
struct LevelRun
{
    bool reached = false;
    std::vector<std::u16string> texts;
    std::vector<std::int32_t> states;
    float seconds = 0.0f;
    std::uint32_t frames = 0;
};

// Scripts that play a running level through real input, frame by frame,
// until the level reaches the state they aim for or limitSeconds of level
// time have passed. They read the level's state to steer, as a player
// watching the screen would. Frames are 1/60 s (17 ms) while acting and
// 0.1 s while only waiting.
class LevelScripts
{
public:
    static constexpr std::uint32_t ActingFrame = 17;
    static constexpr std::uint32_t WaitingFrame = 100;

    LevelScripts(Mirabel::GameLogic& logic, OrvaneEngine::Engine& engine, LevelFrame frame, float limitSeconds);

    // Arcade: waits for the introduction, relax: idles until the train stands
    // at the end of the track. Then waits for the first bonus and takes each
    // piece (one with a bonus first, else the front one) and drops it on its
    // place.
    LevelRun Win();
    // Arcade: after the introduction holds "MOUSE2" and never takes a piece.
    LevelRun Lose();
    // Waits until the train, fed to its end, stands still.
    void IdleUntilTrainStands();
    // Waits until the piece of that index rides the train, takes it and
    // drops it on its place; false when it could not be placed in time.
    bool Place(std::uint32_t pieceIndex);
    // Takes the piece of that index from the train once it rides it.
    bool Take(std::uint32_t pieceIndex);
    // Takes the front piece once the train holds one; null when none was taken.
    Mirabel::PuzzleElement* TakeFrontPiece();
    // One frame, its texts and state recorded; false once the time is up.
    bool Step(std::uint32_t milliseconds);
    // Press and release, a frame each.
    bool Click(std::uint32_t button);
    LevelMouse& Mouse() { return mouse; }
    const LevelRun& Run() const { return run; }

private:
    bool TimeLeft() const;
    void WaitForIntroduction();
    bool PlaceOnePiece();
    bool TakeFromTrain(Mirabel::PuzzleElement& piece);
    bool DropOnPlace(Mirabel::PuzzleElement& piece);
    std::int32_t ChoosePiece() const;
    bool WaitFrames(std::uint32_t count);

    Mirabel::GameLogic& logic;
    OrvaneEngine::Engine& engine;
    LevelFrame frame;
    float limitSeconds;
    LevelMouse mouse;
    LevelRun run;
    std::vector<const void*> liveTexts;
};

} // namespace corvellan::test
